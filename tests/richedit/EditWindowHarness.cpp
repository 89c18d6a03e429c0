#include "tests/richedit/EditWindowHarness.h"

#include <algorithm>
#include <cstring>

namespace richedit::test {
namespace {

constexpr wchar_t kParentClass[] = L"RichEditTestParent";

struct ReadState {
  const std::string* bytes;
  std::size_t pos;
};

DWORD CALLBACK readBytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* s = reinterpret_cast<ReadState*>(cookie);
  const std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(size), s->bytes->size() - s->pos);
  std::memcpy(buffer, s->bytes->data() + s->pos, n);
  s->pos += n;
  *done = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK writeBytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                 static_cast<std::size_t>(size));
  *done = size;
  return 0;
}

}  // namespace

TestParent::TestParent() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kParentClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
  window_ = CreateWindowExW(0, kParentClass, L"Rich edit test", WS_OVERLAPPEDWINDOW, 40, 40, 460,
                            380, nullptr, nullptr, wc.hInstance, this);
}

TestParent::~TestParent() { DestroyWindow(window_); }

HWND TestParent::createControl(const wchar_t* className, DWORD style, int width, int height) {
  return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                         window_, reinterpret_cast<HMENU>(100), GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK TestParent::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestParent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_COMMAND && lParam) {
    self->notices.push_back({WM_COMMAND, HIWORD(wParam), {}});
    return 0;
  }
  if (self && message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    Notice n{WM_NOTIFY, header->code, {}};
    if (header->code == EN_SELCHANGE) n.range = reinterpret_cast<const SELCHANGE*>(lParam)->chrg;
    if (header->code == EN_PROTECTED) {
      n.range = reinterpret_cast<const ENPROTECTED*>(lParam)->chrg;
      n.input = reinterpret_cast<const ENPROTECTED*>(lParam)->msg;
    }
    if (header->code == EN_MSGFILTER) n.input = reinterpret_cast<const MSGFILTER*>(lParam)->msg;
    if (header->code == EN_LINK) {
      n.range = reinterpret_cast<const ENLINK*>(lParam)->chrg;
      n.input = reinterpret_cast<const ENLINK*>(lParam)->msg;
    }
    if (header->code == EN_REQUESTRESIZE) {
      const RECT& rc = reinterpret_cast<const REQRESIZE*>(lParam)->rc;
      n.height = rc.bottom - rc.top;
    }
    self->notices.push_back(n);
    switch (header->code) {
      case EN_PROTECTED: return self->protectedAnswer;
      case EN_MSGFILTER: return self->filterAnswer;
      case EN_LINK: return self->linkAnswer;
      default: return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring windowText(HWND control) {
  const auto n = static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(n + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(control, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

CHARRANGE selection(HWND control) {
  CHARRANGE r{-7, -7};
  SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

void setSelection(HWND control, LONG min, LONG max) {
  CHARRANGE r{min, max};
  SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

void setText(HWND control, const wchar_t* text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT streamIn(HWND control, const std::string& bytes, WPARAM flags) {
  ReadState state{&bytes, 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&state), 0, readBytes};
  return SendMessageW(control, EM_STREAMIN, flags, reinterpret_cast<LPARAM>(&es));
}

std::string streamOut(HWND control, WPARAM flags) {
  std::string out;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, writeBytes};
  SendMessageW(control, EM_STREAMOUT, flags, reinterpret_cast<LPARAM>(&es));
  return out;
}

void typeText(HWND control, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 1);
}

bool allBold(HWND control, LONG min, LONG max) {
  setSelection(control, min, max);
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  SendMessageW(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
}

LRESULT sendHolding(HWND control, UINT message, WPARAM wParam, const std::vector<UINT>& held) {
  BYTE state[256]{};
  GetKeyboardState(state);
  BYTE pressed[256];
  std::memcpy(pressed, state, sizeof state);
  for (UINT k : held) pressed[k] = 0x80;
  SetKeyboardState(pressed);
  const LRESULT result = SendMessageW(control, message, wParam, 1);
  SetKeyboardState(state);
  return result;
}

}  // namespace richedit::test
