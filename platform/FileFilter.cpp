#include "platform/FileFilter.h"

namespace {
std::vector<std::wstring> SplitBars(const std::wstring& text) {
  std::vector<std::wstring> parts;
  std::wstring::size_type start = 0;
  for (;;) {
    const auto bar = text.find(L'|', start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::wstring::npos) return parts;
    start = bar + 1;
  }
}
}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::wstring& filter) {
  std::vector<FileFilterEntry> entries;
  if (filter.empty()) return entries;
  const auto parts = SplitBars(filter);
  for (std::size_t i = 0; i < parts.size(); i += 2)
    entries.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::wstring()});
  return entries;
}

std::wstring ToDialogFilter(const std::wstring& filter) {
  std::wstring out;
  for (const auto& e : ParseFileFilter(filter)) {
    out += e.description;
    out += L'\0';
    out += e.pattern;
    out += L'\0';
  }
  out += L'\0';
  return out;
}
