#include "controls/PixelTint.h"

#include <algorithm>

#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

int Grey(const std::uint8_t* p) { return (p[0] + p[1] + p[2]) / 3; }

std::uint8_t Capped(int v) { return static_cast<std::uint8_t>(std::min(v, 255)); }

// The part of src at (x, y) that lies inside dst, in dst's coordinates.
TPixelRect Placement(const TPixelView& dst, int x, int y, const TPixelView& src) {
  return src.Bounds().Offset(x, y).Intersect(dst.Bounds());
}

}  // namespace

void Tint(const TPixelView& view, TColor color) {
  const int b = BlueOf(color);
  const int g = GreenOf(color);
  const int r = RedOf(color);
  for (int y = 0; y < view.Height(); ++y) {
    std::uint8_t* p = view.Row(y);
    for (int x = 0; x < view.Width(); ++x, p += 3) {
      const int grey = Grey(p);
      p[0] = Capped(grey + b);
      p[1] = Capped(grey + g);
      p[2] = Capped(grey + r);
    }
  }
}

void DrawTransparent(const TPixelView& dst, int x, int y, const TPixelView& src,
                     TColor transparent) {
  const TPixelRect r = Placement(dst, x, y, src);
  for (int py = r.top; py < r.bottom; ++py)
    for (int px = r.left; px < r.right; ++px) {
      const TColor c = src.Pixel(px - x, py - y);
      if (c != transparent) dst.SetPixel(px, py, c);
    }
}

void DrawTintedMark(const TPixelView& dst, int x, int y, const TPixelView& mark, TColor color) {
  const TPixelRect r = Placement(dst, x, y, mark);
  const int tint[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
  for (int py = r.top; py < r.bottom; ++py) {
    std::uint8_t* p = dst.At(r.left, py);
    const std::uint8_t* m = mark.At(r.left - x, py - y);
    for (int px = r.left; px < r.right; ++px, p += 3, m += 3) {
      const int grey = Grey(m);
      const int cover = 255 - grey;
      if (cover == 0) continue;
      for (int c = 0; c < 3; ++c) {
        const int inked = std::min(grey + tint[c], 255);
        p[c] = static_cast<std::uint8_t>(DivideRounded(p[c] * grey + inked * cover, 255));
      }
    }
  }
}

}  // namespace controls
