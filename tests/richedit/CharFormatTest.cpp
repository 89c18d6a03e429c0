#include <gtest/gtest.h>

#include "richedit/CharFormat.h"
#include "richedit/ParaFormat.h"

namespace richedit {
namespace {

TEST(CharFormatMask, BoldToggleWritesBackTheOtherThreeEffectsUnchanged) {
  CharFormat text = defaultCharFormat();
  text.effects |= cfe::Italic | cfe::StrikeOut;
  text.underlineType = cfu::Double;
  normalize(text);
  // The toolbar reads the four effects and writes them all back with bold flipped.
  CharFormat write;
  write.effects = (text.effects & (cfe::Italic | cfe::Underline | cfe::StrikeOut)) | cfe::Bold;
  applyCharFormat(text, write, cfm::Bold | cfm::Italic | cfm::Underline | cfm::StrikeOut);
  EXPECT_TRUE(text.has(cfe::Bold));
  EXPECT_TRUE(text.has(cfe::Italic));
  EXPECT_TRUE(text.has(cfe::StrikeOut));
  EXPECT_EQ(text.underlineType, cfu::Double) << "a kept underline keeps its type";
  EXPECT_EQ(text.weight, BoldWeight);

  write.effects &= ~cfe::Bold;
  applyCharFormat(text, write, cfm::Bold | cfm::Italic | cfm::Underline | cfm::StrikeOut);
  EXPECT_FALSE(text.has(cfe::Bold));
  EXPECT_EQ(text.weight, NormalWeight);
  EXPECT_TRUE(text.has(cfe::Italic) && text.has(cfe::StrikeOut) && text.has(cfe::Underline));
}

TEST(CharFormatMask, OnlyMaskedFieldsChange) {
  CharFormat text = defaultCharFormat();
  CharFormat other = defaultCharFormat();
  other.height = 480;
  other.setFaceName(u"Courier New");
  other.effects |= cfe::Italic;
  applyCharFormat(text, other, cfm::Size);
  EXPECT_EQ(text.height, 480);
  EXPECT_EQ(text.faceName(), u"Arial");
  EXPECT_FALSE(text.has(cfe::Italic));
}

TEST(CharFormatMask, SuperscriptAndSubscriptExcludeEachOther) {
  CharFormat f = defaultCharFormat();
  CharFormat s;
  s.effects = cfe::SuperScript;
  applyCharFormat(f, s, cfm::SuperScript);
  EXPECT_TRUE(f.has(cfe::SuperScript));
  s.effects = cfe::SubScript;
  applyCharFormat(f, s, cfm::SubScript);
  EXPECT_TRUE(f.has(cfe::SubScript));
  EXPECT_FALSE(f.has(cfe::SuperScript));
  s.effects = 0;  // "neither": the mask covers both bits
  applyCharFormat(f, s, cfm::SuperScript | cfm::SubScript);
  EXPECT_FALSE(f.has(cfe::SubScript) || f.has(cfe::SuperScript));
}

TEST(CharFormatMask, ColourMaskCarriesTheAutomaticFlag) {
  CharFormat f = defaultCharFormat();
  CharFormat red;
  red.effects = 0;
  red.textColor = rgb(255, 0, 0);
  applyCharFormat(f, red, cfm::Color);
  EXPECT_FALSE(f.has(cfe::AutoColor));
  EXPECT_EQ(f.textColor, rgb(255, 0, 0));
  CharFormat automatic;
  automatic.effects = cfe::AutoColor;
  automatic.textColor = rgb(1, 2, 3);
  applyCharFormat(f, automatic, cfm::Color);
  EXPECT_TRUE(f.has(cfe::AutoColor));
  EXPECT_EQ(f.textColor, 0u) << "an automatic colour has no value of its own";

  CharFormat back;
  back.effects = 0;
  back.backColor = rgb(255, 255, 0);
  applyCharFormat(f, back, cfm::BackColor);
  EXPECT_FALSE(f.has(cfe::AutoBackColor));
  EXPECT_EQ(f.backColor, rgb(255, 255, 0));
  EXPECT_TRUE(f.has(cfe::AutoColor)) << "the text colour is a different field";
}

TEST(CharFormatMask, WeightAndBoldFollowEachOther) {
  CharFormat f = defaultCharFormat();
  CharFormat w;
  w.weight = 700;
  applyCharFormat(f, w, cfm::Weight);
  EXPECT_TRUE(f.has(cfe::Bold));
  w.weight = 300;
  applyCharFormat(f, w, cfm::Weight);
  EXPECT_FALSE(f.has(cfe::Bold));
  EXPECT_EQ(f.weight, 300);
}

TEST(CharFormatMask, UnderlineTypeAndEffect) {
  CharFormat f = defaultCharFormat();
  CharFormat u;
  u.effects = cfe::Underline;
  applyCharFormat(f, u, cfm::Underline);
  EXPECT_EQ(f.underlineType, cfu::Single);
  u.underlineType = cfu::Wave;
  applyCharFormat(f, u, cfm::UnderlineType);
  EXPECT_EQ(f.underlineType, cfu::Wave);
  EXPECT_TRUE(f.has(cfe::Underline));
  u.effects = 0;
  applyCharFormat(f, u, cfm::Underline);
  EXPECT_EQ(f.underlineType, cfu::None);
  EXPECT_FALSE(f.has(cfe::Underline));
}

TEST(CharFormatMask, UniformMaskNamesTheFieldsThatAgree) {
  CharFormat a = defaultCharFormat();
  CharFormat b = a;
  b.effects &= ~cfe::AutoColor;
  b.textColor = rgb(0, 0, 255);
  b.effects |= cfe::Bold;
  normalize(b);
  const std::uint32_t m = uniformCharMask(a, b);
  EXPECT_FALSE(m & cfm::Color);
  EXPECT_FALSE(m & cfm::Bold);
  EXPECT_FALSE(m & cfm::Weight);
  EXPECT_TRUE(m & cfm::Italic);
  EXPECT_TRUE(m & cfm::Face);
  EXPECT_TRUE(m & cfm::Size);
  EXPECT_EQ(uniformCharMask(a, a), cfm::Supported);
}

TEST(CharFormatFace, LongNamesAreCutToThirtyOneCharacters) {
  CharFormat f;
  f.setFaceName(u"An Extraordinarily Long Font Family Name");
  EXPECT_EQ(f.faceName().size(), 31u);
  EXPECT_EQ(f.face[31], 0);
}

TEST(CharFormatMask, SizeOfZeroIsRefusedAndHugeSizesAreCapped) {
  CharFormat f = defaultCharFormat();
  CharFormat s;
  s.height = 0;
  applyCharFormat(f, s, cfm::Size);
  EXPECT_EQ(f.height, 200);
  s.height = 1000000;
  applyCharFormat(f, s, cfm::Size);
  EXPECT_EQ(f.height, MaxCharHeight);
}

TEST(ParaFormatMask, OffsetIndentIsRelativeAndStartIndentWins) {
  ParaFormat p;
  p.startIndent = 400;
  ParaFormat d;
  d.startIndent = 200;
  applyParaFormat(p, d, pfm::OffsetIndent);
  EXPECT_EQ(p.startIndent, 600);
  applyParaFormat(p, d, pfm::OffsetIndent | pfm::StartIndent);
  EXPECT_EQ(p.startIndent, 200);
}

TEST(ParaFormatMask, ValuesOutOfRangeLeaveTheFieldAlone) {
  ParaFormat p;
  ParaFormat bad;
  bad.alignment = 9;
  bad.tabCount = 33;
  bad.numbering = 42;
  applyParaFormat(p, bad, pfm::Alignment | pfm::TabStops | pfm::Numbering);
  EXPECT_EQ(p.alignment, pfa::Left);
  EXPECT_EQ(p.tabCount, 0);
  EXPECT_EQ(p.numbering, pfn::None);
}

TEST(ParaFormatMask, NumberingStyleAloneChangesNothingElse) {
  ParaFormat p;
  p.offset = 120;
  ParaFormat only{};  // all zero but the style, as the numbering button sends it
  only.alignment = 0;
  only.numberingStyle = pfns::Period;
  applyParaFormat(p, only, pfm::NumberingStyle);
  EXPECT_EQ(p.numberingStyle, pfns::Period);
  EXPECT_EQ(p.offset, 120);
  EXPECT_EQ(p.alignment, pfa::Left);
  EXPECT_EQ(p.numbering, pfn::None);
}

TEST(ParaFormatMask, UniformMaskComparesTabStopsAsAWhole) {
  ParaFormat a;
  a.tabCount = 1;
  a.tabs[0] = makeTabStop(720);
  ParaFormat b = a;
  b.tabs[0] = makeTabStop(720, tab::Right);
  EXPECT_FALSE(uniformParaMask(a, b) & pfm::TabStops);
  EXPECT_TRUE(uniformParaMask(a, b) & pfm::Alignment);
  EXPECT_EQ(tabAlignment(b.tabs[0]), tab::Right);
  EXPECT_EQ(tabPosition(b.tabs[0]), 720);
}

}  // namespace
}  // namespace richedit
