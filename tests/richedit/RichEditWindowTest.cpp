// Our rich-edit window driven through its messages, keys and mouse, with the notifications
// its parent receives.
#include <windows.h>

#include <richedit.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/GdiHandles.h"
#include "richedit/RichEditWindow.h"
#include "tests/richedit/EditWindowHarness.h"
#include "tests/support/Screenshot.h"

namespace richedit::test {
namespace {

const char kFormattedRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
    "{\\colortbl;\\red200\\green0\\blue0;}"
    "\\pard\\qc\\f1\\fs36\\b A heading in bold\\b0\\par"
    "\\pard\\f0\\fs20 Plain text, \\i italic\\i0 , \\ul underlined\\ul0 , \\cf1 red\\cf0  and "
    "\\fs28 larger\\fs20  words that run on long enough to wrap at the window's width.\\par"
    "\\pard\\li360 Indented paragraph.\\par}";

class EditWindow : public testing::Test {
 protected:
  void SetUp() override {
    control = parent.createControl(registerRichEditClass(), ES_MULTILINE | WS_VSCROLL);
    ASSERT_NE(control, nullptr);
  }
  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(control, message, wParam, lParam);
  }
  template <typename T>
  LRESULT send(UINT message, WPARAM wParam, T* record) {
    return send(message, wParam, reinterpret_cast<LPARAM>(record));
  }
  std::wstring storyText() {
    std::wstring text(4096, L'\0');
    TEXTRANGEW range{{0, -1}, text.data()};
    text.resize(static_cast<std::size_t>(send(EM_GETTEXTRANGE, 0, &range)));
    return text;
  }
  POINT positionOf(LONG pos) {
    POINTL p{};
    send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), pos);
    return {p.x, p.y};
  }
  void click(UINT message, POINT p, WPARAM keys = MK_LBUTTON) {
    send(message, keys, MAKELPARAM(p.x + 1, p.y + 2));
  }

  TestParent parent;
  HWND control = nullptr;
};

// ---- Keyboard

struct Step {
  UINT message;  // WM_KEYDOWN or WM_CHAR
  WPARAM key;
  std::vector<UINT> held;
};
Step key(WPARAM k, std::vector<UINT> held = {}) { return {WM_KEYDOWN, k, std::move(held)}; }
Step chr(wchar_t c, std::vector<UINT> held = {}) { return {WM_CHAR, c, std::move(held)}; }
const std::vector<UINT> kShift{VK_SHIFT};
const std::vector<UINT> kCtrl{VK_CONTROL};
const std::vector<UINT> kCtrlShift{VK_CONTROL, VK_SHIFT};

struct KeyCase {
  const char* name;
  const wchar_t* text;
  CHARRANGE start;
  std::vector<Step> steps;
  const wchar_t* expected;  // the story with '\r' paragraph ends
  CHARRANGE selection;
};

TEST_F(EditWindow, KeysEditAndMoveLikeThePlatformControl) {
  const KeyCase cases[] = {
      {"right collapses", L"hello world", {2, 5}, {key(VK_RIGHT)}, L"hello world", {5, 5}},
      {"left collapses", L"hello world", {2, 5}, {key(VK_LEFT)}, L"hello world", {2, 2}},
      {"shift right extends",
       L"hello",
       {2, 2},
       {key(VK_RIGHT, kShift), key(VK_RIGHT, kShift)},
       L"hello",
       {2, 4}},
      {"shift left keeps the anchor",
       L"hello",
       {4, 4},
       {key(VK_LEFT, kShift), key(VK_LEFT, kShift)},
       L"hello",
       {2, 4}},
      {"ctrl right", L"hello world", {1, 1}, {key(VK_RIGHT, kCtrl)}, L"hello world", {6, 6}},
      {"ctrl left", L"hello world", {8, 8}, {key(VK_LEFT, kCtrl)}, L"hello world", {6, 6}},
      {"ctrl shift left",
       L"hello world",
       {11, 11},
       {key(VK_LEFT, kCtrlShift)},
       L"hello world",
       {6, 11}},
      {"home", L"hello\rworld", {8, 8}, {key(VK_HOME)}, L"hello\rworld", {6, 6}},
      {"shift end", L"hello\rworld", {1, 1}, {key(VK_END, kShift)}, L"hello\rworld", {1, 5}},
      {"ctrl end", L"ab\rcd", {1, 1}, {key(VK_END, kCtrl)}, L"ab\rcd", {5, 5}},
      {"ctrl shift home", L"ab\rcd", {4, 4}, {key(VK_HOME, kCtrlShift)}, L"ab\rcd", {0, 4}},
      {"down keeps the column",
       L"abcdef\rab\rabcdef",
       {4, 4},
       {key(VK_DOWN), key(VK_DOWN)},
       L"abcdef\rab\rabcdef",
       {14, 14}},
      {"up on the first line stays", L"abc\rdef", {2, 2}, {key(VK_UP)}, L"abc\rdef", {2, 2}},
      {"shift down selects", L"abc\rdef", {1, 1}, {key(VK_DOWN, kShift)}, L"abc\rdef", {1, 5}},
      {"ctrl down goes by paragraphs",
       L"ab cd\ref\rgh",
       {1, 1},
       {key(VK_DOWN, kCtrl), key(VK_DOWN, kCtrl), key(VK_DOWN, kCtrl)},
       L"ab cd\ref\rgh",
       {11, 11}},
      {"ctrl up to this then the previous start",
       L"ab\rcd ef\rgh",
       {7, 7},
       {key(VK_UP, kCtrl), key(VK_UP, kCtrl), key(VK_UP, kCtrl)},
       L"ab\rcd ef\rgh",
       {0, 0}},
      {"ctrl shift down and up select paragraphs",
       L"ab\rcd\ref",
       {1, 1},
       {key(VK_DOWN, kCtrlShift), key(VK_DOWN, kCtrlShift), key(VK_UP, kCtrlShift)},
       L"ab\rcd\ref",
       {1, 3}},
      {"backspace", L"hello", {5, 5}, {key(VK_BACK)}, L"hell", {4, 4}},
      {"delete", L"hello", {0, 0}, {key(VK_DELETE)}, L"ello", {0, 0}},
      {"delete selection", L"hello", {1, 4}, {key(VK_DELETE)}, L"ho", {1, 1}},
      {"ctrl backspace", L"hello world", {11, 11}, {key(VK_BACK, kCtrl)}, L"hello ", {6, 6}},
      {"ctrl delete", L"hello world", {0, 0}, {key(VK_DELETE, kCtrl)}, L"world", {0, 0}},
      {"typing replaces the selection", L"hello world", {0, 5}, {chr(L'J')}, L"J world", {1, 1}},
      {"enter ends the paragraph", L"ab", {1, 1}, {chr(L'\r')}, L"a\rb", {2, 2}},
      {"shift enter breaks the line", L"ab", {1, 1}, {chr(L'\r', kShift)}, L"a\vb", {2, 2}},
      {"tab", L"ab", {1, 1}, {chr(L'\t')}, L"a\tb", {2, 2}},
      {"control characters type nothing",
       L"ab",
       {1, 1},
       {chr(0x01), chr(0x7F), chr(L'\b')},
       L"ab",
       {1, 1}},
      {"insert toggles overtype",
       L"abcd",
       {1, 1},
       {key(VK_INSERT), chr(L'X'), chr(L'\r'), chr(L'Y'), key(VK_INSERT), chr(L'Z')},
       L"aX\rYZd",
       {5, 5}},
      {"ctrl a", L"abc", {1, 1}, {key('A', kCtrl)}, L"abc", {0, 4}},
      {"ctrl z undoes", L"", {0, 0}, {chr(L'x'), chr(L'y'), key('Z', kCtrl)}, L"", {0, 0}},
      {"ctrl y redoes", L"", {0, 0}, {chr(L'x'), key('Z', kCtrl), key('Y', kCtrl)}, L"x", {1, 1}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    setText(control, c.text);
    setSelection(control, c.start.cpMin, c.start.cpMax);
    for (const Step& s : c.steps) sendHolding(control, s.message, s.key, s.held);
    EXPECT_EQ(storyText(), c.expected);
    EXPECT_EQ(selection(control), c.selection);
  }
}

TEST_F(EditWindow, CtrlShiftLStepsThroughBulletsAndNumbers) {
  setText(control, L"one\rtwo\rthree");
  setSelection(control, 2, 6);  // the first two paragraphs
  const WORD expected[] = {PFN_BULLET,  PFN_ARABIC, PFN_LCLETTER, PFN_UCLETTER, PFN_LCROMAN,
                           PFN_UCROMAN, 0,          PFN_BULLET};
  for (WORD numbering : expected) {
    pressKey(control, 'L', {VK_CONTROL, VK_SHIFT});
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    const auto mask = static_cast<DWORD>(send(EM_GETPARAFORMAT, 0, &pf));
    EXPECT_TRUE(mask & PFM_NUMBERING);  // the same in both paragraphs
    EXPECT_EQ(pf.wNumbering, numbering);
  }
  setSelection(control, 9, 9);
  PARAFORMAT2 third{};
  third.cbSize = sizeof third;
  send(EM_GETPARAFORMAT, 0, &third);
  EXPECT_EQ(third.wNumbering, 0);
}

TEST_F(EditWindow, ReadOnlyRefusesTypingButNotMessages) {
  setText(control, L"fixed");
  send(EM_SETREADONLY, TRUE);
  EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY);
  setSelection(control, 5, 5);
  typeText(control, L"xy");
  pressKey(control, VK_BACK);
  EXPECT_EQ(windowText(control), L"fixed");
  send(EM_REPLACESEL, FALSE, L"!");
  EXPECT_EQ(windowText(control), L"fixed!");
  send(EM_SETREADONLY, FALSE);
  typeText(control, L"?");
  EXPECT_EQ(windowText(control), L"fixed!?");
  // The options are the styles of the same bits.
  EXPECT_EQ(send(EM_SETOPTIONS, ECOOP_OR, ECO_READONLY | ECO_NOHIDESEL) & ~ECO_AUTOVSCROLL,
            ECO_READONLY | ECO_NOHIDESEL);
  EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & (ES_READONLY | ES_NOHIDESEL),
            ES_READONLY | ES_NOHIDESEL);
  EXPECT_EQ(send(EM_SETOPTIONS, ECOOP_XOR, ECO_READONLY) & ~ECO_AUTOVSCROLL, ECO_NOHIDESEL);
  EXPECT_EQ(send(EM_GETOPTIONS) & ~ECO_AUTOVSCROLL, ECO_NOHIDESEL);
}

