#pragma once
// Decodes a JPEG stream into a 24-bit bottom-up device-independent bitmap, the form GDI
// stretches onto any device.

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

struct TVpDib {
  BITMAPINFOHEADER Header{};
  std::vector<std::uint8_t> Pixels;  // rows padded to four bytes, bottom row first
};

// Throws EVpStreamError with a sentence when the stream cannot be decoded or is larger than
// maxPixels.
TVpDib DecodeJpeg(std::string_view bytes, std::int64_t maxPixels);
