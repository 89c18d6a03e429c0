// The character map as the user meets it: the cell and code it opens on, cells chosen by mouse
// and keys, the grid's font, collecting a line and handing characters to the clipboard, and the
// cell it keeps after Close.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/insert/CharMaps.h"
#include "writer/insert/InsertClipboard.h"

using writer::GridCell;

namespace {

class CharacterMap : public testing::Test {
 protected:
  void SetUp() override {
    form.Create(nullptr);
    form.SetFontName(L"Arial");
  }
  // Opens the map and lets the handler act in it.
  int Open(std::function<void(TDLLForm&)> act) {
    ModalScript script;
    script.Then<TDLLForm>(std::move(act));
    return form.ShowModal();
  }
  void ClickCell(int row, int column) {
    SendMessageW(form.StringGrid1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(column * TDLLForm::kCell + 7, row * TDLLForm::kCell + 9));
  }
  void Key(WPARAM key) { SendMessageW(form.StringGrid1.Handle(), WM_KEYDOWN, key, 0); }

  TDLLForm form;
};

TEST_F(CharacterMap, OpensOnCodeSixtyFiveWithAnEmptyLine) {
  Open([](TDLLForm& f) {
    EXPECT_EQ(f.CurrentCell(), (GridCell{3, 5}));
    EXPECT_EQ(f.lblCode.Text(), L"ALT + 065");
    EXPECT_EQ(f.CharacterOf(f.SelectedCode()), L"A");
    EXPECT_EQ(f.Edit1.Text(), L"");
    f.btnClose.Click();
  });
}

TEST_F(CharacterMap, CellsHoldTheirCodesRowByRowWrappingAfter255) {
  const struct {
    int row, column;
    const wchar_t* label;
  } cells[] = {
      {0, 0, L"ALT + 00"},     {0, 19, L"ALT + 019"}, {3, 5, L"ALT + 065"},  {6, 8, L"ALT + 0128"},
      {12, 15, L"ALT + 0255"}, {12, 16, L"ALT + 00"}, {12, 19, L"ALT + 03"},
  };
  for (const auto& c : cells) {
    ClickCell(c.row, c.column);
    EXPECT_EQ(form.CurrentCell(), (GridCell{c.row, c.column}));
    EXPECT_EQ(form.lblCode.Text(), c.label) << c.row << "," << c.column;
  }
}

TEST_F(CharacterMap, ArrowKeysMoveTheCellAndStopAtTheEdges) {
  ClickCell(0, 0);
  const struct {
    WPARAM key;
    GridCell after;
  } steps[] = {
      {VK_LEFT, {0, 0}}, {VK_UP, {0, 0}},     {VK_RIGHT, {0, 1}}, {VK_DOWN, {1, 1}},
      {VK_END, {1, 19}}, {VK_RIGHT, {1, 19}}, {VK_HOME, {1, 0}},
  };
  for (const auto& s : steps) {
    Key(s.key);
    EXPECT_EQ(form.CurrentCell(), s.after) << "key " << s.key;
  }
  ClickCell(12, 3);
  Key(VK_DOWN);
  EXPECT_EQ(form.CurrentCell(), (GridCell{12, 3}));
  EXPECT_EQ(form.lblCode.Text(), L"ALT + 0243");
}

TEST_F(CharacterMap, TheGridFontIsTheChosenFaceAtTwelvePointsInItsCharacterSet) {
  const struct {
    const wchar_t* face;
    BYTE charset;
    int code;
    const wchar_t* character;  // what the code is in that font
  } fonts[] = {
      {L"Symbol", SYMBOL_CHARSET, 0x61, L"a"},
      {L"Wingdings", SYMBOL_CHARSET, 0x4A, L"J"},
      {L"Arial", DEFAULT_CHARSET, 0x80, L"\u20AC"},  // the euro sign of Windows-1252
      {L"Times New Roman", DEFAULT_CHARSET, 0x95, L"\u2022"},
  };
  for (const auto& f : fonts) {
    form.SetFontName(f.face);
    const LOGFONTW grid = form.GridFont();
    EXPECT_STREQ(grid.lfFaceName, f.face);
    EXPECT_EQ(grid.lfCharSet, f.charset) << Narrow(f.face);
    EXPECT_EQ(grid.lfHeight, -16) << "12 points at 96 dots per inch";
    EXPECT_EQ(form.CharacterOf(f.code), f.character) << Narrow(f.face);
  }
  form.SetFontName(L"No Such Face Installed");
  EXPECT_EQ(form.FontName(), L"Times New Roman") << "an unknown face leaves the font";
}

TEST_F(CharacterMap, AddCollectsALineThatInsertLineHandsOver) {
  form.SetFontName(L"Symbol");
  const int result = Open([](TDLLForm& f) {
    EXPECT_FALSE(f.btnInsertLine.Enabled()) << "an empty line has nothing to insert";
    SendMessageW(f.StringGrid1.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(17 * 24 + 3, 4 * 24 + 3));
    ASSERT_EQ(f.SelectedCode(), 0x61);
    for (int i = 0; i < 3; ++i) f.btnAdd.Click();
    EXPECT_EQ(f.Edit1.Text(), L"aaa");
    f.btnInsertLine.Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(writer::ClipboardGetText(nullptr), L"aaa");
}

TEST_F(CharacterMap, InsertHandsOneCharacterOverButNotAControlCode) {
  writer::ClipboardPutText(nullptr, L"earlier");
  EXPECT_EQ(Open([](TDLLForm& f) {
              f.SelectCell({12, 19});  // code 3
              EXPECT_FALSE(f.btnInsert.Enabled());
              EXPECT_FALSE(f.btnAdd.Enabled());
              f.SelectCell({0, 9});  // the tab
              EXPECT_TRUE(f.btnInsert.Enabled());
              f.SelectCell({10, 9});  // code 209
              f.btnInsert.Click();
            }),
            mrOk);
  EXPECT_EQ(writer::ClipboardGetText(nullptr), L"\u00D1");
}

TEST_F(CharacterMap, CloseInsertsNothingAndKeepsTheCellForTheNextOpening) {
  writer::ClipboardPutText(nullptr, L"earlier");
  EXPECT_EQ(Open([](TDLLForm& f) {
              f.SelectCell({7, 2});
              f.btnAdd.Click();
              f.btnClose.Click();
            }),
            mrCancel);
  EXPECT_EQ(writer::ClipboardGetText(nullptr), L"earlier");
  Open([](TDLLForm& f) {
    EXPECT_EQ(f.CurrentCell(), (GridCell{7, 2}));
    EXPECT_EQ(f.lblCode.Text(), L"ALT + 0142");
    EXPECT_EQ(f.Edit1.Text(), L"") << "the line starts empty each time";
    SendMessageW(f.Handle(), WM_COMMAND, IDCANCEL, 0);  // Escape
  });
  EXPECT_EQ(form.CurrentCell(), (GridCell{7, 2}));
}

TEST_F(CharacterMap, Screenshot) {
  form.SetFontName(L"Times New Roman");
  form.Show();
  for (GridCell cell : {GridCell{11, 8}, GridCell{8, 9}, GridCell{11, 4}}) {
    form.SelectCell(cell);
    form.btnAdd.Click();
  }
  form.StringGrid1.SetFocus();
  SaveWindowScreenshot(form.Handle(), L"tessary-character-map");
}

}  // namespace
