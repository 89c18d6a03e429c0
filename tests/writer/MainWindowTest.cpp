// Tessary's main window as the user meets it: its layout and placement, the toolbar with its
// hints, the editor's set-up, short-cut keys, the context and drop-down menus, the programs it
// starts, links, protected text, closing with unsaved changes, and screenshots of the look.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/ExeFolder.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/Main.h"

using namespace writer;
namespace fs = std::filesystem;

namespace {

class TessaryMainWindow : public testing::Test {
 protected:
  void SetUp() override { Start({}); }
  void TearDown() override {
    HoldCtrl(false);
    form.reset();
  }

  void Start(std::vector<std::wstring> arguments) {
    form = std::make_unique<TFrmMain>();
    form->SetArguments(std::move(arguments));
    form->SetShellStarter(
        [this](HWND, const TFrmMain::ShellRequest& request) { started.push_back(request); });
    form->Create();
    form->Show();
    Pump();
  }
  static void Pump() { Application::Get().ProcessMessages(); }

  HWND Editor() const { return form->Editor.Handle(); }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageW(Editor(), msg, wp, lp);
  }
  std::wstring Text() {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Editor())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(Editor(), text.data(), static_cast<int>(text.size()))));
    return text;
  }
  void Type(const std::wstring& text) {
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void StreamIn(const std::string& rtf) {
    struct Reader {
      const std::string* data;
      std::size_t at = 0;
    } reader{&rtf};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reader), 0,
                      [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
                        auto* r = reinterpret_cast<Reader*>(cookie);
                        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(size),
                                                                    r->data->size() - r->at);
                        std::copy_n(r->data->data() + r->at, n, buffer);
                        r->at += n;
                        *done = static_cast<LONG>(n);
                        return 0;
                      }};
    Send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  }
  // Ctrl as the keyboard state reports it, for the short-cut keys.
  static void HoldCtrl(bool held) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = held ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  bool PressKey(UINT key, bool ctrl) {
    HoldCtrl(ctrl);
    MSG msg{
        Editor(), key == VK_F10 ? static_cast<UINT>(WM_SYSKEYDOWN) : static_cast<UINT>(WM_KEYDOWN),
        key,      0,
        0,        {}};
    const bool used = form->PreTranslateMessage(msg);
    HoldCtrl(false);
    return used;
  }
  RECT ChildRect(HWND child) const {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void MoveMouse(HWND window, POINT p) {
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }
  std::wstring Hint() const { return form->StatusBar1.Panel(0); }

  ScriptedDialogs dialogs;
  std::unique_ptr<TFrmMain> form;
  std::vector<TFrmMain::ShellRequest> started;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST_F(TessaryMainWindow, FillsTheWorkAreaHeightCentredAndLaysOutItsRegions) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT outer = form->Bounds();
  EXPECT_EQ(outer.right - outer.left, 1024);
  EXPECT_EQ(outer.top, work.top);
  EXPECT_EQ(outer.bottom - outer.top, work.bottom - work.top);
  EXPECT_EQ(outer.left, (work.right - work.left - 1024) / 2);

  const RECT client = form->ClientRect();
  const RECT status = ChildRect(form->StatusBar1.Handle());
  EXPECT_EQ(status.bottom, client.bottom);
  struct Region {
    const char* name;
    HWND window;
    RECT expected;
  } regions[] = {
      {"toolbar", form->ToolBar1.Handle(), {0, 0, client.right, 42}},
      {"top spacer", form->spcTop.Handle(), {0, 42, client.right, 52}},
      {"left spacer", form->spcLeft.Handle(), {0, 52, 10, status.top}},
      {"side panel", form->pnlSide.Handle(), {10, 52, 314, status.top}},
      {"editor", Editor(), {314, 52, client.right, status.top}},
  };
  for (const Region& r : regions) {
    const RECT at = ChildRect(r.window);
    EXPECT_TRUE(EqualRect(&at, &r.expected))
        << r.name << " at " << at.left << "," << at.top << "," << at.right << "," << at.bottom;
  }

  int edges[StatusPanels::kPanelCount] = {};
  ASSERT_EQ(SendMessageW(form->StatusBar1.Handle(), SB_GETPARTS, StatusPanels::kPanelCount,
                         reinterpret_cast<LPARAM>(edges)),
            StatusPanels::kPanelCount);
  const int widths[] = {315, 150, 110, 150, 50, 50, 50, 70, 50};
  int left = 0;
  for (int i = 0; i < StatusPanels::kPanelCount; ++i) {
    EXPECT_EQ(edges[i] - left, widths[i]) << "panel " << i;
    left = edges[i];
  }
}

