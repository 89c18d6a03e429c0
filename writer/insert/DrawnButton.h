#pragma once
// A button that the program draws itself (an emoticon, a divider sample, a script toggle). It
// reports when the mouse comes and goes, so it can show a hover state.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Controls.h"

namespace writer {

class DrawnButton : public Button {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height);
  // hot: the mouse is over the button or it has the focus.
  std::function<void(const DRAWITEMSTRUCT&, bool hot)> OnDraw;
  std::function<void()> OnEnter;
  std::function<void()> OnLeave;
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  bool hot_ = false;
};

}  // namespace writer
