#pragma once
// Reduces a picture to the 256-colour palette of a GIF frame: colours are counted (dropping
// low bits when there are more than the table holds), the most frequent fill the palette,
// and every other colour takes the nearest entry.
#include <array>
#include <cstdint>
#include <vector>

#include "writer/export/RgbImage.h"

namespace writer {

struct PalettedFrame {
  int width = 0;
  int height = 0;
  std::array<RgbColor, 256> palette{};
  std::vector<std::uint8_t> indices;  // one per pixel, rows from the top
};

PalettedFrame ReduceToPalette(const RgbImage& picture);

}  // namespace writer
