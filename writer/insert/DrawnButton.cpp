#include "writer/insert/DrawnButton.h"

namespace writer {

void DrawnButton::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                         int height) {
  Button::Create(parent, caption, left, top, width, height, BS_OWNERDRAW);
  SetMessageHook([this](UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_MOUSEMOVE && !hot_) {
      hot_ = true;
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&track);
      Invalidate();
      if (OnEnter) OnEnter();
    } else if (msg == WM_MOUSELEAVE) {
      hot_ = false;
      Invalidate();
      if (OnLeave) OnLeave();
    }
    return false;
  });
}

bool DrawnButton::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  if (OnDraw) OnDraw(item, hot_ || (item.itemState & ODS_FOCUS));
  return true;
}

}  // namespace writer
