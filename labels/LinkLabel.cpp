#include "labels/LinkLabel.h"

#include <shellapi.h>

#include "platform/Application.h"

void LinkLabel::Create(HWND parent, const std::wstring& address, int left, int top, int width,
                       int height) {
  address_ = address;
  Label::Create(parent, address, left, top, width, height, SS_OWNERDRAW);
  LOGFONTW lf{};
  GetObjectW(Application::Get().UiFont(), sizeof lf, &lf);
  lf.lfUnderline = TRUE;
  underlined_.Reset(CreateFontIndirectW(&lf));
  OnClick = [this] {
    if (OnOpen) OnOpen(address_);
  };
  SetMessageHook([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return Hook(msg, wp, lp, result);
  });
}

void LinkLabel::SetHot(bool hot) {
  if (hot == hot_) return;
  hot_ = hot;
  if (hot) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
  }
  Invalidate();
}

bool LinkLabel::Hook(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    case WM_MOUSEMOVE: SetHot(true); break;
    case WM_MOUSELEAVE: SetHot(false); break;
  }
  return false;
}

bool LinkLabel::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  if (OnPaintBackground)
    OnPaintBackground(item.hDC, r);
  else
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  Selection font(item.hDC, hot_ ? underlined_.get() : Application::Get().UiFont());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, textColor);
  DrawTextW(item.hDC, address_.c_str(), static_cast<int>(address_.size()), &r,
            DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
  return true;
}

void OpenWebAddress(const std::wstring& address) {
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
