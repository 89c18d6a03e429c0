#pragma once
// The zoom bar's table: each position of the bar picks a zoom ratio for the editor and the two
// texts that name it. The rows are not all ten positions wide.
#include <optional>
#include <string>

namespace writer {

struct ZoomRow {
  int numerator = 0;  // 0 / 0 switches the zoom off: 100 per cent
  int denominator = 0;
  int percent = 100;
};

// The row of a position from 0 to 200; nothing outside.
std::optional<ZoomRow> ZoomForPosition(int position);

// "Zoom Factor: 60%" for the status bar, "Zoom: 60%" under the bar.
std::u16string ZoomPanelText(const ZoomRow& row);
std::u16string ZoomLabelText(const ZoomRow& row);

}  // namespace writer
