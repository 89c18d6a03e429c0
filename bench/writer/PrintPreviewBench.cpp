// Figures for Tessary's print preview under Wine: a generated document of about 100 pages laid
// out into the preview, a page repainted at 100 %, a zoom step, and Print All to the default
// printer until EndDoc returns. bench/engine/print-bench.sh runs it against the test printer
// and adds the job's size:
//   bench/engine/print-bench.sh build/mingw/bench/writer/writer_print_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
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

// The printer's side of a job without its driver: every page drawn into a metafile recorded
// for the printer, so the time is the engine's and the control's alone.
class MetafileSink : public TVpPrintSink {
 public:
  explicit MetafileSink(TVpPrinter& printer) : reference_(printer), info_(printer.Info()) {}
  ~MetafileSink() override { Close(); }
  void SetJobOrientation(TVpOrientation) override {}
  void SetPagesPerSheet(TVpPagesPerSheet) override {}
  void SetPaper(TVpPaperSize) override {}
  bool BeginJob() override {
    Open();
    return true;
  }
  bool Aborted() const override { return false; }
  TVpIntPoint Resolution() const override { return info_.Resolution(vpPortrait); }
  TVpDrawTarget& Canvas() override { return *canvas_; }
  void NextPage() override {
    Close();
    Open();
  }
  void EndJob() override { Close(); }
  void AbortJob() override { Close(); }

 private:
  void Open() {
    dc_ = CreateEnhMetaFileW(reference_.get(), nullptr, nullptr, nullptr);
    canvas_ = std::make_unique<TVpGdiTarget>(dc_, true);
  }
  void Close() {
    canvas_.reset();
    if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
    dc_ = nullptr;
  }
  TVpReferenceDc reference_;
  TVpPrinterInfo info_;
  HDC dc_ = nullptr;
  std::unique_ptr<TVpGdiTarget> canvas_;
};

}  // namespace

int main(int argc, char**) {
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

  {
    MetafileSink sink(preview.VpPrinter());
    preview.SetPrintSink(&sink);
    start = Clock::now();
    preview.PrintAll();
    std::printf(
        "Print All, our part (the pages drawn for the printer without its driver): "
        "%.1f ms a page\n",
        MsSince(start) / pages);
    preview.SetPrintSink(nullptr);
  }

  if (argc > 1) return 0;  // any argument: without the real job
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
