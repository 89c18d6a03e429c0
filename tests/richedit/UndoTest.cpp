#include <gtest/gtest.h>

#include "richedit/EditSession.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::documentWithText;

TEST(Undo, TypingIsOneStepUntilTheCaretMoves) {
  EditSession s;
  s.typeText(u"H");
  s.typeText(u"e");
  s.typeText(u"llo");
  s.setSelection(0, 0);
  s.setSelection(5, 5);
  s.typeText(u"!");
  EXPECT_EQ(s.document().windowText(), u"Hello!");
  ASSERT_TRUE(s.undo());
  EXPECT_EQ(s.document().windowText(), u"Hello");
  ASSERT_TRUE(s.undo());
  EXPECT_EQ(s.document().windowText(), u"");
  EXPECT_FALSE(s.canUndo());
  ASSERT_TRUE(s.redo());
  EXPECT_EQ(s.document().windowText(), u"Hello");
  ASSERT_TRUE(s.redo());
  EXPECT_EQ(s.document().windowText(), u"Hello!");
}

TEST(Undo, BackspaceWhileTypingBelongsToTheTypingStep) {
  EditSession s;
  s.replaceSelection(u"Start ");
  s.typeText(u"wrod");
  s.deleteBackward();
  s.deleteBackward();
  s.deleteBackward();
  s.typeText(u"ord");
  EXPECT_EQ(s.document().windowText(), u"Start word");
  ASSERT_TRUE(s.undo());
  EXPECT_EQ(s.document().windowText(), u"Start ");
}

TEST(Undo, RepeatedBackspaceAndDeleteCoalesce) {
  EditSession s;
  s.replaceSelection(u"abcdef");
  s.setSelection(3, 3);
  s.deleteBackward();
  s.deleteBackward();
  s.deleteForward();
  EXPECT_EQ(s.document().windowText(), u"aef");
  ASSERT_TRUE(s.undo());
  EXPECT_EQ(s.document().windowText(), u"abcdef");
}

TEST(Undo, FormatChangesAreStepsOfTheirOwn) {
  EditSession s;
  s.replaceSelection(u"bold words");
  s.setSelection(0, 4);
  s.setCharFormat(scf::Selection, test::formatWith(cfe::Bold), cfm::Bold);
  ParaFormat centre;
  centre.alignment = pfa::Center;
  s.setParaFormat(centre, pfm::Alignment);
  ASSERT_TRUE(s.undo());
  EXPECT_EQ(s.document().paraFormatAt(0).alignment, pfa::Left);
  EXPECT_TRUE(s.document().charFormatAt(0).has(cfe::Bold));
  ASSERT_TRUE(s.undo());
  EXPECT_FALSE(s.document().charFormatAt(0).has(cfe::Bold));
  EXPECT_EQ(s.document().windowText(), u"bold words");
  ASSERT_TRUE(s.redo());
  EXPECT_TRUE(s.document().charFormatAt(3).has(cfe::Bold));
  EXPECT_FALSE(s.document().charFormatAt(4).has(cfe::Bold));
}

TEST(Undo, UndoingADeletionRestoresTextFormatsParagraphsAndPictures) {
  RichTextDocument doc = documentWithText(u"first\rsecond");
  doc.setCharFormat({1, 3}, test::formatWith(cfe::Italic), cfm::Italic);
  ParaFormat right;
  right.alignment = pfa::Right;
  doc.setParaFormat({0, 0}, right, pfm::Alignment);
  doc.insertPicture({2, 2}, Picture{PictureKind::Png, "png"});
  const RichTextFragment before = doc.copyAll();
  doc.replaceText({1, 9}, u"");
  EXPECT_EQ(doc.paragraphCount(), 1);
  const CharRange restored = doc.undo();
  EXPECT_EQ(restored, (CharRange{1, 9}));
  EXPECT_TRUE(sameContent(doc.copyAll(), before));
  ASSERT_NE(doc.pictureAt(2), nullptr);
  EXPECT_EQ(doc.paraFormatAt(0).alignment, pfa::Right);
}

TEST(Undo, ANewChangeForgetsTheRedoStack) {
  RichTextDocument doc = documentWithText(u"abc");
  doc.replaceText({3, 3}, u"d");
  doc.undo();
  EXPECT_TRUE(doc.canRedo());
  doc.replaceText({0, 0}, u"x");
  EXPECT_FALSE(doc.canRedo());
}

TEST(Undo, TheLimitDropsTheOldestStepsAndZeroSwitchesUndoOff) {
  RichTextDocument doc;
  doc.setUndoLimit(3);
  for (int i = 0; i < 5; ++i) doc.replaceText({i, i}, u"x");
  int steps = 0;
  while (doc.canUndo()) {
    doc.undo();
    ++steps;
  }
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(doc.windowText(), u"xx");
  doc.setUndoLimit(0);
  EXPECT_FALSE(doc.canRedo());
  doc.replaceText({0, 0}, u"y");
  EXPECT_FALSE(doc.canUndo());
}

TEST(Undo, DefaultLimitIsOneHundredSteps) {
  RichTextDocument doc;
  EXPECT_EQ(doc.undoLimit(), 100);
  for (int i = 0; i < 150; ++i) doc.replaceText({0, 0}, u"x");
  int steps = 0;
  while (doc.undo().min >= 0) ++steps;
  EXPECT_EQ(steps, 100);
}

TEST(Undo, GroupsUndoTogether) {
  RichTextDocument doc = documentWithText(u"a a a");
  doc.beginUndoGroup();
  doc.replaceText({0, 1}, u"b");
  doc.replaceText({2, 3}, u"b");
  doc.replaceText({4, 5}, u"b");
  doc.endUndoGroup();
  EXPECT_EQ(doc.windowText(), u"b b b");
  doc.undo();
  EXPECT_EQ(doc.windowText(), u"a a a");
  EXPECT_FALSE(doc.canUndo());
}

TEST(Undo, LoadingOrSwitchingTextModeForgetsTheHistory) {
  EditSession s;
  s.typeText(u"abc");
  s.setTextMode(TextMode::Plain);
  EXPECT_FALSE(s.canUndo());
  s.typeText(u"d");
  s.document().load(RichTextFragment{});
  EXPECT_FALSE(s.canUndo());
}

}  // namespace
}  // namespace richedit