// ---- Notifications

TEST_F(EditWindow, NotifiesOnlyWhatTheEventMaskAsks) {
  using N = std::vector<Notice>;
  const Notice change{WM_COMMAND, EN_CHANGE, {}};
  const auto sel = [](LONG a, LONG b) { return Notice{WM_NOTIFY, EN_SELCHANGE, {a, b}}; };
  struct Case {
    const char* name;
    DWORD mask;
    void (*act)(HWND);
    N expected;
  };
  const Case cases[] = {
      {"typing, no mask", 0, [](HWND c) { typeText(c, L"a"); }, {}},
      {"typing",
       ENM_CHANGE | ENM_SELCHANGE,
       [](HWND c) { typeText(c, L"a"); },
       {sel(4, 4), change}},
      {"typing, change only", ENM_CHANGE, [](HWND c) { typeText(c, L"a"); }, {change}},
      {"typing, update and change",
       ENM_UPDATE | ENM_CHANGE,
       [](HWND c) { typeText(c, L"a"); },
       {Notice{WM_COMMAND, EN_UPDATE, {}}, change}},
      {"selecting", ENM_CHANGE | ENM_SELCHANGE, [](HWND c) { setSelection(c, 0, 2); }, {sel(0, 2)}},
      {"same selection again", ENM_SELCHANGE, [](HWND c) { setSelection(c, 3, 3); }, {}},
      {"formatting",
       ENM_CHANGE | ENM_SELCHANGE,
       [](HWND c) {
         CHARFORMAT2W cf{};
         cf.cbSize = sizeof cf;
         cf.dwMask = CFM_BOLD;
         cf.dwEffects = CFE_BOLD;
         SendMessageW(c, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
       },
       {change}},
      {"replacing",
       ENM_CHANGE | ENM_SELCHANGE,
       [](HWND c) { SendMessageW(c, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"xy")); },
       {sel(5, 5), change}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setText(control, L"abc");
    setSelection(control, 3, 3);
    send(EM_SETEVENTMASK, 0, c.mask);
    parent.notices.clear();
    c.act(control);
    EXPECT_EQ(parent.notices, c.expected);
    send(EM_SETEVENTMASK, 0, 0);
  }
  EXPECT_EQ(send(EM_SETEVENTMASK, 0, ENM_CHANGE), 0);
  EXPECT_EQ(send(EM_GETEVENTMASK), ENM_CHANGE);
}

TEST_F(EditWindow, FocusChangesAreReported) {
  ShowWindow(parent.get(), SW_SHOWNA);
  const HWND other = parent.createControl(L"BUTTON", 0, 10, 10);
  SetFocus(other);
  parent.notices.clear();
  SetFocus(control);
  SetFocus(other);
  const std::vector<Notice> expected{{WM_COMMAND, EN_SETFOCUS, {}}, {WM_COMMAND, EN_KILLFOCUS, {}}};
  EXPECT_EQ(parent.notices, expected);
}

void setBold(HWND c, WPARAM scf) {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_BOLD;
  cf.dwEffects = CFE_BOLD;
  SendMessageW(c, EM_SETCHARFORMAT, scf, reinterpret_cast<LPARAM>(&cf));
}

void centre(HWND c) {
  PARAFORMAT2 pf{};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = PFA_CENTER;
  SendMessageW(c, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

TEST_F(EditWindow, ProtectedTextChangesOnlyWhenTheParentAllows) {
  streamIn(control, "{\\rtf1 open \\protect locked\\protect0  open}", SF_RTF);
  send(EM_SETEVENTMASK, 0, ENM_PROTECTED);
  struct Case {
    const char* name;
    LRESULT answer;
    void (*act)(HWND);
    bool changes;
  };
  const Case cases[] = {
      {"bold refused", 1, [](HWND c) { setBold(c, SCF_SELECTION); }, false},
      {"bold everywhere refused", 1, [](HWND c) { setBold(c, SCF_ALL); }, false},
      {"bold allowed", 0, [](HWND c) { setBold(c, SCF_SELECTION); }, true},
      {"paragraph format refused", 1, centre, false},
      {"paragraph format allowed", 0, centre, true},
      {"typing refused", 1, [](HWND c) { typeText(c, L"x"); }, false},
      {"typing allowed", 0, [](HWND c) { typeText(c, L"x"); }, true},
      {"replace refused", 1,
       [](HWND c) { SendMessageW(c, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"x")); }, false},
      {"delete refused", 1, [](HWND c) { pressKey(c, VK_DELETE); }, false},
      {"backspace allowed", 0, [](HWND c) { pressKey(c, VK_BACK); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = streamOut(control, SF_RTF);
    setSelection(control, 7, 9);  // inside "locked"
    parent.protectedAnswer = c.answer;
    parent.notices.clear();
    c.act(control);
    ASSERT_EQ(parent.notices.size(), 1u);
    EXPECT_EQ(parent.notices[0].code, static_cast<UINT>(EN_PROTECTED));
    EXPECT_EQ(parent.notices[0].range, (CHARRANGE{7, 9}));
    EXPECT_NE(parent.notices[0].input, 0u);
    EXPECT_EQ(streamOut(control, SF_RTF) != before, c.changes);
  }
  parent.notices.clear();
  setSelection(control, 0, 2);  // unprotected text needs no permission
  typeText(control, L"y");
  setBold(control, SCF_SELECTION);
  setBold(control, SCF_DEFAULT);
  EXPECT_TRUE(parent.notices.empty());
}

TEST_F(EditWindow, ParentFiltersKeysAndMouseWhenAsked) {
  setText(control, L"ab");
  setSelection(control, 2, 2);
  send(EM_SETEVENTMASK, 0, ENM_KEYEVENTS);
  parent.filterAnswer = 1;
  const auto filtered = [&] {
    std::vector<UINT> inputs;
    for (const Notice& n : parent.notices) {
      if (n.code == static_cast<UINT>(EN_MSGFILTER)) inputs.push_back(n.input);
    }
    parent.notices.clear();
    return inputs;
  };
  typeText(control, L"x");
  EXPECT_EQ(windowText(control), L"ab");
  EXPECT_EQ(filtered(), std::vector<UINT>{WM_CHAR});
  parent.filterAnswer = 0;
  typeText(control, L"x");
  EXPECT_EQ(windowText(control), L"abx");
  EXPECT_EQ(filtered(), std::vector<UINT>{WM_CHAR});
  click(WM_LBUTTONDOWN, positionOf(0));  // a mouse event, not asked for
  click(WM_LBUTTONUP, positionOf(0), 0);
  EXPECT_EQ(filtered(), std::vector<UINT>{});
  EXPECT_EQ(selection(control), (CHARRANGE{0, 0}));
  send(EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);
  parent.filterAnswer = 1;
  click(WM_LBUTTONDOWN, positionOf(2));
  EXPECT_EQ(filtered(), std::vector<UINT>{WM_LBUTTONDOWN});
  EXPECT_EQ(selection(control), (CHARRANGE{0, 0}));
}

TEST_F(EditWindow, LinkedTextReportsMouseMessagesToTheParent) {
  ShowWindow(parent.get(), SW_SHOWNA);
  setText(control, L"see the site now");
  setSelection(control, 4, 12);
  CHARFORMAT2W link{};
  link.cbSize = sizeof link;
  link.dwMask = CFM_LINK;
  link.dwEffects = CFE_LINK;
  send(EM_SETCHARFORMAT, SCF_SELECTION, &link);
  setSelection(control, 0, 0);
  send(EM_SETEVENTMASK, 0, ENM_LINK);
  const auto links = [&] {
    std::vector<Notice> found;
    for (const Notice& n : parent.notices) {
      if (n.code == static_cast<UINT>(EN_LINK)) found.push_back(n);
    }
    parent.notices.clear();
    return found;
  };
  parent.notices.clear();
  parent.linkAnswer = 1;  // the parent takes the click: the selection stays
  click(WM_LBUTTONDOWN, positionOf(6));
  EXPECT_EQ(links(), (std::vector<Notice>{{WM_NOTIFY, EN_LINK, {4, 12}, WM_LBUTTONDOWN, 0}}));
  EXPECT_EQ(selection(control), (CHARRANGE{0, 0}));
  parent.linkAnswer = 0;
  click(WM_LBUTTONDOWN, positionOf(6));
  click(WM_LBUTTONUP, positionOf(6), 0);
  EXPECT_EQ(links().size(), 2u);
  EXPECT_EQ(selection(control), (CHARRANGE{6, 6}));
  click(WM_LBUTTONDOWN, positionOf(1));  // plain text
  click(WM_LBUTTONUP, positionOf(1), 0);
  const POINT beyond{positionOf(16).x + 40, positionOf(16).y};  // right of the line's end
  click(WM_LBUTTONDOWN, beyond);
  EXPECT_TRUE(links().empty());
}

TEST_F(EditWindow, RequestsTheHeightItsTextNeeds) {
  send(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  const auto heights = [&] {
    std::vector<LONG> found;
    for (const Notice& n : parent.notices) {
      if (n.code == static_cast<UINT>(EN_REQUESTRESIZE)) found.push_back(n.height);
    }
    parent.notices.clear();
    return found;
  };
  setText(control, L"one");
  const std::vector<LONG> one = heights();
  ASSERT_EQ(one.size(), 1u);
  EXPECT_GT(one[0], 0);
  setText(control, L"one\rtwo\rthree");
  const std::vector<LONG> three = heights();
  ASSERT_EQ(three.size(), 1u);
  EXPECT_NEAR(three[0], 3 * one[0], 2);
  send(EM_REQUESTRESIZE);
  EXPECT_EQ(heights(), three);
}

TEST_F(EditWindow, TextExMessagesTakeCodePagesSelectionsAndRtf) {
  SETTEXTEX all{ST_DEFAULT, 1200};
  EXPECT_EQ(send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&all), L"one\rtwo"), 1);
  EXPECT_EQ(windowText(control), L"one\r\ntwo");
  EXPECT_FALSE(send(EM_CANUNDO));
  setSelection(control, 0, 3);
  SETTEXTEX selection{ST_SELECTION | ST_KEEPUNDO, 1200};
  send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&selection), L"{\\rtf1 \\b ONE\\b0}");
  EXPECT_EQ(windowText(control), L"ONE\r\ntwo");
  EXPECT_TRUE(send(EM_CANUNDO));
  setSelection(control, 7, 7);
  SETTEXTEX ansi{ST_SELECTION, CP_ACP};
  EXPECT_EQ(send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&ansi), "\xE9!"), 2);

  wchar_t wide[32]{};
  GETTEXTEX crlf{sizeof wide, GT_USECRLF, 1200, nullptr, nullptr};
  EXPECT_EQ(send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&crlf), wide), 10);
  EXPECT_STREQ(wide, L"ONE\r\ntwo\u00E9!");
  setSelection(control, 2, 6);
  GETTEXTEX selected{sizeof wide, GT_SELECTION, 1200, nullptr, nullptr};
  send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&selected), wide);
  EXPECT_STREQ(wide, L"E\rtw");
  char bytes[4]{};
  GETTEXTEX small{sizeof bytes, GT_DEFAULT, CP_ACP, nullptr, nullptr};
  EXPECT_EQ(send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&small), bytes), 3);
  EXPECT_STREQ(bytes, "ONE");
}

