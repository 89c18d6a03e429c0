// Figures for the document files: saving a generated 1 MB RTF document as ".rtc" (aim: under
// 0.3 s) and opening it again, beside the same document as plain ".rtf".
#include <windows.h>

#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/richedit/RichEditWindow.h"
#include "writer/DocumentFiles.h"
#include "writer/EditorStreams.h"

namespace {

class QuietHost final : public DocumentHost {
 public:
  void SetCaption(const std::wstring&) override {}
  void SetApplicationTitle(const std::wstring&) override {}
  void SetModifiedPanel(const std::wstring&) override {}
  void ApplyZoom() override {}
  void FocusEditor() override {}
  void ProcessMessages() override {}
  void RecordInHistory(const std::wstring&, HistoryKind) override {}
  std::optional<std::wstring> FirstHistoryRow() override { return std::nullopt; }
};

// Paragraphs of varied words with bold, italic, colour and size changes, to about size bytes.
std::string GeneratedRtf(std::size_t size) {
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green90\\blue160;}\n";
  unsigned state = 7;
  for (int paragraph = 0; rtf.size() < size; ++paragraph) {
    rtf += "\\pard\\f" + std::to_string(paragraph % 2) + "\\fs" +
           std::to_string(20 + 2 * (paragraph % 5)) + " ";
    for (int word = 0; word < 60; ++word) {
      state = state * 1103515245u + 12345u;
      const unsigned pick = (state >> 16) % 40;
      if (pick == 0) rtf += "\\b ";
      if (pick == 1) rtf += "\\i ";
      if (pick == 2) rtf += "\\cf" + std::to_string(1 + paragraph % 2) + " ";
      for (unsigned letters = 3 + pick % 7; letters > 0; --letters) {
        state = state * 1103515245u + 12345u;
        rtf += static_cast<char>('a' + (state >> 16) % 26);
      }
      rtf += pick < 3 ? "\\b0\\i0\\cf0  " : " ";
    }
    rtf += "\\par\n";
  }
  return rtf + "}";
}

double Seconds(const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  HWND editor = CreateWindowExW(0, richedit::registerRichEditClass(), L"",
                                WS_OVERLAPPEDWINDOW | ES_MULTILINE | WS_VSCROLL, 0, 0, 800, 600,
                                nullptr, nullptr, nullptr, nullptr);
  QuietHost host;
  DocumentFiles files(editor, host);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / L"tessary-files-bench";
  std::filesystem::create_directories(folder);
  const std::wstring source = (folder / L"generated.rtf").wstring();
  const std::wstring packed = (folder / L"generated.rtc").wstring();
  const std::wstring plain = (folder / L"copy.rtf").wstring();
  {
    const std::string rtf = GeneratedRtf(1100000);
    std::FILE* out = _wfopen(source.c_str(), L"wb");
    std::fwrite(rtf.data(), 1, rtf.size(), out);
    std::fclose(out);
  }
  files.OpenDocumentFile(source);
  const std::size_t rtfBytes = StreamOutToString(editor, SF_RTF).size();
  std::printf("document: %zu characters, %zu bytes of RTF\n",
              static_cast<std::size_t>(GetWindowTextLengthW(editor)), rtfBytes);

  for (int run = 1; run <= 3; ++run) {
    const double saveRtc = Seconds([&] { files.SaveDocumentFile(packed); });
    const double openRtc = Seconds([&] { files.OpenDocumentFile(packed); });
    const double saveRtf = Seconds([&] { files.SaveDocumentFile(plain); });
    const double openRtf = Seconds([&] { files.OpenDocumentFile(plain); });
    std::printf(
        "run %d: save .rtc %.3f s (%ju bytes), open .rtc %.3f s; save .rtf %.3f s, open .rtf "
        "%.3f s\n",
        run, saveRtc, static_cast<std::uintmax_t>(std::filesystem::file_size(packed)), openRtc,
        saveRtf, openRtf);
  }
  DestroyWindow(editor);
  std::filesystem::remove_all(folder);
  return 0;
}
