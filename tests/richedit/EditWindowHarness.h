#pragma once
// A parent window that records the notifications a rich-edit control sends it, and helpers
// that drive a control through its messages only, so the same steps run against our control
// and against the platform's.
#include <windows.h>

#include <richedit.h>

#include <ostream>
#include <string>
#include <vector>

// Ranges compare and print by their ends (found by argument lookup in the global namespace).
inline bool operator==(const CHARRANGE& a, const CHARRANGE& b) {
  return a.cpMin == b.cpMin && a.cpMax == b.cpMax;
}
inline void PrintTo(const CHARRANGE& r, std::ostream* os) {
  *os << "{" << r.cpMin << "," << r.cpMax << "}";
}

namespace richedit::test {

struct Notice {
  UINT message = 0;  // WM_COMMAND or WM_NOTIFY
  UINT code = 0;
  CHARRANGE range{};  // EN_SELCHANGE's new selection, EN_PROTECTED's current one, EN_LINK's link
  UINT input = 0;     // the message EN_MSGFILTER, EN_PROTECTED or EN_LINK is about
  LONG height = 0;    // what EN_REQUESTRESIZE asks for
  friend bool operator==(const Notice& a, const Notice& b) {
    return a.message == b.message && a.code == b.code && a.range == b.range && a.input == b.input &&
           a.height == b.height;
  }
  friend void PrintTo(const Notice& n, std::ostream* os) {
    *os << (n.message == WM_COMMAND ? "command " : "notify ") << n.code;
    ::PrintTo(n.range, os);
  }
};

class TestParent {
 public:
  TestParent();
  ~TestParent();
  TestParent(const TestParent&) = delete;
  TestParent& operator=(const TestParent&) = delete;

  HWND get() const { return window_; }
  // A child control of the class, 400 x 300 pixels, control id 100.
  HWND createControl(const wchar_t* className, DWORD style, int width = 400, int height = 300);

  std::vector<Notice> notices;
  LRESULT protectedAnswer = 0;  // what EN_PROTECTED gets back
  LRESULT filterAnswer = 0;     // what EN_MSGFILTER gets back
  LRESULT linkAnswer = 0;       // what EN_LINK gets back

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

// Message helpers; all of them work on any rich-edit control.
std::wstring windowText(HWND control);
CHARRANGE selection(HWND control);
void setSelection(HWND control, LONG min, LONG max);
void setText(HWND control, const wchar_t* text);
LRESULT streamIn(HWND control, const std::string& bytes, WPARAM flags);
std::string streamOut(HWND control, WPARAM flags);
void typeText(HWND control, const std::wstring& text);  // WM_CHAR per character
bool allBold(HWND control, LONG min, LONG max);         // selects the range to ask
// Sends the message with the given modifier keys (VK_SHIFT, VK_CONTROL) held in the key state.
LRESULT sendHolding(HWND control, UINT message, WPARAM wParam, const std::vector<UINT>& held);
inline void pressKey(HWND control, UINT key, const std::vector<UINT>& held = {}) {
  sendHolding(control, WM_KEYDOWN, key, held);
}

}  // namespace richedit::test
