#include "writer/WordCount.h"

#include <cstdio>

namespace {

bool IsSeparator(char16_t c) {
  if (c < 32) return true;
  switch (c) {
    case u' ':
    case u'!':
    case u'#':
    case u'$':
    case u'%':
    case u'(':
    case u')':
    case u'*':
    case u',':
    case u'.':
    case u'/':
    case u':':
    case u';':
    case u'?':
    case u'@':
    case u'\\':
    case u'^': return true;
    default: return false;
  }
}

}  // namespace

TextCounts CountWords(std::u16string_view text) {
  TextCounts counts;
  counts.Characters = static_cast<int>(text.size());
  bool inWord = false;
  for (const char16_t c : text) {
    const bool separator = IsSeparator(c);
    if (!separator && !inWord) ++counts.Words;
    inWord = !separator;
  }
  return counts;
}

std::u16string WordCountText(const TextCounts& counts) {
  char line[64];
  std::snprintf(line, sizeof line, "Words: %3d   Characters: %3d", counts.Words, counts.Characters);
  return std::u16string(line, line + std::char_traits<char>::length(line));
}
