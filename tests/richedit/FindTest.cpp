#include <gtest/gtest.h>

#include "richedit/RichEditConstants.h"
#include "richedit/TextFinder.h"
#include "richedit/WordBreaker.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

constexpr CharRange NotFound{-1, -1};

TEST(Find, ForwardFindsTheFirstMatchInsideTheRange) {
  const std::u16string_view t = u"one two one two";
  EXPECT_EQ(findText(t, u"two", {0, -1}, fr::Down), (CharRange{4, 7}));
  EXPECT_EQ(findText(t, u"two", {5, -1}, fr::Down), (CharRange{12, 15}));
  EXPECT_EQ(findText(t, u"two", {5, 14}, fr::Down), NotFound) << "the match must end inside";
  EXPECT_EQ(findText(t, u"", {0, -1}, fr::Down), NotFound);
}

TEST(Find, BackwardSearchesFromMinDownToMax) {
  const std::u16string_view t = u"one two one two";
  EXPECT_EQ(findText(t, u"one", {15, 0}, 0), (CharRange{8, 11}));
  EXPECT_EQ(findText(t, u"one", {10, 0}, 0), (CharRange{0, 3}));
  EXPECT_EQ(findText(t, u"one", {10, 1}, 0), NotFound);
  EXPECT_EQ(findText(t, u"two", {15, -1}, 0), (CharRange{12, 15}));
}

TEST(Find, CaseIsIgnoredUnlessAskedForBeyondAscii) {
  const std::u16string_view t = u"Crème BRÛLÉE und Größe, ΣΟΦΙΑ, ПРИВЕТ";
  EXPECT_EQ(findText(t, u"brûlée", {0, -1}, fr::Down).min, 6);
  EXPECT_EQ(findText(t, u"brûlée", {0, -1}, fr::Down | fr::MatchCase), NotFound);
  EXPECT_EQ(findText(t, u"σοφια", {0, -1}, fr::Down).min, 24);
  EXPECT_EQ(findText(t, u"привет", {0, -1}, fr::Down).min, 31);
  EXPECT_EQ(findText(t, u"GRÖSSE", {0, -1}, fr::Down), NotFound) << "no multi-letter folding";
}

TEST(Find, WholeWordRejectsPartsOfWords) {
  const std::u16string_view t = u"cat concatenate cat's cat_x cat";
  EXPECT_EQ(findText(t, u"cat", {1, -1}, fr::Down | fr::WholeWord), (CharRange{16, 19}));
  EXPECT_EQ(findText(t, u"cat", {17, -1}, fr::Down | fr::WholeWord), (CharRange{28, 31}));
  EXPECT_EQ(findText(t, u"cat", {30, 0}, fr::WholeWord), (CharRange{16, 19}));
}

TEST(Find, ParagraphEndsInTheNeedleMatchTheOnePositionMark) {
  RichTextDocument doc = test::documentWithText(u"end\rstart");
  EXPECT_EQ(doc.find(u"end\r\nst", {0, -1}, fr::Down), (CharRange{0, 6}));
  EXPECT_EQ(doc.find(u"\r", {4, -1}, fr::Down), NotFound) << "the final mark is not searched";
}

TEST(WordBreaks, TheWordAtAPositionCarriesItsTrailingBlanks) {
  const std::u16string_view t = u"Hello  world, again\r";
  EXPECT_EQ(wordAt(t, 0), (CharRange{0, 7}));
  EXPECT_EQ(wordAt(t, 3), (CharRange{0, 7}));
  EXPECT_EQ(wordAt(t, 5), (CharRange{0, 7})) << "a blank belongs to the word before";
  EXPECT_EQ(wordAt(t, 7), (CharRange{7, 12}));
  EXPECT_EQ(wordAt(t, 12), (CharRange{12, 14})) << "punctuation is a word of its own";
  EXPECT_EQ(wordAt(t, 19), (CharRange{14, 19})) << "at a paragraph end: the word before";
  EXPECT_EQ(wordAt(u"\r\r", 1), (CharRange{1, 1})) << "an empty paragraph has no word";
  EXPECT_EQ(wordAt(u"  lead\r", 0), (CharRange{0, 2}));
}

TEST(WordBreaks, CtrlArrowsMoveBetweenWordStarts) {
  const std::u16string_view t = u"one, two  three";
  EXPECT_EQ(nextWordStart(t, 0), 3);
  EXPECT_EQ(nextWordStart(t, 3), 5);
  EXPECT_EQ(nextWordStart(t, 5), 10);
  EXPECT_EQ(previousWordStart(t, 10), 5);
  EXPECT_EQ(previousWordStart(t, 7), 5);
  EXPECT_EQ(previousWordStart(t, 5), 3);
  EXPECT_EQ(previousWordStart(t, 0), 0);
  EXPECT_EQ(nextWordStart(t, 15), 15);
}

}  // namespace
}  // namespace richedit
