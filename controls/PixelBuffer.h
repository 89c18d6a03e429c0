#pragma once
#include <cstdint>
#include <vector>

#include "controls/Color.h"

namespace controls {

// A pixel rectangle; right and bottom are exclusive, as on the platform.
struct TPixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  TPixelRect Intersect(const TPixelRect& o) const;
  TPixelRect Inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
  TPixelRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const TPixelRect&) const = default;
};

// 24-bit pixels, blue-green-red bytes, rows top-down: the layout of a 24-bit DIB section,
// so the same view can wrap a picture the platform draws into.
class TPixelView {
 public:
  TPixelView() = default;
  TPixelView(std::uint8_t* bits, int width, int height, int stride)
      : bits_(bits), width_(width), height_(height), stride_(stride) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  TPixelRect Bounds() const { return {0, 0, width_, height_}; }
  std::uint8_t* Row(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
  std::uint8_t* At(int x, int y) const { return Row(y) + 3 * x; }

  TColor Pixel(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return RGBColor(p[2], p[1], p[0]);
  }
  void SetPixel(int x, int y, TColor c) const {
    std::uint8_t* p = At(x, y);
    p[0] = static_cast<std::uint8_t>(BlueOf(c));
    p[1] = static_cast<std::uint8_t>(GreenOf(c));
    p[2] = static_cast<std::uint8_t>(RedOf(c));
  }
  // Fills the part of rect that lies inside the view.
  void Fill(const TPixelRect& rect, TColor c) const;
  void Fill(TColor c) const { Fill(Bounds(), c); }

 private:
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
};

// Row length in bytes of a 24-bit picture: padded to whole 32-bit words like a DIB row.
constexpr int PixelStride(int width) { return (width * 3 + 3) / 4 * 4; }

// An owned picture; sizes below one pixel give an empty picture.
class TPixelBuffer {
 public:
  TPixelBuffer() = default;
  TPixelBuffer(int width, int height, TColor fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelView View() { return {bytes_.data(), width_, height_, PixelStride(width_)}; }
  TPixelView View() const {
    return {const_cast<std::uint8_t*>(bytes_.data()), width_, height_, PixelStride(width_)};
  }
  TColor Pixel(int x, int y) const { return View().Pixel(x, y); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Copies src's pixels of srcRect so that its top left lands at (dx, dy) in dst; clipped to
// both pictures. src and dst may be the same picture (overlap is handled).
void CopyPixels(const TPixelView& dst, int dx, int dy, const TPixelView& src, TPixelRect srcRect);

}  // namespace controls