// ---- Formats

template <typename Record>
void expectCharFormatRoundTrip(HWND control, bool wide) {
  Record cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_BOLD | CFM_FACE | CFM_SIZE;
  cf.dwEffects = CFE_BOLD;
  cf.yHeight = 280;
  if (wide) {
    wcscpy(reinterpret_cast<wchar_t*>(cf.szFaceName), L"Courier New");
  } else {
    strcpy(reinterpret_cast<char*>(cf.szFaceName), "Courier New");
  }
  setText(control, L"one two");
  setSelection(control, 0, 3);
  EXPECT_NE(SendMessageW(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)),
            0);
  Record back{};
  back.cbSize = sizeof back;
  const auto mask = static_cast<DWORD>(
      SendMessageW(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&back)));
  EXPECT_EQ(mask & (CFM_BOLD | CFM_FACE | CFM_SIZE), CFM_BOLD | CFM_FACE | CFM_SIZE);
  EXPECT_TRUE(back.dwEffects & CFE_BOLD);
  EXPECT_EQ(back.yHeight, 280);
  if (wide) {
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(back.szFaceName), L"Courier New");
  } else {
    EXPECT_STREQ(reinterpret_cast<const char*>(back.szFaceName), "Courier New");
  }
  // A selection across the bold and the plain word is not uniformly bold.
  setSelection(control, 1, 6);
  EXPECT_FALSE(
      SendMessageW(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&back)) &
      CFM_BOLD);
}

