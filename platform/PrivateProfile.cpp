#include "platform/PrivateProfile.h"

#include <windows.h>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/SystemErrorText.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool NeedsQuotes(const std::wstring& v) {
  if (v.empty()) return false;
  if (IsBlank(v.front()) || IsBlank(v.back())) return true;
  return v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front();
}

}  // namespace

std::wstring PrivateProfile::ReadString(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& defaultValue) const {
  std::wstring buffer(256, L'\0');
  for (;;) {
    const DWORD n =
        GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path_.c_str());
    if (n + 1 < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 4);
  }
}

void PrivateProfile::WriteString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& value) const {
  const std::wstring stored = NeedsQuotes(value) ? L"\"" + value + L"\"" : value;
  if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), stored.c_str(), path_.c_str()))
    throw EError("Could not write the settings to \"" + Utf8FromWide(path_) +
                 "\": " + SystemErrorText(GetLastError()));
}
