// Tessary's formatting as the user meets it in the real main window: the side panel's and the
// keys' character and paragraph commands read back from the editor, the refresh of the panel
// from the selection, the format painter, the paragraph dialog, the zoom bar, find and replace
// through the platform's dialogs, and the insertions.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/Insertions.h"
#include "writer/Main.h"
#include "writer/ParaFmt.h"

using namespace writer;
namespace fs = std::filesystem;

namespace {

class TessaryFormatting : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFrmMain>();
    form->SetArguments({});
    form->SetShellStarter([](HWND, const TFrmMain::ShellRequest&) {});
    form->Create();
    form->Show();
    Pump();
  }
  void TearDown() override { form.reset(); }
  static void Pump() { Application::Get().ProcessMessages(); }

  HWND Editor() const { return form->Editor.Handle(); }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageW(Editor(), msg, wp, lp);
  }
  // The document from rich text, as a file would bring it.
  void Load(const std::string& rtf) {
    SETTEXTEX how{ST_DEFAULT, CP_ACP};
    Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(rtf.c_str()));
    Select(0, 0);
  }
  std::wstring Text() { return form->Editor.TextRange(0, GetWindowTextLengthW(Editor()) + 10); }
  void Select(LONG first, LONG last) {
    form->Editor.Select(first, last);
    Pump();
  }
  void SelectWord(const std::wstring& word, int caretOffset = -1) {
    const LONG at = static_cast<LONG>(Text().find(word));
    ASSERT_GE(at, 0) << Narrow(word);
    if (caretOffset >= 0)
      Select(at + caretOffset, at + caretOffset);
    else
      Select(at, at + static_cast<LONG>(word.size()));
  }
  CHARFORMAT2W CharAt(LONG first, LONG last) {
    const CHARRANGE saved = form->Editor.Selection();
    CHARRANGE range{first, last};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    return format;
  }
  CHARFORMAT2W CharOf(const std::wstring& word) {
    const LONG at = static_cast<LONG>(Text().find(word));
    return CharAt(at, at + static_cast<LONG>(word.size()));
  }
  PARAFORMAT2 Para() {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  bool Down(StyledButton& button) { return button.Styled().Down(); }
  void Choose(ComboBox& box, const std::wstring& item) {
    const auto index = SendMessageW(box.Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(item.c_str()));
    ASSERT_NE(index, CB_ERR) << Narrow(item);
    box.SetSelectedIndex(static_cast<int>(index));
    SendMessageW(GetParent(box.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box.Handle()));
    Pump();
  }
  // A click on the upper or lower half of the font size box's arrows.
  void ClickSizeArrow(bool up) {
    HWND arrows =
        FindWindowExW(GetParent(form->FontSize1.Handle()), nullptr, UPDOWN_CLASSW, nullptr);
    RECT r{};
    GetClientRect(arrows, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(arrows, WM_LBUTTONUP, 0, at);
    Pump();
  }

  ScriptedDialogs dialogs;
  std::unique_ptr<TFrmMain> form;
};

const char kTwoParagraphs[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}"
    "\\f0\\fs22 Hello brave world\\par "
    "\\fs26 Second paragraph here\\par "
    "\\f1\\fs20\\i plain target\\i0\\par "
    "\\f0\\fs28\\b\\cf1 Source\\b0\\cf0\\par}";

}  // namespace

