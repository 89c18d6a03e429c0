#pragma once
#include <windows.h>

#include "controls/PixelBuffer.h"

namespace controls {

// The pixels of a bitmap as a 24-bit picture; empty for no bitmap or one that cannot be read.
TPixelBuffer BitmapPixels(HBITMAP bitmap);

}  // namespace controls
