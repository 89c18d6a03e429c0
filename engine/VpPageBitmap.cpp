#include "engine/VpPageBitmap.h"

#include <algorithm>
#include <stdexcept>

#include "engine/VpGdiTarget.h"
#include "engine/VpRounding.h"

namespace {

int Stride(int width) { return (width * 3 + 3) & ~3; }

}  // namespace

TVpPageBitmap::TVpPageBitmap(TVpSize inches, int outputDpi)
    : width_(VpRoundToInt(inches.Width * outputDpi)),
      height_(VpRoundToInt(inches.Height * outputDpi)),
      dpi_(outputDpi) {
  if (width_ <= 0 || height_ <= 0) throw std::invalid_argument("The page has no area.");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_) throw std::runtime_error("There is not enough memory for the page picture.");
  bits_ = static_cast<std::uint8_t*>(bits);
  original_ = SelectObject(dc_.get(), bitmap_.get());
  Clear();
}

void TVpPageBitmap::Clear() {
  GdiFlush();
  std::fill(bits_, bits_ + static_cast<std::size_t>(Stride(width_)) * height_, 0xFF);
}

void TVpPageBitmap::Draw(const TVpPageList& list, const TVpPage& page, int drawPpi, bool printer,
                         TVpGdiPictureCache* cache) {
  const HDC dc = dc_.get();
  const int saved = SaveDC(dc);
  if (drawPpi != dpi_) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, VpRoundToInt(page.Size().Width * drawPpi),
                   VpRoundToInt(page.Size().Height * drawPpi), nullptr);
    SetViewportExtEx(dc, width_, height_, nullptr);
  }
  {
    TVpGdiTarget target(dc, printer, cache);
    list.DrawPage(page, target, drawPpi, drawPpi);
  }
  RestoreDC(dc, saved);
  GdiFlush();
}

std::vector<std::uint8_t> TVpPageBitmap::Rgb() const {
  GdiFlush();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width_) * height_ * 3);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* row = bits_ + static_cast<std::size_t>(y) * Stride(width_);
    std::uint8_t* out = rgb.data() + static_cast<std::size_t>(y) * width_ * 3;
    for (int x = 0; x < width_; ++x) {
      out[x * 3] = row[x * 3 + 2];
      out[x * 3 + 1] = row[x * 3 + 1];
      out[x * 3 + 2] = row[x * 3];
    }
  }
  return rgb;
}

std::uint32_t TVpPageBitmap::Pixel(int x, int y) const {
  GdiFlush();
  const std::uint8_t* p = bits_ + static_cast<std::size_t>(y) * Stride(width_) + x * 3;
  return static_cast<std::uint32_t>(p[2]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[0]) << 16);
}
