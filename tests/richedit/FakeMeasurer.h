#pragma once
// A measurer with widths the tests can count on: every character is 100 twips wide per
// 200 twips of height (so 10-point text gives 100), a space 50, and the font is 80 % above
// the baseline. Bold adds 20 to each character.
#include <cstdint>
#include <span>
#include <string_view>

#include "richedit/TextMeasurer.h"

namespace richedit::test {

class FakeMeasurer final : public TextMeasurer {
 public:
  void measure(const CharFormat& format, std::u16string_view text,
               std::span<std::int32_t> advances) override {
    ++measureCalls;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const std::int32_t base = text[i] == u' ' ? 50 : 100;
      advances[i] = base * format.height / 200 + (format.has(cfe::Bold) ? 20 : 0);
    }
  }
  FontMetrics metrics(const CharFormat& format) override {
    return {format.height * 4 / 5, format.height - format.height * 4 / 5};
  }
  int measureCalls = 0;
};

}  // namespace richedit::test
