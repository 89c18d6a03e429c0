#pragma once
#include <windows.h>

#include <string>

namespace gallery {

// Saves what the window's client area shows as a 24-bit BMP file; false when it cannot.
bool SaveClientBitmap(HWND hwnd, const std::wstring& path);

}  // namespace gallery
