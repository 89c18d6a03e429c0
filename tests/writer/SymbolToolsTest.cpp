// The main window's symbol insert commands: each tool's result pasted at the caret, nothing
// when a tool closes without one, and characters from the map in the map's font with the size
// and colour of the text at the caret.
#include <windows.h>

#include <richedit.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/Main.h"
#include "writer/insert/InsertClipboard.h"

using namespace writer;

namespace {

class TessarySymbols : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFrmMain>();
    form->SetShellStarter([](HWND, const TFrmMain::ShellRequest&) {});
    form->Create();
    form->Show();
    Application::Get().ProcessMessages();
  }
  void TearDown() override { form.reset(); }

  HWND Editor() const { return form->Editor.Handle(); }
  std::wstring Text() const {
    wchar_t text[1024] = {};
    GetWindowTextW(Editor(), text, 1024);
    return text;
  }
  // Arial 12 points in dark red, the caret after "xy" of "xyz".
  void TypeColouredText() {
    SendMessageW(Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"xyz"));
    form->Editor.Select(0, -1);
    CHARFORMAT2W red{};
    red.cbSize = sizeof red;
    red.dwMask = CFM_COLOR;
    red.crTextColor = RGB(128, 0, 0);
    SendMessageW(Editor(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&red));
    form->Editor.Select(2, 2);
  }
  CHARFORMAT2W FormatAt(LONG at) {
    form->Editor.Select(at, at + 1);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(Editor(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  std::string Rtf() {
    std::string rtf;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0,
                      [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
                        reinterpret_cast<std::string*>(cookie)->append(
                            reinterpret_cast<char*>(buffer), static_cast<std::size_t>(size));
                        *done = size;
                        return 0;
                      }};
    SendMessageW(Editor(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return rtf;
  }
  static int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size())
      ++n;
    return n;
  }

  ScriptedDialogs dialogs;
  std::unique_ptr<TFrmMain> form;
};

TEST_F(TessarySymbols, TheThreeCommandsAndTheirButtonsAreEnabled) {
  for (int command : {cmdEmoticons, cmdSpecialChar, cmdInsertEquation})
    EXPECT_TRUE(form->CommandEnabled(command)) << command;
  EXPECT_TRUE(form->ToolBar1.CommandEnabled(cmdEmoticons));
  EXPECT_TRUE(form->ToolBar1.CommandEnabled(cmdSpecialChar));
  EXPECT_TRUE(form->EditorMenu().Enabled(cmdInsertEquation));
}

TEST_F(TessarySymbols, ASymbolCharacterTakesTheMapsFontAndTheCaretsSizeAndColour) {
  TypeColouredText();
  ModalScript script;
  script.Then<TDLLForm>([](TDLLForm& map) {
    EXPECT_EQ(map.FontName(), L"Arial") << "the map opens on the font at the caret";
    map.SetFontName(L"Symbol");
    map.SelectCell({4, 17});  // 0x61, alpha in Symbol
    map.btnInsert.Click();
  });
  form->RunCommand(cmdSpecialChar);
  EXPECT_EQ(Text(), L"xyaz");
  EXPECT_EQ(ClipboardGetText(nullptr), L"a");
  const CHARFORMAT2W inserted = FormatAt(2);
  EXPECT_STREQ(inserted.szFaceName, L"Symbol");
  EXPECT_EQ(inserted.bCharSet, SYMBOL_CHARSET);
  EXPECT_EQ(inserted.yHeight, 12 * 20);
  EXPECT_EQ(inserted.crTextColor, RGB(128, 0, 0));
  for (LONG around : {0, 1, 3}) {
    const CHARFORMAT2W other = FormatAt(around);
    EXPECT_STREQ(other.szFaceName, L"Arial") << "the word at the caret keeps its font";
    EXPECT_EQ(other.bCharSet, DEFAULT_CHARSET);
  }
}

TEST_F(TessarySymbols, AddThreeTimesThenInsertLineInsertsThreeCopiesInTheChosenFont) {
  TypeColouredText();
  ModalScript script;
  script.Then<TDLLForm>([](TDLLForm& map) {
    map.SetFontName(L"Times New Roman");
    map.SelectCell({8, 8});  // 168, the diaeresis of Windows-1252
    for (int i = 0; i < 3; ++i) map.btnAdd.Click();
    map.btnInsertLine.Click();
  });
  form->RunCommand(cmdSpecialChar);
  EXPECT_EQ(Text(), L"xy\u00A8\u00A8\u00A8z");
  for (LONG at = 2; at < 5; ++at) {
    const CHARFORMAT2W f = FormatAt(at);
    EXPECT_STREQ(f.szFaceName, L"Times New Roman");
    EXPECT_EQ(f.bCharSet, DEFAULT_CHARSET);
  }
}

TEST_F(TessarySymbols, ClosedToolsInsertNothingWhateverTheClipboardHolds) {
  SendMessageW(Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"text"));
  ClipboardPutText(nullptr, L"clipboard");
  ModalScript script;
  script.Then<TDLLForm>([](TDLLForm& map) { map.btnClose.Click(); })
      .Then<TfrmEmoticons>([](TfrmEmoticons& picker) { picker.btnClose.Click(); })
      .Then<TfrmEBuilder>([](TfrmEBuilder& builder) {
        builder.InsertButton(0).Click();
        CHARRANGE all{0, -1};
        SendMessageW(builder.EQBuilder.Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
        builder.btnCopy.Click();
        builder.btnClose.Click();
      });
  form->RunCommand(cmdSpecialChar);
  form->RunCommand(cmdEmoticons);
  form->RunCommand(cmdInsertEquation);
  EXPECT_EQ(Text(), L"text");
}

TEST_F(TessarySymbols, EmoticonsPasteTheirLineOrPictureAtTheCaret) {
  ModalScript script;
  script.Then<TfrmEmoticons>([](TfrmEmoticons& picker) { picker.Item(32).Click(); })
      .Then<TfrmEmoticons>([](TfrmEmoticons& picker) { picker.Item(2).Click(); });
  form->RunCommand(cmdEmoticons);
  const std::wstring line = Text();
  ASSERT_EQ(line.size(), 51u);
  EXPECT_EQ(line.find(L' '), 25u);
  EXPECT_EQ(line.rfind(L' '), 25u) << "a single blank in the middle";
  EXPECT_FALSE(form->Symbols().frmEmoticons.Chosen()) << "the window's report is cleared";
  form->RunCommand(cmdEmoticons);
  EXPECT_EQ(Count(Rtf(), "\\pict"), 1);
  EXPECT_EQ(Count(Rtf(), "\\emfblip"), 1);
}

TEST_F(TessarySymbols, AnEquationIsPastedAsTextOrAsAPicture) {
  ModalScript script;
  script
      .Then<TfrmEBuilder>([](TfrmEBuilder& builder) {
        builder.InsertButton(25).Click();  // code 0x5A, capital zeta
        builder.btnInsertText.Click();
      })
      .Then<TfrmEBuilder>([](TfrmEBuilder& builder) { builder.btnInsertImage.Click(); });
  form->RunCommand(cmdInsertEquation);
  EXPECT_EQ(Text(), L"Z");
  EXPECT_STREQ(FormatAt(0).szFaceName, L"Symbol");
  EXPECT_EQ(FormatAt(0).bCharSet, SYMBOL_CHARSET);
  form->Editor.Select(1, 1);
  form->RunCommand(cmdInsertEquation);
  EXPECT_EQ(Count(Rtf(), "\\emfblip"), 1);
  EXPECT_EQ(GetWindowTextLengthW(Editor()), 2) << "the letter and one picture";
}

}  // namespace
