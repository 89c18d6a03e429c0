#pragma once
// Where a line may end: after a blank, after a hyphen inside a word, on either side of a
// picture and between ideographs. A no-break space joins its neighbours.
#include <cstddef>
#include <string_view>

namespace richedit {

// True when a line may start at text[pos] (0 < pos < text.size()).
bool canBreakBefore(std::u16string_view text, std::size_t pos);

// Blanks that may run past the right edge at the end of a line instead of wrapping.
bool hangsAtLineEnd(char16_t c);

// Blanks that justification widens.
bool stretchesWhenJustified(char16_t c);

}  // namespace richedit
