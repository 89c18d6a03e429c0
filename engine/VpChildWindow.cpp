#include "engine/VpChildWindow.h"

#include <stdexcept>

TVpWindowClass::TVpWindowClass(const wchar_t* name, WNDPROC proc, UINT style, HBRUSH background)
    : name_(name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (!RegisterClassExW(&wc))
    throw std::runtime_error("A window class of the page engine was refused.");
}

TVpWindowClass::~TVpWindowClass() { UnregisterClassW(name_, GetModuleHandleW(nullptr)); }

std::optional<int> ScrollRequestPosition(HWND window, int bar, WPARAM request, int current,
                                         int line) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window, bar, &info);
  switch (LOWORD(request)) {
    case SB_LINEUP: return current - line;
    case SB_LINEDOWN: return current + line;
    case SB_PAGEUP: return current - static_cast<int>(info.nPage);
    case SB_PAGEDOWN: return current + static_cast<int>(info.nPage);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos;
    case SB_TOP: return info.nMin;
    case SB_BOTTOM: return info.nMax;
    default: return std::nullopt;
  }
}
