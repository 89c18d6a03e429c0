#pragma once
#include <windows.h>

#include <initializer_list>
#include <span>

#include "controls/GradientBand.h"

namespace controls {

// Paints the gradient band over rect of dc one line at a time with a one-pixel solid pen,
// within dc's clipping; the pen selected before is selected again afterwards. Throws
// std::invalid_argument ("Please specify at least two colors.") for fewer than two stops,
// before anything is drawn.
void DrawGradientBand(HDC dc, const RECT& rect, std::span<const TColor> stops,
                      TBandDirection direction);
inline void DrawGradientBand(HDC dc, const RECT& rect, std::initializer_list<TColor> stops,
                             TBandDirection direction) {
  DrawGradientBand(dc, rect, std::span<const TColor>(stops.begin(), stops.size()), direction);
}

}  // namespace controls