TEST_F(EditWindow, CharFormatsInEveryRecordForm) {
  expectCharFormatRoundTrip<CHARFORMATW>(control, true);
  expectCharFormatRoundTrip<CHARFORMATA>(control, false);
  expectCharFormatRoundTrip<CHARFORMAT2W>(control, true);
  expectCharFormatRoundTrip<CHARFORMAT2A>(control, false);
  CHARFORMAT2W wrongSize{};
  wrongSize.cbSize = sizeof wrongSize - 4;
  EXPECT_EQ(send(EM_GETCHARFORMAT, SCF_SELECTION, &wrongSize), 0);
}

TEST_F(EditWindow, ParaFormatsAndFontReachTheDocument) {
  setText(control, L"first\rsecond");
  setSelection(control, 0, 0);
  PARAFORMAT2 pf{};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT | PFM_SPACEBEFORE;
  pf.wAlignment = PFA_CENTER;
  pf.dySpaceBefore = 120;
  EXPECT_TRUE(send(EM_SETPARAFORMAT, 0, &pf));
  PARAFORMAT small{};
  small.cbSize = sizeof small;
  const auto mask = static_cast<DWORD>(send(EM_GETPARAFORMAT, 0, &small));
  EXPECT_EQ(small.wAlignment, PFA_CENTER);
  EXPECT_TRUE(mask & PFM_ALIGNMENT);
  EXPECT_FALSE(mask & PFM_SPACEBEFORE);  // not a field of the small record
  setSelection(control, 8, 8);
  PARAFORMAT2 second{};
  second.cbSize = sizeof second;
  send(EM_GETPARAFORMAT, 0, &second);
  EXPECT_EQ(second.wAlignment, PFA_LEFT);
  EXPECT_EQ(second.dySpaceBefore, 0);

  const FontHandle font(
      CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, L"Times New Roman"));
  send(EM_SETMODIFY, FALSE);
  send(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  send(EM_GETCHARFORMAT, SCF_DEFAULT, &cf);
  EXPECT_STREQ(cf.szFaceName, L"Times New Roman");
  EXPECT_EQ(cf.yHeight, 16 * 1440 / 96);
  EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
  setSelection(control, 0, 5);
  send(EM_GETCHARFORMAT, SCF_SELECTION, &cf);
  EXPECT_STREQ(cf.szFaceName, L"Times New Roman");
  EXPECT_EQ(send(EM_GETMODIFY), FALSE);
}

// ---- Text, streams and state

TEST_F(EditWindow, StreamsHonourSelectionAndFailures) {
  setText(control, L"keep this text");
  setSelection(control, 5, 9);
  EXPECT_EQ(streamOut(control, SF_TEXT | SFF_SELECTION), "this");
  const std::string rtf = streamOut(control, SF_RTF | SFF_SELECTION);
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
  EXPECT_EQ(streamIn(control, "{\\rtf1 that}", SF_RTF | SFF_SELECTION), 4);
  EXPECT_EQ(windowText(control), L"keep that text");
  EXPECT_EQ(streamOut(control, SF_TEXT | SF_UNICODE),
            std::string("k\0e\0e\0p\0", 8) + std::string(" \0t\0h\0a\0t\0 \0t\0e\0x\0t\0", 20));
  // Not RTF although RTF was asked for: read as plain text.
  streamIn(control, "plain words", SF_RTF);
  EXPECT_EQ(windowText(control), L"plain words");
  // A failing source changes nothing and its error comes back.
  EDITSTREAM failing{0, 0, [](DWORD_PTR, LPBYTE, LONG, LONG* done) -> DWORD {
                       *done = 0;
                       return 42;
                     }};
  EXPECT_EQ(send(EM_STREAMIN, SF_TEXT, &failing), 0);
  EXPECT_EQ(failing.dwError, 42u);
  EXPECT_EQ(windowText(control), L"plain words");
  // WM_SETTEXT takes RTF too.
  setText(control, L"{\\rtf1 \\b bold\\b0}");
  EXPECT_EQ(windowText(control), L"bold");
}

