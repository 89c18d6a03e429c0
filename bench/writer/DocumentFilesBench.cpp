// Figures for the document files: saving a generated 1 MB RTF document as ".rtc" (aim: under
// 0.3 s) and opening it again, beside the same document as plain ".rtf".
#include <windows.h>

#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/writer/GeneratedRtf.h"
#include "richedit/RichEditWindow.h"
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
