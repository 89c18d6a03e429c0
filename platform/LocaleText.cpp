#include "platform/LocaleText.h"

#include <windows.h>

std::string LocaleSortKey(const std::wstring& text) {
  constexpr DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = static_cast<int>(text.size());
  std::string key(text.size() * 4 + 16, '\0');
  int n = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.c_str(), length,
                       reinterpret_cast<wchar_t*>(key.data()), static_cast<int>(key.size()));
  if (n == 0) {
    n = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.c_str(), length, nullptr, 0);
    key.assign(static_cast<std::size_t>(n), '\0');
    n = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.c_str(), length,
                     reinterpret_cast<wchar_t*>(key.data()), n);
  }
  key.resize(static_cast<std::size_t>(n));
  // The key ends with a zero byte that takes no part in the order.
  if (!key.empty() && key.back() == '\0') key.pop_back();
  return key;
}

bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                        b.c_str(), static_cast<int>(b.size())) == CSTR_EQUAL;
}
