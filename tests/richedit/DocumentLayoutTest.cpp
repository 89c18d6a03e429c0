#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/DocumentLayout.h"
#include "tests/richedit/FakeMeasurer.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

// A document, a layout of it that follows its changes, and the fake measurer: 10-point
// letters are 100 twips, spaces 50, lines 200 high.
class DocumentLayoutTest : public ::testing::Test {
 protected:
  void load(std::u16string_view text, std::int32_t width = 1000) {
    doc = test::documentWithText(text);
    layout = std::make_unique<DocumentLayout>(doc, measurer, LayoutOptions{width, true, true});
    doc.setChangeListener([this](const ChangeNotice& n) { layout->onChange(n); });
  }
  void setNumbering(int paragraph, std::uint16_t numbering, std::uint16_t style = pfns::Paren,
                    std::uint16_t start = 1) {
    ParaFormat f;
    f.numbering = numbering;
    f.numberingStyle = style;
    f.numberingStart = start;
    doc.setParaFormat(doc.paragraphRange(paragraph), f,
                      pfm::Numbering | pfm::NumberingStyle | pfm::NumberingStart);
  }
  void setParaEffect(int paragraph, std::uint32_t mask, std::uint16_t effects) {
    ParaFormat f;
    f.effects = effects;
    doc.setParaFormat(doc.paragraphRange(paragraph), f, mask);
  }
  // The layout must match one made from scratch for the document as it now is.
  void expectSameAsFresh() {
    DocumentLayout fresh(doc, measurer, layout->options());
    ASSERT_EQ(layout->lineCount(), fresh.lineCount());
    for (int i = 0; i < fresh.lineCount(); ++i) {
      const DocumentLine a = layout->line(i);
      const DocumentLine b = fresh.line(i);
      ASSERT_EQ(a.start, b.start) << "line " << i;
      ASSERT_EQ(a.top, b.top) << "line " << i;
      ASSERT_EQ(a.paragraph, b.paragraph) << "line " << i;
      ASSERT_TRUE(a.box == b.box) << "line " << i;
    }
    for (int p = 0; p < fresh.paragraphCount(); ++p) {
      ASSERT_EQ(layout->label(p), fresh.label(p)) << "paragraph " << p;
    }
  }
  static std::u16string manyParagraphs(int count, std::u16string_view each) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
      text += each;
      if (i + 1 < count) text += u'\r';
    }
    return text;
  }

  test::FakeMeasurer measurer;
  RichTextDocument doc;
  std::unique_ptr<DocumentLayout> layout;
};

TEST_F(DocumentLayoutTest, ParagraphsStackAndLinesMapToCharacters) {
  load(u"aaa bbb ccc ddd\rxy\r\rzz", 900);  // 2 lines, 1, 1 (empty), 1
  EXPECT_EQ(layout->lineCount(), 5);
  EXPECT_EQ(layout->height(), 5 * 200);
  struct Case {
    CharPos pos;
    int line;
  };
  const Case cases[] = {{0, 0},  {7, 0},  {8, 1},  {15, 1}, {16, 2},  {18, 2},
                        {19, 3}, {20, 4}, {22, 4}, {-5, 0}, {9999, 4}};
  for (const Case& c : cases) EXPECT_EQ(layout->lineFromChar(c.pos), c.line) << c.pos;
  EXPECT_EQ(layout->line(1).start, 8);
  EXPECT_EQ(layout->line(1).top, 200);
  EXPECT_EQ(layout->line(99).start, 20) << "clamped to the last line";
  EXPECT_EQ(layout->lineAtY(450), 2);
  EXPECT_EQ(layout->lineAtY(-10), 0);
  EXPECT_EQ(layout->lineAtY(1 << 30), 4);
}

TEST_F(DocumentLayoutTest, CaretPointsAndHitTestsAgree) {
  load(u"aaa bbb ccc ddd\rxy", 900);
  const DocumentLayout::Point p = layout->caretPoint(9);  // "c|cc" on the second line
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 200);
  EXPECT_EQ(layout->charFromPoint(100, 250), 9);
  EXPECT_EQ(layout->charFromPoint(140, 250), 9) << "nearer the left edge";
  EXPECT_EQ(layout->charFromPoint(160, 250), 10);
  EXPECT_EQ(layout->charFromPoint(5000, 450), 18) << "never past the paragraph end";
  EXPECT_EQ(layout->charFromPoint(-100, 0), 0);
}

