#include "controls/PixelRegion.h"

#include <algorithm>

namespace controls {

TPixelRegion::TPixelRegion(std::vector<TPixelRect> rects) : rects_(std::move(rects)) {
  std::erase_if(rects_, [](const TPixelRect& r) { return r.Empty(); });
}

bool TPixelRegion::Contains(int x, int y) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const TPixelRect& r) { return r.Contains(x, y); });
}

}  // namespace controls
