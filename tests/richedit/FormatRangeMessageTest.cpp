#include <memory>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "richedit/DocumentLayout.h"
#include "richedit/FormatRangeMessage.h"
#include "richedit/GdiLineRenderer.h"
#include "richedit/GdiTextMeasurer.h"
#include "tests/richedit/GdiCanvas.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::Canvas;

constexpr const char* Justified =
    "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\qj Justified text runs from margin to margin on "
    "every line but the last one of its paragraph.\\par}";

FORMATRANGE pageRecord(HDC dc) {
  FORMATRANGE record{};
  record.hdc = record.hdcTarget = dc;
  record.rc = {720, 720, 3600, 14400};
  record.rcPage = {0, 0, 12240, 15840};
  record.chrg = {0, -1};
  return record;
}

TEST(FormatRangeMessageTest, MeasuresAndRendersTheSameBreak) {
  GdiTextMeasurer measurer;
  const RichTextDocument doc = test::documentFromRtf(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 First paragraph of the page.\\par "
      "Second paragraph, long enough to wrap onto a further line or two of the page.\\par "
      "Third.\\par}");
  FormatRangeHandler handler(doc, measurer);
  Canvas measured(400, 200);
  Canvas rendered(400, 200);
  // Half an inch in, two inches wide, an inch high: at 96 dpi from (48, 48) to (240, 144).
  FORMATRANGE record{};
  record.hdc = record.hdcTarget = measured.dc();
  record.rc = {720, 720, 3600, 2160};
  record.rcPage = {0, 0, 12240, 15840};
  record.chrg = {0, -1};
  const LRESULT measure = handler.formatRange(0, &record);
  EXPECT_GT(measure, 0);
  EXPECT_LT(measure, doc.textLength()) << "an inch does not hold it all";
  EXPECT_LE(record.rc.bottom, 2160);
  EXPECT_EQ(measured.inkColumns(0, 200).first, -1) << "measuring draws nothing";

  record.hdc = rendered.dc();
  record.rc = {720, 720, 3600, 2160};
  EXPECT_EQ(handler.formatRange(1, &record), measure);
  const auto [left, right] = rendered.inkColumns(0, 200);
  EXPECT_GE(left, 48);
  EXPECT_LE(left, 52);
  EXPECT_LE(right, 240);
  EXPECT_EQ(rendered.inkColumns(0, 47).first, -1) << "nothing above the rectangle";
  EXPECT_EQ(rendered.inkColumns(145, 200).first, -1) << "nothing below it";

  // The band measured last, displayed in a rectangle of the same device.
  record.hdc = measured.dc();
  record.rc = {720, 720, 3600, 2160};
  EXPECT_EQ(handler.formatRange(0, &record), measure);
  const RECT band{100, 10, 300, 110};
  EXPECT_EQ(handler.displayBand(&band), TRUE);
  EXPECT_GE(measured.inkColumns(0, 200).first, 100);
  EXPECT_EQ(measured.inkColumns(0, 200).first - 100, left - 48) << "the same lines, moved";

  record.chrg = {static_cast<LONG>(measure), -1};
  record.rc = {720, 720, 3600, 2160};
  EXPECT_EQ(handler.formatRange(0, &record), doc.textLength()) << "the last page";
  EXPECT_EQ(handler.formatRange(0, nullptr), 0);
  EXPECT_EQ(handler.formatter().layout(), nullptr);
  EXPECT_EQ(handler.displayBand(&band), FALSE) << "nothing formatted any more";
}