TEST_F(EditWindow, TextModeUndoAndModifiedState) {
  EXPECT_EQ(send(EM_GETTEXTMODE) & (TM_RICHTEXT | TM_PLAINTEXT), TM_RICHTEXT);
  EXPECT_EQ(send(EM_SETTEXTMODE, TM_PLAINTEXT), 0);
  EXPECT_EQ(send(EM_GETTEXTMODE) & (TM_RICHTEXT | TM_PLAINTEXT), TM_PLAINTEXT);
  typeText(control, L"ab");
  EXPECT_NE(send(EM_SETTEXTMODE, TM_RICHTEXT), 0);  // only an empty control switches
  EXPECT_TRUE(send(EM_GETMODIFY));
  send(EM_SETMODIFY, FALSE);
  EXPECT_FALSE(send(EM_GETMODIFY));
  EXPECT_TRUE(send(EM_CANUNDO));
  send(EM_EMPTYUNDOBUFFER);
  EXPECT_FALSE(send(EM_CANUNDO));
  send(EM_REPLACESEL, FALSE, L"c");
  EXPECT_FALSE(send(EM_CANUNDO));
  send(EM_REPLACESEL, TRUE, L"d");
  EXPECT_TRUE(send(WM_UNDO));
  EXPECT_EQ(windowText(control), L"abc");
  EXPECT_EQ(send(EM_SETUNDOLIMIT, 5), 5);
  send(EM_EXLIMITTEXT, 0, 4);
  EXPECT_EQ(send(EM_GETLIMITTEXT), 4);
  typeText(control, L"xyz");
  EXPECT_EQ(windowText(control), L"abcx");
}

// Bulk edits: many replacements as one undo step, with the view catching up with the caret
// only once redrawing resumes.
TEST_F(EditWindow, UndoGroupsAndEditsWhileRedrawingIsOff) {
  std::wstring text;
  for (int i = 0; i < 200; ++i) text += L"line " + std::to_wstring(i) + L"\r";
  send(WM_SETTEXT, 0, text.c_str());
  send(EM_EMPTYUNDOBUFFER);
  send(WM_SETREDRAW, FALSE);
  send(EM_BEGINUNDOGROUP);
  for (LONG at : {0L, 7L, 14L}) {
    CHARRANGE r{at, at + 4};
    send(EM_EXSETSEL, 0, &r);
    send(EM_REPLACESEL, TRUE, L"LINE");
  }
  CHARRANGE end{static_cast<LONG>(text.size()) - 2, static_cast<LONG>(text.size()) - 2};
  send(EM_EXSETSEL, 0, &end);
  send(EM_ENDUNDOGROUP);
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0) << "the view waits while redrawing is off";
  send(WM_SETREDRAW, TRUE);
  EXPECT_GT(send(EM_GETFIRSTVISIBLELINE), 150) << "then it shows the caret";
  EXPECT_EQ(storyText().substr(0, 20), L"LINE 0\rLINE 1\rLINE 2");
  EXPECT_TRUE(send(EM_UNDO));
  EXPECT_EQ(storyText().substr(0, 20), L"line 0\rline 1\rline 2") << "one step for all three";
  EXPECT_FALSE(send(EM_CANUNDO));
}

TEST_F(EditWindow, SelectedTextRangesAndWordBreaks) {
  setText(control, L"alpha beta\rgamma");
  setSelection(control, 6, 13);
  wchar_t buffer[32]{};
  EXPECT_EQ(send(EM_GETSELTEXT, 0, buffer), 7);
  EXPECT_STREQ(buffer, L"beta\rga");
  EXPECT_EQ(send(EM_SELECTIONTYPE), SEL_TEXT | SEL_MULTICHAR);
  TEXTRANGEW range{{3, 8}, buffer};
  EXPECT_EQ(send(EM_GETTEXTRANGE, 0, &range), 5);
  EXPECT_STREQ(buffer, L"ha be");
  const struct {
    WPARAM code;
    LPARAM pos;
    LRESULT expected;
  } breaks[] = {{WB_MOVEWORDRIGHT, 1, 6},
                {WB_MOVEWORDLEFT, 8, 6},
                {WB_RIGHTBREAK, 7, 10},
                {WB_ISDELIMITER, 5, TRUE},
                {WB_ISDELIMITER, 4, FALSE}};
  for (const auto& b : breaks) EXPECT_EQ(send(EM_FINDWORDBREAK, b.code, b.pos), b.expected);
}

// ---- Clipboard

std::wstring clipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return L"<closed>";
  if (HGLOBAL memory = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return text;
}

// Puts one format on the clipboard; data is a global memory block or a metafile handle.
void setClipboard(HWND owner, UINT format, HANDLE data) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(format, data);
  CloseClipboard();
}

HGLOBAL globalCopy(const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  return memory;
}

HANDLE metafilePicture() {
  const HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(recorder, 0, 0, 50, 30);
  return CloseEnhMetaFile(recorder);
}

HANDLE bitmapPicture() {
  struct {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BYTE pixels[16]{};
  } dib;
  return globalCopy(&dib, sizeof dib);
}

TEST_F(EditWindow, ClipboardCarriesRichAndPlainText) {
  streamIn(control, "{\\rtf1 plain \\b bold\\b0  end}", SF_RTF);
  setSelection(control, 6, 10);
  send(WM_COPY);
  EXPECT_EQ(clipboardText(parent.get()), L"bold");
  EXPECT_TRUE(send(EM_CANPASTE, 0));

  const HWND other = parent.createControl(registerRichEditClass(), ES_MULTILINE);
  SendMessageW(other, WM_PASTE, 0, 0);
  EXPECT_EQ(windowText(other), L"bold");
  EXPECT_TRUE(allBold(other, 0, 4));

  pressKey(control, VK_DELETE, {VK_SHIFT});
  EXPECT_EQ(windowText(control), L"plain  end");
  pressKey(control, 'V', {VK_CONTROL});
  EXPECT_EQ(windowText(control), L"plain bold end");
  EXPECT_TRUE(send(EM_UNDO));
  EXPECT_EQ(windowText(control), L"plain  end");

  const wchar_t plain[] = L"one\r\ntwo";
  setClipboard(parent.get(), CF_UNICODETEXT, globalCopy(plain, sizeof plain));
  EXPECT_FALSE(send(EM_CANPASTE, RegisterClipboardFormatW(L"Rich Text Format")));
  setSelection(control, 0, 5);
  pressKey(control, VK_INSERT, {VK_SHIFT});
  EXPECT_EQ(storyText(), L"one\rtwo  end");

  // A picture becomes one embedded object at the caret.
  const struct {
    UINT format;
    HANDLE (*make)();
    const char* keyword;
  } pictures[] = {{CF_ENHMETAFILE, metafilePicture, "\\emfblip"},
                  {CF_DIB, bitmapPicture, "\\dibitmap"}};
  for (const auto& p : pictures) {
    setClipboard(parent.get(), p.format, p.make());
    setSelection(control, 0, 0);
    send(WM_PASTE);
    EXPECT_EQ(storyText()[0], L'\xFFFC') << p.keyword;
    EXPECT_NE(streamOut(control, SF_RTF).find(p.keyword), std::string::npos);
    send(EM_UNDO);
  }

  send(EM_SETREADONLY, TRUE);
  send(WM_PASTE);
  send(WM_CUT);
  EXPECT_EQ(storyText(), L"one\rtwo  end");
}

