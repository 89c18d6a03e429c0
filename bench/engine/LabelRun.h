#pragma once
// The heaviest user of the page engine: a label run on a 24-label A4 sheet, each label an
// outline, a clip, five text lines and a clip removal, as the label program records them.

#include <string>

#include "engine/VpPageList.h"

namespace bench {

inline constexpr int kLabelsPerSheet = 24;

inline void RecordLabels(TVpPageList& list, int labels) {
  TVpCanvas& canvas = list.Canvas();
  list.BeginUpdate();
  for (int i = 0; i < labels; ++i) {
    const int onSheet = i % kLabelsPerSheet;
    if (onSheet == 0 && i > 0) list.AddPage();
    const long double left = 0.25L + (onSheet % 3) * 2.63L;
    const long double top = 0.54L + (onSheet / 3) * 1.33L;
    canvas.RoundRect(left, top, left + 2.52L, top + 1.33L, 0.1L, 0.1L, vpInches);
    list.GetPage(list.CurrentPage())
        .Object(list.GetPage(list.CurrentPage()).ObjectCount() - 1)
        .SetPrintable(false);
    canvas.ClipRect(left, top, left + 2.52L, top + 1.33L, vpInches);
    const long double x = left * 25.4L + 3;
    const long double y = top * 25.4L + 3;
    canvas.TextOut(x, y, "Mr John Smith" + std::to_string(i), vpMillimeters);
    canvas.TextOut(x, y + 5, "12 Harbour Street", vpMillimeters);
    canvas.TextOut(x, y + 10, "Dublin", vpMillimeters);
    canvas.TextOut(x, y + 15, "D02 X285", vpMillimeters);
    canvas.TextOut(x, y + 20, "Ireland", vpMillimeters);
    canvas.RemoveClip();
  }
  list.EndUpdate();
}

}  // namespace bench
