#pragma once
// What layout asks of a font: the advance of each character and the vertical metrics of a
// character format, in twips at the reference device's resolution. Layout never sees a device
// context, so the same text breaks the same way on screen, on a printer and in a test.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "richedit/CharFormat.h"

namespace richedit {

struct FontMetrics {
  std::int32_t ascent = 0;   // above the baseline, twips
  std::int32_t descent = 0;  // below the baseline, twips
};

// How far text sits above the baseline (below when negative), in twips: its offset, and a
// third of its size up for superscript or a sixth down for subscript. Kept within the size
// limit of a character so that a corrupt offset cannot overflow a line.
inline std::int32_t baselineRise(const CharFormat& format) {
  std::int32_t rise = std::clamp(format.offset, -MaxCharHeight, MaxCharHeight);
  if (format.has(cfe::SuperScript)) rise += format.height / 3;
  if (format.has(cfe::SubScript)) rise -= format.height / 6;
  return rise;
}

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Fills advances (one entry per UTF-16 unit of text) with the width each character adds in
  // format. A unit that is the second half of a pair may get 0. Called once per run of one
  // format, so an implementation may measure the run as a whole.
  virtual void measure(const CharFormat& format, std::u16string_view text,
                       std::span<std::int32_t> advances) = 0;
  virtual FontMetrics metrics(const CharFormat& format) = 0;
};

}  // namespace richedit