// ---- Layout, scrolling, mouse, painting

TEST_F(EditWindow, ZoomScalesPositionsAndWrapping) {
  const std::wstring para = L"Words that wrap sooner when the text is drawn larger. ";
  setText(control, (L"Some words\r" + para + para + para).c_str());
  const POINT word = positionOf(5);
  const POINT second = positionOf(11);
  const LRESULT lines = send(EM_GETLINECOUNT);
  EXPECT_TRUE(send(EM_SETZOOM, 2, 1));
  EXPECT_NEAR(positionOf(5).x - 1, 2 * (word.x - 1), 2);
  EXPECT_NEAR(positionOf(11).y, 2 * second.y, 2);
  EXPECT_GT(send(EM_GETLINECOUNT), lines);
  for (const auto& [n, d] : {std::pair{64, 1}, {1, 64}, {-1, 2}, {1, 0}}) {
    EXPECT_FALSE(send(EM_SETZOOM, n, d)) << n << "/" << d;
  }
  int numerator = 0;
  int denominator = 0;
  send(EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), &denominator);
  EXPECT_EQ(numerator, 2);
  EXPECT_EQ(denominator, 1);
  EXPECT_TRUE(send(EM_SETZOOM, 0, 0));
  EXPECT_EQ(positionOf(5).x, word.x);
  EXPECT_EQ(send(EM_GETLINECOUNT), lines);
}

TEST_F(EditWindow, WrappedLinesAnswerTheLineMessagesConsistently) {
  const std::wstring para = L"The quick brown fox jumps over the lazy dog again and again. ";
  setText(control, (para + para + L"\r" + para).c_str());
  SetWindowPos(control, nullptr, 0, 0, 120, 300, SWP_NOMOVE | SWP_NOZORDER);
  const auto lines = static_cast<int>(send(EM_GETLINECOUNT));
  EXPECT_GT(lines, 6);
  int lastY = -1;
  for (int line = 0; line < lines; ++line) {
    SCOPED_TRACE(line);
    const auto start = static_cast<LONG>(send(EM_LINEINDEX, line));
    EXPECT_EQ(send(EM_EXLINEFROMCHAR, 0, start), line);
    const POINT p = positionOf(start);
    EXPECT_GT(p.y, lastY);
    lastY = p.y;
    POINTL at{p.x + 1, p.y + 2};
    EXPECT_EQ(send(EM_CHARFROMPOS, 0, &at), start);
    wchar_t text[100]{};
    *reinterpret_cast<WORD*>(text) = 100;
    EXPECT_GE(send(EM_GETLINE, line, text), send(EM_LINELENGTH, start));
  }
  SetWindowPos(control, nullptr, 0, 0, 2000, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(send(EM_GETLINECOUNT), 2);
  SetWindowPos(control, nullptr, 0, 0, 120, 300, SWP_NOMOVE | SWP_NOZORDER);
  send(EM_SETTARGETDEVICE, 0, 1);  // no wrapping
  EXPECT_EQ(send(EM_GETLINECOUNT), 2);
}

TEST_F(EditWindow, ScrollsByLinesPagesAndToTheCaret) {
  std::wstring text;
  for (int i = 0; i < 60; ++i) text += L"Line " + std::to_wstring(i) + L"\r";
  setText(control, text.c_str());
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
  send(EM_LINESCROLL, 0, 10);
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 10);
  POINT scroll{};
  send(EM_GETSCROLLPOS, 0, &scroll);
  EXPECT_GT(scroll.y, 0);
  EXPECT_EQ(positionOf(static_cast<LONG>(send(EM_LINEINDEX, 10))).y, 0);
  EXPECT_EQ(GetScrollPos(control, SB_VERT), scroll.y);
  send(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_GT(send(EM_GETFIRSTVISIBLELINE), 15);
  POINT top{0, 0};
  send(EM_SETSCROLLPOS, 0, &top);
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
  send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_GT(send(EM_GETFIRSTVISIBLELINE), 0);
  pressKey(control, VK_END, {VK_CONTROL});
  RECT client{};
  GetClientRect(control, &client);
  const POINT end = positionOf(static_cast<LONG>(selection(control).cpMax));
  EXPECT_GE(end.y, 0);
  EXPECT_LT(end.y, client.bottom);
  send(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
}

TEST_F(EditWindow, MouseClicksDragsAndDoubleClicks) {
  ShowWindow(parent.get(), SW_SHOWNA);
  setText(control, L"hello world again");
  click(WM_LBUTTONDOWN, positionOf(6));
  EXPECT_EQ(selection(control), (CHARRANGE{6, 6}));
  EXPECT_EQ(GetFocus(), control);
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, positionOf(6).x);
  EXPECT_EQ(caret.y, positionOf(6).y);
  click(WM_MOUSEMOVE, positionOf(9));
  click(WM_LBUTTONUP, positionOf(9), 0);
  EXPECT_EQ(selection(control), (CHARRANGE{6, 9}));
  click(WM_MOUSEMOVE, positionOf(2));  // no button held any more
  EXPECT_EQ(selection(control), (CHARRANGE{6, 9}));
  click(WM_LBUTTONDOWN, positionOf(2), MK_LBUTTON | MK_SHIFT);
  click(WM_LBUTTONUP, positionOf(2), 0);
  EXPECT_EQ(selection(control), (CHARRANGE{2, 6}));
  click(WM_LBUTTONDBLCLK, positionOf(8));
  EXPECT_EQ(selection(control), (CHARRANGE{6, 12}));
}

TEST_F(EditWindow, DraggingBelowTheTextKeepsScrolling) {
  ShowWindow(parent.get(), SW_SHOWNA);
  std::wstring text;
  for (int i = 0; i < 60; ++i) text += L"Line " + std::to_wstring(i) + L"\r";
  setText(control, text.c_str());
  click(WM_LBUTTONDOWN, positionOf(2));
  click(WM_MOUSEMOVE, {50, 299});  // just below the text
  const LRESULT first = send(EM_GETFIRSTVISIBLELINE);
  const LONG end = selection(control).cpMax;
  send(WM_TIMER, 1);
  send(WM_TIMER, 1);
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), first + 2);
  EXPECT_GT(selection(control).cpMax, end);
  EXPECT_EQ(selection(control).cpMin, 2);
  click(WM_LBUTTONUP, {50, 299}, 0);
  send(WM_TIMER, 1);  // the drag is over: nothing moves
  EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), first + 2);
}

