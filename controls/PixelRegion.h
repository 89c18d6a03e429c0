#pragma once
#include <vector>

#include "controls/PixelBuffer.h"

namespace controls {

// An area made of non-overlapping rectangles, the form in which the platform hands out
// its regions; painting "inside a region" visits exactly these pixels.
class TPixelRegion {
 public:
  TPixelRegion() = default;
  explicit TPixelRegion(std::vector<TPixelRect> rects);

  const std::vector<TPixelRect>& Rects() const { return rects_; }
  bool Contains(int x, int y) const;
  bool Empty() const { return rects_.empty(); }

 private:
  std::vector<TPixelRect> rects_;
};

}  // namespace controls
