#include <gtest/gtest.h>

#include "richedit/RichTextDocument.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::documentWithText;

TEST(DocumentPositions, ParagraphEndsAndPicturesAreOnePositionAndTheFinalMarkIsExtra) {
  RichTextDocument doc = documentWithText(u"ab\r\ncd");
  EXPECT_EQ(doc.textLength(), 5);  // a b CR c d
  EXPECT_EQ(doc.storyLength(), 6);
  EXPECT_EQ(doc.paragraphCount(), 2);
  EXPECT_EQ(doc.windowText(), u"ab\r\ncd");
  EXPECT_EQ(doc.windowTextLength(), 6);
  doc.insertPicture({2, 2}, Picture{PictureKind::Png, "data"});
  EXPECT_EQ(doc.textLength(), 6);
  EXPECT_EQ(doc.charAt(2), 0xFFFC);
  ASSERT_NE(doc.pictureAt(2), nullptr);
  EXPECT_EQ(doc.pictureAt(2)->data, "data");
  EXPECT_EQ(doc.paragraphRange(0), (CharRange{0, 4}));
  EXPECT_EQ(doc.paragraphRange(1), (CharRange{4, 7})) << "the last range holds the final mark";
}

TEST(DocumentPositions, LoneLineFeedsAndCarriageReturnsEachEndAParagraph) {
  RichTextDocument doc = documentWithText(u"a\nb\rc\r\nd");
  EXPECT_EQ(doc.text({0, doc.textLength()}), u"a\rb\rc\rd");
  EXPECT_EQ(doc.paragraphCount(), 4);
}

TEST(DocumentEditing, EditsNeverRemoveTheFinalMark) {
  RichTextDocument doc = documentWithText(u"hello");
  doc.replaceText({0, -1}, u"");
  EXPECT_EQ(doc.textLength(), 0);
  EXPECT_EQ(doc.storyLength(), 1);
  doc.replaceText({0, 1000}, u"x");
  EXPECT_EQ(doc.windowText(), u"x");
}

TEST(DocumentEditing, DeletingAParagraphEndKeepsTheFormatOfTheLaterParagraph) {
  RichTextDocument doc = documentWithText(u"one\rtwo");
  ParaFormat centred;
  centred.alignment = pfa::Center;
  doc.setParaFormat({0, 0}, centred, pfm::Alignment);
  EXPECT_EQ(doc.paraFormatAt(0).alignment, pfa::Center);
  EXPECT_EQ(doc.paraFormatAt(5).alignment, pfa::Left);
  doc.replaceText({3, 4}, u"");  // join the paragraphs
  EXPECT_EQ(doc.paragraphCount(), 1);
  EXPECT_EQ(doc.paraFormatAt(0).alignment, pfa::Left);
}

TEST(DocumentEditing, ANewParagraphEndCopiesTheFormatOfItsParagraph) {
  RichTextDocument doc = documentWithText(u"onetwo");
  ParaFormat p;
  p.startIndent = 720;
  p.alignment = pfa::Justify;
  doc.setParaFormat({0, 0}, p, pfm::StartIndent | pfm::Alignment);
  doc.replaceText({3, 3}, u"\r");
  ASSERT_EQ(doc.paragraphCount(), 2);
  EXPECT_EQ(doc.paraFormatAt(0).startIndent, 720);
  EXPECT_EQ(doc.paraFormatAt(4).startIndent, 720);
  EXPECT_EQ(doc.paraFormatAt(4).alignment, pfa::Justify);
}

TEST(DocumentEditing, TypedTextTakesTheFormatOfTheCharacterBefore) {
  RichTextDocument doc = documentWithText(u"ab");
  doc.setCharFormat({0, 1}, test::formatWith(cfe::Bold), cfm::Bold);
  doc.replaceText({1, 1}, u"X");
  EXPECT_TRUE(doc.charFormatAt(1).has(cfe::Bold));
  doc.replaceText({3, 3}, u"Y");
  EXPECT_FALSE(doc.charFormatAt(3).has(cfe::Bold));
  // At a paragraph start the text takes the format of what follows.
  RichTextDocument two = documentWithText(u"a\rb");
  two.setCharFormat({2, 3}, test::formatWith(cfe::Italic), cfm::Italic);
  EXPECT_TRUE(two.insertionStyle(2).format.has(cfe::Italic));
}

