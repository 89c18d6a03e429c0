#pragma once
// One page drawn into a white 24-bit picture: at the resolution of the output (as a printer
// draws) or at a higher drawing resolution mapped onto it (as the preview draws at 600 per
// inch into a zoomed window). Used for page pictures, benchmarks and pixel tests.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "engine/VpGdiPictureCache.h"
#include "engine/VpPageList.h"
#include "platform/GdiHandles.h"

class TVpPageBitmap {
 public:
  // A page of width x height inches at outputDpi pixels per inch, all white.
  TVpPageBitmap(TVpSize inches, int outputDpi);
  // The bitmap leaves the DC before either is deleted.
  ~TVpPageBitmap() { SelectObject(dc_.get(), original_); }
  TVpPageBitmap(const TVpPageBitmap&) = delete;
  TVpPageBitmap& operator=(const TVpPageBitmap&) = delete;

  // Draws the page at drawPpi; when that differs from the output resolution the drawing is
  // mapped onto it (anisotropic mapping, as the preview does). printer marks a printer page.
  void Draw(const TVpPageList& list, const TVpPage& page, int drawPpi, bool printer,
            TVpGdiPictureCache* cache = nullptr);
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC Dc() const { return dc_.get(); }
  // Red, green, blue of each pixel, top row first.
  std::vector<std::uint8_t> Rgb() const;
  // Blue-green-red of one pixel as the platform's colour value.
  std::uint32_t Pixel(int x, int y) const;

 private:
  int width_;
  int height_;
  int dpi_;
  MemoryDC dc_;
  BitmapHandle bitmap_;
  std::uint8_t* bits_ = nullptr;
  HGDIOBJ original_ = nullptr;
};