TEST_F(DocumentLayoutTest, ListsAreNumberedInOrderAndRenumberedWhenOneChanges) {
  load(u"one\rtwo\rthree\rfour");
  for (int p = 0; p < 4; ++p) setNumbering(p, pfn::LcRoman);
  EXPECT_EQ(layout->label(0), u"i)");
  EXPECT_EQ(layout->label(1), u"ii)");
  EXPECT_EQ(layout->label(2), u"iii)");
  EXPECT_EQ(layout->label(3), u"iv)");
  setNumbering(1, pfn::None);
  EXPECT_EQ(layout->label(1), u"");
  EXPECT_EQ(layout->label(2), u"i)") << "the list starts again after a plain paragraph";
  EXPECT_EQ(layout->label(3), u"ii)");
  for (int p = 0; p < 3; ++p) setNumbering(p, pfn::LcLetter, pfns::Period);
  EXPECT_EQ(layout->label(0), u"a.");
  EXPECT_EQ(layout->label(1), u"b.");
  EXPECT_EQ(layout->label(2), u"c.");
  EXPECT_EQ(layout->label(3), u"i)");
  expectSameAsFresh();
}

TEST_F(DocumentLayoutTest, ChangingOneParagraphLaysOutOnlyThatParagraph) {
  load(manyParagraphs(50, u"word word word word"));  // two lines each at 1000
  ASSERT_EQ(layout->lineCount(), 100);
  const CharPos inTwenty = doc.paragraphRange(20).min + 3;

  const std::uint64_t before = layout->paragraphLayouts();
  doc.replaceText({inTwenty, inTwenty}, u"x", nullptr, EditKind::Typing);
  EXPECT_EQ(layout->lineCount(), 100);
  EXPECT_EQ(layout->paragraphLayouts() - before, 1u);
  expectSameAsFresh();

  const std::uint64_t beforeFormat = layout->paragraphLayouts();
  ParaFormat centred;
  centred.alignment = pfa::Center;
  doc.setParaFormat(doc.paragraphRange(30), centred, pfm::Alignment);
  layout->lineCount();
  EXPECT_EQ(layout->paragraphLayouts() - beforeFormat, 1u);
  expectSameAsFresh();

  const std::uint64_t beforeSplit = layout->paragraphLayouts();
  doc.replaceText({inTwenty, inTwenty}, u"\r");
  EXPECT_EQ(layout->lineCount(), 101);
  EXPECT_EQ(layout->paragraphLayouts() - beforeSplit, 2u) << "the two halves";
  expectSameAsFresh();
}

TEST_F(DocumentLayoutTest, RandomEditsLeaveTheSameLayoutAsStartingOver) {
  load(manyParagraphs(30, u"alpha beta gamma delta"), 900);
  std::mt19937 rng(14);
  const std::u16string pieces[] = {u"x", u"word ", u"\r", u"a\rb", u"\t", u"\v", u"  ", u""};
  for (int step = 0; step < 300; ++step) {
    const CharPos length = doc.textLength();
    CharPos a = static_cast<CharPos>(rng() % static_cast<unsigned>(length + 1));
    CharPos b = std::min(length, a + static_cast<CharPos>(rng() % 12));
    switch (rng() % 5) {
      case 0: setNumbering(doc.paragraphIndexAt(a), pfn::Arabic + rng() % 5); break;
      case 1: {
        CharFormat big;
        big.height = 200 + static_cast<std::int32_t>(rng() % 4) * 100;
        doc.setCharFormat({a, b}, big, cfm::Size);
        break;
      }
      default: doc.replaceText({a, b}, pieces[rng() % std::size(pieces)]); break;
    }
    if (step % 7 == 0) layout->line(static_cast<int>(rng() % 40));  // lay out part way
    if (step % 25 == 0) {
      expectSameAsFresh();
      if (HasFatalFailure()) return;
    }
  }
  doc.undo();
  expectSameAsFresh();
  EXPECT_EQ(layout->restarts(), 0u) << "every edit was followed paragraph by paragraph";
  doc.load(test::readRtfString("{\\rtf1 new\\par content}").fragment);
  expectSameAsFresh();
  doc.clear();
  expectSameAsFresh();
  EXPECT_EQ(layout->lineCount(), 1);
  EXPECT_EQ(layout->restarts(), 2u) << "a new content starts over";
}

