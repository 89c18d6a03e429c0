#pragma once
#include <windows.h>

#include "controls/PixelRegion.h"

namespace controls {

// The rectangles of a platform region, for painting inside it pixel by pixel.
TPixelRegion RegionPixels(HRGN region);

}  // namespace controls
