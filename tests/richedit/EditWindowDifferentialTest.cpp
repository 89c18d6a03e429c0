// Sequences where the platform's control under Wine is known to answer right: our control
// must answer the same, message for message.
#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/RichEditWindow.h"
#include "tests/richedit/EditWindowHarness.h"

namespace richedit::test {
namespace {

std::wstring show(const CHARRANGE& r) {
  return L"{" + std::to_wstring(r.cpMin) + L"," + std::to_wstring(r.cpMax) + L"}";
}

struct Sequence {
  const char* name;
  std::function<std::wstring(HWND)> run;  // what the control answered, written out
};
void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

std::wstring rtfInTextOut(HWND c) {
  const LRESULT read = streamIn(c,
                                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello "
                                "\\b bold\\b0  world\\par Second \\i line\\i0\\par Third}",
                                SF_RTF);
  const std::string text = streamOut(c, SF_TEXT);
  return std::to_wstring(read) + L"|" + windowText(c) + L"|" +
         std::wstring(text.begin(), text.end());
}

std::wstring plainTextIn(HWND c) {
  const LRESULT read = streamIn(c, "one\r\ntwo\nthree\rfour", SF_TEXT);
  return std::to_wstring(read) + L"|" + windowText(c) + L"|" +
         std::to_wstring(SendMessageW(c, WM_GETTEXTLENGTH, 0, 0));
}

std::wstring selectionRanges(HWND c) {
  setText(c, L"Hello world\rsecond line");
  std::wstring out;
  const CHARRANGE ranges[] = {{0, -1}, {3, 7},    {-1, 3},  {7, 2}, {3, 100}, {100, 200},
                              {5, -1}, {23, 100}, {24, 24}, {2, 2}, {-1, 0},  {0, 0}};
  for (CHARRANGE r : ranges) {
    const LRESULT set = SendMessageW(c, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    out += show(r) + L"->" + std::to_wstring(set) + show(selection(c)) + L" ";
  }
  SendMessageW(c, EM_SETSEL, 9, 4);
  DWORD start = 0;
  DWORD end = 0;
  const LRESULT packed =
      SendMessageW(c, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return out + std::to_wstring(packed) + L"," + std::to_wstring(start) + L"," +
         std::to_wstring(end);
}

std::wstring textLengths(HWND c) {
  setText(c, L"ab\rcd\r\ref");
  std::wstring out = std::to_wstring(SendMessageW(c, WM_GETTEXTLENGTH, 0, 0));
  for (DWORD flags : {GTL_DEFAULT, GTL_NUMCHARS, GTL_USECRLF, GTL_USECRLF | GTL_NUMCHARS,
                      GTL_PRECISE | GTL_NUMCHARS, GTL_NUMCHARS | GTL_NUMBYTES}) {
    GETTEXTLENGTHEX how{flags, 1200};
    out += L" " +
           std::to_wstring(SendMessageW(c, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
  }
  return out;
}

std::wstring findText(HWND c) {
  setText(c, L"The cat scattered the Cats.\rcat");
  struct Find {
    DWORD flags;
    CHARRANGE range;
    const wchar_t* what;
  };
  const Find finds[] = {
      {FR_DOWN, {0, -1}, L"cat"},
      {FR_DOWN | FR_MATCHCASE, {9, -1}, L"cat"},
      {FR_DOWN | FR_WHOLEWORD, {0, -1}, L"cat"},
      {FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE, {0, -1}, L"Cats"},
      {FR_DOWN | FR_MATCHCASE, {0, -1}, L"CAT"},
      {0, {31, 0}, L"cat"},
      {FR_WHOLEWORD, {31, 0}, L"the"},
      {FR_DOWN, {0, 20}, L"the"},
      {FR_DOWN, {0, -1}, L"s.\rc"},
  };
  std::wstring out;
  for (const Find& f : finds) {
    FINDTEXTEXW find{f.range, f.what, {-9, -9}};
    const LRESULT at = SendMessageW(c, EM_FINDTEXTEXW, f.flags, reinterpret_cast<LPARAM>(&find));
    out += std::to_wstring(at) + show(find.chrgText) + L" ";
  }
  // The plain forms of the find messages take wide text in a Unicode window.
  FINDTEXTEXW plain{{0, -1}, L"Cats", {-9, -9}};
  out += std::to_wstring(SendMessageW(c, EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&plain)));
  FINDTEXTW simple{{0, -1}, L"scat"};
  out += L" " +
         std::to_wstring(SendMessageW(c, EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&simple)));
  return out;
}

std::wstring hardLines(HWND c) {
  setText(c, L"one\rtwo\r\rfour");
  std::wstring out = std::to_wstring(SendMessageW(c, EM_GETLINECOUNT, 0, 0)) + L":";
  for (int line = 0; line <= 5; ++line) {
    out += L" " + std::to_wstring(SendMessageW(c, EM_LINEINDEX, line, 0));
  }
  out += L" |";
  for (int pos = 0; pos <= 13; ++pos) {
    out += L" " + std::to_wstring(SendMessageW(c, EM_EXLINEFROMCHAR, 0, pos)) + L"/" +
           std::to_wstring(SendMessageW(c, EM_LINELENGTH, pos, 0));
  }
  return out;
}

std::wstring typingUndo(HWND c) {
  typeText(c, L"abc");
  pressKey(c, VK_LEFT);
  pressKey(c, VK_LEFT, {VK_SHIFT});
  typeText(c, L"XY");
  std::wstring out = windowText(c) + show(selection(c));
  SendMessageW(c, EM_UNDO, 0, 0);
  out += L" " + windowText(c) + show(selection(c));
  SendMessageW(c, EM_UNDO, 0, 0);
  out += L" " + windowText(c) + show(selection(c)) +
         std::to_wstring(SendMessageW(c, EM_CANUNDO, 0, 0)) +
         std::to_wstring(SendMessageW(c, EM_CANREDO, 0, 0));
  SendMessageW(c, EM_REDO, 0, 0);
  return out + L" " + windowText(c) + show(selection(c));
}

std::wstring formatRect(HWND c) {
  setText(c, L"Some text");
  const auto rect = [&] {
    RECT r{};
    SendMessageW(c, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    POINTL p{};
    SendMessageW(c, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 0);
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom) + L"@" +
           std::to_wstring(p.x) + L"," + std::to_wstring(p.y) + L" ";
  };
  // Margins and relative rectangles are left out: Wine ignores both.
  std::wstring out = rect();
  RECT set{30, 40, 200, 150};
  SendMessageW(c, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&set));
  out += rect();
  RECT other{3, 4, 300, 250};
  SendMessageW(c, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&other));
  out += rect();
  SendMessageW(c, EM_SETRECT, 0, 0);
  return out + rect();
}

class SameAsPlatform : public testing::TestWithParam<Sequence> {
 protected:
  static void SetUpTestSuite() { LoadLibraryW(L"riched20.dll"); }
};

TEST_P(SameAsPlatform, AnswersTheSame) {
  TestParent parent;
  const HWND ours = parent.createControl(registerRichEditClass(), ES_MULTILINE);
  const HWND platform = parent.createControl(RICHEDIT_CLASSW, ES_MULTILINE);
  ASSERT_NE(ours, nullptr);
  ASSERT_NE(platform, nullptr);
  const std::wstring expected = GetParam().run(platform);
  EXPECT_EQ(GetParam().run(ours), expected);
}

// Copy in one control and paste in the other, both ways: the text and its bold come across.
TEST_F(SameAsPlatform, ClipboardCarriesTextAndBoldBetweenTheControls) {
  TestParent parent;
  const HWND ours = parent.createControl(registerRichEditClass(), ES_MULTILINE);
  const HWND platform = parent.createControl(RICHEDIT_CLASSW, ES_MULTILINE);
  for (const auto& [from, to] : {std::pair{platform, ours}, std::pair{ours, platform}}) {
    SCOPED_TRACE(from == ours ? "ours to the platform's" : "the platform's to ours");
    streamIn(from, "{\\rtf1\\ansi plain \\b bold\\b0  caf\\'e9}", SF_RTF);
    setSelection(from, 6, 15);
    SendMessageW(from, WM_COPY, 0, 0);
    setText(to, L"");
    SendMessageW(to, WM_PASTE, 0, 0);
    EXPECT_EQ(windowText(to), L"bold caf\u00E9");
    EXPECT_TRUE(allBold(to, 0, 4));
  }
  // Our copy puts 8-bit text in the system code page there itself, before the rich text (a
  // format the system makes up from another would come after every format put there).
  ASSERT_TRUE(OpenClipboard(parent.get()));
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) formats.push_back(f);
  std::string ansi;
  if (HANDLE memory = GetClipboardData(CF_TEXT)) {
    ansi = static_cast<const char*>(GlobalLock(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  EXPECT_EQ(ansi, "bold caf\xE9");
  const auto at = [&](UINT f) {
    return std::find(formats.begin(), formats.end(), f) - formats.begin();
  };
  EXPECT_LT(at(CF_TEXT), at(RegisterClipboardFormatW(L"Rich Text Format")));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, SameAsPlatform,
    testing::Values(Sequence{"RtfInTextOut", rtfInTextOut}, Sequence{"PlainTextIn", plainTextIn},
                    Sequence{"SelectionRanges", selectionRanges},
                    Sequence{"TextLengths", textLengths}, Sequence{"FindText", findText},
                    Sequence{"HardLines", hardLines}, Sequence{"TypingUndo", typingUndo},
                    Sequence{"FormatRect", formatRect}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace richedit::test