TEST_F(TessaryMainWindow, PlacementPutsAMovedWindowBackButLeavesAMaximisedOneAlone) {
  const RECT placed = form->Bounds();
  form->SetBounds(5, 7, 600, 400);
  form->PlaceMainWindow();
  RECT now = form->Bounds();
  EXPECT_TRUE(EqualRect(&now, &placed));

  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Pump();
  const RECT maximised = form->Bounds();
  form->PlaceMainWindow();
  now = form->Bounds();
  EXPECT_TRUE(EqualRect(&now, &maximised));
}

TEST_F(TessaryMainWindow, ToolbarButtonsRunLeftToRightAndShowTheirHintsInPanelZero) {
  const struct {
    int command;
    const wchar_t* hint;
    bool enabled;
  } buttons[] = {
      {cmdNew, L"Start a New Document", true},
      {cmdHistory, L"Open Document History...", true},
      {cmdOpen, L"Open a Document...", true},
      {cmdSave, L"Save Current Document...", true},
      {cmdQuickPrint, L"Quick Print", true},
      {cmdPrintPreview, L"Print Preview...", true},
      {cmdCut, L"Cut Selection To Clipboard", true},
      {cmdCopy, L"Copy Selection To Clipboard", true},
      {cmdPaste, L"Paste From Clipboard", true},
      {cmdUndo, L"Undo Action", true},
      {cmdRedo, L"Redo Action", true},
      {cmdFind, L"Find Text...", true},
      {cmdDate, L"Insert Current Date", true},
      {cmdPicture, L"Insert a Picture...", true},
      {cmdEmoticons, L"Insert an Emotional Icon...", true},
      {cmdSpecialChar, L"Insert a Special Character...", true},
      {cmdClose, L"Leave Ombrel Tessary Express", true},
  };
  HWND bar = form->ToolBar1.Handle();
  LONG previousRight = 0;
  for (const auto& b : buttons) {
    const RECT r = form->ToolBar1.ButtonRect(b.command);
    EXPECT_GE(r.left, previousRight) << Narrow(b.hint);
    EXPECT_EQ(r.bottom - r.top, MainToolbar::kButtonHeight);
    EXPECT_GE(r.right - r.left, MainToolbar::kButtonWidth);
    previousRight = r.right;
    EXPECT_EQ(form->ToolBar1.CommandEnabled(b.command), b.enabled) << Narrow(b.hint);
    MoveMouse(bar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_EQ(Hint(), b.hint);
  }
  const RECT client = form->ClientRect();
  EXPECT_LE(previousRight, client.right) << "every button is within the window";

  // Clicks arrive as the toolbar reports them; a disabled command does nothing.
  form->SetCommandEnabled(cmdEmoticons, false);
  EXPECT_FALSE(form->ToolBar1.CommandEnabled(cmdEmoticons));
  Type(L"changed");
  dialogs.Answer(DialogAnswer::Cancel);
  for (int command : {cmdEmoticons, cmdNew})
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar));
  ASSERT_EQ(dialogs.Calls().size(), 1u) << "only New asked about the changes";
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Confirmation);

  MoveMouse(form->spcTop.Handle(), POINT{3, 3});
  EXPECT_EQ(Hint(), L"");
  MoveMouse(bar, POINT{5, 5});
  MoveMouse(form->spcLeft.Handle(), POINT{3, 30});
  EXPECT_EQ(Hint(), L"");
}

