#include "controls/PixelBlend.h"

#include <algorithm>
#include <array>

#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

// Rounded (a × (100 − k) + b × k) / 100 for every pair of bytes is cheap to compute once
// per call and keeps the per-pixel work to two table reads.
class TBlendTable {
 public:
  explicit TBlendTable(int level) {
    for (int v = 0; v < 256; ++v) {
      keep_[v] = v * (100 - level);
      take_[v] = v * level;
    }
  }
  std::uint8_t Mix(std::uint8_t p, std::uint8_t s) const {
    return static_cast<std::uint8_t>(DivideRounded(keep_[p] + take_[s], 100));
  }

 private:
  std::array<long, 256> keep_{};
  std::array<long, 256> take_{};
};

}  // namespace

void Blend(const TPixelView& dst, const TPixelRect& rect, const TPixelView& src, int level) {
  level = std::clamp(level, 0, 100);
  // src's pixel (0, 0) lies on rect's top left corner.
  const TPixelRect r =
      rect.Intersect(dst.Bounds()).Intersect(src.Bounds().Offset(rect.left, rect.top));
  if (r.Empty() || level == 0) return;
  const TBlendTable table(level);
  const int bytes = r.Width() * 3;
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* p = dst.At(r.left, y);
    const std::uint8_t* s = src.At(r.left - rect.left, y - rect.top);
    for (int i = 0; i < bytes; ++i) p[i] = table.Mix(p[i], s[i]);
  }
}

void Compose(const TPixelView& work, const TPixelRect& rect, const TPixelView& first,
             const TPixelView& second, int level, int offset) {
  const TPixelRect target = rect.Offset(offset, offset).Intersect(rect);
  if (target.Empty()) return;
  const TPixelRect source = target.Offset(-offset, -offset);
  CopyPixels(work, target.left, target.top, first, source);
  if (level > 0) Blend(work, target, second, level);
}

}  // namespace controls
