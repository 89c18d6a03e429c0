#pragma once
#include "controls/PixelBuffer.h"

namespace controls {

// Every pixel becomes its grey value (red + green + blue) div 3 added to each channel of
// color, each capped at 255: black turns into color, white stays white.
void Tint(const TPixelView& view, TColor color);

// Draws src with its top left at (x, y), skipping the pixels of the transparent color.
void DrawTransparent(const TPixelView& dst, int x, int y, const TPixelView& src,
                     TColor transparent);

// Draws a grey mark (black ink on white paper) tinted with color at (x, y): the tinted pixel
// covers dst as far as the mark is dark, so the mark's soft edges blend into what is below.
void DrawTintedMark(const TPixelView& dst, int x, int y, const TPixelView& mark, TColor color);

}  // namespace controls
