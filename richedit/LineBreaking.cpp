#include "richedit/LineBreaking.h"

#include "richedit/RichEditConstants.h"
#include "richedit/WordBreaker.h"

namespace richedit {

namespace {

bool isIdeograph(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool isHyphen(char16_t c) { return c == u'-' || c == 0x2010 || c == 0x2013 || c == 0x2014; }

bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

bool hangsAtLineEnd(char16_t c) {
  return c != 0x00A0 && c != 0x202F && classify(c) == CharClass::Blank;
}

bool stretchesWhenJustified(char16_t c) { return c == u' ' || c == 0x00A0 || c == 0x3000; }

bool canBreakBefore(std::u16string_view text, std::size_t pos) {
  if (pos == 0 || pos >= text.size()) return false;
  const char16_t before = text[pos - 1];
  const char16_t at = text[pos];
  if (isLowSurrogate(at) || hangsAtLineEnd(at)) return false;
  if (hangsAtLineEnd(before)) return true;
  if (before == ch::Object || at == ch::Object) return true;
  if (isHyphen(before) && isWordChar(at) && pos >= 2 && isWordChar(text[pos - 2])) return true;
  return isIdeograph(before) || isIdeograph(at);
}

}  // namespace richedit
