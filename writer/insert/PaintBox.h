#pragma once
// A child window that the program paints itself: the character grid and its preview. It
// takes the focus, wants the arrow keys and reports paints, clicks and keys as events.
#include <windows.h>

#include <functional>

#include "platform/Controls.h"

namespace writer {

class PaintBox : public Control {
 public:
  void Create(HWND parent, int left, int top, int width, int height, bool focusable);

  std::function<void(HDC, const RECT&)> OnPaint;
  std::function<void(POINT)> OnMouseDown;
  // True when the key was used.
  std::function<bool(WPARAM)> OnKeyDown;
};

}  // namespace writer
