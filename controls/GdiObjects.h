#pragma once
#include <windows.h>

#include <utility>

namespace controls {

// Owns one GDI object (pen, brush, bitmap, region, font) and deletes it.
template <class H>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(H h) : h_(h) {}
  TGdiObject(TGdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  ~TGdiObject() { Reset(); }

  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

using TPen = TGdiObject<HPEN>;
using TBrush = TGdiObject<HBRUSH>;
using TRegion = TGdiObject<HRGN>;
using TBitmap = TGdiObject<HBITMAP>;
using TFont = TGdiObject<HFONT>;

// Selects an object into a device context for one scope and puts the old one back.
class TSelection {
 public:
  TSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;
  ~TSelection() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's device context from GetDC, released at the end of the scope.
class TWindowDC {
 public:
  explicit TWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace controls