TEST_F(TessaryMainWindow, SidePanelButtonsShowTheirHintsAndThePanelClearsThem) {
  const struct {
    Control& control;
    const wchar_t* hint;
    bool enabled;
  } buttons[] = {
      {form->btnHelp, L"Help File...", true},
      {form->btnLastDocument, L"Open Last Active Document", true},
      {form->btnEnvelope, L"Open Envelope Printer...", true},
      {form->btnSpellCheck, L"Open Spell Checker...", true},
      {form->btnMailMerge, L"Open Mail Merge...", true},
      {form->btnBold, L"Bold|Make Text Selection Bold", true},
      {form->btnBackground, L"Text Highlight Colour |Text Background Colour", true},
      {form->btnMainIndentInc, L"Increase Indent", true},
      {form->sbtnFormat, L"Format Painter", true},
      {form->btnParaFormat, L"Paragraph Attributes...", true},
  };
  for (const auto& b : buttons) {
    MoveMouse(b.control.Handle(), POINT{5, 5});
    EXPECT_EQ(Hint(), b.hint);
    EXPECT_EQ(b.control.Enabled(), b.enabled) << Narrow(b.hint);
    MoveMouse(form->pnlSide.Handle(), POINT{150, 4});
    EXPECT_EQ(Hint(), L"") << "over the panel itself";
  }
  EXPECT_EQ(form->pnlSide.Text(), L"Text Properties");
  for (Control* box : std::initializer_list<Control*>{&form->FontName, &form->FontSize1,
                                                      &form->ColorComboBox1, &form->ZoomBar})
    EXPECT_TRUE(box->Enabled());
}

TEST_F(TessaryMainWindow, TheEditorIsSetUpForTheDocument) {
  EXPECT_EQ(Send(EM_GETEVENTMASK), ENM_CHANGE | ENM_SELCHANGE | ENM_LINK | ENM_PROTECTED);
  const LONG_PTR style = GetWindowLongPtrW(Editor(), GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(Editor(), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_TRUE(style & ES_DISABLENOSCROLL) << "the scroll bar is always shown";
  EXPECT_TRUE(style & ES_NOHIDESEL);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_FALSE(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  EXPECT_EQ(Send(EM_GETTEXTMODE) & TM_RICHTEXT, TM_RICHTEXT);

  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, L"Arial");
  EXPECT_EQ(format.yHeight, 240);
  EXPECT_FALSE(format.dwEffects & (CFE_BOLD | CFE_ITALIC));

  // A hundred steps can be undone, the hundred and first not.
  for (int i = 0; i < 101; ++i) {
    Type(L"x");
    Send(EM_STOPGROUPTYPING);
  }
  int undone = 0;
  while (Send(EM_CANUNDO) && undone < 200) {
    Send(EM_UNDO);
    ++undone;
  }
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(Text(), L"x");

  // The Tab key reaches the document instead of moving the focus.
  form->Editor.SetFocus();
  MSG tab{Editor(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  Application::Get().DispatchOne(tab);
  Pump();
  EXPECT_EQ(Text(), L"x\t");
  EXPECT_EQ(GetFocus(), Editor());
}

TEST_F(TessaryMainWindow, ShortcutKeysReachTheirCommandsAndDisabledOnesDoNothing) {
  Type(L"some text");
  // The document commands ask before they drop a modified document: Cancel shows they ran.
  const struct {
    UINT key;
    const char* name;
  } asking[] = {{'N', "Ctrl+N"}, {'O', "Ctrl+O"}};
  for (const auto& k : asking) {
    dialogs.ClearCalls();
    dialogs.Answer(DialogAnswer::Cancel);
    EXPECT_TRUE(PressKey(k.key, true)) << k.name;
    ASSERT_EQ(dialogs.Calls().size(), 1u) << k.name;
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Confirmation) << k.name;
  }
  dialogs.ClearCalls();
  dialogs.Cancel();
  EXPECT_TRUE(PressKey('S', true));
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::SaveFile);
  EXPECT_EQ(Text(), L"some text");

  EXPECT_TRUE(PressKey(VK_F10, false));
  EXPECT_TRUE(PressKey(VK_F9, false));
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].file, ExeFolder() + L"Brolley.exe");
  EXPECT_EQ(started[1].file, ExeFolder() + L"Quarnet.exe");

  // Ctrl+H shows the history window.
  dialogs.ClearCalls();
  ModalScript modal;
  modal.Then<THistoryForm>([](THistoryForm& h) { h.btnCloseClick(); });
  EXPECT_TRUE(PressKey('H', true));
  EXPECT_EQ(modal.Shown(), 1u);
  EXPECT_TRUE(dialogs.Calls().empty());

  EXPECT_FALSE(PressKey('Q', true)) << "other keys go on to the control";
  EXPECT_FALSE(PressKey(VK_F9, true));
}