TEST_F(TessaryFormatting, StyleCommandsToggleTheTextAtTheCaretOrTheSelection) {
  Load(kTwoParagraphs);
  // No selection: the word at the caret.
  SelectWord(L"brave", 2);
  form->btnBold.Click();
  EXPECT_TRUE(CharOf(L"brave").dwEffects & CFE_BOLD);
  EXPECT_FALSE(CharOf(L"Hello").dwEffects & CFE_BOLD);
  EXPECT_TRUE(Down(form->btnBold));
  SelectWord(L"Hello", 1);
  EXPECT_FALSE(Down(form->btnBold)) << "the refresh follows the caret";
  SelectWord(L"brave", 1);
  EXPECT_TRUE(Down(form->btnBold));

  const struct {
    int command;
    UINT key;
    DWORD effect;
    StyledButton& button;
  } styles[] = {
      {cmdBold, 'B', CFE_BOLD, form->btnBold},
      {cmdItalic, 'I', CFE_ITALIC, form->btnItalic},
      {cmdUnderline, 'U', CFE_UNDERLINE, form->btnUnderline},
  };
  for (const auto& s : styles) {
    SelectWord(L"Second paragraph");
    form->RunCommand(s.command);
    EXPECT_TRUE(CharOf(L"Second paragraph").dwEffects & s.effect) << s.key;
    EXPECT_TRUE(Down(s.button)) << s.key;
    // The key reverses it; the other effects stay as they were.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{Editor(), WM_KEYDOWN, s.key, 0, 0, {}};
    EXPECT_TRUE(form->PreTranslateMessage(msg));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(CharOf(L"Second paragraph").dwEffects & s.effect) << s.key;
    EXPECT_FALSE(Down(s.button)) << s.key;
  }
  EXPECT_TRUE(CharOf(L"brave").dwEffects & CFE_BOLD);
  EXPECT_TRUE(CharOf(L"target").dwEffects & CFE_ITALIC) << "italic text kept its italic";
}

TEST_F(TessaryFormatting, ScriptsTickTheirItemsAndShowTheLabel) {
  Load(kTwoParagraphs);
  SelectWord(L"world");
  const OwnerDrawnMenu& menu = form->AlignMenu();
  form->RunCommand(cmdSuperscript);
  EXPECT_TRUE(CharOf(L"world").dwEffects & CFE_SUPERSCRIPT);
  EXPECT_TRUE(menu.Checked(cmdSuperscript));
  form->RunCommand(cmdSubscript);
  EXPECT_EQ(CharOf(L"world").dwEffects & (CFE_SUPERSCRIPT | CFE_SUBSCRIPT), CFE_SUBSCRIPT);
  EXPECT_FALSE(menu.Checked(cmdSuperscript));
  EXPECT_TRUE(menu.Checked(cmdSubscript));
  Select(0, 0);
  SelectWord(L"world");
  EXPECT_TRUE(form->Label4.Visible());
  EXPECT_EQ(form->Label4.Text(), L"Sub-Script");
  form->RunCommand(cmdSubscript);
  EXPECT_FALSE(CharOf(L"world").dwEffects & (CFE_SUPERSCRIPT | CFE_SUBSCRIPT));
  Select(0, 0);
  SelectWord(L"world");
  EXPECT_FALSE(form->Label4.Visible());
  EXPECT_FALSE(menu.Checked(cmdSubscript));
}

TEST_F(TessaryFormatting, AlignmentSpacingAndListsWriteTheirParagraphFormats) {
  Load(kTwoParagraphs);
  SelectWord(L"brave", 0);  // 11-point text
  const struct {
    int command;
    WORD alignment;
    bool left, center, right;
  } alignments[] = {
      {cmdAlignCenter, PFA_CENTER, false, true, false},
      {cmdAlignRight, PFA_RIGHT, false, false, true},
      {cmdJustify, PFA_JUSTIFY, true, true, true},
      {cmdAlignLeft, PFA_LEFT, true, false, false},
  };
  for (const auto& a : alignments) {
    form->RunCommand(a.command);
    EXPECT_EQ(Para().wAlignment, a.alignment) << a.command;
    EXPECT_EQ(Down(form->btnLeftAlign), a.left) << a.command;
    EXPECT_EQ(Down(form->btnCenterAlign), a.center) << a.command;
    EXPECT_EQ(Down(form->BtnRightAlign), a.right) << a.command;
  }

  const struct {
    const wchar_t* word;
    int command;
    BYTE rule;
    LONG spacing;
  } spacings[] = {
      {L"brave", cmdSpacing15, 3, 16 * 20},      // 11 x 1.5 = 16.5, to the even 16
      {L"paragraph", cmdSpacing15, 3, 20 * 20},  // 13 x 1.5 = 19.5, to the even 20
      {L"paragraph", cmdSpacing2, 5, 40},
      {L"paragraph", cmdSpacing1, 0, 40},  // the spacing stays, the rule changes
  };
  for (const auto& s : spacings) {
    SelectWord(s.word, 0);
    form->RunCommand(s.command);
    const PARAFORMAT2 p = Para();
    EXPECT_EQ(p.bLineSpacingRule, s.rule) << s.command;
    EXPECT_EQ(p.dyLineSpacing, s.spacing) << s.command;
    SelectWord(L"Hello", 0);
    SelectWord(s.word, 0);
    EXPECT_EQ(Down(form->btnSpacing1), s.rule == 0);
    EXPECT_EQ(Down(form->btnSpacing15), s.rule == 3);
    EXPECT_EQ(Down(form->btnSpacing2), s.rule == 5);
  }

  SelectWord(L"brave", 0);
  form->btnNumbering.Click();
  PARAFORMAT2 p = Para();
  EXPECT_EQ(p.wNumbering, PFN_ARABIC);
  EXPECT_EQ(p.wNumberingStyle, PFNS_PERIOD);
  EXPECT_EQ(p.dxOffset, 10 * 20) << "room for the numbers";
  EXPECT_TRUE(Down(form->btnNumbering));
  form->btnBullet.Click();
  EXPECT_EQ(Para().wNumbering, PFN_BULLET);
  EXPECT_TRUE(Down(form->btnBullet));
  EXPECT_FALSE(Down(form->btnNumbering));
  form->btnBullet.Click();
  p = Para();
  EXPECT_EQ(p.wNumbering, 0);
  EXPECT_EQ(p.dxOffset, 0);
  EXPECT_FALSE(Down(form->btnBullet));
}

