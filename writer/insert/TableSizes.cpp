#include "writer/insert/TableSizes.h"

#include <cstdio>

namespace writer {

std::string ColumnWidthText(int pixels, int pixelsPerInch) {
  const int twipsPerPixel = pixelsPerInch > 0 ? 1440 / pixelsPerInch : 0;
  const double millimetres = twipsPerPixel > 0 ? pixels / (twipsPerPixel * 25.4 / 100) : 0;
  char text[96];
  std::snprintf(text, sizeof text, "Col Width: %.3f mm - %.3f inches", millimetres,
                millimetres / 25.4);
  return text;
}

}  // namespace writer
