#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/DocumentLayout.h"
#include "richedit/GdiTextMeasurer.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

std::int32_t widthOf(GdiTextMeasurer& m, const CharFormat& f, std::u16string_view text) {
  std::vector<std::int32_t> advances(text.size());
  m.measure(f, text, advances);
  return std::accumulate(advances.begin(), advances.end(), 0);
}

// Widths are twips at 1440 per inch whatever the font resolves to, so the relations below
// hold for the real faces and for their substitutes under Wine.
TEST(GdiTextMeasurer, WidthsAreTwipsThatScaleWithTheSize) {
  GdiTextMeasurer m;
  CharFormat ten = defaultCharFormat();  // Arial 10 pt
  CharFormat twenty = ten;
  twenty.height = 400;
  const std::int32_t w10 = widthOf(m, ten, u"The quick brown fox");
  const std::int32_t w20 = widthOf(m, twenty, u"The quick brown fox");
  EXPECT_GT(w10, 1000);  // about 0.9 inch for 19 characters of 10-point sans text
  EXPECT_LT(w10, 2400);
  EXPECT_NEAR(w20, 2 * w10, w10 / 50);
  EXPECT_GT(widthOf(m, ten, u"WWWW"), widthOf(m, ten, u"iiii"));
  CharFormat bold = ten;
  bold.weight = BoldWeight;
  bold.effects |= cfe::Bold;
  EXPECT_GE(widthOf(m, bold, u"bold text"), widthOf(m, ten, u"bold text"));
  CharFormat super = ten;
  super.effects |= cfe::SuperScript;
  EXPECT_LT(widthOf(m, super, u"x2"), widthOf(m, ten, u"x2"));
}

// Capitals are measured as they show: all caps as capitals, small caps' lower-case letters as
// capitals of the smaller size.
TEST(GdiTextMeasurer, CapitalsMeasureAsTheyShow) {
  GdiTextMeasurer m;
  const CharFormat plain = defaultCharFormat();
  CharFormat allCaps = plain;
  allCaps.effects |= cfe::AllCaps;
  CharFormat smallCaps = plain;
  smallCaps.effects |= cfe::SmallCaps;
  const CharFormat small = smallCapsFormat(plain);
  EXPECT_EQ(widthOf(m, allCaps, u"quick"), widthOf(m, plain, u"QUICK"));
  EXPECT_EQ(widthOf(m, smallCaps, u"qUick!"), widthOf(m, small, u"Q") + widthOf(m, plain, u"U") +
                                                  widthOf(m, small, u"ICK") +
                                                  widthOf(m, plain, u"!"));
  EXPECT_LT(widthOf(m, smallCaps, u"quick"), widthOf(m, allCaps, u"quick"));
}

TEST(GdiTextMeasurer, MetricsFitTheSize) {
  GdiTextMeasurer m;
  const FontMetrics f = m.metrics(defaultCharFormat());
  EXPECT_GT(f.ascent, f.descent);
  EXPECT_GE(f.ascent + f.descent, 200);  // at least the em
  EXPECT_LE(f.ascent + f.descent, 300);
}

TEST(GdiTextMeasurer, SurrogatePairsMeasureOnTheirFirstUnit) {
  GdiTextMeasurer m;
  std::vector<std::int32_t> advances(3, -1);
  m.measure(defaultCharFormat(), u"a\U0001F600", advances);
  EXPECT_GT(advances[0], 0);
  EXPECT_GE(advances[1], 0);
  EXPECT_EQ(advances[2], 0);
}

TEST(GdiTextMeasurer, DrivesADocumentLayout) {
  GdiTextMeasurer m;
  RichTextDocument doc = test::documentFromRtf(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 "
      "A line of text long enough to wrap at two inches, and then some more words.\\par}");
  DocumentLayout layout(doc, m, {2880, true, true});
  EXPECT_GE(layout.lineCount(), 3);
  for (int i = 0; i < layout.lineCount(); ++i) {
    const DocumentLine l = layout.line(i);
    EXPECT_LE(l.box.left + l.box.width, 2880) << "line " << i;
  }
}

}  // namespace
}  // namespace richedit