TEST_F(TessaryFormatting, IndentButtonsCountForTheWholeWindowAndStopAtTheirLimits) {
  Load(kTwoParagraphs);
  SelectWord(L"brave", 0);
  for (int i = 0; i < 3; ++i) form->btnMainIndentInc.Click();
  EXPECT_EQ(Para().dxStartIndent, 60 * 20);
  // Another paragraph continues from the window's counter, not from its own indent.
  SelectWord(L"paragraph", 0);
  form->btnMainIndentInc.Click();
  EXPECT_EQ(Para().dxStartIndent, 80 * 20);
  for (int press = 5; press <= 21; ++press) form->btnMainIndentInc.Click();
  EXPECT_TRUE(dialogs.Calls().empty());
  EXPECT_EQ(Para().dxStartIndent, 420 * 20);
  dialogs.Answer(DialogAnswer::Ok);
  form->btnMainIndentInc.Click();  // the 22nd press
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
  EXPECT_EQ(dialogs.Last().text, L"Maximum Indentation.");
  EXPECT_EQ(Para().dxStartIndent, 420 * 20);
  EXPECT_EQ(form->Formatting().MainIndentPoints(), 420);

  form->btnHangingIndentInc.Click();
  form->btnHangingIndentInc.Click();
  form->btnHangingIndentDec.Click();
  EXPECT_EQ(Para().dxOffset, 20 * 20);
  form->btnHangingIndentDec.Click();
  EXPECT_EQ(Para().dxOffset, 0);
  dialogs.Answer(DialogAnswer::Ok);
  form->btnHangingIndentDec.Click();
  EXPECT_EQ(dialogs.Last().text, L"Minimum Hanging Indentation.");
}

