#pragma once
// The size a picture takes on its line.
#include <cstdint>

#include "richedit/Picture.h"

namespace richedit {

struct Extent {
  std::int32_t width = 0;   // twips
  std::int32_t height = 0;  // twips
  friend bool operator==(const Extent&, const Extent&) = default;
};

// The goal size scaled by the picture's percentages; without a goal size, the natural size
// (bitmaps at 96 pixels per inch, metafiles from their 0.01 mm extents). Each side is kept
// between 1 twip and 22 inches times 100 so that a corrupt size cannot swallow the layout.
Extent pictureExtent(const Picture& picture);

}  // namespace richedit