TEST_F(EditWindow, SelectionBarSelectsLinesAndParagraphs) {
  ShowWindow(parent.get(), SW_SHOWNA);
  send(EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(20, 0));
  const std::wstring para = L"Words enough to wrap this paragraph over lines. ";
  setText(control, (L"first line\r" + para + para + para + para + L"\rlast").c_str());
  const auto lineStart = [&](int line) { return static_cast<LONG>(send(EM_LINEINDEX, line)); };
  ASSERT_GT(send(EM_GETLINECOUNT), 5);
  const auto bar = [&](int line) { return POINT{4, positionOf(lineStart(line)).y + 2}; };
  const auto at = [&](UINT message, POINT p, WPARAM keys = MK_LBUTTON) {
    send(message, keys, MAKELPARAM(p.x, p.y));
  };
  at(WM_LBUTTONDOWN, bar(0));
  at(WM_LBUTTONUP, bar(0), 0);
  EXPECT_EQ(selection(control), (CHARRANGE{0, 11}));  // the line with its paragraph end
  at(WM_LBUTTONDOWN, bar(2));
  at(WM_MOUSEMOVE, bar(3));
  EXPECT_EQ(selection(control), (CHARRANGE{lineStart(2), lineStart(4)}));
  at(WM_MOUSEMOVE, bar(1));  // above where the drag started: the first line stays whole
  at(WM_LBUTTONUP, bar(1), 0);
  EXPECT_EQ(selection(control), (CHARRANGE{lineStart(1), lineStart(3)}));
  at(WM_LBUTTONDOWN, bar(4), MK_LBUTTON | MK_SHIFT);
  at(WM_LBUTTONUP, bar(4), 0);
  EXPECT_EQ(selection(control), (CHARRANGE{lineStart(3), lineStart(5)}));
  at(WM_LBUTTONDBLCLK, bar(2));
  const auto last = static_cast<LONG>(storyText().rfind(L'\r'));
  EXPECT_EQ(selection(control), (CHARRANGE{11, last + 1}));
}

TEST_F(EditWindow, FormatRectangleAndMarginsPlaceTheText) {
  const std::wstring para = L"Words enough to wrap this paragraph over several lines of text. ";
  setText(control, (para + para).c_str());
  RECT client{};
  GetClientRect(control, &client);
  const LRESULT lines = send(EM_GETLINECOUNT);
  send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(20, 100));
  RECT r{};
  send(EM_GETRECT, 0, &r);
  EXPECT_EQ(r.right, client.right - 100);
  EXPECT_EQ(positionOf(0).x, 20);
  EXPECT_GT(send(EM_GETLINECOUNT), lines);  // narrower lines
  RECT grow{-10, 5, 50, 0};
  send(EM_SETRECT, 1, &grow);  // increments
  EXPECT_EQ(positionOf(0).x, 10);
  EXPECT_EQ(positionOf(0).y, 5);
  ShowWindow(parent.get(), SW_SHOWNA);
  UpdateWindow(control);
  RECT moved{0, 0, 200, 100};
  send(EM_SETRECTNP, 0, &moved);  // no repaint
  EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE));
  send(EM_SETMARGINS, EC_USEFONTINFO, 0);  // margins do not move a rectangle that was set
  EXPECT_EQ(positionOf(0).x, 0);
}

TEST_F(EditWindow, LinesThatDoNotWrapScrollSideways) {
  DestroyWindow(control);
  control = parent.createControl(registerRichEditClass(), ES_MULTILINE | WS_HSCROLL, 200, 100);
  ShowWindow(parent.get(), SW_SHOWNA);
  send(EM_SETTARGETDEVICE, 0, 1);
  std::wstring line;
  for (int i = 0; i < 12; ++i) line += L"word" + std::to_wstring(i) + L" ";
  setText(control, (line + L"\rshort").c_str());
  RECT client{};
  GetClientRect(control, &client);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(control, SB_HORZ, &si));
  EXPECT_GT(si.nMax, client.right);
  EXPECT_EQ(si.nPos, 0);
  const auto end = static_cast<LONG>(line.size() - 1);
  setSelection(control, end, end);  // the caret comes into view
  EXPECT_GE(positionOf(end).x, 0);
  EXPECT_LT(positionOf(end).x, client.right);
  const int scrolled = GetScrollPos(control, SB_HORZ);
  EXPECT_GT(scrolled, 0);
  EXPECT_EQ(positionOf(0).x, 1 - scrolled);
  send(WM_HSCROLL, SB_LEFT);
  EXPECT_EQ(positionOf(0).x, 1);
  send(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_LT(positionOf(0).x, 1);
  send(WM_HSCROLL, SB_RIGHT);
  EXPECT_EQ(GetScrollPos(control, SB_HORZ), scrolled);  // as far as the widest line needs
  pressKey(control, VK_HOME, {VK_CONTROL});
  EXPECT_EQ(positionOf(0).x, 1);
}

// What the next paint draws, as client rows; empty when nothing waits.
std::pair<LONG, LONG> pendingRows(HWND control) {
  RECT r{};
  if (!GetUpdateRect(control, &r, FALSE)) return {0, 0};
  return {r.top, r.bottom};
}

