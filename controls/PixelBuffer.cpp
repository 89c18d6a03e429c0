#include "controls/PixelBuffer.h"

#include <algorithm>
#include <cstring>

namespace controls {

TPixelRect TPixelRect::Intersect(const TPixelRect& o) const {
  TPixelRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
  if (r.Empty()) return {};
  return r;
}

void TPixelView::Fill(const TPixelRect& rect, TColor c) const {
  const TPixelRect r = rect.Intersect(Bounds());
  if (r.Empty()) return;
  const std::uint8_t b = static_cast<std::uint8_t>(BlueOf(c));
  const std::uint8_t g = static_cast<std::uint8_t>(GreenOf(c));
  const std::uint8_t red = static_cast<std::uint8_t>(RedOf(c));
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* p = At(r.left, y);
    for (int x = r.left; x < r.right; ++x, p += 3) {
      p[0] = b;
      p[1] = g;
      p[2] = red;
    }
  }
}

TPixelBuffer::TPixelBuffer(int width, int height, TColor fill) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  bytes_.assign(static_cast<std::size_t>(PixelStride(width)) * height, 0);
  View().Fill(fill);
}

void CopyPixels(const TPixelView& dst, int dx, int dy, const TPixelView& src, TPixelRect srcRect) {
  srcRect = srcRect.Intersect(src.Bounds());
  if (srcRect.Empty()) return;
  // Clip the destination and carry the clipping back to the source.
  const TPixelRect target =
      srcRect.Offset(dx - srcRect.left, dy - srcRect.top).Intersect(dst.Bounds());
  if (target.Empty()) return;
  const int sx = srcRect.left + (target.left - dx);
  const int sy0 = srcRect.top + (target.top - dy);
  const std::size_t bytes = static_cast<std::size_t>(target.Width()) * 3;
  const int rows = target.Height();
  // Walk rows against the direction of the shift so an overlapping copy reads before it writes.
  const bool upward = dst.Row(0) == src.Row(0) && target.top > sy0;
  for (int i = 0; i < rows; ++i) {
    const int k = upward ? rows - 1 - i : i;
    std::memmove(dst.At(target.left, target.top + k), src.At(sx, sy0 + k), bytes);
  }
}

}  // namespace controls
