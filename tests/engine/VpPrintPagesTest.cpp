#include <gtest/gtest.h>

#include "engine/VpPrintPages.h"
#include "engine/VpPrinterInfo.h"
#include "tests/engine/RecordingTarget.h"

namespace {

// A printer that writes down the job's steps.
class TRecordingPrinter : public TVpPrintSink {
 public:
  std::vector<std::string> steps;
  TRecordingTarget canvas{true};
  bool startJob = true;
  int abortAfterPages = -1;
  int pages = 0;

  void SetJobOrientation(TVpOrientation o) override {
    steps.push_back("orient " + std::to_string(o));
  }
  void SetPagesPerSheet(TVpPagesPerSheet p) override {
    steps.push_back("per " + std::to_string(p));
  }
  void SetPaper(TVpPaperSize) override { steps.push_back("paper"); }
  bool BeginJob() override {
    steps.push_back("begin");
    return startJob;
  }
  bool Aborted() const override { return pages == abortAfterPages; }
  TVpIntPoint Resolution() const override { return {300, 300}; }
  TVpDrawTarget& Canvas() override {
    ++pages;
    return canvas;
  }
  void NextPage() override { steps.push_back("next"); }
  void EndJob() override { steps.push_back("end"); }
  void AbortJob() override { steps.push_back("abort"); }
};

}  // namespace

TEST(PrinterInfo, OffsetsTurnWithTheSheet) {
  const TVpPrinterInfo info;  // the A4 sheet at 300 per inch
  EXPECT_EQ(info.OffsetRight(), 58) << "what the printable area leaves, not the left offset";
  EXPECT_EQ(info.Offsets(vpPortrait), (TVpIntRect{65, 50, 58, 50}));
  EXPECT_EQ(info.Offsets(vpLandscape), (TVpIntRect{50, 58, 50, 65}));
  EXPECT_EQ(info.PaperSize(vpLandscape).Width, 3507 / 300.0L);
  EXPECT_EQ(DuplexToDevice(vpVertDuplex), 2);
  EXPECT_EQ(DuplexFromDevice(7), vpSimplex);
  EXPECT_EQ(DitherTypeFromDevice(10), vpGrayScale);
  EXPECT_EQ(PrintQualityFromDevice(300), vpMedium);
}

TEST(PrinterInfo, PagesLandInTheirPlacesOnTheSheet) {
  TVpPrinterInfo info;
  info.OffsetLeft = info.OffsetTop = 0;
  info.PrintableWidth = info.PhysicalWidth;
  info.PrintableHeight = info.PhysicalHeight;
  const int w = 2481, h = 3507;
  struct Case {
    TVpPagesPerSheet per;
    TVpOrientation orientation;
    int k;
    TVpIntRect target;
    int scale;
  };
  const Case cases[] = {
      {vpOnePage, vpPortrait, 3, {0, 0, w, h}, 100},
      {vpFourPage, vpPortrait, 1, {0, 0, w / 2, h / 2}, 49},
      {vpFourPage, vpPortrait, 2, {w / 2, 0, w, h / 2}, 49},
      {vpFourPage, vpPortrait, 3, {0, h / 2, w / 2, h}, 49},
      {vpFourPage, vpPortrait, 4, {w / 2, h / 2, w, h}, 49},
      {vpFourPage, vpPortrait, 5, {0, 0, w / 2, h / 2}, 49},
      {vpTwoPage, vpLandscape, 1, {0, 0, h / 2, w}, 70},
      {vpTwoPage, vpLandscape, 2, {h / 2, 0, h, w}, 70},
      {vpTwoPage, vpPortrait, 2, {0, h / 2, w, h}, 70},
  };
  for (const Case& c : cases) {
    const TVpSheetMapping m = SheetMapping(info, c.orientation, c.per, c.k);
    EXPECT_EQ(m.Target, c.target) << c.per << " per sheet, page " << c.k;
    EXPECT_EQ(m.Scale, c.scale) << c.per << " per sheet, page " << c.k;
    EXPECT_EQ(m.ViewportOrigin, (TVpIntPoint{c.target.Left, c.target.Top}));
  }
  EXPECT_EQ(SheetMapping(TVpPrinterInfo{}, vpPortrait, vpOnePage, 1).ViewportOrigin,
            (TVpIntPoint{-65, -50}))
      << "the unprintable margin is taken off";
  const bool ends[] = {SheetEndsAfter(vpFourPage, 3), SheetEndsAfter(vpFourPage, 4),
                       SheetEndsAfter(vpTwoPage, 1), SheetEndsAfter(vpOnePage, 1)};
  EXPECT_EQ(std::vector<bool>(std::begin(ends), std::end(ends)),
            (std::vector<bool>{false, true, false, true}));
}

TEST(PrintPages, OneJobWithEachPageClippedAndDrawn) {
  TVpPageList list;
  list.AddPage();
  list.Canvas().TextOut(1, 1, "one", vpInches);
  list.AddPage();
  list.Canvas().TextOut(1, 1, "two", vpInches);
  list.Margins().SetClipMargins(true);
  std::vector<std::string> progress;
  list.OnPrintProgress = [&](TVpPageList&, int i, int n) {
    progress.push_back(std::to_string(i) + "/" + std::to_string(n));
  };
  TRecordingPrinter printer;
  PrintPages(list, printer, {2, 1});
  EXPECT_EQ(printer.steps,
            (std::vector<std::string>{"orient 0", "per 0", "paper", "begin", "next", "end"}));
  EXPECT_EQ(progress, (std::vector<std::string>{"1/2", "2/2"}));
  EXPECT_EQ(printer.canvas.calls.front(),
            "clip P 150,150 2330,150 2330,3358 150,3358 150,150 "
            "2330,150;")
      << "clipped to the margins at the printer's resolution";
  EXPECT_EQ(printer.canvas.calls[4], "text 300,300 'two'");

  TRecordingPrinter cancelled;
  cancelled.abortAfterPages = 1;
  PrintPages(list, cancelled, {1, 2});
  EXPECT_EQ(cancelled.steps.back(), "abort") << "a cancelled job is withdrawn";
  EXPECT_EQ(cancelled.pages, 1);

  TRecordingPrinter none;
  none.startJob = false;
  PrintPages(list, none, {1});
  EXPECT_EQ(none.steps.back(), "begin");
  EXPECT_THROW(PrintPages(list, none, {3}), std::out_of_range);
}

TEST(PrintPages, APageThatFailsToDrawAbortsTheJob) {
  class TFailingTarget : public TRecordingTarget {
   public:
    TFailingTarget() : TRecordingTarget(true) {}
    void PlaceText(TVpIntPoint, std::string_view, const std::optional<TVpIntRect>&) override {
      throw std::runtime_error("The font cannot be made.");
    }
  };
  class TFailingPrinter : public TRecordingPrinter {
   public:
    TFailingTarget failing;
    TVpDrawTarget& Canvas() override { return failing; }
  };
  TVpPageList list;
  list.AddPage();
  list.Canvas().TextOut(1, 1, "x", vpInches);
  TFailingPrinter printer;
  EXPECT_THROW(PrintPages(list, printer, {1}), std::runtime_error);
  EXPECT_EQ(printer.steps.back(), "abort");
}
