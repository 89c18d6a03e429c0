#pragma once
#include <ostream>

#include "controls/Color.h"
#include "controls/PixelBuffer.h"

namespace controls {

// Prints colours as r,g,b so failures read well.
struct TShownColor {
  TColor c;
  bool operator==(const TShownColor&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const TShownColor& s) {
  return os << "RGB(" << RedOf(s.c) << "," << GreenOf(s.c) << "," << BlueOf(s.c) << ")";
}
inline TShownColor Shown(TColor c) { return {c}; }
inline TShownColor PixelOf(const TPixelBuffer& b, int x, int y) { return {b.Pixel(x, y)}; }

}  // namespace controls
