#pragma once
// The user's locale and the system code page for the record store.
#include "labels/records/TextLocale.h"

class SystemTextLocale final : public TextLocale {
 public:
  std::string SortKey(std::string_view text) const override;
  bool SameIgnoringCase(std::string_view a, std::string_view b) const override;
  std::string ToUtf8(std::string_view text) const override;
};
