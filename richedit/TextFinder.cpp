#include "richedit/TextFinder.h"

#include <algorithm>
#include <string>

#include "richedit/CaseFolding.h"
#include "richedit/RichEditConstants.h"
#include "richedit/WordBreaker.h"

namespace richedit {

namespace {

// The needle with CR LF and LF written as the one paragraph-end position they stand for.
std::u16string normalizedNeedle(std::u16string_view what) {
  std::u16string out;
  for (std::size_t i = 0; i < what.size(); ++i) {
    if (what[i] == u'\r' && i + 1 < what.size() && what[i + 1] == u'\n') continue;
    out.push_back(what[i] == u'\n' ? u'\r' : what[i]);
  }
  return out;
}

bool matchesAt(std::u16string_view text, std::u16string_view needle, std::size_t at,
               bool matchCase) {
  for (std::size_t k = 0; k < needle.size(); ++k) {
    const char16_t a = text[at + k];
    const char16_t b = needle[k];
    if (a == b) continue;
    if (matchCase || foldCase(a) != foldCase(b)) return false;
  }
  return true;
}

bool isWholeWord(std::u16string_view text, std::size_t at, std::size_t len) {
  if (at > 0 && isWordChar(text[at - 1]) && isWordChar(text[at])) return false;
  const std::size_t end = at + len;
  if (end < text.size() && isWordChar(text[end]) && isWordChar(text[end - 1])) return false;
  return true;
}

}  // namespace

CharRange findText(std::u16string_view text, std::u16string_view what, CharRange range,
                   std::uint32_t flags) {
  const CharRange none{-1, -1};
  const std::u16string needle = normalizedNeedle(what);
  if (needle.empty()) return none;
  const auto n = static_cast<CharPos>(text.size());
  const auto m = static_cast<CharPos>(needle.size());
  const bool matchCase = (flags & fr::MatchCase) != 0;
  const bool wholeWord = (flags & fr::WholeWord) != 0;
  auto ok = [&](CharPos at) {
    return matchesAt(text, needle, static_cast<std::size_t>(at), matchCase) &&
           (!wholeWord ||
            isWholeWord(text, static_cast<std::size_t>(at), static_cast<std::size_t>(m)));
  };
  if (flags & fr::Down) {
    const CharPos from = std::clamp(range.min, 0, n);
    const CharPos to = range.max < 0 ? n : std::min(range.max, n);
    for (CharPos at = from; at + m <= to; ++at) {
      if (ok(at)) return {at, at + m};
    }
    return none;
  }
  const CharPos from = std::clamp(range.min < 0 ? n : range.min, 0, n);
  const CharPos to = range.max < 0 ? 0 : std::min(range.max, from);
  for (CharPos at = from - m; at >= to; --at) {
    if (ok(at)) return {at, at + m};
  }
  return none;
}

}  // namespace richedit
