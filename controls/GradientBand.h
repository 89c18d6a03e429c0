#pragma once
#include <span>
#include <vector>

#include "controls/PixelBuffer.h"

namespace controls {

// The text of the error raised for a band with fewer than two colour stops.
inline constexpr const char* kGradientBandStopsError = "Please specify at least two colors.";

enum class TBandDirection { TopToBottom, LeftToRight };

// The colour of each one-pixel line of a band of the given length through the colour stops:
// the length is cut into stops − 1 sections of length / (stops − 1) pixels, rounded, the last
// taking the rest, and each section runs from its stop to the next. Sections that would run
// past the length are cut there. Throws std::invalid_argument for fewer than two stops.
std::vector<TColor> GradientBandColors(std::span<const TColor> stops, int length);

// Paints the band into rect of the picture, one line per colour.
void FillGradientBand(const TPixelView& view, const TPixelRect& rect, std::span<const TColor> stops,
                      TBandDirection direction);

}  // namespace controls