TEST(DocumentFormats, EqualFormatsMergeIntoOneRunWhateverTheLength) {
  RichTextDocument doc = documentWithText(std::u16string(10000, u'x'));
  EXPECT_EQ(doc.runCount(), 1u);
  for (CharPos i = 0; i < 100; i += 2)
    doc.setCharFormat({i, i + 1}, test::formatWith(cfe::Bold), cfm::Bold);
  EXPECT_EQ(doc.runCount(), 100u);
  doc.setCharFormat({0, 200}, test::formatWith(cfe::Bold), cfm::Bold);
  EXPECT_EQ(doc.runCount(), 2u);
  EXPECT_EQ(doc.runAt(150), (CharRange{0, 200}));
  EXPECT_EQ(doc.runAt(200), (CharRange{200, doc.storyLength()}));
  CharFormat plain = defaultCharFormat();
  doc.setCharFormat({0, doc.storyLength()}, plain, cfm::Bold);
  EXPECT_EQ(doc.runCount(), 1u);
}

TEST(DocumentFormats, RangeFormatReportsOnlyTheUniformFields) {
  RichTextDocument doc = documentWithText(u"abc def");
  doc.setCharFormat({0, 3}, test::formatWith(cfe::Bold | cfe::Italic), cfm::Bold | cfm::Italic);
  doc.setCharFormat({4, 7}, test::formatWith(cfe::Italic), cfm::Italic);
  std::uint32_t mask = 0;
  const CharFormat f = doc.rangeCharFormat({0, 7}, &mask);
  EXPECT_TRUE(f.has(cfe::Bold)) << "the first character's format";
  EXPECT_FALSE(mask & cfm::Bold);
  EXPECT_FALSE(mask & cfm::Italic) << "the blank between is not italic";
  doc.setCharFormat({0, 7}, test::formatWith(cfe::Italic), cfm::Italic);
  doc.rangeCharFormat({0, 7}, &mask);
  EXPECT_TRUE(mask & cfm::Italic);
  EXPECT_TRUE(mask & cfm::Face);
}

TEST(DocumentFormats, ParagraphMarksDoNotSpoilTheRangeFormatOfASelectAll) {
  RichTextDocument doc = documentWithText(u"ab\rcd");
  doc.setCharFormat({0, 2}, test::formatWith(cfe::Bold), cfm::Bold);
  doc.setCharFormat({3, 5}, test::formatWith(cfe::Bold), cfm::Bold);
  std::uint32_t mask = 0;
  const CharFormat f = doc.rangeCharFormat({0, doc.storyLength()}, &mask);
  EXPECT_TRUE(f.has(cfe::Bold));
  EXPECT_TRUE(mask & cfm::Bold);
}

TEST(DocumentFormats, ParagraphFormatAppliesToEveryParagraphTheRangeTouches) {
  RichTextDocument doc = documentWithText(u"a\rb\rc\rd");
  ParaFormat p;
  p.spaceAfter = 120;
  doc.setParaFormat({2, 5}, p, pfm::SpaceAfter);  // "b\rc": paragraphs 1 and 2
  EXPECT_EQ(doc.paraFormatAt(0).spaceAfter, 0);
  EXPECT_EQ(doc.paraFormatAt(2).spaceAfter, 120);
  EXPECT_EQ(doc.paraFormatAt(4).spaceAfter, 120);
  EXPECT_EQ(doc.paraFormatAt(6).spaceAfter, 0);
  // A range that ends right after a paragraph end does not take the next paragraph.
  doc.setParaFormat({0, 2}, p, pfm::SpaceBefore);
  std::uint32_t mask = 0;
  doc.rangeParaFormat({0, 4}, &mask);
  EXPECT_FALSE(mask & pfm::SpaceAfter);
  doc.rangeParaFormat({2, 6}, &mask);
  EXPECT_TRUE(mask & pfm::SpaceAfter);
}

TEST(DocumentFormats, ThirtyTwoTabStopsAreKept) {
  RichTextDocument doc = documentWithText(u"x");
  ParaFormat p;
  p.tabCount = 32;
  for (int i = 0; i < 32; ++i) p.tabs[static_cast<std::size_t>(i)] = (i + 1) * 36 * 20;
  doc.setParaFormat({0, 0}, p, pfm::TabStops);
  const ParaFormat got = doc.paraFormatAt(0);
  EXPECT_EQ(got.tabCount, 32);
  EXPECT_EQ(got.tabs[31], 32 * 720);
}