TEST_F(EditWindow, RepaintsOnlyWhatChanged) {
  ShowWindow(parent.get(), SW_SHOWNA);
  std::wstring text;
  for (int i = 0; i < 60; ++i) text += L"Line " + std::to_wstring(i) + L"\r";
  setText(control, text.c_str());
  RECT client{};
  GetClientRect(control, &client);
  const auto top = [&](int line) {
    return positionOf(static_cast<LONG>(send(EM_LINEINDEX, line))).y;
  };
  const LONG height = top(1) - top(0);
  const LONG line3 = static_cast<LONG>(send(EM_LINEINDEX, 3));
  struct Case {
    const char* name;
    std::function<void()> act;
    std::pair<LONG, LONG> rows;
  };
  const Case cases[] = {
      {"typing draws its line", [&] { typeText(control, L"x"); }, {top(3), top(4)}},
      {"a new paragraph draws down to the bottom",
       [&] { typeText(control, L"\r"); },
       {top(3), client.bottom}},
      {"selecting draws the selected lines",
       [&] { setSelection(control, line3 + 1, static_cast<LONG>(send(EM_LINEINDEX, 5)) + 1); },
       {top(3), top(6)}},
      {"a caret that only moves draws nothing", [&] { setSelection(control, 1, 1); }, {0, 0}},
      {"scrolling draws the uncovered band",
       [&] { send(EM_LINESCROLL, 0, 1); },
       {client.bottom - height, client.bottom}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setSelection(control, line3, line3);
    send(WM_VSCROLL, SB_TOP);
    UpdateWindow(control);
    c.act();
    const auto [from, to] = pendingRows(control);
    EXPECT_NEAR(from, c.rows.first, 1);
    EXPECT_NEAR(to, c.rows.second, 1);
    send(EM_UNDO);
  }
}

COLORREF pixelAt(HWND window, int x, int y) {
  UpdateWindow(window);
  const WindowDC dc(window);
  return GetPixel(dc.get(), x, y);
}

TEST_F(EditWindow, PaintsBackgroundAndSelectionAsAsked) {
  ShowWindow(parent.get(), SW_SHOWNA);
  UpdateWindow(parent.get());
  SendMessageW(control, EM_SETBKGNDCOLOR, 0, RGB(250, 240, 200));
  EXPECT_EQ(pixelAt(control, 390, 290), RGB(250, 240, 200));
  EXPECT_EQ(send(EM_SETBKGNDCOLOR, 1, 0), RGB(250, 240, 200));
  EXPECT_EQ(pixelAt(control, 390, 290), GetSysColor(COLOR_WINDOW));

  // Nothing is drawn while redrawing is off.
  send(WM_SETREDRAW, FALSE);
  SendMessageW(control, EM_SETBKGNDCOLOR, 0, RGB(0, 0, 255));
  EXPECT_EQ(pixelAt(control, 390, 290), GetSysColor(COLOR_WINDOW));
  send(WM_SETREDRAW, TRUE);
  EXPECT_EQ(pixelAt(control, 390, 290), RGB(0, 0, 255));
  send(EM_SETBKGNDCOLOR, 1, 0);

  const HWND keeps = parent.createControl(registerRichEditClass(), ES_MULTILINE | ES_NOHIDESEL);
  struct Case {
    HWND control;
    bool focused;
    bool hidden;  // EM_HIDESELECTION
    bool highlighted;
  };
  for (const Case& c : {Case{control, false, false, false}, Case{keeps, false, false, true},
                        Case{control, true, false, true}, Case{control, true, true, false}}) {
    SetFocus(c.focused ? c.control : parent.get());
    setText(c.control, L"WWWWWWWW");
    setSelection(c.control, 0, -1);
    SendMessageW(c.control, EM_HIDESELECTION, c.hidden, 0);
    InvalidateRect(c.control, nullptr, FALSE);
    const POINT p{positionOf(0).x + 3, 6};
    EXPECT_EQ(pixelAt(c.control, p.x, p.y) == GetSysColor(COLOR_HIGHLIGHT), c.highlighted)
        << c.focused << c.hidden << c.highlighted;
  }
}

// Detected URLs show and click as links, but they are no formatting: no undo step, no change,
// nothing in the saved RTF.
TEST_F(EditWindow, DetectedUrlsActAsLinksWithoutChangingTheDocument) {
  ShowWindow(parent.get(), SW_SHOWNA);
  send(EM_SETEVENTMASK, 0, ENM_LINK | ENM_CHANGE);
  const std::wstring text = L"see www.example.com, then";
  constexpr CHARRANGE url{4, 19};
  // Pure blue pixels (the link colour, at least its underline) between two positions.
  const auto blueBetween = [&](LONG from, LONG to) {
    UpdateWindow(control);
    const WindowDC dc(control);
    const POINT a = positionOf(from);
    const LONG right = positionOf(to).x;
    int blue = 0;
    for (int y = a.y; y < a.y + 20; ++y) {
      for (int x = a.x; x < right; ++x) blue += GetPixel(dc.get(), x, y) == RGB(0, 0, 255);
    }
    return blue;
  };
  struct Case {
    BOOL whileTyping;  // EM_AUTOURLDETECT before the text is typed
    BOOL afterwards;   // and after
  };
  std::string savedRtf;
  for (const Case c :
       {Case{TRUE, TRUE}, Case{FALSE, FALSE}, Case{FALSE, TRUE}, Case{TRUE, FALSE}}) {
    SCOPED_TRACE(testing::Message() << c.whileTyping << c.afterwards);
    const bool linked = c.afterwards;
    setText(control, L"");
    EXPECT_EQ(send(EM_AUTOURLDETECT, c.whileTyping), 0);
    typeText(control, text);
    send(EM_SETMODIFY, FALSE);
    const LRESULT canUndo = send(EM_CANUNDO);
    UpdateWindow(control);
    parent.notices.clear();
    EXPECT_EQ(send(EM_AUTOURLDETECT, c.afterwards), 0);
    EXPECT_EQ(send(EM_GETAUTOURLDETECT), c.afterwards);
    EXPECT_EQ(send(EM_CANUNDO), canUndo);
    EXPECT_FALSE(send(EM_GETMODIFY));
    EXPECT_TRUE(parent.notices.empty()) << "no EN_CHANGE";
    EXPECT_EQ(blueBetween(url.cpMin, url.cpMax) > 0, linked) << "switching repaints";
    EXPECT_EQ(blueBetween(0, 3), 0);

    // The platform's control reports detected URLs as linked text.
    for (const CHARRANGE& r : {CHARRANGE{6, 10}, CHARRANGE{2, 10}, CHARRANGE{19, 19}}) {
      setSelection(control, r.cpMin, r.cpMax);
      CHARFORMAT2W format{};
      format.cbSize = sizeof format;
      send(EM_GETCHARFORMAT, SCF_SELECTION, &format);
      const bool inside = r.cpMin >= url.cpMin;
      EXPECT_EQ((format.dwEffects & CFE_LINK) != 0, linked && inside) << r.cpMin;
      EXPECT_EQ((format.dwMask & CFM_LINK) != 0, !linked || inside) << r.cpMin;
    }

    const std::string rtf = streamOut(control, SF_RTF);
    EXPECT_EQ(rtf.find("HYPERLINK"), std::string::npos);
    if (savedRtf.empty()) savedRtf = rtf;
    EXPECT_EQ(rtf, savedRtf);

    setSelection(control, 0, 0);
    parent.notices.clear();
    click(WM_LBUTTONDOWN, positionOf(8));
    click(WM_LBUTTONUP, positionOf(8), 0);
    click(WM_LBUTTONDOWN, positionOf(21));  // beyond the URL's comma
    click(WM_LBUTTONUP, positionOf(21), 0);
    std::vector<Notice> links;
    for (const Notice& n : parent.notices) {
      if (n.code == static_cast<UINT>(EN_LINK)) links.push_back(n);
    }
    const std::vector<Notice> expected{{WM_NOTIFY, EN_LINK, url, WM_LBUTTONDOWN, 0},
                                       {WM_NOTIFY, EN_LINK, url, WM_LBUTTONUP, 0}};
    EXPECT_EQ(links, linked ? expected : std::vector<Notice>{});
  }
  EXPECT_EQ(send(EM_AUTOURLDETECT, 0x100), E_INVALIDARG);
}

TEST_F(EditWindow, ScreenshotOfFormattedText) {
  // The word processor's editor keeps its scroll bar even when the text fits.
  DestroyWindow(control);
  control = parent.createControl(registerRichEditClass(),
                                 ES_MULTILINE | WS_VSCROLL | ES_DISABLENOSCROLL | ES_NOHIDESEL);
  ShowWindow(parent.get(), SW_SHOWNA);
  streamIn(control, kFormattedRtf, SF_RTF);
  pressKey(control, VK_END, {VK_CONTROL});
  setClipboard(parent.get(), CF_ENHMETAFILE, metafilePicture());
  send(WM_PASTE);
  EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VSCROLL);
  setSelection(control, 2, 25);  // across the heading's paragraph end
  SetFocus(control);
  const std::wstring path = SaveWindowScreenshot(parent.get(), L"richedit-window");
  EXPECT_FALSE(path.empty());
}

}  // namespace
}  // namespace richedit::test
