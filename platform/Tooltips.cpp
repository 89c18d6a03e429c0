#include "platform/Tooltips.h"

#include <commctrl.h>

Tooltips::Tooltips(HWND owner)
    : owner_(owner),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {}

Tooltips::~Tooltips() {
  if (IsWindow(tips_)) DestroyWindow(tips_);
}

void Tooltips::Set(HWND tool, const std::wstring& text) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = owner_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  if (!text.empty()) SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Tooltips::Relay(const MSG& msg) const {
  MSG copy = msg;
  SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}
