#include "tools/gallery/WindowCapture.h"

#include <cstdio>
#include <vector>

#include "controls/DibSurface.h"
#include "controls/GdiObjects.h"

namespace gallery {

bool SaveClientBitmap(HWND hwnd, const std::wstring& path) {
  RECT r{};
  GetClientRect(hwnd, &r);
  controls::TDibSurface shot(r.right, r.bottom);
  if (!shot.Valid()) return false;
  {
    controls::TWindowDC dc(hwnd);
    BitBlt(shot.DC(), 0, 0, r.right, r.bottom, dc.Get(), 0, 0, SRCCOPY);
  }
  const controls::TPixelView px = shot.Pixels();
  const int stride = controls::PixelStride(px.Width());
  const DWORD imageBytes = static_cast<DWORD>(stride) * px.Height();
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageBytes;
  info.biSize = sizeof info;
  info.biWidth = px.Width();
  info.biHeight = px.Height();  // bottom-up rows, the usual order in a file
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = imageBytes;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1;
  for (int y = px.Height() - 1; ok && y >= 0; --y)
    ok = std::fwrite(px.Row(y), static_cast<std::size_t>(stride), 1, out) == 1;
  return std::fclose(out) == 0 && ok;
}

}  // namespace gallery
