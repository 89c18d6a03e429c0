#pragma once
// The history window's own pictures: one for each kind of document in its rows, and the six
// type filters. They are drawn with the toolbar's drawing kit, so they share its colours and
// line weights and stay sharp at the 32 pixels of a row and the 48 of a filter.
#include <windows.h>

#include <array>

#include "controls/PixelBuffer.h"
#include "writer/DocumentHistory.h"

namespace writer {

// The picture of a row's document kind, size x size pixels (a multiple of 8).
controls::TPixelBuffer DrawHistoryPicture(HistoryPicture picture, int size,
                                          controls::TColor background);
// The picture of a type filter.
controls::TPixelBuffer DrawHistoryFilter(HistoryFilter filter, int size,
                                         controls::TColor background);

// The row pictures with their soft edges as transparency, blended onto any background (a white
// row or the gradient of a selected one) without a fringe.
class HistoryRowPictures {
 public:
  static constexpr int kSize = 32;
  HistoryRowPictures();
  // Blends the picture into dst with its top left corner at (x, y).
  void Blend(const controls::TPixelView& dst, int x, int y, HistoryPicture picture) const;

 private:
  std::array<controls::TPixelBuffer, 7> dark_, light_;
};

}  // namespace writer