TEST_F(TessaryMainWindow, KeyStatePanelsFollowTheToggleKeysPressedInTheEditor) {
  const struct {
    bool num, caps, scroll, insert;
    const wchar_t* panels[4];
  } cases[] = {
      {false, false, false, false, {L"", L"", L"", L"INSERT"}},
      {true, true, true, true, {L"NUM", L"CAPS", L"SCROLL", L"OVERWRITE"}},
      {true, false, true, false, {L"NUM", L"", L"SCROLL", L"INSERT"}},
  };
  BYTE saved[256];
  GetKeyboardState(saved);
  for (const auto& c : cases) {
    BYTE keys[256];
    std::copy(std::begin(saved), std::end(saved), keys);
    keys[VK_NUMLOCK] = c.num;
    keys[VK_CAPITAL] = c.caps;
    keys[VK_SCROLL] = c.scroll;
    keys[VK_INSERT] = c.insert;
    SetKeyboardState(keys);
    Send(WM_KEYDOWN, VK_CAPITAL);
    Pump();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form->StatusBar1.Panel(4 + i), c.panels[i]) << i;
  }
  SetKeyboardState(saved);
}

// The count and the caret's place follow every selection change.
TEST_F(TessaryMainWindow, TheWordCountAndCaretPositionFollowTheSelection) {
  EXPECT_EQ(form->Label3.Text(), L"Words:   0   Characters:   0");
  Send(EM_SETEVENTMASK, 0, EditorBox::kEventMask);
  Type(L"Dear Ms Lindqvist,\rThank you.");
  Pump();
  EXPECT_EQ(form->Label3.Text(), L"Words:   5   Characters:  30") << "CR LF counts twice";
  CHARRANGE at{22, 22};  // "Tha|nk", on the second line
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
  Pump();
  EXPECT_EQ(form->StatusBar1.Panel(1), L"Line:   2  Column:   4");
}

TEST_F(TessaryMainWindow, TheContextMenuListsTheEditingCommands) {
  struct Item {
    int id;
    const wchar_t* caption;
    const wchar_t* shortcut;
    bool enabled;
  };
  const Item expected[] = {
      {cmdCut, L"Cu&t", L"Ctrl+X", true},
      {cmdCopy, L"&Copy", L"Ctrl+C", true},
      {cmdPaste, L"&Paste", L"Ctrl+V", true},
      {0, L"", L"", true},
      {cmdSelectAll, L"Select All", L"Ctrl+A", true},
      {0, L"", L"", true},
      {cmdClearSelection, L"Clear Selection", L"Ctrl+D", true},
      {cmdClearAll, L"Clear All", L"", true},
      {0, L"", L"", true},
      {cmdInsertTable, L"Insert Table...", L"", true},
      {cmdInsertEquation, L"Insert From Equation Builder...", L"", true},
      {0, L"", L"", true},
      {cmdHideSidePanel, L"Hide Side Panel", L"", true},
  };
  const OwnerDrawnMenu& menu = form->EditorMenu();
  ASSERT_EQ(menu.Entries().size(), std::size(expected));
  ASSERT_EQ(GetMenuItemCount(menu.Handle()), static_cast<int>(std::size(expected)));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const MenuEntry& e = menu.Entries()[i];
    EXPECT_EQ(e.id, expected[i].id) << i;
    EXPECT_EQ(e.caption, expected[i].caption) << i;
    EXPECT_EQ(e.shortcut, expected[i].shortcut) << i;
    if (e.id) {
      EXPECT_EQ(menu.Enabled(e.id), expected[i].enabled) << Narrow(e.caption);
    }
  }

  Type(L"Hello world");
  form->Editor.Select(0, 6);
  form->RunCommand(cmdClearSelection);
  EXPECT_EQ(Text(), L"world");
  form->RunCommand(cmdSelectAll);
  const CHARRANGE all = form->Editor.Selection();
  EXPECT_EQ(all.cpMin, 0);
  EXPECT_GE(all.cpMax, 5);
  form->RunCommand(cmdClearAll);
  EXPECT_EQ(Text(), L"");

  form->RunCommand(cmdHideSidePanel);
  EXPECT_FALSE(form->pnlSide.Visible());
  EXPECT_TRUE(menu.Checked(cmdHideSidePanel));
  EXPECT_EQ(ChildRect(Editor()).left, TFrmMain::kSpacer);
  form->RunCommand(cmdHideSidePanel);
  EXPECT_TRUE(form->pnlSide.Visible());
  EXPECT_FALSE(menu.Checked(cmdHideSidePanel));
  EXPECT_EQ(ChildRect(Editor()).left, TFrmMain::kSpacer + SidePanelControls::kWidth);
}

