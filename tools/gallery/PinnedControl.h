#pragma once
#include <windows.h>

#include "controls/StyledControl.h"

namespace gallery {

// The look a gallery cell shows for good: what the mouse and the keyboard would make of it.
struct TLook {
  bool hovered = false;
  bool pressed = false;
  bool focused = false;
};

// A control frozen in one look: it ignores the mouse and the keyboard, so a screenshot shows
// every state at once.
template <class Base>
class TPinned : public Base {
 public:
  TPinned(HWND parent, int x, int y, int width, int height, TLook look)
      : Base(parent, x, y, width, height), look_(look) {
    controls::TFadeAnimator& fade = this->Fade();
    if (look.hovered || look.pressed) fade.MouseEnter();
    if (look.pressed) fade.MouseDown();
    fade.SetLevels(look.hovered ? 100 : 0, look.pressed ? 100 : 0);
    this->SetTabStop(false);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_MOUSELEAVE ||
        msg == WM_KEYDOWN || msg == WM_KEYUP || msg == BM_CLICK)
      return 0;
    return Base::HandleMessage(msg, wp, lp);
  }
  bool ShowsFocus() const override { return look_.focused; }

 private:
  TLook look_;
};

}  // namespace gallery
