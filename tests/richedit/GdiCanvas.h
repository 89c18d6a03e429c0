#pragma once
// A white 32-bit top-down bitmap selected into a memory DC, for tests that look at pixels.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/GdiHandles.h"

namespace richedit::test {

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    old_ = SelectObject(dc_.get(), bitmap_.get());
    std::memset(bits_, 0xFF, static_cast<std::size_t>(width) * height * 4);
  }
  ~Canvas() { SelectObject(dc_.get(), old_); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF pixel(int x, int y) const {
    GdiFlush();
    const auto p = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  bool ink(int x, int y) const { return pixel(x, y) != RGB(255, 255, 255); }
  // The ink's leftmost and rightmost columns within rows [top, bottom); -1 without ink.
  std::pair<int, int> inkColumns(int top, int bottom) const {
    int left = -1;
    int right = -1;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
      for (int x = 0; x < width_; ++x) {
        if (!ink(x, y)) continue;
        if (left < 0 || x < left) left = x;
        right = std::max(right, x);
      }
    }
    return {left, right};
  }

 private:
  int width_;
  int height_;
  MemoryDC dc_;
  BitmapHandle bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace richedit::test
