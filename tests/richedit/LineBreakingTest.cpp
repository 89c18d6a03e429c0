#include <string_view>

#include <gtest/gtest.h>

#include "richedit/LineBreaking.h"
#include "richedit/ListNumbering.h"
#include "richedit/PictureExtent.h"

namespace richedit {
namespace {

TEST(LineBreaking, OpportunitiesFollowBlanksHyphensPicturesAndIdeographs) {
  struct Case {
    std::u16string_view text;
    std::size_t pos;
    bool expected;
  };
  const Case cases[] = {
      {u"ab cd", 3, true},        {u"ab cd", 2, false},  // never before the blank itself
      {u"ab  cd", 3, false},      {u"ab\tcd", 3, true},
      {u"ab\u00A0cd", 3, false},  // a no-break space joins
      {u"well-known", 5, true},   {u"-5", 1, false},
      {u"a -b", 3, false},        {u"x\uFFFCy", 1, true},
      {u"x\uFFFCy", 2, true},     {u"\u4E00\u4E8C", 1, true},
      {u"ab", 0, false},          {u"ab", 2, false},
      {u"a\U0001F600", 2, false},  // inside a surrogate pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(canBreakBefore(c.text, c.pos), c.expected)
        << "position " << c.pos << " of case with length " << c.text.size();
  }
}

TEST(ListNumbering, NumbersAreWrittenInEachStyle) {
  struct Case {
    std::uint16_t numbering;
    std::uint32_t number;
    std::u16string_view expected;
  };
  const Case cases[] = {
      {pfn::Arabic, 1, u"1"},           {pfn::Arabic, 120, u"120"},    {pfn::LcLetter, 1, u"a"},
      {pfn::LcLetter, 26, u"z"},        {pfn::LcLetter, 27, u"aa"},    {pfn::LcLetter, 28, u"ab"},
      {pfn::UcLetter, 3, u"C"},         {pfn::LcRoman, 1, u"i"},       {pfn::LcRoman, 2, u"ii"},
      {pfn::LcRoman, 3, u"iii"},        {pfn::LcRoman, 4, u"iv"},      {pfn::LcRoman, 9, u"ix"},
      {pfn::UcRoman, 1994, u"MCMXCIV"}, {pfn::UcRoman, 4000, u"4000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatListNumber(c.numbering, c.number), c.expected) << c.number;
  }
}

TEST(ListNumbering, LabelsTakeTheirStylesPunctuation) {
  ParaFormat f;
  f.numbering = pfn::Arabic;
  struct Case {
    std::uint16_t style;
    std::u16string_view expected;
  };
  const Case cases[] = {{pfns::Paren, u"7)"},  {pfns::Parens, u"(7)"},
                        {pfns::Period, u"7."}, {pfns::Plain, u"7"},
                        {pfns::NoNumber, u""}, {pfns::Period | pfns::NewNumber, u"7."}};
  for (const Case& c : cases) {
    f.numberingStyle = c.style;
    EXPECT_EQ(numberingLabel(f, 7), c.expected) << c.style;
  }
  f.numbering = pfn::Bullet;
  EXPECT_EQ(numberingLabel(f, 0), std::u16string(1, BulletChar));
  f.numbering = pfn::None;
  EXPECT_EQ(numberingLabel(f, 3), u"");
}

TEST(ListNumbering, ConsecutiveParagraphsOfOneKindCountOnAndOthersRestart) {
  ParaFormat roman;
  roman.numbering = pfn::LcRoman;
  roman.numberingStart = 0;  // counts from 1
  ParaFormat plain;
  ParaFormat fromFive = roman;
  fromFive.numberingStart = 5;
  fromFive.numberingStyle = pfns::NewNumber;
  ParaFormat letters;
  letters.numbering = pfn::LcLetter;
  letters.numberingStart = 1;
  ParaFormat silent = roman;
  silent.numberingStyle = pfns::NoNumber;

  ListCounter counter;
  EXPECT_EQ(counter.next(roman), 1u);
  EXPECT_EQ(counter.next(roman), 2u);
  EXPECT_EQ(counter.next(silent), 2u) << "an unnumbered member takes no number";
  EXPECT_EQ(counter.next(roman), 3u);
  EXPECT_EQ(counter.next(fromFive), 5u) << "a new number restarts at its start";
  EXPECT_EQ(counter.next(roman), 6u);
  EXPECT_EQ(counter.next(letters), 1u) << "another kind starts its own list";
  EXPECT_EQ(counter.next(plain), 0u);
  EXPECT_EQ(counter.next(letters), 1u) << "a plain paragraph ends the list";

  // A nested list, numbered or bulleted, does not end the list it is nested in.
  ParaFormat nested = letters;
  nested.startIndent = 720;
  ParaFormat nestedBullet = nested;
  nestedBullet.numbering = pfn::Bullet;
  counter.reset();
  const std::pair<const ParaFormat*, std::uint32_t> steps[] = {
      {&roman, 1},  {&nested, 1}, {&nested, 2},       {&roman, 2},
      {&nested, 1}, {&roman, 3},  {&nestedBullet, 0}, {&roman, 4}};
  for (const auto& [format, number] : steps) EXPECT_EQ(counter.next(*format), number);
}

TEST(PictureExtent, GoalSizesScaleAndNaturalSizesConvert) {
  Picture p;
  p.kind = PictureKind::Png;
  p.goalWidth = 1440;
  p.goalHeight = 720;
  p.scaleX = 50;
  EXPECT_EQ(pictureExtent(p), (Extent{720, 720}));
  p.goalWidth = p.goalHeight = 0;
  p.scaleX = 100;
  p.width = 96;  // pixels at 96 per inch
  p.height = 48;
  EXPECT_EQ(pictureExtent(p), (Extent{1440, 720}));
  p.kind = PictureKind::Emf;
  p.width = 2540;  // 0.01 mm
  p.height = 0;
  EXPECT_EQ(pictureExtent(p), (Extent{1440, 1})) << "never an empty side";
  p.goalWidth = INT32_MAX;
  p.scaleX = INT32_MAX;
  EXPECT_LE(pictureExtent(p).width, 1440 * 22 * 100);
}

}  // namespace
}  // namespace richedit
