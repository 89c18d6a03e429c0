#pragma once
#include "controls/PixelBuffer.h"

namespace controls {

// Mixes picture src into dst over rect at level percent (clamped to 0..100), src being read
// from its own top left corner: each channel becomes dst × (100 − level) / 100 +
// src × level / 100, rounded. Pixels outside either picture are left alone.
void Blend(const TPixelView& dst, const TPixelRect& rect, const TPixelView& src, int level);

// Copies first's pixels of rect into work shifted by offset (kept inside rect), then, when
// level is above 0, blends second over the shifted area. first may be work itself.
void Compose(const TPixelView& work, const TPixelRect& rect, const TPixelView& first,
             const TPixelView& second, int level, int offset);

}  // namespace controls