TEST(DocumentLines, LinesBreakAtParagraphEndsAndLineBreaks) {
  RichTextDocument doc = documentWithText(u"ab\rcd\vef\r");
  EXPECT_EQ(doc.lineCount(), 4);
  EXPECT_EQ(doc.lineFromChar(0), 0);
  EXPECT_EQ(doc.lineFromChar(4), 1);
  EXPECT_EQ(doc.lineFromChar(6), 2);
  EXPECT_EQ(doc.lineStart(2), 6);
  EXPECT_EQ(doc.lineLength(1), 2);
  EXPECT_EQ(doc.lineLength(3), 0) << "the empty last paragraph";
  EXPECT_EQ(doc.lineStart(4), -1);
}

TEST(DocumentProtection, ProtectedTextIsReportedForChangesAndForInsertionsInside) {
  RichTextDocument doc = documentWithText(u"keep this safe");
  doc.setCharFormat({5, 9}, test::formatWith(cfe::Protected), cfm::Protected);
  EXPECT_TRUE(doc.isProtected({4, 6}));
  EXPECT_FALSE(doc.isProtected({0, 5}));
  EXPECT_TRUE(doc.isProtected({7, 7}));
  EXPECT_FALSE(doc.isProtected({5, 5})) << "typing before a protected run is allowed";
  EXPECT_FALSE(doc.isProtected({9, 9}));
}

TEST(DocumentTextMode, PlainTextHasOneFormatAndNoPictures) {
  RichTextDocument doc = documentWithText(u"ab\rcd");
  doc.setCharFormat({0, 2}, test::formatWith(cfe::Bold), cfm::Bold);
  ParaFormat p;
  p.alignment = pfa::Right;
  doc.setParaFormat({0, 0}, p, pfm::Alignment);
  doc.insertPicture({1, 1}, Picture{PictureKind::Emf, "emf"});
  doc.setPlainText(true);
  EXPECT_EQ(doc.windowText(), u"ab\r\ncd");
  EXPECT_EQ(doc.runCount(), 1u);
  EXPECT_EQ(doc.paraFormatAt(0).alignment, pfa::Left);
  EXPECT_FALSE(doc.canUndo());
  doc.setCharFormat({0, 1}, test::formatWith(cfe::Italic), cfm::Italic);
  EXPECT_TRUE(doc.charFormatAt(4).has(cfe::Italic)) << "a format applies to the whole text";
  doc.insertPicture({0, 0}, Picture{PictureKind::Emf, "emf"});
  EXPECT_EQ(doc.pictureCount(), 0u);
}

TEST(DocumentEditing, TextLimitCutsInsertedText) {
  RichTextDocument doc;
  doc.setTextLimit(5);
  doc.replaceText({0, 0}, u"abcdefgh");
  EXPECT_EQ(doc.windowText(), u"abcde");
  doc.replaceText({5, 5}, u"x");
  EXPECT_EQ(doc.textLength(), 5);
}

TEST(DocumentEditing, CopyAndPasteKeepFormatsPicturesAndParagraphs) {
  RichTextDocument doc = documentWithText(u"one\rtwo");
  doc.setCharFormat({1, 2}, test::formatWith(cfe::Bold), cfm::Bold);
  ParaFormat p;
  p.alignment = pfa::Center;
  doc.setParaFormat({0, 0}, p, pfm::Alignment);
  doc.insertPicture({4, 4}, Picture{PictureKind::Jpeg, "jpg"});
  const RichTextFragment piece = doc.copyRange({0, 5});
  RichTextDocument other = documentWithText(u"XY");
  other.replaceWithFragment({1, 1}, piece);
  EXPECT_EQ(other.text({0, other.textLength()}), u"Xone\r\xFFFCY");
  EXPECT_TRUE(other.charFormatAt(2).has(cfe::Bold));
  EXPECT_EQ(other.paraFormatAt(0).alignment, pfa::Center);
  EXPECT_EQ(other.paraFormatAt(6).alignment, pfa::Left) << "trailing text joins the paragraph";
  ASSERT_NE(other.pictureAt(5), nullptr);
  EXPECT_EQ(other.pictureAt(5)->kind, PictureKind::Jpeg);
}

}  // namespace
}  // namespace richedit
