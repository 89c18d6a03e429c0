#include "writer/MainToolbar.h"

#include <commctrl.h>

#include <algorithm>

namespace writer {

void MainToolbar::Create(HWND parent, std::span<const ToolButton> buttons) {
  buttons_.assign(buttons.begin(), buttons.end());
  CreateWindowed(parent, TOOLBARCLASSNAMEW,
                 TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_TOP, 0, 0, 0,
                 0, kHeight, L"");
  HWND bar = Handle();
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

  std::vector<ToolIcon> icons;
  for (const ToolButton& b : buttons_)
    if (b.command) icons.push_back(b.icon);
  images_ = MakeIconList(icons, 32, false);
  faded_ = MakeIconList(icons, 32, true);
  SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  SendMessageW(bar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(faded_.get()));

  std::vector<TBBUTTON> items;
  int image = 0;
  for (const ToolButton& b : buttons_) {
    TBBUTTON item{};
    if (b.command == 0) {
      item.fsStyle = BTNS_SEP;
      item.iBitmap = 6;  // the gap's width
    } else {
      item.iBitmap = image++;
      item.idCommand = b.command;
      item.fsState = TBSTATE_ENABLED;
      item.fsStyle = BTNS_BUTTON | (b.dropDown ? BTNS_DROPDOWN : 0);
      item.iString = -1;
    }
    items.push_back(item);
  }
  SendMessageW(bar, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
  SetIndent(2);
  SetMessageHook([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return Hook(msg, wp, lp, result);
  });
}

bool MainToolbar::Hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(reinterpret_cast<HDC>(wp), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    result = 1;
    return true;
  }
  if (msg == WM_MOUSEMOVE && OnHint) {
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    const int index = static_cast<int>(CallOriginal(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)));
    TBBUTTON item{};
    if (index >= 0 && CallOriginal(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&item)) &&
        item.idCommand)
      OnHint(HintOf(item.idCommand));
  }
  return false;
}

bool MainToolbar::HandleNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != TBN_DROPDOWN || !OnDropDown) return false;
  const auto& drop = reinterpret_cast<const NMTOOLBARW&>(header);
  RECT r = ButtonRect(drop.iItem);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  OnDropDown(drop.iItem, r);
  result = TBDDRET_DEFAULT;
  return true;
}

void MainToolbar::SetCommandEnabled(int command, bool enabled) {
  SendMessageW(Handle(), TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool MainToolbar::CommandEnabled(int command) const {
  return SendMessageW(Handle(), TB_ISBUTTONENABLED, command, 0) != 0;
}

RECT MainToolbar::ButtonRect(int command) const {
  RECT r{};
  SendMessageW(Handle(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
  return r;
}

std::wstring MainToolbar::HintOf(int command) const {
  for (const ToolButton& b : buttons_)
    if (b.command == command) return b.hint;
  return {};
}

int MainToolbar::ButtonsWidth() const {
  const int count = static_cast<int>(SendMessageW(Handle(), TB_BUTTONCOUNT, 0, 0));
  RECT last{};
  if (count == 0 ||
      !SendMessageW(Handle(), TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last)))
    return 0;
  return last.right - indent_;
}

void MainToolbar::SetIndent(int pixels) {
  indent_ = pixels;
  SendMessageW(Handle(), TB_SETINDENT, pixels, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace writer
