#pragma once
// EM_FINDTEXTEX on a text: forward from range.min up to range.max, or, without fr::Down,
// backward from range.min down to range.max; a match lies wholly inside the searched span.
#include <cstdint>
#include <string_view>

#include "richedit/TextTypes.h"

namespace richedit {

// flags: fr::Down, fr::MatchCase, fr::WholeWord. range.max < 0 means the end of the text
// (forward) or its start (backward). Returns the match, or {-1, -1}.
CharRange findText(std::u16string_view text, std::u16string_view what, CharRange range,
                   std::uint32_t flags);

}  // namespace richedit