TEST(FormatRangeMessageTest, TypographyAndTargetDeviceMessages) {
  RichTextDocument doc = test::documentFromRtf(Justified);
  GdiTextMeasurer measurer;
  FormatRangeHandler handler(doc, measurer);
  Canvas canvas(10, 10);
  const auto firstLineSlack = [&] {
    FORMATRANGE record = pageRecord(canvas.dc());
    handler.handle(EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&record));
    return handler.formatter().layout()->line(0).box.slack;
  };
  EXPECT_EQ(firstLineSlack(), 0) << "flush left until advanced typography is on";
  EXPECT_EQ(handler.handle(EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY),
            TRUE);
  EXPECT_EQ(handler.handle(EM_GETTYPOGRAPHYOPTIONS, 0, 0), TO_ADVANCEDTYPOGRAPHY);
  EXPECT_GT(firstLineSlack(), 0);
  EXPECT_EQ(handler.handle(EM_SETTYPOGRAPHYOPTIONS, 0x100, 0x100), FALSE);

  EXPECT_EQ(handler.handle(EM_SETTARGETDEVICE, 0, 1), TRUE);
  EXPECT_FALSE(handler.settings().windowLayout(5000).wrap);
  EXPECT_EQ(handler.handle(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(canvas.dc()), 9000), TRUE);
  EXPECT_EQ(handler.settings().windowLayout(5000).width, 9000);
  EXPECT_EQ(handler.handle(EM_SETTARGETDEVICE, 0, 0), TRUE);
  EXPECT_EQ(handler.settings().windowLayout(5000), (LayoutOptions{5000, true, true}));

  EXPECT_EQ(handler.handle(EM_FORMATRANGE, 0, 0), 0) << "frees the layout";
  EXPECT_EQ(handler.formatter().layout(), nullptr);
  EXPECT_FALSE(handler.handle(WM_PAINT, 0, 0).has_value()) << "not a layout message";
}

// The preview records a page into a metafile made for the printer, with an anisotropic mapping
// that brings the printer's units to the screen's; the text must land where direct drawing at
// the screen's resolution puts it.
TEST(FormatRangeMessageTest, RendersThroughAScaledMetafileWhereItDrawsDirectly) {
  RichTextDocument doc = test::documentFromRtf(Justified);
  GdiTextMeasurer measurer;
  FormatRangeHandler handler(doc, measurer);
  constexpr int Target = 192;  // the preview's pixels per inch
  const RECT pageTwips{0, 0, 12240, 15840};

  Canvas direct(Target * 4, Target * 3);
  FORMATRANGE record = pageRecord(direct.dc());
  const LRESULT end = handler.formatRange(0, &record);
  {
    GdiLineRenderer renderer(direct.dc(),
                             {Target / 1440.0, Target / 1440.0, {Target / 2, Target / 2}});
    renderer.drawLines(*handler.formatter().layout(), doc, 0,
                       handler.formatter().layout()->lineCount(), 0);
  }

  // The screen stands in for the printer as the metafile's reference device.
  WindowDC screen(nullptr);
  const int reference = GetDeviceCaps(screen.get(), LOGPIXELSX);
  const RECT frame{0, 0, MulDiv(pageTwips.right, 2540, 1440), MulDiv(pageTwips.bottom, 2540, 1440)};
  HDC recorder = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
  ASSERT_NE(recorder, nullptr);
  SetMapMode(recorder, MM_ANISOTROPIC);
  SetWindowExtEx(recorder, pageTwips.right, pageTwips.bottom, nullptr);
  SetViewportExtEx(recorder, MulDiv(pageTwips.right, Target, reference),
                   MulDiv(pageTwips.bottom, Target, reference), nullptr);
  record = pageRecord(recorder);
  EXPECT_EQ(handler.formatRange(1, &record), end);
  const std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, decltype(&DeleteEnhMetaFile)> picture(
      CloseEnhMetaFile(recorder), &DeleteEnhMetaFile);
  ASSERT_NE(picture, nullptr);

  Canvas recorded(Target * 4, Target * 3);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(picture.get(), sizeof header, &header);
  // The frame in the reference device's pixels: played at that size, one unit is one pixel.
  const RECT at{
      0, 0, MulDiv(header.rclFrame.right, header.szlDevice.cx, header.szlMillimeters.cx * 100),
      MulDiv(header.rclFrame.bottom, header.szlDevice.cy, header.szlMillimeters.cy * 100)};
  PlayEnhMetaFile(recorded.dc(), picture.get(), &at);

  const auto [left, right] = direct.inkColumns(0, direct.height());
  ASSERT_GE(left, 0);
  const auto [recordedLeft, recordedRight] = recorded.inkColumns(0, recorded.height());
  EXPECT_NEAR(recordedLeft, left, 3);
  EXPECT_NEAR(recordedRight, right, 3);
}

