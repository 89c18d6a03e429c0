#include "controls/DrawGradientBand.h"

#include "platform/GdiHandles.h"

namespace controls {

void DrawGradientBand(HDC dc, const RECT& rect, std::span<const TColor> stops,
                      TBandDirection direction) {
  const bool down = direction == TBandDirection::TopToBottom;
  const auto lines =
      GradientBandColors(stops, down ? rect.bottom - rect.top : rect.right - rect.left);
  POINT oldPos{};
  MoveToEx(dc, rect.left, rect.top, &oldPos);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    PenHandle pen(CreatePen(PS_SOLID, 1, lines[static_cast<std::size_t>(i)]));
    Selection select(dc, pen.get());
    if (down) {
      MoveToEx(dc, rect.left, rect.top + i, nullptr);
      LineTo(dc, rect.right, rect.top + i);
    } else {
      MoveToEx(dc, rect.left + i, rect.top, nullptr);
      LineTo(dc, rect.left + i, rect.bottom);
    }
  }
  MoveToEx(dc, oldPos.x, oldPos.y, nullptr);
}

}  // namespace controls
