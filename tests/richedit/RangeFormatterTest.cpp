#include <string>

#include <gtest/gtest.h>

#include "richedit/RangeFormatter.h"
#include "tests/richedit/FakeMeasurer.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

// Pages of five 200-twip lines, 2000 twips wide, one inch in from the page's corner.
constexpr TwipsRect Page{1440, 1440, 3440, 2440};

class RangeFormatterTest : public ::testing::Test {
 protected:
  void load(std::u16string_view text) {
    formatter.release();  // the layout belongs to the content being replaced
    doc = test::documentWithText(text);
    doc.setChangeListener([this](const ChangeNotice& n) { formatter.onChange(n); });
  }
  static std::u16string paragraphs(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
      text += u"paragraph " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
              u" with words enough to wrap";
      if (i + 1 < count) text += u'\r';
    }
    return text;
  }

  test::FakeMeasurer measurer;
  RichTextDocument doc;
  RangeFormatter formatter{doc, measurer};
};

TEST_F(RangeFormatterTest, ConsecutiveCallsCoverTheTextOnceAndTheLastPageEndsIt) {
  load(paragraphs(23));
  const CharPos end = doc.textLength();
  CharPos at = 0;
  int pages = 0;
  int lines = 0;
  while (at < end && pages < 100) {
    const FormattedRange r = formatter.format(Page, {at, -1});
    ASSERT_GT(r.next, at) << "every page moves on";
    EXPECT_LE(r.usedBottom, Page.bottom);
    EXPECT_EQ(r.firstLine, lines) << "no line lost or repeated";
    lines += r.lines;
    at = r.next;
    ++pages;
  }
  EXPECT_EQ(at, end);
  EXPECT_EQ(lines, formatter.layout()->lineCount());
  EXPECT_EQ(pages, (lines + 4) / 5);
  const FormattedRange past = formatter.format(Page, {end, -1});
  EXPECT_EQ(past.next, end);
  EXPECT_EQ(past.lines, 0);
}

TEST_F(RangeFormatterTest, MeasuringTwiceGivesTheSameBreakAndTheRangeEndLimitsIt) {
  load(paragraphs(6));
  const FormattedRange a = formatter.format(Page, {0, -1});
  const FormattedRange b = formatter.format(Page, {0, -1});
  EXPECT_EQ(a.next, b.next);
  EXPECT_EQ(a.usedBottom, Page.top + 1000);
  EXPECT_EQ(formatter.format(Page, {0, 12}).next, 12);
  EXPECT_EQ(formatter.format(Page, {-50, 100000}).next, a.next) << "ranges are clamped";
}

TEST_F(RangeFormatterTest, TheLayoutFollowsTheRectanglesWidthAndTheDocument) {
  load(paragraphs(6));
  const CharPos narrow = formatter.format(Page, {0, -1}).next;
  const CharPos wide = formatter.format({0, 0, 20000, 1000}, {0, -1}).next;
  EXPECT_GT(wide, narrow);
  doc.replaceText({0, 0}, u"inserted ");
  EXPECT_EQ(formatter.format({0, 0, 20000, 1000}, {0, -1}).next, wide + 9);
  formatter.release();
  EXPECT_EQ(formatter.layout(), nullptr);
  doc.replaceText({0, 0}, u"x");  // no layout to follow
  EXPECT_EQ(formatter.format({0, 0, 20000, 1000}, {0, -1}).next, wide + 10);
}

TEST_F(RangeFormatterTest, EmptyDocumentsAndDegenerateRectangles) {
  load(u"");
  const FormattedRange empty = formatter.format(Page, {0, -1});
  EXPECT_EQ(empty.next, 0);
  load(u"some text");
  EXPECT_EQ(formatter.format({0, 500, 1000, 400}, {0, -1}).next, 0) << "no height: nothing";
  const FormattedRange thin = formatter.format({1000, 0, 0, 200}, {0, -1});
  EXPECT_EQ(thin.next, 1) << "no width: a character a line";
}

}  // namespace
}  // namespace richedit
