#pragma once
// A web address on a window: hand cursor, underlined while the mouse is over it, and a click
// hands the address to OnOpen (the program asks the shell to open it).
#include <functional>
#include <string>

#include "platform/Controls.h"
#include "platform/GdiHandles.h"

class LinkLabel : public Label {
 public:
  void Create(HWND parent, const std::wstring& address, int left, int top, int width, int height);
  const std::wstring& Address() const { return address_; }
  bool Hot() const { return hot_; }

  std::function<void(const std::wstring& address)> OnOpen;
  // Paints what lies behind the text (the owner's band), in the label's coordinates.
  std::function<void(HDC dc, const RECT& rect)> OnPaintBackground;
  COLORREF textColor = RGB(255, 255, 255);

  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  bool Hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void SetHot(bool hot);

  std::wstring address_;
  bool hot_ = false;
  FontHandle underlined_;
};

// Opens a web address with the shell's "open" verb.
void OpenWebAddress(const std::wstring& address);
