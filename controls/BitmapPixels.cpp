#include "controls/BitmapPixels.h"

#include "platform/GdiHandles.h"

namespace controls {

TPixelBuffer BitmapPixels(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return {};
  TPixelBuffer out(bm.bmWidth, bm.bmHeight);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  WindowDC screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), out.View().Row(0), &info,
                DIB_RGB_COLORS) == 0)
    return {};
  return out;
}

}  // namespace controls
