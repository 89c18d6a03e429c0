#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/LineBreaking.h"
#include "richedit/ParagraphLayout.h"
#include "tests/richedit/FakeMeasurer.h"

namespace richedit {
namespace {

// With the fake measurer and 10-point text: letters 100 twips, spaces 50, lines 200 high
// (ascent 160, descent 40).
struct Para {
  explicit Para(std::u16string_view t) : text(t) {}

  std::u16string text;
  CharFormat chars = defaultCharFormat();
  ParaFormat format;
  std::u16string label;
  std::vector<ObjectBox> objects;

  ParagraphSource source() const {
    ParagraphSource s;
    s.text = text;
    s.spans = {{static_cast<std::int32_t>(text.size()), &chars}};
    s.format = format;
    s.label = label;
    s.objects = objects;
    return s;
  }
};

class ParagraphLayoutTest : public ::testing::Test {
 protected:
  ParagraphBox layout(const Para& p, std::int32_t width, bool wrap = true) {
    return layouter.layout(p.source(), {width, wrap, true});
  }
  std::vector<std::int32_t> starts(const ParagraphBox& box) {
    std::vector<std::int32_t> out;
    for (const LineBox& l : box.lines) out.push_back(l.start);
    return out;
  }
  std::vector<std::int32_t> carets(const Para& p, const LineBox& line) {
    return layouter.caretPositions(p.source(), line);
  }

