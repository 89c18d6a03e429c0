#include "richedit/PictureExtent.h"

#include <algorithm>

namespace richedit {

namespace {

constexpr std::int64_t MaxSide = 1440LL * 22 * 100;

std::int32_t side(std::int32_t goal, std::int32_t natural, std::int32_t scale, bool bitmap) {
  std::int64_t twips = goal;
  if (twips <= 0) {
    twips = bitmap ? std::int64_t{natural} * 15 : std::int64_t{natural} * 1440 / 2540;
  }
  const std::int64_t percent = scale > 0 ? scale : 100;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(twips * percent / 100, 1, MaxSide));
}

}  // namespace

Extent pictureExtent(const Picture& p) {
  const bool bitmap =
      p.kind == PictureKind::Dib || p.kind == PictureKind::Png || p.kind == PictureKind::Jpeg;
  return {side(p.goalWidth, p.width, p.scaleX, bitmap),
          side(p.goalHeight, p.height, p.scaleY, bitmap)};
}

}  // namespace richedit
