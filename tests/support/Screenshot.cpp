#include "tests/support/Screenshot.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "platform/GdiHandles.h"
#include "tests/support/PngWriter.h"

namespace {

void Settle(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

std::vector<std::uint8_t> CaptureRgb(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  WindowDC screen(nullptr);
  MemoryDC mem(screen.get());
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  BitmapHandle dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) throw std::runtime_error("no bitmap for the screenshot");
  {
    Selection sel(mem.get(), dib.get());
    BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  }
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(w) * h * 3);
  const auto* px = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; i < w * h; ++i) {
    rgb.push_back(px[i * 4 + 2]);
    rgb.push_back(px[i * 4 + 1]);
    rgb.push_back(px[i * 4 + 0]);
  }
  return rgb;
}

}  // namespace

void SaveWindowPng(HWND window, const std::wstring& path) {
  Settle(window);
  RECT r{};
  GetWindowRect(window, &r);
  const auto png = EncodePng(r.right - r.left, r.bottom - r.top, CaptureRgb(r));
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) throw std::runtime_error("cannot write the screenshot");
  const bool written = fwrite(png.data(), 1, png.size(), f) == png.size();
  if (fclose(f) != 0 || !written) throw std::runtime_error("cannot write the screenshot");
}

std::wstring SaveWindowScreenshot(HWND window, const std::wstring& name) {
  const std::filesystem::path dir = SCREENSHOT_DIR;
  std::filesystem::create_directories(dir);
  const std::wstring path = (dir / (name + L".png")).wstring();
  SaveWindowPng(window, path);
  return path;
}