  test::FakeMeasurer measurer;
  ParagraphLayouter layouter{measurer};
};

using Starts = std::vector<std::int32_t>;

TEST_F(ParagraphLayoutTest, LinesBreakAtWordsToTheWidth) {
  struct Case {
    std::int32_t width;
    bool wrap;
    Starts expected;
  };
  const Case cases[] = {
      {10000, true, {0}},
      {1000, true, {0}},  // exactly full: 1000 twips of ink
      {999, true, {0, 8}},
      {650, true, {0, 8}},  // "aaa bbb" exactly; the blank after it hangs
      {649, true, {0, 4, 8}},
      {300, true, {0, 4, 8}},                   // each word alone
      {250, true, {0, 2, 4, 6, 8, 10}},         // words longer than the line are cut
      {0, true, {0, 1, 2, 4, 5, 6, 8, 9, 10}},  // one character a line, never none
      {-500, true, {0, 1, 2, 4, 5, 6, 8, 9, 10}},
      {100, false, {0}},  // no wrapping
  };
  Para p{u"aaa bbb ccc\r"};
  for (const Case& c : cases) {
    EXPECT_EQ(starts(layout(p, c.width, c.wrap)), c.expected) << "width " << c.width;
  }
}

TEST_F(ParagraphLayoutTest, LineBreaksAndPageBreaksEndLinesAndAreFlagged) {
  Para p{u"ab\vcd\fef\r"};
  const ParagraphBox box = layout(p, 10000);
  ASSERT_EQ(starts(box), (Starts{0, 3, 6}));
  EXPECT_TRUE(box.lines[0].has(lineflag::LineBreak));
  EXPECT_TRUE(box.lines[0].has(lineflag::FirstLine));
  EXPECT_TRUE(box.lines[1].has(lineflag::PageBreak));
  EXPECT_TRUE(box.lines[2].has(lineflag::EndsParagraph));
  EXPECT_EQ(box.lines[1].top, 200);
  EXPECT_EQ(box.height, 600);
}

TEST_F(ParagraphLayoutTest, EachAlignmentPlacesTheLines) {
  // Two lines of 650 twips of ink in 800: "aaa bbb " and "ccc ddd".
  struct Case {
    std::uint16_t alignment;
    std::int32_t shift;
    std::int32_t firstLineEnd;  // x after "bbb"
    std::int32_t lastLineEnd;   // x after "ddd"
  };
  const Case cases[] = {{pfa::Left, 0, 650, 650},
                        {pfa::Right, 150, 800, 800},
                        {pfa::Center, 75, 725, 725},
                        {pfa::Justify, 0, 800, 650}};  // the last line is not justified
  for (const Case& c : cases) {
    Para p{u"aaa bbb ccc ddd\r"};
    p.format.alignment = c.alignment;
    const ParagraphBox box = layout(p, 800);
    ASSERT_EQ(starts(box), (Starts{0, 8})) << c.alignment;
    EXPECT_EQ(box.lines[0].shift, c.shift) << c.alignment;
    EXPECT_EQ(carets(p, box.lines[0])[7], c.firstLineEnd) << c.alignment;
    EXPECT_EQ(carets(p, box.lines[1])[7], c.lastLineEnd) << c.alignment;
  }
}

TEST_F(ParagraphLayoutTest, JustificationSpreadsTheSlackOverTheInnerBlanksOnly) {
  Para p{u"a b c ddd\r"};  // first line "a b c " (ink 400) in 501: 101 twips over 2 blanks
  p.format.alignment = pfa::Justify;
  const ParagraphBox box = layout(p, 501);
  ASSERT_EQ(starts(box), (Starts{0, 6}));
  EXPECT_EQ(box.lines[0].slack, 101);
  EXPECT_EQ(carets(p, box.lines[0]), (std::vector<std::int32_t>{0, 100, 201, 301, 401, 501, 551}));
  // A line without inner blanks, or ended by a line break, stays as it is.
  Para forced{u"a b\vc\r"};
  forced.format.alignment = pfa::Justify;
  EXPECT_EQ(layout(forced, 1000).lines[0].slack, 0);
  // Justification off (the platform's default typography) lays out flush left.
  EXPECT_EQ(layouter.layout(p.source(), {501, true, false}).lines[0].slack, 0);
}

TEST_F(ParagraphLayoutTest, IndentsPlaceFirstAndFollowingLines) {
  struct Case {
    std::int32_t start;
    std::int32_t offset;
    std::int32_t right;
    Starts expected;
    std::int32_t firstLeft;
    std::int32_t otherLeft;
  };
  const Case cases[] = {
      {0, 0, 0, {0}, 0, 0},
      {200, 0, 0, {0, 8}, 200, 200},  // 800 of room: "ccc" moves down
      {0, 0, 200, {0, 8}, 0, 0},
      {200, 300, 100, {0, 8}, 200, 500},  // hanging by a positive offset
      {500, -500, 0, {0, 4}, 500, 0},     // first-line indent, the rest at the margin
      {INT32_MAX, 0, 0, {0, 1, 2, 4, 5, 6, 8, 9, 10}, MaxCoordinate, MaxCoordinate},
      {-1000, -1000, -1000, {0}, 0, 0},  // negative indents count as 0
  };
  for (const Case& c : cases) {
    Para p{u"aaa bbb ccc\r"};
    p.format.startIndent = c.start;
    p.format.offset = c.offset;
    p.format.rightIndent = c.right;
    const ParagraphBox box = layout(p, 1000);
    EXPECT_EQ(starts(box), c.expected) << c.start << " " << c.offset;
    EXPECT_EQ(box.lines.front().left, c.firstLeft) << c.start << " " << c.offset;
    EXPECT_EQ(box.lines.back().left, c.expected.size() > 1 ? c.otherLeft : c.firstLeft);
  }
}

TEST_F(ParagraphLayoutTest, TabsReachTheirStops) {
  struct Case {
    std::u16string text;
    std::vector<std::int32_t> stops;
    std::size_t caret;  // the caret position whose x is checked
    std::int32_t x;
  };
  const Case cases[] = {
      {u"a\tb\r", {}, 2, 720},  // default stops every half inch
      {u"aaaaaaaa\tb\r", {}, 9, 1440},
      {u"a\tb\r", {makeTabStop(300)}, 2, 300},
      {u"a\tb\tc\r", {makeTabStop(300)}, 4, 720},  // past the last stop: default stops
      {u"a\tbb\r", {makeTabStop(1000, tab::Right)}, 2, 800},
      {u"a\tbb\r", {makeTabStop(1000, tab::Center)}, 2, 900},
      {u"a\t12.5\r", {makeTabStop(1000, tab::Decimal)}, 2, 800},
      {u"a\tb\r", {makeTabStop(50), makeTabStop(900), makeTabStop(400)}, 2, 400},  // unsorted
      {u"a\tb\r", {makeTabStop(400, tab::Bar), makeTabStop(900)}, 2, 900},  // bars hold no text
      {u"aaaaaaaaaaaa\tbb\r", {makeTabStop(1000, tab::Right)}, 13, 1440},   // past it: defaults
  };
  for (const Case& c : cases) {
    Para p{c.text};
    p.format.tabCount = static_cast<std::int16_t>(c.stops.size());
    for (std::size_t i = 0; i < c.stops.size(); ++i) p.format.tabs[i] = c.stops[i];
    const ParagraphBox box = layout(p, 100000);
    ASSERT_EQ(box.lines.size(), 1u);
    EXPECT_EQ(carets(p, box.lines[0])[c.caret], c.x) << c.caret << " " << c.stops.size();
  }
}

TEST_F(ParagraphLayoutTest, HangingIndentIsTheFirstLinesFirstTabStop) {
  Para p{u"1.\tItem text\r"};
  p.format.offset = 360;
  const ParagraphBox box = layout(p, 100000);
  EXPECT_EQ(carets(p, box.lines[0])[3], 360);
}

TEST_F(ParagraphLayoutTest, EachLineSpacingRuleSetsTheLineHeight) {
  struct Case {
    std::uint8_t rule;
    std::int32_t spacing;
    std::int32_t height;
  };
  const Case cases[] = {
      {lsr::Single, 999, 200},
      {lsr::OneAndHalf, 0, 300},
      {lsr::Double, 0, 400},
      {lsr::AtLeast, 300, 300},
      {lsr::AtLeast, 100, 200},
      {lsr::Exactly, 150, 150},
      {lsr::Exactly, 500, 500},
      {lsr::Exactly, 0, 200},
      {lsr::Exactly, -150, 150},
      {lsr::Multiple, 20, 200},
      {lsr::Multiple, 30, 300},
      {lsr::Multiple, 60, 600},
      {lsr::Multiple, INT32_MAX, MaxCoordinate},
  };
  for (const Case& c : cases) {
    Para p{u"ab\vcd\r"};
    p.format.lineSpacingRule = c.rule;
    p.format.lineSpacing = c.spacing;
    const ParagraphBox box = layout(p, 10000);
    ASSERT_EQ(box.lines.size(), 2u);
    EXPECT_EQ(box.lines[0].height, c.height) << int{c.rule} << " " << c.spacing;
    EXPECT_EQ(box.lines[1].top, c.height) << int{c.rule} << " " << c.spacing;
    // The descent stays at the bottom: spacing is added or taken above the text.
    EXPECT_EQ(box.lines[0].baseline, std::max(c.height - 40, 0)) << int{c.rule};
  }
}

TEST_F(ParagraphLayoutTest, SpaceBeforeAndAfterSurroundTheLines) {
  Para p{u"ab\r"};
  p.format.spaceBefore = 120;
  p.format.spaceAfter = 240;
  ParagraphBox box = layout(p, 10000);
  EXPECT_EQ(box.lines[0].top, 120);
  EXPECT_EQ(box.height, 120 + 200 + 240);
  p.format.spaceBefore = -100;
  p.format.spaceAfter = INT32_MAX;
  box = layout(p, 10000);
  EXPECT_EQ(box.lines[0].top, 0);
  EXPECT_LE(box.height, MaxCoordinate);
}

TEST_F(ParagraphLayoutTest, TheTallestTextSetsTheLineAndHiddenTextTakesNoRoom) {
  CharFormat big = defaultCharFormat();
  big.height = 400;  // ascent 320, descent 80, letters 200
  CharFormat hidden = defaultCharFormat();
  hidden.height = 2000;
  hidden.effects |= cfe::Hidden;
  CharFormat raised = defaultCharFormat();
  raised.offset = 100;
  const std::u16string text = u"abcdefg\r";
  ParagraphSource s;
  s.text = text;
  s.spans = {{2, &big}, {3, &hidden}, {3, nullptr}};
  ParagraphBox box = layouter.layout(s, {10000, true, true});
  EXPECT_EQ(box.lines[0].height, 400);
  EXPECT_EQ(layouter.caretPositions(s, box.lines[0]),
            (std::vector<std::int32_t>{0, 200, 400, 400, 400, 400, 500, 600, 600}));
  s.spans = {{1, &raised}, {7, nullptr}};
  box = layouter.layout(s, {10000, true, true});
  EXPECT_EQ(box.lines[0].height, 300) << "raised text lifts the ascent";
  CharFormat super = defaultCharFormat();
  super.effects |= cfe::SuperScript;
  CharFormat lowered = defaultCharFormat();
  lowered.offset = INT32_MIN;
  s.spans = {{1, &super}, {1, &lowered}, {6, nullptr}};
  box = layouter.layout(s, {10000, true, true});
  EXPECT_EQ(box.lines[0].baseline, 160 + 66) << "superscript rises a third of its size";
  EXPECT_EQ(box.lines[0].height, 160 + 66 + 40 + MaxCharHeight) << "an offset is kept in range";
}

TEST_F(ParagraphLayoutTest, APictureIsOneCharacterOfItsSize) {
  Para p{u"ab\uFFFCcd\r"};
  p.objects = {{2, {1440, 720}}};
  const ParagraphBox box = layout(p, 10000);
  EXPECT_EQ(carets(p, box.lines[0])[3], 200 + 1440);
  EXPECT_EQ(box.lines[0].height, 720 + 40);
  EXPECT_EQ(box.lines[0].baseline, 720);
  // A picture wider than the line stands alone on its line.
  EXPECT_EQ(starts(layout(p, 1000)), (Starts{0, 2, 3}));
}

TEST_F(ParagraphLayoutTest, TheLabelSitsAtTheStartIndentAndPushesTheFirstLine) {
  struct Case {
    std::int32_t offset;
    std::uint16_t numberingTab;
    std::int32_t textLeft;
  };
  const Case cases[] = {{360, 0, 360},   // in the hang
                        {100, 50, 620},  // label (200) wider than the hang: the next tab stop
                        {0, 0, 200},     // no hang: right after the label
                        {0, 50, 250}};
  for (const Case& c : cases) {
    Para p{u"text\r"};
    p.label = u"i)";
    p.format.numbering = pfn::LcRoman;
    p.format.startIndent = 100;
    p.format.offset = c.offset;
    p.format.numberingTab = c.numberingTab;
    const ParagraphBox box = layout(p, 10000);
    EXPECT_EQ(box.labelX, 100);
    EXPECT_EQ(box.labelWidth, 200);
    EXPECT_EQ(box.lines[0].left, 100 + c.textLeft) << c.offset;
  }
}

TEST_F(ParagraphLayoutTest, HostileInputEndsWithinBounds) {
  std::u16string tabs(10000, u'\t');
  tabs += u"x\r";
  Para p{tabs};
  p.format.tabCount = 32;
  for (int i = 0; i < 32; ++i)
    p.format.tabs[static_cast<std::size_t>(i)] = makeTabStop(i * 7, tab::Right);
  for (const bool wrap : {true, false}) {
    const ParagraphBox box = layout(p, 5000, wrap);
    for (const LineBox& l : box.lines) {
      EXPECT_LE(l.left + l.shift + l.width, MaxCoordinate);
    }
    EXPECT_EQ(box.lines.back().end(), static_cast<std::int32_t>(tabs.size()));
  }
  EXPECT_EQ(layout(Para{u""}, 1000).lines.size(), 1u) << "even no text gives a line";
  EXPECT_EQ(layout(Para{u"abc"}, 1000).lines.back().end(), 3) << "no paragraph end";
}

TEST_F(ParagraphLayoutTest, RandomParagraphsKeepTheLineInvariants) {
  // Whatever the text and format: lines cover the paragraph in order, stack without gaps,
  // carets never move left, and a wrapped line passes its right edge only when it holds a
  // single piece that could not be cut further.
  std::mt19937 rng(7);
  const char16_t alphabet[] = {u'a', u'b', u' ', u' ', u'\t', u'-', u'\v', 0x00A0, 0x4E00, u'W'};
  for (int round = 0; round < 300; ++round) {
    Para p{u""};
    const int length = static_cast<int>(rng() % 60);
    for (int i = 0; i < length; ++i) p.text += alphabet[rng() % std::size(alphabet)];
    p.text += u'\r';
    p.format.alignment = static_cast<std::uint16_t>(pfa::Left + rng() % 4);
    p.format.startIndent = static_cast<std::int32_t>(rng() % 600) - 100;
    p.format.offset = static_cast<std::int32_t>(rng() % 800) - 400;
    p.format.rightIndent = static_cast<std::int32_t>(rng() % 300);
    p.format.lineSpacingRule = static_cast<std::uint8_t>(rng() % 6);
    p.format.lineSpacing = static_cast<std::int32_t>(rng() % 600);
    p.format.tabCount = static_cast<std::int16_t>(rng() % 4);
    for (int t = 0; t < p.format.tabCount; ++t) {
      p.format.tabs[static_cast<std::size_t>(t)] =
          makeTabStop(static_cast<std::int32_t>(rng() % 3000), rng() % 5);
    }
    const std::int32_t width = static_cast<std::int32_t>(rng() % 3000);
    const ParagraphBox box = layout(p, width);
    std::int32_t at = 0;
    std::int32_t top = box.spaceBefore;
    for (const LineBox& l : box.lines) {
      ASSERT_EQ(l.start, at) << "round " << round;
      ASSERT_GT(l.length, 0) << "round " << round;
      ASSERT_EQ(l.top, top) << "round " << round;
      const std::vector<std::int32_t> xs = carets(p, l);
      for (std::size_t i = 1; i < xs.size(); ++i) ASSERT_GE(xs[i], xs[i - 1]) << "round " << round;
      const std::int32_t room = std::max(width - p.format.rightIndent, l.left) - l.left;
      if (l.slack > 0) {
        ASSERT_EQ(l.width + l.slack, room) << "justified lines end on the right edge";
      }
      if (l.width > room) {
        std::int32_t ink = l.end();
        while (ink > l.start && (hangsAtLineEnd(p.text[ink - 1]) || p.text[ink - 1] == u'\r' ||
                                 p.text[ink - 1] == u'\v')) {
          --ink;
        }
        for (std::int32_t q = l.start + 1; q < ink; ++q) {
          ASSERT_FALSE(canBreakBefore(p.text, static_cast<std::size_t>(q)))
              << "round " << round << ": an overfull line could have broken at " << q;
        }
      }
      at = l.end();
      top += l.height;
    }
    ASSERT_EQ(at, static_cast<std::int32_t>(p.text.size()));
  }
}

}  // namespace
}  // namespace richedit