TEST_F(DocumentLayoutTest, LayoutIsLazy) {
  load(manyParagraphs(1000, u"word word"));
  EXPECT_EQ(layout->lineFromChar(0), 0);
  EXPECT_EQ(layout->laidOutParagraphs(), 1);
  const BandFit band = layout->fit(0, 1000, doc.textLength());
  EXPECT_EQ(band.lines, 5);
  EXPECT_LE(layout->laidOutParagraphs(), 6);
  EXPECT_EQ(layout->line(9).start, 90);
  EXPECT_EQ(layout->laidOutParagraphs(), 10);
}

TEST_F(DocumentLayoutTest, BandsTakeTheLinesThatFit) {
  load(manyParagraphs(10, u"abcd"));  // ten one-line paragraphs, 5 characters each
  const CharPos end = doc.textLength();
  struct Case {
    CharPos from;
    std::int64_t height;
    CharPos expectedEnd;
    int lines;
  };
  const Case cases[] = {
      {0, 1000, 25, 5},    {0, 1199, 25, 5}, {0, 1200, 30, 6},
      {0, 50, 5, 1},  // a band lower than a line still takes one line
      {0, 0, 0, 0},        {0, -5, 0, 0},    {25, 100000, end, 5},
      {end, 1000, end, 0}, {2, 200, 5, 1},  // from inside a line: that whole line
  };
  for (const Case& c : cases) {
    const BandFit f = layout->fit(c.from, c.height, end);
    EXPECT_EQ(f.end, c.expectedEnd) << c.from << " " << c.height;
    EXPECT_EQ(f.lines, c.lines) << c.from << " " << c.height;
  }
  EXPECT_EQ(layout->fit(0, 1000, 12).end, 12) << "stops at the limit";
}

TEST_F(DocumentLayoutTest, ConsecutiveBandsCoverTheDocumentOnce) {
  load(manyParagraphs(40, u"some words to wrap across lines"), 1200);
  ParaFormat spaced;
  spaced.spaceBefore = 150;
  spaced.spaceAfter = 90;
  spaced.lineSpacingRule = lsr::OneAndHalf;
  doc.setParaFormat({0, doc.textLength()}, spaced,
                    pfm::SpaceBefore | pfm::SpaceAfter | pfm::LineSpacing);
  const CharPos end = doc.textLength();
  CharPos at = 0;
  int lines = 0;
  int bands = 0;
  while (at < end && bands < 1000) {
    const BandFit f = layout->fit(at, 2000, end);
    ASSERT_GT(f.end, at);

    EXPECT_LE(f.height, 2000);
    if (f.end < end) {
      EXPECT_EQ(layout->line(layout->lineFromChar(f.end)).start, f.end)
          << "bands end on line starts";
    }
    lines += f.lines;
    at = f.end;
    ++bands;
  }
  EXPECT_EQ(at, end);
  EXPECT_EQ(lines, layout->lineCount());
}

TEST_F(DocumentLayoutTest, PageBreaksEndBands) {
  load(u"one\rtwo\rthree\ffour\rfive");
  setParaEffect(1, pfm::PageBreakBefore, pfe::PageBreakBefore);
  const CharPos end = doc.textLength();
  EXPECT_EQ(layout->fit(0, 10000, end).end, 4) << "before the paragraph that starts a page";
  EXPECT_EQ(layout->fit(4, 10000, end).end, 14) << "after the page break character";
  EXPECT_EQ(layout->fit(14, 10000, end).end, end);
}

TEST_F(DocumentLayoutTest, SpaceBeforeCountsAtTheTopOfABand) {
  load(u"a\rb\rc");
  ParaFormat f;
  f.spaceBefore = 100;
  doc.setParaFormat({0, doc.textLength()}, f, pfm::SpaceBefore);
  const BandFit first = layout->fit(0, 600, doc.textLength());
  EXPECT_EQ(first.lines, 2);  // 300 a paragraph
  EXPECT_EQ(first.height, 600);
  EXPECT_EQ(layout->paragraphTop(2), 600);
}