TEST_F(TessaryFormatting, FontNameSizeAndColoursWriteTheSelection) {
  Load(kTwoParagraphs);
  SelectWord(L"brave");
  EXPECT_EQ(form->FontSize1.Value(), 11) << "the refresh shows the size";
  EXPECT_EQ(form->FontName.ItemText(form->FontName.SelectedIndex()), L"Arial");
  ClickSizeArrow(true);
  EXPECT_EQ(CharOf(L"brave").yHeight, 14 * 20) << "11 steps to 13, which moves up to 14";
  EXPECT_EQ(form->FontSize1.Value(), 14);
  ClickSizeArrow(false);
  EXPECT_EQ(CharOf(L"brave").yHeight, 12 * 20);

  ASSERT_FALSE(form->Formatting().SymbolFontNames().empty());
  const std::wstring symbolFace = form->Formatting().SymbolFontNames().front();
  Choose(form->FontName, symbolFace);
  CHARFORMAT2W f = CharOf(L"brave");
  EXPECT_EQ(std::wstring(f.szFaceName), symbolFace);
  EXPECT_EQ(f.bCharSet, SYMBOL_CHARSET);
  SelectWord(L"brave");
  Choose(form->FontName, L"Arial");
  f = CharOf(L"brave");
  EXPECT_STREQ(f.szFaceName, L"Arial");
  EXPECT_EQ(f.bCharSet, DEFAULT_CHARSET);

  SelectWord(L"brave");
  Choose(form->ColorComboBox1, L"Red");
  f = CharOf(L"brave");
  EXPECT_FALSE(f.dwEffects & CFE_AUTOCOLOR);
  EXPECT_EQ(f.crTextColor, RGB(255, 0, 0));
  SelectWord(L"Source");
  EXPECT_EQ(form->ColorComboBox1.ItemText(form->ColorComboBox1.SelectedIndex()), L"Red");
  SelectWord(L"Hello");
  EXPECT_EQ(form->ColorComboBox1.ItemText(form->ColorComboBox1.SelectedIndex()), L"Black")
      << "the automatic colour shows as black";

  SelectWord(L"brave");
  dialogs.AnswerColor(RGB(255, 255, 0));
  form->btnBackground.Click();
  f = CharOf(L"brave");
  EXPECT_FALSE(f.dwEffects & CFE_AUTOBACKCOLOR);
  EXPECT_EQ(f.crBackColor, RGB(255, 255, 0));
  dialogs.AnswerColor(GetSysColor(COLOR_WINDOW));
  form->btnBackground.Click();
  EXPECT_TRUE(CharOf(L"brave").dwEffects & CFE_AUTOBACKCOLOR) << "the window colour is none";
  dialogs.Cancel();
  form->btnBackground.Click();
  EXPECT_TRUE(CharOf(L"brave").dwEffects & CFE_AUTOBACKCOLOR);
}

