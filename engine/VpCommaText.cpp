#include "engine/VpCommaText.h"

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool IsBlank(char c) {
  // NUL counts as blank: it ends nothing in a std::string, and skipping it keeps the scan moving.
  return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view item) {
  for (char c : item)
    if (static_cast<unsigned char>(c) <= ' ' || c == kQuote || c == kDelimiter) return true;
  return false;
}

}  // namespace

std::string JoinCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items.front().empty()) return "\"\"";
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += kDelimiter;
    const std::string& item = items[i];
    if (!NeedsQuotes(item)) {
      out += item;
      continue;
    }
    out += kQuote;
    for (char c : item) {
      if (c == kQuote) out += kQuote;
      out += c;
    }
    out += kQuote;
  }
  return out;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> items;
  std::size_t p = 0;
  const std::size_t n = text.size();
  while (p < n && IsBlank(text[p])) ++p;
  while (p < n) {
    std::string item;
    if (text[p] == kQuote) {
      ++p;
      while (p < n) {
        if (text[p] == kQuote) {
          if (p + 1 < n && text[p + 1] == kQuote) {
            item += kQuote;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const std::size_t start = p;
      while (p<n&& static_cast<unsigned char>(text[p])> ' ' && text[p] != kDelimiter) ++p;
      item.assign(text, start, p - start);
    }
    items.push_back(std::move(item));
    while (p < n && IsBlank(text[p])) ++p;
    if (p < n && text[p] == kDelimiter) {
      if (p + 1 == n) items.emplace_back();
      ++p;
      while (p < n && IsBlank(text[p])) ++p;
    }
  }
  return items;
}