TEST_F(DocumentLayoutTest, EmptyDocumentsAndHostileWidthsLayOut) {
  load(u"");
  EXPECT_EQ(layout->lineCount(), 1);
  EXPECT_EQ(layout->height(), 200);
  EXPECT_EQ(layout->fit(0, 1000, 0).end, 0);
  EXPECT_EQ(layout->caretPoint(0).x, 0);
  load(u"ab cd", -1);
  layout->setOptions({INT32_MIN, true, true});
  EXPECT_EQ(layout->lineCount(), 4);  // a, b , c, d: one character a line
  layout->setOptions({INT32_MAX, false, true});
  EXPECT_EQ(layout->lineCount(), 1);
}

TEST_F(DocumentLayoutTest, DrawingCutsLinesIntoPiecesOfOneFormat) {
  load(u"ab\tcd ef\r", 5000);
  CharFormat bold;
  bold.effects = cfe::Bold;
  doc.setCharFormat({4, 6}, bold, cfm::Bold);  // "d "
  CharFormat hidden;
  hidden.effects = cfe::Hidden;
  doc.setCharFormat({7, 8}, hidden, cfm::Hidden);  // the f
  setNumbering(0, pfn::Arabic, pfns::Period);
  Picture picture;
  picture.kind = PictureKind::Png;
  picture.goalWidth = 300;
  picture.goalHeight = 400;
  const CharStyle plain{doc.charFormatAt(0), {}};
  doc.insertPicture({8, 8}, picture, &plain);  // after "ef"

  const LineDrawing d = layout->drawing(0);
  EXPECT_EQ(d.label, u"1.");
  EXPECT_EQ(d.labelX, 0);
  ASSERT_EQ(d.pieces.size(), 4u);
  EXPECT_EQ(d.pieces[0].text, u"ab");
  EXPECT_EQ(d.pieces[0].x, (std::vector<std::int32_t>{200, 300, 400})) << "after the label";
  EXPECT_EQ(d.pieces[1].text, u"c");
  EXPECT_EQ(d.pieces[1].x, (std::vector<std::int32_t>{720, 820})) << "the tab draws nothing";
  EXPECT_EQ(d.pieces[2].text, u"d ");
  EXPECT_TRUE(d.pieces[2].format->has(cfe::Bold));
  EXPECT_EQ(d.pieces[3].text, u"e");
  ASSERT_EQ(d.objects.size(), 1u);
  EXPECT_EQ(d.objects[0].start, 8);
  EXPECT_EQ(d.objects[0].x, d.pieces[3].x.back()) << "the hidden f takes no room";
  EXPECT_EQ(d.objects[0].extent, (Extent{300, 400}));
  EXPECT_EQ(d.baseline, 400);
}

// A tab to a stop with a leader leaves its leader from where the tab starts to where the text
// goes on; a stop without one leaves nothing.
TEST_F(DocumentLayoutTest, TabsToStopsWithLeadersDrawTheirLeaders) {
  load(u"ab\tcd\tx\tyz\r", 9000);
  ParaFormat f;
  f.tabCount = 2;
  f.tabs[0] = makeTabStop(2000, tab::Left, tab::Dots);
  f.tabs[1] = makeTabStop(5000, tab::Right, tab::Lines);  // then a default stop
  doc.setParaFormat(doc.paragraphRange(0), f, pfm::TabStops);
  const LineDrawing d = layout->drawing(0);
  ASSERT_EQ(d.leaders.size(), 2u);
  EXPECT_EQ(d.leaders[0].left, 200);
  EXPECT_EQ(d.leaders[0].right, 2000);
  EXPECT_EQ(d.leaders[0].leader, tab::Dots);
  EXPECT_EQ(d.leaders[1].left, 2200);
  EXPECT_EQ(d.leaders[1].right, 4900) << "the right-aligned x ends at the stop";
  EXPECT_EQ(d.leaders[1].leader, tab::Lines);
}

}  // namespace
}  // namespace richedit
