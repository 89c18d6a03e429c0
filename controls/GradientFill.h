#pragma once
#include "controls/PixelBuffer.h"
#include "controls/PixelRegion.h"
#include "controls/StyledTypes.h"

namespace controls {

// Fills rect of the picture with a gradient from colour a to colour z; with a region, only the
// region's pixels inside rect change. Equal colours give a plain fill. The distances of each
// type are measured in the rectangle's terms, so a gradient may be clipped by the picture.
void GradientFill(const TPixelView& view, const TPixelRect& rect, TColor a, TColor z,
                  TGradientType type, const TPixelRegion* region = nullptr);

}  // namespace controls
