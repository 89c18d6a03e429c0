#pragma once
// Compressed pictures decoded into the one form GDI stretches onto any device (screen,
// printer, metafile): a 24-bit bottom-up device-independent bitmap. JPEG goes through
// libjpeg; every other format the system's imaging component knows (PNG, GIF, TIFF, icons…)
// through that component, its transparent parts laid over white, the colour of paper.
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

// Nothing larger is decoded: 100 million pixels already take 300 MB.
constexpr std::int64_t kMaxPicturePixels = 100'000'000;

struct DecodedDib {
  BITMAPINFOHEADER header{};
  std::vector<std::uint8_t> pixels;  // rows padded to four bytes, bottom row first

  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(&header); }
};

// Why the bytes cannot be decoded, as a sentence the user may read.
class EImageDecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Both throw EImageDecodeError when the bytes are damaged, in no format the decoder knows, or
// larger than maxPixels, and when memory runs out.
DecodedDib DecodeJpeg(std::string_view bytes, std::int64_t maxPixels);
// The first frame only. Joins a COM apartment for the call when the thread is in none.
DecodedDib DecodeWithImaging(std::string_view bytes, std::int64_t maxPixels);
