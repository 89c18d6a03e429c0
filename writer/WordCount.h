#pragma once
// The side panel's word and character count of the whole text.
#include <string>
#include <string_view>

struct TextCounts {
  int Words = 0;
  int Characters = 0;
};

// Words are runs of word characters between separators: control codes, the blank and the
// punctuation ! # $ % ( ) * , . / : ; ? @ \ ^. Every character scanned counts as a character.
TextCounts CountWords(std::u16string_view text);

// "Words: %3d   Characters: %3d".
std::u16string WordCountText(const TextCounts& counts);
