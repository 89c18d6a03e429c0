#include "platform/CodePage.h"

#include <windows.h>

std::wstring WideFromBytes(const std::string& bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), n);
  return out;
}

std::string BytesFromWide(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}
