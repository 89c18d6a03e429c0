#pragma once
#include <cstdint>

namespace controls {

// A colour as the platform stores it: 0x00BBGGRR, so it passes unchanged as a COLORREF.
using TColor = std::uint32_t;

constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr TColor kWhite = RGBColor(255, 255, 255);
constexpr TColor kBlack = RGBColor(0, 0, 0);

}  // namespace controls