// Each underline type drawn under capitals, which reach nothing below the baseline: what the
// rows under the text hold tells the types apart.
TEST(FormatRangeMessageTest, UnderlineTypesDrawTheirOwnLines) {
  struct Ink {
    int bands = 0;        // groups of inked rows
    int rows = 0;         // inked rows
    double coverage = 0;  // of the text's width, in the fullest row
    bool underSpace = false;
  };
  struct Case {
    const char* keyword;
    bool (*expect)(const Ink& ink, const Ink& single);
  } const cases[] = {
      {"ul",
       [](const Ink& i, const Ink&) { return i.bands == 1 && i.coverage > 0.97 && i.underSpace; }},
      {"ulw", [](const Ink& i, const Ink&) { return i.bands == 1 && !i.underSpace; }},
      {"uldb", [](const Ink& i, const Ink& s) { return i.bands == 2 && i.rows == 2 * s.rows; }},
      {"uld", [](const Ink& i,
                 const Ink&) { return i.bands == 1 && i.coverage > 0.3 && i.coverage < 0.7; }},
      {"uldash", [](const Ink& i, const Ink&) { return i.coverage > 0.55 && i.coverage < 0.8; }},
      {"ulth", [](const Ink& i, const Ink& s) { return i.bands == 1 && i.rows == 2 * s.rows; }},
      {"ulhair", [](const Ink& i, const Ink& s) { return i.rows == 1 && s.rows > 1; }},
      {"ulwave", [](const Ink& i, const Ink& s) { return i.bands == 1 && i.rows > 2 * s.rows; }},
      {"ulthldash",
       [](const Ink& i, const Ink& s) { return i.rows == 2 * s.rows && i.coverage < 0.85; }},
  };
  constexpr int Dpi = 300;
  GdiTextMeasurer measurer;
  const auto inkOf = [&](const char* keyword) {
    const std::string rtf =
        std::string("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs48\\") + keyword + " HELLO WORLD\\par}";
    RichTextDocument doc = test::documentFromRtf(rtf);
    DocumentLayout layout(doc, measurer, LayoutOptions{14400, true, false});
    Canvas canvas(Dpi * 4, Dpi);
    {
      GdiLineRenderer renderer(canvas.dc(), {Dpi / 1440.0, Dpi / 1440.0, {0, 0}});
      renderer.drawLines(layout, doc, 0, layout.lineCount(), 0);
    }
    const DocumentLine line = layout.line(0);
    const int baseline = static_cast<int>((line.top + line.box.baseline) * Dpi / 1440);
    const int left = layout.caretPoint(0).x * Dpi / 1440;
    const int right = layout.caretPoint(11).x * Dpi / 1440;
    const int spaceLeft = layout.caretPoint(5).x * Dpi / 1440;
    const int spaceRight = layout.caretPoint(6).x * Dpi / 1440;
    Ink ink;
    bool inBand = false;
    for (int y = baseline + 2; y < baseline + Dpi / 6; ++y) {
      int inked = 0;
      for (int x = left; x < right; ++x) {
        if (!canvas.ink(x, y)) continue;
        ++inked;
        if (x > spaceLeft + 2 && x < spaceRight - 2) ink.underSpace = true;
      }
      if (inked > 0) {
        ++ink.rows;
        if (!inBand) ++ink.bands;
      }
      inBand = inked > 0;
      ink.coverage = std::max(ink.coverage, static_cast<double>(inked) / (right - left));
    }
    return ink;
  };
  const Ink single = inkOf("ul");
  ASSERT_GT(single.rows, 1);
  for (const Case& c : cases) {
    const Ink ink = inkOf(c.keyword);
    EXPECT_TRUE(c.expect(ink, single))
        << c.keyword << ": bands " << ink.bands << ", rows " << ink.rows << ", coverage "
        << ink.coverage << ", under the space " << ink.underSpace;
  }
}

}  // namespace
}  // namespace richedit
