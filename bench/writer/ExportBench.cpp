// Figures for the exports under Wine: the long sample document repeated three times (about
// 120 pages) exported to PDF (aim: under 1.2 s) and as a presentation at "Full Page" (aim:
// under 3 s), with the files' sizes and the process's peak committed memory.
#include <windows.h>

#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "bench/labels/BenchDialogs.h"
#include "bench/richedit/HeapCounter.h"
#include "richedit/RichEditWindow.h"
#include "writer/CompressedRichText.h"
#include "writer/EditorStreams.h"
#include "writer/export/DocumentExports.h"
#include "writer/export/ExportProgress.h"
#include "writer/export/PageRendering.h"
#include "writer/export/PresentationOptions.h"

namespace {

// The machine is shared: the processor time of all our threads shows what the work costs
// when the wall-clock time is stretched by other programs.
double ProcessorSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

struct Timing {
  double wall = 0;
  double processor = 0;
};

Timing Measure(const std::function<void()>& step) {
  const double cpu = ProcessorSeconds();
  const auto start = std::chrono::steady_clock::now();
  step();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          ProcessorSeconds() - cpu};
}

// The most heap the program held at any page boundary of an export.
long long peakBytes = 0;
void NotePeak() { peakBytes = std::max(peakBytes, liveBytes.load()); }
double Megabytes(long long bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace

int main() {
  AutoDialogs dialogs;
  InstallDialogs(&dialogs);
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                               nullptr, nullptr, nullptr);
  HWND editor = CreateWindowExW(0, richedit::registerRichEditClass(), L"",
                                WS_CHILD | ES_MULTILINE | WS_VSCROLL, 0, 0, 800, 600, owner,
                                nullptr, nullptr, nullptr);
  const std::string rtf = ReadAll(std::string(TEST_DATA_DIR) + "/rtf/lo-long-document.rtf");
  for (int copy = 0; copy < 3; ++copy) {
    CHARRANGE end{-1, -1};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    BytesSource source(rtf);
    StreamInWithFallback(editor, source, SF_RTF | SFF_SELECTION, SF_TEXT | SFF_SELECTION);
  }
  std::printf("document: the long sample three times, %d characters\n",
              GetWindowTextLengthW(editor));

  TfrmExport progress;
  progress.Create(owner);
  TfrmPresentation options;
  options.Create(owner);
  Form::SetModalHandler([](Form& form) { form.SetModalResult(mrOk); });
  const writer::ExportContext context{editor, owner, &progress, [] {
                                        NotePeak();
                                        MSG msg;
                                        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                                          TranslateMessage(&msg);
                                          DispatchMessageW(&msg);
                                        }
                                      }};
  const auto folder = BenchFolder(L"tessary-export-bench");
  const long long before = liveBytes.load();
  std::printf("heap before the exports: %.1f MB\n", Megabytes(before));

  // The shared paging loop alone: the control's layout and drawing and the pictures' bytes.
  int pages = 0;
  writer::PagingSteps steps;
  steps.page = [&](const writer::RgbImage&, int) { ++pages; };
  const Timing paging = Measure([&] {
    writer::RenderDocumentPages(editor, writer::kPdfPageShape, writer::CurrentScreenResolution(),
                                steps);
  });
  std::printf("paging loop: %d pages in %.3f s (%.3f s of processor time)\n", pages, paging.wall,
              paging.processor);

  const std::wstring pdf = (folder / L"long.pdf").wstring();
  const Timing pdfTime = Measure([&] { writer::ExportToPdf(context, pdf, L"long.pdf"); });
  std::printf("export to PDF: %.3f s (aim: under 1.2 s; %.3f s of processor time), %.1f MB file\n",
              pdfTime.wall, pdfTime.processor, std::filesystem::file_size(pdf) / (1024.0 * 1024.0));
  std::printf("  peak heap during the export: %.1f MB above the start\n",
              Megabytes(peakBytes - before));
  peakBytes = 0;

  const std::wstring ovx = (folder / L"long.ovx").wstring();
  const Timing gifTime = Measure([&] { writer::ExportPresentation(context, options, ovx); });
  std::printf(
      "presentation at Full Page: %.3f s (aim: under 3 s; %.3f s of processor time), %.1f MB "
      "file\n",
      gifTime.wall, gifTime.processor, std::filesystem::file_size(ovx) / (1024.0 * 1024.0));
  std::printf("  peak heap during the export: %.1f MB above the start\n",
              Megabytes(peakBytes - before));
  std::printf("files kept in %ls\n", folder.c_str());
  return 0;
}
