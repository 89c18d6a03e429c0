#pragma once
// What a run of characters carries: its CHARFORMAT2 fields and, for linked text, the link's
// target (empty when the text itself is the address, as URL detection marks it).
#include <cstddef>
#include <functional>
#include <string>

#include "richedit/CharFormat.h"

namespace richedit {

struct CharStyle {
  CharFormat format;
  std::u16string linkTarget;  // only meaningful while format has cfe::Link

  friend bool operator==(const CharStyle&, const CharStyle&) = default;
};

inline std::size_t hashValue(const CharStyle& s) {
  return hashValue(s.format) ^ (std::hash<std::u16string>{}(s.linkTarget) * 31);
}

}  // namespace richedit
