#pragma once
#include "controls/PixelBuffer.h"

namespace controls {

// Shrinks src by scale into dst (dst = src / scale in each direction): each dst pixel is the
// rounded average of its scale × scale block.
void ReduceBlocks(const TPixelView& dst, const TPixelView& src, int scale);

// As ReduceBlocks, but only within band pixels of dst's edges; the inside is filled with
// inside. A band covering the whole picture reduces all of it.
void ReduceBand(const TPixelView& dst, const TPixelView& src, int scale, int band, TColor inside);

}  // namespace controls