TEST_F(TessaryFormatting, ThePainterCarriesAFormatToTextSelectedWithTheMouse) {
  Load(kTwoParagraphs);
  SelectWord(L"Source", 2);
  form->sbtnFormat.Click();
  EXPECT_TRUE(form->Formatting().PainterArmed());
  EXPECT_TRUE(Down(form->sbtnFormat));
  SelectWord(L"plain target");
  Send(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_FALSE(form->Formatting().PainterArmed());
  EXPECT_FALSE(Down(form->sbtnFormat));
  const CHARFORMAT2W f = CharOf(L"plain target");
  EXPECT_TRUE(f.dwEffects & CFE_BOLD);
  EXPECT_FALSE(f.dwEffects & CFE_ITALIC);
  EXPECT_EQ(f.crTextColor, RGB(255, 0, 0));
  EXPECT_STREQ(f.szFaceName, L"Arial");
  EXPECT_EQ(f.yHeight, 14 * 20);
  // One step for Undo takes the whole painting back.
  Send(EM_UNDO);
  EXPECT_TRUE(CharOf(L"plain target").dwEffects & CFE_ITALIC);
}

TEST_F(TessaryFormatting, TheParagraphDialogAppliesAtOnceAndCancelRestores) {
  Load(kTwoParagraphs);
  SelectWord(L"brave", 0);
  Send(EM_SETMODIFY, FALSE);
  form->Documents().SetModifiedState(false);
  ModalScript script;
  script.Then<TParaFormatDlg>([&](TParaFormatDlg& d) {
    EXPECT_EQ(d.TabStops.Value(), 36) << "no tab stops show the default";
    d.SpaceBefore.SetText(L"24");
    SendMessageW(d.SpaceBefore.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Para().dySpaceBefore, 24 * 20) << "Enter applies the typed value";
    EXPECT_TRUE(d.SpacingHint.Visible());
    EXPECT_EQ(d.SpacingHint.Text(), L"0.33 Inch / 8.47 mm");
    d.FirstIndent.Step(1);
    d.FirstIndent.OnArrow(1);
    EXPECT_EQ(Para().dxStartIndent, 20);
    d.SetAlignmentIndex(2);
    d.radCenter.Click();
    EXPECT_EQ(Para().wAlignment, PFA_CENTER);
    SaveWindowScreenshot(d.Handle(), L"tessary-paragraph-dialog");
    d.btnCancel.Click();
  });
  form->btnParaFormat.Click();
  PARAFORMAT2 p = Para();
  EXPECT_EQ(p.dySpaceBefore, 0);
  EXPECT_EQ(p.dxStartIndent, 0);
  EXPECT_EQ(p.wAlignment, PFA_LEFT);
  EXPECT_EQ(p.cTabCount, 0) << "Cancel takes the tab stops back too";
  EXPECT_FALSE(form->Documents().Modified());

  // Double spacing from the panel shows as 2 and becomes at least 2 points; 0 is single.
  form->RunCommand(cmdSpacing2);
  script.Then<TParaFormatDlg>([&](TParaFormatDlg& d) {
    EXPECT_EQ(d.LineSpacing.Value(), 2);
    d.SpaceAfter.SetText(L"6");
    d.btnOK.Click();
  });
  form->btnParaFormat.Click();
  p = Para();
  EXPECT_EQ(p.bLineSpacingRule, 3);
  EXPECT_EQ(p.dyLineSpacing, 40);
  EXPECT_EQ(p.dySpaceAfter, 6 * 20) << "OK applies a value typed last";
  ASSERT_EQ(p.cTabCount, 32);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(p.rgxTabs[i] & 0xFFFFFF, (i + 1) * 36 * 20) << i;
  script.Then<TParaFormatDlg>([&](TParaFormatDlg& d) {
    d.LineSpacing.SetText(L"0");
    d.btnOK.Click();
  });
  form->btnParaFormat.Click();
  EXPECT_EQ(Para().bLineSpacingRule, 0);
}

TEST_F(TessaryFormatting, TheZoomBarFollowsItsTable) {
  const struct {
    int position, numerator, denominator;
    const wchar_t* panel;
  } cases[] = {
      {55, 3, 5, L"Zoom Factor: 60%"},
      {195, 19, 10, L"Zoom Factor: 190%"},
      {196, 2, 1, L"Zoom Factor: 200%"},
      {100, 0, 0, L"Zoom Factor: 100%"},
  };
  for (const auto& c : cases) {
    form->ZoomBar.SetPosition(c.position);
    SendMessageW(form->pnlSide.Handle(), WM_HSCROLL, TB_THUMBPOSITION,
                 reinterpret_cast<LPARAM>(form->ZoomBar.Handle()));
    int numerator = -1, denominator = -1;
    Send(EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator));
    EXPECT_EQ(numerator, c.numerator) << c.position;
    EXPECT_EQ(denominator, c.denominator) << c.position;
    EXPECT_EQ(form->StatusBar1.Panel(3), c.panel);
    EXPECT_EQ(L"Zoom: " + form->StatusBar1.Panel(3).substr(13), form->Label1.Text());
  }
}

