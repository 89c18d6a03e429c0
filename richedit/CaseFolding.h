#pragma once
// Simple one-to-one case folding for case-insensitive find: ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic, the scripts the programs' documents use. Portable: no locale.
namespace richedit {

char16_t foldCase(char16_t c);

}  // namespace richedit
