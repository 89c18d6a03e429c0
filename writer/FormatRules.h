#pragma once
// The numbers behind the side panel's paragraph and size commands and the paragraph dialog's
// hints, kept apart from the windows so both trees test them.
#include <optional>
#include <string>

namespace writer {

// One-and-a-half spacing for text of this size: size x 1.5, halves to the even neighbour.
int OneAndAHalfSpacing(int points);

// The font size box holds even sizes only: an odd value moves up to the next even one.
int EvenFontSize(int points);

// An indent counter moved one 20-point step: the new value, or nothing when the counter is
// already at the end of its range (beyond `highest` going up, at 0 going down).
std::optional<int> IndentStep(int counter, bool increase, int highest);
constexpr int kIndentStep = 20;
constexpr int kHighestMainIndent = 400;
constexpr int kHighestHangingIndent = 300;

// "0.5 Inch / 12.7 mm": a length in points in inches and millimetres, each with one or two
// decimals.
std::u16string PointsConversionText(double points);

}  // namespace writer
