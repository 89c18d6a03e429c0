// Figures for Tessary's print preview under Wine: a generated document of about 100 pages laid
// out into the preview, a page repainted at 100 %, a zoom step, and Print All to the default
// printer until EndDoc returns. bench/engine/print-bench.sh runs it against the test printer
// and adds the job's size:
//   bench/engine/print-bench.sh build/mingw/bench/writer/writer_print_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/writer/GeneratedRtf.h"
#include "engine/VpRtfPreview.h"
#include "richedit/RichEditWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  GdiFlush();
}

}  // namespace

int main() {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 1000,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND editor = CreateWindowExW(0, richedit::registerRichEditClass(), L"", WS_CHILD | ES_MULTILINE,
                                0, 0, 10, 10, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  const std::string rtf = GeneratedRtf(560 * 1024);
  SetWindowTextW(editor, std::wstring(rtf.begin(), rtf.end()).c_str());

  TVpPreview preview(host, 0, 0, 1180, 960);
  for (TVpValue* side : {&preview.Margins().Left(), &preview.Margins().Top(),
                         &preview.Margins().Right(), &preview.Margins().Bottom()})
    side->SetAsMillimeters(20);
  preview.Header().CaptionCenter().SetCaption("Page: {PAGE} of {NUMPAGES}");
  TVpRtfPreview pagination;
  pagination.SetPreview(&preview);

  const auto layout = [&] {
    preview.ClearPreview();
    preview.FirstPage();
    pagination.LoadRichEdit(editor);
  };
  auto start = Clock::now();
  layout();
  const double firstLayout = MsSince(start);
  start = Clock::now();
  layout();
  std::printf("%d pages laid out: %.0f ms the first time, %.0f ms again\n", preview.PageCount(),
              firstLayout, MsSince(start));

  preview.SetZoom(100);
  HWND image = preview.PaperImage().Handle();
  const int pages = preview.PageCount();
  start = Clock::now();
  for (int n = 1; n <= pages; ++n) {
    preview.GoToPage(n);
    Repaint(image);
  }
  const double firstPaint = MsSince(start) / pages;
  start = Clock::now();
  constexpr int kRepaints = 50;
  for (int i = 0; i < kRepaints; ++i) Repaint(image);
  std::printf("a page at 100 %%: %.1f ms shown the first time, %.1f ms repainted\n", firstPaint,
              MsSince(start) / kRepaints);

  constexpr int kSteps = 20;
  start = Clock::now();
  for (int i = 0; i < kSteps; ++i) {
    if (i % 2)
      preview.ZoomOut();
    else
      preview.ZoomIn();
    Repaint(image);
  }
  std::printf("a zoom step (15 %%) with its repaint: %.1f ms\n", MsSince(start) / kSteps);

  preview.VpPrinter().Title = "PrintPreviewBench";
  start = Clock::now();
  preview.PrintAll();
  const double printMs = MsSince(start);
  std::printf("Print All: %.0f ms until EndDoc returned, %.1f ms a page\n", printMs,
              printMs / pages);
  const double epoch =
      std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
  std::printf("enddoc-at %.3f\n", epoch);
  DestroyWindow(host);
}
