#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpCommaText.h"
#include "engine/VpExpandTokens.h"
#include "engine/VpHeaderFooter.h"
#include "engine/VpMargins.h"

namespace {

const TVpDateTime kClock{2024, 3, 7, 9, 5, 30};

// Keeps the engine-wide formats of each test from leaking into the next.
class VpTokens : public ::testing::Test {
 protected:
  void TearDown() override { FormatSettings() = saved_; }
  TVpFormatSettings saved_ = FormatSettings();
};

TEST_F(VpTokens, ExpandsInOrderWithoutRescanningInsertedText) {
  FormatSettings().DateSeparator = '.';
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Page: {PAGE} of {NUMPAGES}", "Page: 2 of 5"},
      {"{PAGE}{PAGE}", "22"},
      {"{page} {Page} {NUMPAGES", "{page} {Page} {NUMPAGES"},
      {"{DATE} {TIME}", "07.03.2024 09.05"},
      {"{{PAGE}}", "{2}"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandTokens(c.text, 2, 5, kClock), c.expected) << c.text;

  // A date that prints its own token is inserted once, not expanded again and again.
  FormatSettings().DateFormat = "'{DATE}'";
  EXPECT_EQ(ExpandTokens("{DATE}{DATE}", 1, 1, kClock), "{DATE}{DATE}");
}

TEST_F(VpTokens, FormatsDatesAndTimesInThePlatformSyntax) {
  const TVpFormatSettings settings{"", "", '-', '.'};
  struct Case {
    const char* format;
    const char* expected;
  } cases[] = {
      {"d/m/yy", "7-3-24"},     {"DD/MM/YYYY", "07-03-2024"},
      {"hh:mm:ss", "09.05.30"}, {"h/mm", "9-05"},
      {"mm yyy", "03 2024"},    {"h:nn 'at' \"d\"", "9.05 at d"},
      {"hh mm", "09 05"},       {"x", "x"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatDateTime(c.format, kClock, settings), c.expected) << c.format;
}

TEST(VpCommaText, QuotesWhatNeedsItAndReadsItBack) {
  const std::vector<std::string> items{"a", "b c", "d\"e", "f,g", ""};
  EXPECT_EQ(JoinCommaText(items), "a,\"b c\",\"d\"\"e\",\"f,g\",");
  EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  using Items = std::vector<std::string>;
  EXPECT_EQ(SplitCommaText("  \"a b\" , c"), (Items{"a b", "c"}));
  EXPECT_EQ(SplitCommaText("a b,,\"open"), (Items{"a", "b", "", "open"}));
  EXPECT_EQ(SplitCommaText(std::string("x\0y", 3)), (Items{"x", "y"}));
  EXPECT_TRUE(SplitCommaText("").empty());
}

// Records what a band or the margins draw.
class TraceTarget : public TVpDrawTarget {
 public:
  std::vector<std::string> ops;
  bool IsPrinter() const override { return false; }
  void SelectPen(const TVpPen& pen, int ppi) override {
    ops.push_back("pen " + std::to_string(pen.Color) + "@" + std::to_string(ppi));
  }
  void SelectBrush(const TVpBrush&) override {}
  void SelectFont(const TVpFont&, int) override {}
  void DrawPolygon(const std::vector<TVpIntPoint>&) override {}
  void StrokeAndFillPath(const TVpPath& path) override { ops.push_back(Corner("rect", path)); }
  void Line(TVpIntPoint a, TVpIntPoint b) override { ops.push_back("line " + At(a) + "-" + At(b)); }
  void ClipToPath(const TVpPath& path) override { ops.push_back(Corner("clip", path)); }
  void RemoveClip() override {}
  void PlaceText(TVpIntPoint at, std::string_view text, const std::optional<TVpIntRect>&) override {
    ops.push_back(std::string(text) + " " + At(at));
  }
  TVpSize MeasureText(std::string_view) override { return {1.0L, 0.1L}; }
  TVpIntRect TextBounds(TVpIntPoint, std::string_view) override { return {}; }
  void DrawPicture(const TVpPicture&, const TVpIntRect&, std::uint32_t, std::int32_t) override {}
  void BeginOutline() override {}
  TVpIntRect EndOutline() override { return {}; }

 private:
  static std::string At(TVpIntPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }
  static std::string Corner(const char* what, const TVpPath& path) {
    return std::string(what) + " " + At(path.at(0).points.at(0)) + " " +
           At(path.at(0).points.at(2));
  }
};

TEST(VpHeaderFooter, BandHeightTakesTheLargestFontByTheTieRule) {
  struct Case {
    int left, center, right, chosen;
  } cases[] = {{12, 12, 12, 0}, {12, 14, 14, 1}, {12, 14, 16, 2}, {16, 14, 12, 0}, {10, 10, 12, 2}};
  for (const Case& c : cases) {
    TVpHeader header;
    const int sizes[] = {c.left, c.center, c.right};
    for (int i = 0; i < 3; ++i) {
      TVpFont font = header.Caption(i).Font();
      font.Size = sizes[i];
      font.Name = "F" + std::to_string(i);
      header.Caption(i).SetFont(font);
    }
    int asked = 0;
    const TVpCellHeightFn cell = [&](const TVpFont& font, int ppi) {
      EXPECT_EQ(ppi, 600);
      asked = font.Name.back() - '0';
      return font.Size * 25;
    };
    EXPECT_EQ(header.BandHeight(cell), sizes[c.chosen] * 25 / 600.0L) << c.left << c.center;
    EXPECT_EQ(asked, c.chosen);
  }

  TVpFooter footer;
  EXPECT_EQ(footer.Caption(0).Font().Name, "Arial");
  EXPECT_EQ(footer.BandHeight({}), 0);  // automatic, and nothing to measure with
  footer.SetHeight(vpMillimeters, 10);
  EXPECT_EQ(footer.BandHeight([](const TVpFont&, int) { return 999; }), 10 / 25.4L);
  EXPECT_THROW(footer.Caption(3), std::out_of_range);
}

TEST(VpHeaderFooter, LayoutFollowsTheRoundingOfEachBand) {
  // Three pixels of left margin make the band width odd; ppiY differs so that a header's text
  // height visibly uses ppiX.
  TVpBandInput input{600, 300, {8.5L, 11}, {3 / 600.0L, 0.5L, 0.5L, 0.5L}, 0.25L, {}};
  input.CaptionSizes = {TVpSize{2, 0.1L}, TVpSize{1, 0.1L}, TVpSize{1, 0.2L}};
  TVpHeader header;
  TVpFooter footer;
  EXPECT_FALSE(header.Layout(input));  // invisible
  header.SetVisible(true);
  footer.SetVisible(true);
  const TVpBandLayout top = *header.Layout(input);
  EXPECT_EQ(top.Band, (TVpIntRect{3, 150, 4800, 225}));
  EXPECT_EQ(top.CaptionAt[0], (TVpIntPoint{3, 165}));
  EXPECT_EQ(top.CaptionAt[1], (TVpIntPoint{2101, 165}));  // (4800 + 3 - 600) / 2 = 2101.5
  EXPECT_EQ(top.CaptionAt[2], (TVpIntPoint{4200, 105}));
  EXPECT_EQ(top.LineFrom, (TVpIntPoint{3, 225}));
  EXPECT_EQ(top.LineTo, (TVpIntPoint{4800, 225}));
  const TVpBandLayout bottom = *footer.Layout(input);
  EXPECT_EQ(bottom.Band, (TVpIntRect{3, 3075, 4800, 3150}));
  EXPECT_EQ(bottom.CaptionAt[2], (TVpIntPoint{4200, 3075}));
  EXPECT_EQ(bottom.LineFrom, (TVpIntPoint{3, 3075}));
}

TEST(VpHeaderFooter, DrawsExpandedCaptionsAndLineOnlyWhenVisible) {
  TVpHeader header;
  header.CaptionLeft().SetCaption("L");
  header.CaptionCenter().SetCaption("{PAGE}/{NUMPAGES}");
  const TVpDrawContext context{3, 600, 600, 4};
  const TVpRect margins{0.5L, 0.5L, 0.5L, 0.5L};
  TraceTarget hidden;
  header.Draw(hidden, context, {8.5L, 11}, margins, 0.25L);
  EXPECT_TRUE(hidden.ops.empty());  // ShowLine is on, but the band is not visible

  header.SetVisible(true);
  TraceTarget shown;
  header.Draw(shown, context, {8.5L, 11}, TVpMargins().AsRect(), 0.25L);
  const std::vector<std::string> expected{"L 300,390", "3/4 2250,390", "pen 0@288",
                                          "line 300,450-4800,450"};
  EXPECT_EQ(shown.ops, expected);  // the empty right caption places nothing
}

TEST(VpHeaderFooter, NotifiesOnlyWhereAChangeIsVisible) {
  TVpHeader header;
  int calls = 0;
  header.OnChange = [&](TVpHeaderFooter&) { ++calls; };
  TVpFont bigger = header.CaptionLeft().Font();
  bigger.Size = 20;
  TVpPen red{1, 0x0000FF, vpPenSolid, vpPenModeCopy};
  struct Step {
    const char* what;
    std::function<void()> act;
    int notifications;
  } steps[] = {
      {"caption", [&] { header.CaptionRight().SetCaption("x"); }, 1},
      {"same caption", [&] { header.CaptionRight().SetCaption("x"); }, 0},
      {"font", [&] { header.CaptionLeft().SetFont(bigger); }, 1},
      {"same visible", [&] { header.SetVisible(false); }, 0},
      {"visible", [&] { header.SetVisible(true); }, 1},
      {"same line", [&] { header.SetShowLine(true); }, 0},
      {"pen", [&] { header.SetPen(red); }, 0},
      {"height", [&] { header.SetHeight(vpMillimeters, 10); }, 1},
      {"same height", [&] { header.SetHeight(vpMillimeters, 10); }, 0},
  };
  for (const Step& step : steps) {
    calls = 0;
    step.act();
    EXPECT_EQ(calls, step.notifications) << step.what;
  }
  EXPECT_EQ(header.Pen(), red);

  // Assigning copies the captions only and notifies once.
  TVpHeader target;
  target.OnChange = [&](TVpHeaderFooter&) { ++calls; };
  calls = 0;
  target.Assign(header);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(target.CaptionRight().Caption(), "x");
  EXPECT_EQ(target.CaptionLeft().Font().Size, 20);
  EXPECT_FALSE(target.Visible());
  EXPECT_EQ(target.Pen(), (TVpPen{1, 0, vpPenSolid, vpPenModeCopy}));
  EXPECT_EQ(target.Height().AsInches(), 0);
}

constexpr const char* kDefaultMargins = "720,720,720,720,\"12632256,1,2,4\",\"12632256,1,2,4\"";

TEST(VpMargins, StoredFormReadsFourOrSixItems) {
  TVpMargins margins;
  int calls = 0;
  margins.OnChange = [&](TVpMargins&) { ++calls; };
  EXPECT_EQ(margins.MarginValues(), kDefaultMargins);

  margins.SetMarginValues("1440, 720,720,360");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(margins.AsRect(), (TVpRect{1, 0.5L, 0.5L, 0.25L}));
  EXPECT_EQ(margins.Pen(), margins.PrinterMarginPen());
  EXPECT_EQ(margins.Pen(), (TVpPen{1, kVpSilver, vpPenDot, vpPenModeCopy}));

  margins.SetMarginValues("1440,720,720,360,\"255,3,0,4\",\"-16777201,1,5,9\"");
  EXPECT_EQ(margins.Pen(), (TVpPen{3, 255, vpPenSolid, vpPenModeCopy}));
  EXPECT_EQ(margins.PrinterMarginPen(), (TVpPen{1, 0xFF00000F, vpPenClear, 9}));
  EXPECT_EQ(margins.MarginValues(), "1440,720,720,360,\"255,3,0,4\",\"-16777201,1,5,9\"");

  const std::string before = margins.MarginValues();
  calls = 0;
  for (const char* bad :
       {"", "720,720,720", "720,720,720,720,\"1,1,1,1\"",
        "720,720,720,720,\"1,1,1,1\",\"1,1,1,1\",7", "720,abc,720,720", "720,7.5,720,720",
        "720,720,720,99999999999", "720,720,720,720,\"1,1,1\",\"1,1,1,1\"",
        "720,720,720,720,\"1,1,1,1\",\"1,x,1,1\"", "720,720,720,720,\"1,1,7,1\",\"1,1,1,1\"",
        "720,720,720,720,\"1,-1,1,1\",\"1,1,1,1\""}) {
    try {
      margins.SetMarginValues(bad);
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const std::invalid_argument& error) {
      EXPECT_EQ(std::string(error.what()).back(), '.') << error.what();
    }
  }
  EXPECT_EQ(margins.MarginValues(), before);
  EXPECT_EQ(calls, 0);
}

TEST(VpMargins, NotifiesOnChangesAndAssignsAllButClipping) {
  TVpMargins margins;
  int calls = 0;
  margins.OnChange = [&](TVpMargins&) { ++calls; };
  struct Step {
    const char* what;
    std::function<void()> act;
    int notifications;
  } steps[] = {
      {"same margin", [&] { margins.Left().SetAsInches(0.5L); }, 0},
      {"same view value", [&] { margins.Values().SetTop(0.5f); }, 0},
      {"margin", [&] { margins.Right().SetAsInches(1); }, 1},
      {"same clip", [&] { margins.SetClipMargins(false); }, 0},
      {"clip", [&] { margins.SetClipMargins(true); }, 1},
      {"pen", [&] { margins.SetPen(margins.Pen()); }, 1},
      {"printer pen",
       [&] {
         margins.SetPrinterMarginPen({2, 0, vpPenSolid, 4});
       },
       1},
      {"visible", [&] { margins.SetVisible(true); }, 1},
      {"printer margins", [&] { margins.SetShowPrinterMargins(true); }, 1},
      {"same text", [&] { margins.SetMarginValues("720,720,1440,720"); }, 0},
  };
  for (const Step& step : steps) {
    calls = 0;
    step.act();
    EXPECT_EQ(calls, step.notifications) << step.what;
  }

  TVpMargins copy;
  copy.OnChange = [&](TVpMargins&) { ++calls; };
  calls = 0;
  copy.Assign(margins);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(copy.MarginValues(), margins.MarginValues());
  EXPECT_TRUE(copy.Visible());
  EXPECT_TRUE(copy.ShowPrinterMargins());
  EXPECT_FALSE(copy.ClipMargins());
}

TEST(VpMargins, RectanglesClipAndOutlines) {
  TVpMargins margins;
  const TVpSize page{8.5L, 11};
  EXPECT_EQ(margins.MarginRect(page, 600), (TVpIntRect{300, 300, 4800, 6300}));
  const TVpIntRect printable = PrintableAreaRect(page, {0.25L, 0.25L, 0.25L, 0.5L}, 600);
  EXPECT_EQ(printable, (TVpIntRect{150, 150, 4950, 6300}));

  TraceTarget nothing;
  margins.ClipContent(nothing, page, 600, 600);
  margins.DrawOutlines(nothing, page, 600, printable);
  EXPECT_TRUE(nothing.ops.empty());

  margins.SetClipMargins(true);
  margins.SetVisible(true);
  margins.SetShowPrinterMargins(true);
  TraceTarget all;
  margins.ClipContent(all, page, 600, 600);
  margins.DrawOutlines(all, page, 600, printable);
  margins.DrawOutlines(all, page, 600, std::nullopt);  // no printer: the margins only
  const std::vector<std::string> expected{
      "clip 300,300 4800,6300", "pen 12632256@288", "rect 300,300 4800,6300", "pen 12632256@288",
      "rect 150,150 4950,6300", "pen 12632256@288", "rect 300,300 4800,6300"};
  EXPECT_EQ(all.ops, expected);
}

}  // namespace
