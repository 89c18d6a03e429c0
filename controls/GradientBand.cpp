#include "controls/GradientBand.h"

#include <algorithm>
#include <stdexcept>

#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

// The line's value is rounded as a whole: rounding only the step would move ties when the
// start value is odd.
int Step(int from, int to, int r, int e) {
  return ClampChannel(
      DivideRounded(static_cast<long>(from) * e + static_cast<long>(to - from) * r, e));
}

TColor LineColor(TColor from, TColor to, int r, int e) {
  if (e <= 0) return from;  // a one-line section shows its own stop
  return RGBColor(Step(RedOf(from), RedOf(to), r, e), Step(GreenOf(from), GreenOf(to), r, e),
                  Step(BlueOf(from), BlueOf(to), r, e));
}

}  // namespace

std::vector<TColor> GradientBandColors(std::span<const TColor> stops, int length) {
  if (stops.size() < 2) throw std::invalid_argument(kGradientBandStopsError);
  std::vector<TColor> lines;
  if (length <= 0) return lines;
  lines.reserve(static_cast<std::size_t>(length));
  const int n = static_cast<int>(stops.size()) - 1;
  const int section = static_cast<int>(DivideRounded(length, n));
  for (int i = 0; i < n && static_cast<int>(lines.size()) < length; ++i) {
    const int size = i < n - 1 ? section : length - section * (n - 1);
    const int e = size - 1;
    for (int r = 0; r < size && static_cast<int>(lines.size()) < length; ++r)
      lines.push_back(LineColor(stops[i], stops[i + 1], r, e));
  }
  return lines;
}

void FillGradientBand(const TPixelView& view, const TPixelRect& rect, std::span<const TColor> stops,
                      TBandDirection direction) {
  const bool down = direction == TBandDirection::TopToBottom;
  const std::vector<TColor> lines = GradientBandColors(stops, down ? rect.Height() : rect.Width());
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const TPixelRect line =
        down ? TPixelRect{rect.left, rect.top + i, rect.right, rect.top + i + 1}
             : TPixelRect{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
    view.Fill(line, lines[static_cast<std::size_t>(i)]);
  }
}

}  // namespace controls
