#pragma once
// What the engine's child windows (page image, preview, thumbnails, pickers) share: their
// window class, registered once and unregistered at exit, and the answer to a scroll-bar
// request.

#include <windows.h>

#include <optional>

class TVpWindowClass {
 public:
  // A class with an arrow cursor; background nullptr paints nothing.
  TVpWindowClass(const wchar_t* name, WNDPROC proc, UINT style = CS_DBLCLKS,
                 HBRUSH background = nullptr);
  ~TVpWindowClass();
  TVpWindowClass(const TVpWindowClass&) = delete;
  TVpWindowClass& operator=(const TVpWindowClass&) = delete;

 private:
  const wchar_t* name_;
};

// The position a WM_HSCROLL or WM_VSCROLL request asks for, from current and the bar's page
// and range; line is the step of the arrows. std::nullopt for requests that move nothing.
std::optional<int> ScrollRequestPosition(HWND window, int bar, WPARAM request, int current,
                                         int line);