TEST_F(TessaryMainWindow, MenuItemsAreSizedFromTheirTexts) {
  const MenuTextSizes sizes{{50, 19}, {40, 19}, {120, 18}};
  const struct {
    const char* name;
    MenuEntry entry;
    bool images;
    SIZE expected;
  } cases[] = {
      {"plain separator", MenuEntry::Separator(), true, {10, 3}},
      {"titled separator", MenuEntry::Separator(L"Group"), true, {50 + 12, 19 + 16}},
      {"caption only", {1, L"Open", L"", L""}, false, {50 + 6, 19 + 0 + 21}},
      {"short-cut", {1, L"Copy", L"Ctrl+C"}, false, {50 + 40 + 6 + 6, 19 + 21}},
      {"wider hint",
       {1, L"Save", L"", L"Save under a new name"},
       true,
       {120 + 6 + 38, 19 + 18 + 21}},
  };
  for (const auto& c : cases) {
    MenuTextSizes measured = sizes;
    if (c.entry.shortcut.empty()) measured.shortcut = {};
    if (c.entry.hint.empty()) measured.hint = {};
    const SIZE size = MenuItemSize(c.entry, measured, c.images);
    EXPECT_EQ(size.cx, c.expected.cx) << c.name;
    EXPECT_EQ(size.cy, c.expected.cy) << c.name;
  }
}

TEST_F(TessaryMainWindow, TheHelpButtonShowsTheShortcutText) {
  dialogs.Answer(DialogAnswer::Ok);
  form->btnHelp.Click();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
  const std::wstring& text = dialogs.Last().text;
  EXPECT_TRUE(text.starts_with(L"Short-Cut keys for the editor\r\n^^^^^^^^^^^^^^^^^\r\nCtrl + O "));
  EXPECT_NE(text.find(L"\r\nCtrl + I    -   Italic\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"\r\n\r\nF9            -   Open Custom Spell Checker with text...\r\n"),
            std::wstring::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 32) << "33 lines";
  EXPECT_TRUE(text.ends_with(L"\r\n- Print Preview - Page Margins"));
}

TEST_F(TessaryMainWindow, SiblingProgramsAndNewWindowsStartFromTheProgramFolder) {
  Type(L"Check this text");
  form->Editor.Select(3, 3);
  const struct {
    std::function<void()> trigger;
    const wchar_t* file;
    const wchar_t* verb;
    int show;
  } cases[] = {
      {[&] { form->btnSpellCheck.Click(); }, L"Quarnet.exe", L"open", SW_SHOWNORMAL},
      {[&] { form->btnMailMerge.Click(); }, L"Brolley.exe", L"open", SW_SHOWNORMAL},
      {[&] { form->btnEnvelope.Click(); }, L"Hollin.exe", L"open", SW_SHOWNORMAL},
      {[&] { form->RunCommand(cmdNewWindow); }, L"Tessary.exe", L"Open", SW_SHOW},
  };
  for (const auto& c : cases) {
    started.clear();
    c.trigger();
    ASSERT_EQ(started.size(), 1u) << Narrow(c.file);
    EXPECT_EQ(started[0].file, ExeFolder() + c.file);
    EXPECT_EQ(started[0].verb, c.verb);
    EXPECT_EQ(started[0].show, c.show);
  }
  // With nothing selected the spell checker gets the whole text through the clipboard.
  const CHARRANGE selection = form->Editor.Selection();
  EXPECT_EQ(selection.cpMin, 0);
  EXPECT_GE(selection.cpMax, 15);
  ASSERT_TRUE(OpenClipboard(nullptr));
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const std::wstring clip = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(clip.substr(0, 15), L"Check this text");
}

TEST_F(TessaryMainWindow, LinksOpenThroughTheShellAndProtectedTextStays) {
  StreamIn(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Visit "
      "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/\"}{\\fldrslt https://example.org/}}"
      " or keep {\\protect fixed} words.\\par}");
  const std::wstring text = Text();
  const LONG link = static_cast<LONG>(text.find(L"https"));
  ENLINK click{{Editor(), static_cast<UINT_PTR>(GetDlgCtrlID(Editor())), EN_LINK},
               WM_LBUTTONUP,
               0,
               0,
               {link, link + 20}};
  SendMessageW(form->Handle(), WM_NOTIFY, click.nmhdr.idFrom, reinterpret_cast<LPARAM>(&click));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].file, L"https://example.org/");
  EXPECT_EQ(started[0].verb, L"Open");
  EXPECT_EQ(started[0].show, SW_SHOW);

  const LONG fixed = static_cast<LONG>(text.find(L"fixed"));
  form->Editor.Select(fixed, fixed + 5);
  Type(L"loose");
  EXPECT_EQ(Text(), text) << "protected text is never changed";
}