TEST_F(TessaryFormatting, FindDialogSearchesWithCaseAndWholeWord) {
  Load("{\\rtf1\\ansi The cat sat. The Cat ran. A concatenated cat.\\par}");
  SelectWord(L"cat");
  form->RunCommand(cmdFind);
  Pump();
  HWND find = form->Search().FindDialog();
  ASSERT_TRUE(find);
  wchar_t what[64] = {};
  GetDlgItemTextW(find, 0x480, what, 64);
  EXPECT_STREQ(what, L"cat") << "the selection is the text to find";

  const auto findNext = [&](bool matchCase, bool wholeWord) {
    CheckDlgButton(find, 0x411, matchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(find, 0x410, wholeWord ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(find, IDOK)));
    Pump();
    return form->Editor.Selection();
  };
  const std::wstring text = Text();
  const LONG capital = static_cast<LONG>(text.find(L"Cat"));
  const LONG inside = static_cast<LONG>(text.find(L"cat", text.find(L"con")));
  const LONG first = static_cast<LONG>(text.find(L"cat"));
  const LONG last = static_cast<LONG>(text.rfind(L"cat"));
  const struct {
    bool matchCase, wholeWord;
    LONG expected;
  } steps[] = {
      {false, false, capital},  // from the first hit on: any case
      {true, false, inside},    // inside a word, matching case
      {true, true, last},       // only the whole word
  };
  // Enter in the dialog's box is its Find Next, as the program's message loop hands it over.
  SetForegroundWindow(find);
  SetActiveWindow(find);
  SetFocus(GetDlgItem(find, 0x480));
  MSG enter{GetDlgItem(find, 0x480), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  Application::Get().DispatchOne(enter);
  Pump();
  EXPECT_EQ(form->Editor.Selection().cpMin, capital);
  MSG tab{GetDlgItem(find, 0x480), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  Application::Get().DispatchOne(tab);
  Pump();
  EXPECT_NE(GetFocus(), GetDlgItem(find, 0x480)) << "Tab moves on inside the dialog";
  EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), find);
  Select(4, 7);
  for (const auto& s : steps) {
    const CHARRANGE hit = findNext(s.matchCase, s.wholeWord);
    EXPECT_EQ(hit.cpMin, s.expected) << s.matchCase << s.wholeWord;
    EXPECT_EQ(hit.cpMax, s.expected + 3);
  }
  dialogs.Answer(DialogAnswer::Ok);
  findNext(true, true);
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Warning);
  EXPECT_EQ(dialogs.Last().text, L"Text \"cat\" not found.");

  // Find Next repeats the last search from the caret, without the dialog.
  Select(0, 0);
  form->RunCommand(cmdFindNext);
  EXPECT_EQ(form->Editor.Selection().cpMin, first);
  form->RunCommand(cmdFindNext);
  EXPECT_EQ(form->Editor.Selection().cpMin, last) << "match case and whole word still hold";
  DestroyWindow(find);
  Pump();
}

TEST_F(TessaryFormatting, FindNextBeforeAnySearchOnlyBeeps) {
  Load("{\\rtf1\\ansi xyz\\par}");
  form->RunCommand(cmdFindNext);
  EXPECT_TRUE(dialogs.Calls().empty());
  EXPECT_EQ(form->Editor.Selection().cpMin, 0);
}

TEST_F(TessaryFormatting, ReplaceAllChangesEveryHitAsOneUndoStep) {
  Load("{\\rtf1\\ansi The cat sat. The \\b Cat\\b0  ran.\\par A concatenated cat.\\par}");
  const std::wstring before = Text();
  form->Documents().SetModifiedState(false);
  Select(0, 0);
  form->RunCommand(cmdFindReplace);
  Pump();
  HWND replace = form->Search().ReplaceDialog();
  ASSERT_TRUE(replace);
  SetDlgItemTextW(replace, 0x480, L"cat");
  SetDlgItemTextW(replace, 0x481, L"dog");
  SaveWindowScreenshot(replace, L"tessary-replace-dialog");
  const auto press = [&](int id) {
    SendMessageW(replace, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(replace, id)));
    Pump();
  };
  // Replace finds first, then replaces the hit and finds the next.
  press(0x400);
  EXPECT_EQ(Text(), before);
  press(0x400);
  EXPECT_EQ(Text().substr(0, 12), L"The dog sat.");
  press(0x401);  // Replace All
  EXPECT_EQ(Text().find(L"cat"), std::wstring::npos);
  EXPECT_EQ(Text().find(L"Cat"), std::wstring::npos);
  EXPECT_NE(Text().find(L"condogenated dog."), std::wstring::npos);
  EXPECT_TRUE(CharOf(L"dog ran").dwEffects & CFE_BOLD) << "the hit's format stays";
  EXPECT_TRUE(form->Documents().Modified());
  Send(EM_UNDO);
  EXPECT_EQ(Text().substr(0, 12), L"The dog sat.") << "one step took back all of Replace All";
  EXPECT_NE(Text().find(L"concatenated cat."), std::wstring::npos);
  Send(EM_UNDO);
  EXPECT_EQ(Text(), before);

  dialogs.Answer(DialogAnswer::Ok);
  SetDlgItemTextW(replace, 0x480, L"xyz");
  press(0x401);
  ASSERT_FALSE(dialogs.Calls().empty());
  EXPECT_EQ(dialogs.Last().text, L"Text \"xyz\" not found.");
  EXPECT_EQ(Text(), before);
  DestroyWindow(replace);
  Pump();
}

