#pragma once
// Word boundaries as the control's default word-break rules draw them: a word is a run of word
// characters or a run of punctuation, each followed by its trailing blanks; paragraph ends,
// line breaks and pictures stand alone.
#include <cstdint>
#include <string_view>

#include "richedit/TextTypes.h"

namespace richedit {

enum class CharClass : std::uint8_t { Blank, Break, Punctuation, Word };

CharClass classify(char16_t c);
bool isWordChar(char16_t c);

// The word holding pos with its trailing blanks (the target of SCF_WORD). A caret on a
// paragraph end takes the word before it; an empty paragraph gives an empty range at pos.
CharRange wordAt(std::u16string_view text, CharPos pos);

// Start of the word before pos (Ctrl+Left) and start of the next word after pos (Ctrl+Right).
CharPos previousWordStart(std::u16string_view text, CharPos pos);
CharPos nextWordStart(std::u16string_view text, CharPos pos);

}  // namespace richedit