TEST_F(TessaryMainWindow, ClosingWithChangesAsksAndCancelKeepsTheWindow) {
  Type(L"unsaved");
  dialogs.Answer(DialogAnswer::Cancel);
  form->Close();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(Text(), L"unsaved");
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().text, L"Save changes to  [Untitled Document] ?");

  dialogs.Answer(DialogAnswer::No);
  form->BtnCloseClick();
  EXPECT_FALSE(form->Visible()) << "faded out and hidden";
}

TEST_F(TessaryMainWindow, TheFirstArgumentOpensWhenItNamesAnExistingFile) {
  const fs::path file = fs::temp_directory_path() / "tessary-start.txt";
  std::ofstream(file, std::ios::binary) << "plain start";
  const struct {
    std::wstring argument;
    std::wstring caption;
  } cases[] = {
      {file.wstring(), L"Ombrel Tessary Express >>  [" + file.wstring() + L"]"},
      {(fs::temp_directory_path() / "no-such-file.txt").wstring(), L"Ombrel Tessary Express"},
  };
  for (const auto& c : cases) {
    form.reset();
    Start({c.argument});
    EXPECT_EQ(form->Caption(), c.caption);
    EXPECT_EQ(form->StatusBar1.Panel(2), L"") << "not modified after the start";
  }
  EXPECT_EQ(Text(), L"");
  fs::remove(file);
}

TEST_F(TessaryMainWindow, Screenshots) {
  SaveWindowScreenshot(form->Handle(), L"tessary-main-empty");

  // The menus are open while a timer takes the picture and closes them.
  static std::wstring shotName;
  static HWND shotWindow;
  const auto shootOpenMenu = [](HWND window, const wchar_t* name,
                                const std::function<void()>& open) {
    shotName = name;
    shotWindow = window;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      // Two steps down show the highlight on the second item.
      for (int i = 0; i < 2; ++i) PostMessageW(shotWindow, WM_KEYDOWN, VK_DOWN, 0);
      SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR second, DWORD) {
        KillTimer(nullptr, second);
        SaveWindowScreenshot(shotWindow, shotName);
        EndMenu();
      });
    });
    open();
  };
  shootOpenMenu(form->Handle(), L"tessary-main-context-menu",
                [&] { Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 20)); });
  // The first menu's loop ends after its timer: the second opens once it has.
  Pump();
  Sleep(300);
  Pump();
  HWND bar = form->ToolBar1.Handle();
  const RECT save = form->ToolBar1.ButtonRect(cmdSave);
  shootOpenMenu(form->Handle(), L"tessary-main-dropdown", [&] {
    NMTOOLBARW drop{};
    drop.hdr = {bar, static_cast<UINT_PTR>(GetDlgCtrlID(bar)), static_cast<UINT>(TBN_DROPDOWN)};
    drop.iItem = cmdSave;
    drop.rcButton = save;
    SendMessageW(form->Handle(), WM_NOTIFY, drop.hdr.idFrom, reinterpret_cast<LPARAM>(&drop));
  });

  StreamIn(ReadFile(fs::path(TEST_DATA_DIR) / "rtf" / "lo-alignment-letter.rtf"));
  form->Editor.Select(0, 0);
  SaveWindowScreenshot(form->Handle(), L"tessary-main-sample");
}