TEST_F(TessaryFormatting, InsertDateWritesTheLongDateAndKeepsItForTheRun) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  wchar_t shortDate[128], longDate[128];
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, shortDate, 128,
                  nullptr);
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &today, nullptr, longDate, 128, nullptr);
  EXPECT_EQ(FormatProgramShortDate(today), shortDate);
  form->Editor.SetFocus();
  Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"Date: "));
  form->RunCommand(cmdDate);
  EXPECT_EQ(Text(), std::wstring(L"Date: ") + longDate);
  EXPECT_EQ(form->Editor.Selection().cpMin, static_cast<LONG>(Text().size()));
  EXPECT_EQ(FormatProgramShortDate(today), longDate);
}

TEST_F(TessaryFormatting, PicturesEnterAsMetafilesAndUnreadableFilesAreNamed) {
  // A 2 x 2 bitmap file.
  const fs::path bmp = fs::temp_directory_path() / "tessary-insert.bmp";
  {
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{sizeof info, 2, 2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
    const char pixels[16] = {0, 0, 127, 0, 127, 0, 0, 0, 127, 0, 0, 127, 127, 127, 0, 0};
    file.bfSize = file.bfOffBits + sizeof pixels;
    std::ofstream out(bmp, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels, sizeof pixels);
  }
  dialogs.AnswerFile(bmp.wstring());
  form->RunCommand(cmdPicture);
  EXPECT_EQ(dialogs.lastFileRequest.filter.substr(0, 42),
            L"All (*.gif;*.jpg;*.jpeg;*.bmp;*.emf;*.wmf)");
  EXPECT_EQ(GetWindowTextLengthW(Editor()), 1) << "one picture at the caret";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(metafile, sizeof header, &header);
  CloseClipboard();
  EXPECT_EQ(header.rclBounds.right - header.rclBounds.left + 1, 2) << "the picture's own size";

  const fs::path broken = fs::temp_directory_path() / "tessary-broken.jpg";
  std::ofstream(broken, std::ios::binary) << "not a picture";
  dialogs.AnswerFile(broken.wstring()).Answer(DialogAnswer::Ok);
  form->RunCommand(cmdPicture);
  EXPECT_EQ(GetWindowTextLengthW(Editor()), 1) << "nothing entered";
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_NE(dialogs.Last().text.find(broken.wstring()), std::wstring::npos)
      << Narrow(dialogs.Last().text);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "the clipboard kept the picture";
  fs::remove(bmp);
  fs::remove(broken);
}

TEST_F(TessaryFormatting, ScreenshotOfTheSidePanelWithAFormattedSelection) {
  Load(kTwoParagraphs);
  SelectWord(L"Source");
  form->RunCommand(cmdAlignCenter);
  form->RunCommand(cmdSpacing15);
  form->RunCommand(cmdItalic);
  Select(0, 0);
  SelectWord(L"Source");
  EXPECT_TRUE(Down(form->btnBold));
  EXPECT_TRUE(Down(form->btnItalic));
  EXPECT_TRUE(Down(form->btnCenterAlign));
  EXPECT_TRUE(Down(form->btnSpacing15));
  Pump();
  SaveWindowScreenshot(form->Handle(), L"tessary-side-panel-formatted");
}

// A long document is counted once typing pauses; what the label then shows is exact.
TEST_F(TessaryFormatting, TheCountOfALongDocumentFollowsOnceTypingPauses) {
  std::string rtf = "{\\rtf1\\ansi ";
  for (int i = 0; i < 3000; ++i) rtf += "one two, three.\\par ";
  Load(rtf + "}");
  const auto countShown = [&](const std::wstring& expected) {
    for (int i = 0; i < 40 && form->Label3.Text() != expected; ++i) {
      Sleep(50);
      Pump();
    }
    return form->Label3.Text();
  };
  // 3000 paragraphs of 15 characters and CR LF; the last paragraph mark is not text.
  const std::wstring loaded = L"Words: 9000   Characters: 50998";
  EXPECT_EQ(countShown(loaded), loaded);
  Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"four "));
  EXPECT_EQ(form->Label3.Text(), loaded) << "not at every key";
  const std::wstring typed = L"Words: 9001   Characters: 51003";
  EXPECT_EQ(countShown(typed), typed);
}
