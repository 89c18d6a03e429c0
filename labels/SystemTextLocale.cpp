#include "labels/SystemTextLocale.h"

#include "platform/CodePage.h"
#include "platform/LocaleText.h"

std::string SystemTextLocale::SortKey(std::string_view text) const {
  return LocaleSortKey(WideFromBytes(std::string(text)));
}

bool SystemTextLocale::SameIgnoringCase(std::string_view a, std::string_view b) const {
  return SameTextIgnoringCase(WideFromBytes(std::string(a)), WideFromBytes(std::string(b)));
}

std::string SystemTextLocale::ToUtf8(std::string_view text) const {
  return Utf8FromWide(WideFromBytes(std::string(text)));
}
