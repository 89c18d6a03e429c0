#pragma once
// Character positions as the platform control counts them: a paragraph end is one position,
// an embedded picture is one position.
#include <cstdint>

#include "richedit/FormatPool.h"

namespace richedit {

using CharPos = std::int32_t;

struct CharRange {
  CharPos min = 0;
  CharPos max = 0;
  CharPos length() const { return max - min; }
  bool empty() const { return max <= min; }
  friend bool operator==(const CharRange&, const CharRange&) = default;
};

// A stretch of text in one style: what a fragment or an undo record keeps of the runs.
struct StyleSpan {
  CharPos length = 0;
  FormatId style = 0;
  friend bool operator==(const StyleSpan&, const StyleSpan&) = default;
};

}  // namespace richedit
