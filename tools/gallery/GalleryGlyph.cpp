#include "tools/gallery/GalleryGlyph.h"

namespace gallery {

controls::TPixelBuffer PrinterGlyph() {
  using controls::RGBColor;
  controls::TPixelBuffer g(16, 16, kGlyphTransparent);
  const controls::TPixelView v = g.View();
  v.Fill({4, 1, 12, 6}, RGBColor(250, 250, 250));  // paper going in
  v.Fill({4, 1, 12, 2}, RGBColor(120, 120, 120));
  v.Fill({1, 6, 15, 12}, RGBColor(90, 96, 110));  // body
  v.Fill({2, 7, 14, 11}, RGBColor(140, 148, 165));
  v.Fill({11, 8, 13, 9}, RGBColor(60, 200, 80));     // lamp
  v.Fill({4, 10, 12, 15}, RGBColor(255, 255, 255));  // paper coming out
  v.Fill({5, 12, 11, 13}, RGBColor(150, 150, 150));
  return g;
}

}  // namespace gallery
