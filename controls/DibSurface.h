#pragma once
#include <windows.h>

#include "controls/PixelBuffer.h"

namespace controls {

// A 24-bit top-down DIB section selected into its own memory DC: GDI draws into it through
// DC(), the pixel routines through Pixels(). Painting happens here and reaches the screen in
// one copy, so nothing is ever seen half drawn.
class TDibSurface {
 public:
  TDibSurface() = default;
  TDibSurface(int width, int height) { Resize(width, height); }
  TDibSurface(const TDibSurface&) = delete;
  TDibSurface& operator=(const TDibSurface&) = delete;
  ~TDibSurface() { Release(); }

  // Keeps the surface when the size is unchanged. Sizes below one pixel, or a picture the
  // system cannot make, leave no surface (Valid() is false) rather than failing every paint.
  bool Resize(int width, int height);

  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Valid() const { return bits_ != nullptr; }
  // The pixels, after any pending GDI drawing has landed in them.
  TPixelView Pixels() const;
  // Copies the whole surface to dc at (x, y).
  void CopyTo(HDC dc, int x = 0, int y = 0) const;

 private:
  void Release();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace controls
