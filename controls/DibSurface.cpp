#include "controls/DibSurface.h"

namespace controls {

bool TDibSurface::Resize(int width, int height) {
  if (width == width_ && height == height_ && bits_) return true;
  Release();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as TPixelView expects
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!bitmap_ || !bits) {
    Release();
    return false;
  }
  oldBitmap_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint8_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

TPixelView TDibSurface::Pixels() const {
  if (!bits_) return {};
  GdiFlush();
  return {bits_, width_, height_, PixelStride(width_)};
}

void TDibSurface::CopyTo(HDC dc, int x, int y) const {
  if (dc_) BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

void TDibSurface::Release() {
  if (dc_ && oldBitmap_) SelectObject(dc_, oldBitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  oldBitmap_ = nullptr;
  bits_ = nullptr;
  width_ = 0;
  height_ = 0;
}

}  // namespace controls
