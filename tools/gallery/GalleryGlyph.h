#pragma once
#include "controls/PixelBuffer.h"

namespace gallery {

// A 16 x 16 printer picture drawn in code, on a magenta (transparent) ground.
controls::TPixelBuffer PrinterGlyph();
inline constexpr controls::TColor kGlyphTransparent = controls::RGBColor(255, 0, 255);

}  // namespace gallery
