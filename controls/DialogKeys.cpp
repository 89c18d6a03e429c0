#include "controls/DialogKeys.h"

#include "controls/StyledButton.h"

namespace controls {
namespace {

struct TSearch {
  bool wantDefault;
  HWND found = nullptr;
};

BOOL CALLBACK FindKeyButton(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<TSearch*>(lp);
  auto* button = dynamic_cast<TStyledButton*>(TStyledControl::FromHandle(hwnd));
  if (!button || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
  if (search->wantDefault ? button->Default() : button->Cancel()) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

bool ModifierHeld() {
  return (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000) ||
         (GetKeyState(VK_MENU) & 0x8000);
}

// Whether the focused window takes the key itself.
bool FocusWantsKey(const MSG& msg) {
  const HWND focus = GetFocus();
  if (!focus) return false;
  if (TStyledControl::FromHandle(focus) && msg.wParam == VK_RETURN &&
      dynamic_cast<TStyledButton*>(TStyledControl::FromHandle(focus)))
    return true;
  MSG copy = msg;
  const LRESULT code =
      SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
  return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

}  // namespace

bool HandleStyledDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE))
    return false;
  if (msg.wParam == VK_ESCAPE && ModifierHeld()) return false;
  if (FocusWantsKey(msg)) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  TSearch search{msg.wParam == VK_RETURN};
  EnumChildWindows(root, FindKeyButton, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  SendMessageW(search.found, BM_CLICK, 0, 0);
  return true;
}

}  // namespace controls
