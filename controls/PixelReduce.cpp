#include "controls/PixelReduce.h"

#include <algorithm>

#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

void ReducePixel(const TPixelView& dst, const TPixelView& src, int scale, int x, int y) {
  long sum[3] = {0, 0, 0};
  for (int sy = y * scale; sy < (y + 1) * scale; ++sy) {
    const std::uint8_t* s = src.At(x * scale, sy);
    for (int i = 0; i < scale * 3; i += 3) {
      sum[0] += s[i];
      sum[1] += s[i + 1];
      sum[2] += s[i + 2];
    }
  }
  const long n = static_cast<long>(scale) * scale;
  std::uint8_t* p = dst.At(x, y);
  for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(DivideRounded(sum[c], n));
}

void ReduceRect(const TPixelView& dst, const TPixelView& src, int scale, const TPixelRect& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ReducePixel(dst, src, scale, x, y);
}

// The part of dst whose blocks lie wholly inside src.
TPixelRect Reducible(const TPixelView& dst, const TPixelView& src, int scale) {
  return dst.Bounds().Intersect({0, 0, src.Width() / scale, src.Height() / scale});
}

}  // namespace

void ReduceBlocks(const TPixelView& dst, const TPixelView& src, int scale) {
  if (scale < 1) return;
  ReduceRect(dst, src, scale, Reducible(dst, src, scale));
}

void ReduceBand(const TPixelView& dst, const TPixelView& src, int scale, int band, TColor inside) {
  if (scale < 1) return;
  const TPixelRect all = Reducible(dst, src, scale);
  band = std::max(band, 0);
  const TPixelRect middle = all.Inset(band);
  if (middle.Empty()) {
    ReduceRect(dst, src, scale, all);
    return;
  }
  ReduceRect(dst, src, scale, {all.left, all.top, all.right, middle.top});
  ReduceRect(dst, src, scale, {all.left, middle.bottom, all.right, all.bottom});
  ReduceRect(dst, src, scale, {all.left, middle.top, middle.left, middle.bottom});
  ReduceRect(dst, src, scale, {middle.right, middle.top, all.right, middle.bottom});
  dst.Fill(middle, inside);
}

}  // namespace controls
