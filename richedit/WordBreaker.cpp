#include "richedit/WordBreaker.h"

namespace richedit {

CharClass classify(char16_t c) {
  switch (c) {
    case u' ':
    case u'\t':
    case 0x00A0:
    case 0x3000: return CharClass::Blank;
    case u'\r':
    case u'\n':
    case 0x000B:
    case 0x000C:
    case 0xFFFC: return CharClass::Break;
    default: break;
  }
  if (c < 0x20) return CharClass::Break;
  if (c < 0x80) {
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
        c == u'_') {
      return CharClass::Word;
    }
    return CharClass::Punctuation;
  }
  // Latin-1 and general punctuation blocks; every other character counts as a letter.
  if ((c >= 0x00A1 && c <= 0x00BF && c != 0x00AA && c != 0x00B5 && c != 0x00BA) || c == 0x00D7 ||
      c == 0x00F7) {
    return CharClass::Punctuation;
  }
  if (c >= 0x2000 && c <= 0x200A) return CharClass::Blank;
  if (c >= 0x2010 && c <= 0x206F) return CharClass::Punctuation;
  if (c >= 0x3001 && c <= 0x3003) return CharClass::Punctuation;
  return CharClass::Word;
}

bool isWordChar(char16_t c) { return classify(c) == CharClass::Word; }

namespace {

CharPos clampPos(std::u16string_view text, CharPos pos) {
  if (pos < 0) return 0;
  const auto n = static_cast<CharPos>(text.size());
  return pos > n ? n : pos;
}

CharClass classAt(std::u16string_view text, CharPos pos) {
  return classify(text[static_cast<std::size_t>(pos)]);
}

}  // namespace

CharRange wordAt(std::u16string_view text, CharPos pos) {
  pos = clampPos(text, pos);
  const auto n = static_cast<CharPos>(text.size());
  CharPos p = pos;
  if (p >= n || classAt(text, p) == CharClass::Break) {
    if (p == 0 || classAt(text, p - 1) == CharClass::Break) return {pos, pos};
    --p;
  }
  // A blank belongs to the word before it.
  CharPos core = p;
  while (core > 0 && classAt(text, core) == CharClass::Blank &&
         classAt(text, core - 1) != CharClass::Break) {
    --core;
  }
  const CharClass kind = classAt(text, core);
  CharPos start = core;
  CharPos end = core;
  if (kind == CharClass::Blank) {
    while (end < n && classAt(text, end) == CharClass::Blank) ++end;
    return {start, end};
  }
  while (start > 0 && classAt(text, start - 1) == kind) --start;
  while (end < n && classAt(text, end) == kind) ++end;
  if (kind != CharClass::Break) {
    while (end < n && classAt(text, end) == CharClass::Blank) ++end;
  } else if (end == start) {
    ++end;
  }
  return {start, end};
}

CharPos nextWordStart(std::u16string_view text, CharPos pos) {
  pos = clampPos(text, pos);
  const auto n = static_cast<CharPos>(text.size());
  if (pos >= n) return n;
  const CharRange w = wordAt(text, pos);
  if (w.max > pos) return w.max;
  return pos + 1;
}

CharPos previousWordStart(std::u16string_view text, CharPos pos) {
  pos = clampPos(text, pos);
  if (pos == 0) return 0;
  CharPos p = pos - 1;
  while (p > 0 && classAt(text, p) == CharClass::Blank) --p;
  const CharClass kind = classAt(text, p);
  if (kind == CharClass::Break || kind == CharClass::Blank) return p;
  while (p > 0 && classAt(text, p - 1) == kind) --p;
  return p;
}

}  // namespace richedit
