#include "labels/records/NumberFilter.h"

#include <charconv>

#include "platform/Error.h"

namespace {

[[noreturn]] void Unsupported(std::string_view expression) {
  throw EError("The filter \"" + std::string(expression) +
               "\" is not supported; only <number field> IN(<numbers>) is");
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  return true;
}

}  // namespace

NumberFilter ParseNumberFilter(std::string_view expression) {
  const std::string_view text = Trim(expression);
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos || text.back() != ')') Unsupported(expression);
  const std::string_view head = Trim(text.substr(0, open));
  if (head.size() < 3 || !EqualsIgnoringAsciiCase(head.substr(head.size() - 2), "IN") ||
      !IsSpace(head[head.size() - 3]))
    Unsupported(expression);
  NumberFilter filter;
  filter.field = std::string(Trim(head.substr(0, head.size() - 2)));
  if (filter.field.empty() || filter.field.find_first_of(" \t") != std::string::npos)
    Unsupported(expression);
  std::string_view list = Trim(text.substr(open + 1, text.size() - open - 2));
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = Trim(list.substr(0, comma));
    std::int32_t n = 0;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), n);
    if (item.empty() || ec != std::errc() || end != item.data() + item.size())
      Unsupported(expression);
    filter.numbers.push_back(n);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
    if (Trim(list).empty()) Unsupported(expression);
  }
  return filter;
}

std::string NumberFilterExpression(std::string_view field,
                                   const std::vector<std::int32_t>& numbers) {
  std::string text(field);
  text += " IN(";
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i) text += ',';
    text += std::to_string(numbers[i]);
  }
  text += ')';
  return text;
}
