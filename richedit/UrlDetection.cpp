#include "richedit/UrlDetection.h"

#include <algorithm>

namespace richedit {
namespace {

constexpr auto npos = std::u16string_view::npos;

constexpr std::u16string_view kPrefixes[] = {
    u"http:", u"https:",  u"ftp:",  u"file:",     u"mailto:",  u"news:", u"notes:", u"telnet:",
    u"nntp:", u"gopher:", u"wais:", u"prospero:", u"outlook:", u"www.",  u"ftp."};

bool isAsciiAlnum(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char16_t p, char16_t t) { return p == lower(t); });
}

// Blanks, line and paragraph ends and pictures end a URL.
bool endsUrl(char16_t c) {
  return c <= 0x20 || c == 0x7F || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 ||
         c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF || c == 0xFFFC;
}

// A URL starts a word: after a letter, a digit or a character of an address it is only part
// of something else.
bool startsWord(std::u16string_view text, std::size_t at) {
  if (at == 0) return true;
  const char16_t c = text[at - 1];
  if (c < 0x80) return !isAsciiAlnum(c) && std::u16string_view(u"@._-/\\").find(c) == npos;
  return endsUrl(c) || std::u16string_view(u"\u201C\u2018\u00AB").find(c) != npos;
}

// The prefix a URL at the start of text begins with; empty for none.
std::u16string_view prefixAt(std::u16string_view text) {
  for (std::u16string_view p : kPrefixes) {
    if (startsWithNoCase(text, p)) return p;
  }
  return {};
}

// Finds the end of a URL enclosed in brackets or quotes: the closer on the same line. Searches
// remember where they stopped, so that many openers without closers on a long line cost one
// pass, not one per opener.
class EnclosureEnds {
 public:
  explicit EnclosureEnds(std::u16string_view text) : text_(text) {}

  // npos when the character before at opens nothing or its closer is not on the line.
  std::size_t at(std::size_t at) {
    if (at == 0) return npos;
    const std::size_t k = std::u16string_view(u"<\"\u201C").find(text_[at - 1]);
    if (k == npos) return npos;
    Search& s = searches_[k];
    if (at >= s.stop) {
      constexpr std::u16string_view closers = u">\"\u201D";
      s.stop = at;
      while (s.stop < text_.size() && text_[s.stop] != closers[k] && !endsLine(text_[s.stop])) {
        ++s.stop;
      }
      s.found = s.stop < text_.size() && text_[s.stop] == closers[k];
    }
    return s.found ? s.stop : npos;
  }

 private:
  static bool endsLine(char16_t c) { return (c < 0x20 && c != u'\t') || c == 0xFFFC; }
  struct Search {
    std::size_t stop = 0;  // the closer or the line end the last search reached
    bool found = false;
  };
  std::u16string_view text_;
  Search searches_[3];
};

// Where a URL that runs to the next blank ends once punctuation at its end is left out.
std::size_t trimmedEnd(std::u16string_view text, std::size_t at, std::size_t end) {
  constexpr std::u16string_view closers = u")]}";
  constexpr std::u16string_view openers = u"([{";
  while (end > at) {
    const char16_t c = text[end - 1];
    if (const std::size_t k = closers.find(c); k != npos) {
      const auto url = text.substr(at, end - at);
      if (std::count(url.begin(), url.end(), openers[k]) >= std::count(url.begin(), url.end(), c)) {
        break;  // it closes a bracket of the URL
      }
    } else if (std::u16string_view(u".,;:!?'\"<>\u201D\u2019\u00BB").find(c) == npos) {
      break;
    }
    --end;
  }
  return end;
}

}  // namespace

std::vector<CharRange> findUrls(std::u16string_view text) {
  std::vector<CharRange> found;
  EnclosureEnds enclosures(text);
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (std::u16string_view(u"hfmntgwpo").find(lower(text[at])) == npos || !startsWord(text, at)) {
      continue;
    }
    const std::u16string_view prefix = prefixAt(text.substr(at));
    if (prefix.empty()) continue;
    std::size_t end = enclosures.at(at);
    if (end == npos) {
      end = at;
      while (end < text.size() && !endsUrl(text[end])) ++end;
      end = trimmedEnd(text, at, end);
    }
    while (end > at && endsUrl(text[end - 1])) --end;
    // A scheme alone is no address yet.
    const auto rest =
        text.substr(at + prefix.size(), end > at + prefix.size() ? end - at - prefix.size() : 0);
    if (std::none_of(rest.begin(), rest.end(),
                     [](char16_t c) { return isAsciiAlnum(c) || c >= 0x80; })) {
      continue;
    }
    found.push_back({static_cast<CharPos>(at), static_cast<CharPos>(end)});
    at = end;
  }
  return found;
}

void DetectedUrls::scan(const RichTextDocument& document) {
  ranges_ = findUrls(document.storyText());
  storyLength_ = document.storyLength();
}

void DetectedUrls::clear() {
  ranges_.clear();
  storyLength_ = 0;
}

void DetectedUrls::onChange(const RichTextDocument& document, const ChangeNotice& notice) {
  if (notice.formatOnly) return;
  const CharPos delta = notice.inserted - notice.removed;
  if (notice.pos < 0 || notice.removed < 0 || notice.inserted < 0 ||
      storyLength_ + delta != document.storyLength() ||
      notice.pos + notice.inserted >= document.storyLength()) {
    scan(document);
    return;
  }
  // The paragraphs from the one holding the change's start to the one holding its end; text
  // around them only moves.
  const CharPos from = document.paragraphRange(document.paragraphIndexAt(notice.pos)).min;
  const CharPos to =
      document.paragraphRange(document.paragraphIndexAt(notice.pos + notice.inserted)).max;
  const auto first = std::lower_bound(ranges_.begin(), ranges_.end(), from,
                                      [](const CharRange& r, CharPos p) { return r.max <= p; });
  const auto last = std::lower_bound(first, ranges_.end(), to - delta,
                                     [](const CharRange& r, CharPos p) { return r.min < p; });
  for (auto it = last; it != ranges_.end(); ++it) {
    it->min += delta;
    it->max += delta;
  }
  std::vector<CharRange> fresh =
      findUrls(std::u16string_view(document.storyText())
                   .substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
  for (CharRange& r : fresh) {
    r.min += from;
    r.max += from;
  }
  const auto at = ranges_.erase(first, last);
  ranges_.insert(at, fresh.begin(), fresh.end());
  storyLength_ = document.storyLength();
}

CharRange DetectedUrls::firstIn(CharRange range) const {
  const auto it = std::upper_bound(ranges_.begin(), ranges_.end(), range.min,
                                   [](CharPos p, const CharRange& r) { return p < r.max; });
  if (it == ranges_.end() || it->min >= range.max) return {};
  return *it;
}

}  // namespace richedit
