#pragma once
// Bullets and paragraph numbers: which number a paragraph of a list gets and the text drawn
// in front of it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "richedit/ParaFormat.h"

namespace richedit {

inline constexpr char16_t BulletChar = 0x2022;

// Counts the paragraphs of lists as layout walks the document in order. Consecutive numbered
// paragraphs at one left indent with the same numbering kind form one list; a paragraph
// indented further starts a list nested in it, and the outer list goes on counting after the
// nested one. Another kind at the same indent, a paragraph without numbering, or one with
// pfns::NewNumber starts afresh. A start of 0 counts from 1, as the model's default format
// leaves it.
class ListCounter {
 public:
  // The number of this paragraph (0 for a paragraph without numbering or with bullets); call
  // once per paragraph, in document order.
  std::uint32_t next(const ParaFormat& format);
  void reset() { *this = ListCounter{}; }
  friend bool operator==(const ListCounter&, const ListCounter&) = default;

 private:
  struct Level {
    std::int32_t indent = 0;
    std::uint16_t kind = 0;
    std::uint32_t number = 0;
    friend bool operator==(const Level&, const Level&) = default;
  };
  // Deeper nesting shares the deepest level: lists nest a few levels in practice, and every
  // paragraph's layout keeps a counter.
  static constexpr std::size_t MaxLevels = 4;
  std::array<Level, MaxLevels> levels_{};
  std::size_t depth_ = 0;
};

// The label of a paragraph with the given number: the bullet, or the number in the format's
// style ("3)", "(iii)", "C.", "c"); empty without numbering or with pfns::NoNumber.
std::u16string numberingLabel(const ParaFormat& format, std::uint32_t number);

// The number as its style writes it, without punctuation: 1 2 3, a ... z aa ab, i ii iii.
std::u16string formatListNumber(std::uint16_t numbering, std::uint32_t number);

}  // namespace richedit
