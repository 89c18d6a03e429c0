#pragma once
// Bullets and paragraph numbers: which number a paragraph of a list gets and the text drawn
// in front of it.
#include <cstdint>
#include <string>

#include "platform/richedit/ParaFormat.h"

namespace richedit {

inline constexpr char16_t BulletChar = 0x2022;

// Counts the paragraphs of a list as layout walks the document in order. Consecutive
// paragraphs with the same numbering kind form one list; any other paragraph ends it, and a
// paragraph with pfns::NewNumber starts a new one. A start of 0 counts from 1, as the model's
// default format leaves it.
class ListCounter {
 public:
  // The number of this paragraph (0 for a paragraph without numbering); call once per
  // paragraph, in document order.
  std::uint32_t next(const ParaFormat& format);
  void reset() { *this = ListCounter{}; }
  friend bool operator==(const ListCounter&, const ListCounter&) = default;

 private:
  std::uint16_t kind_ = 0;
  std::uint32_t number_ = 0;
};

// The label of a paragraph with the given number: the bullet, or the number in the format's
// style ("3)", "(iii)", "C.", "c"); empty without numbering or with pfns::NoNumber.
std::u16string numberingLabel(const ParaFormat& format, std::uint32_t number);

// The number as its style writes it, without punctuation: 1 2 3, a ... z aa ab, i ii iii.
std::u16string formatListNumber(std::uint16_t numbering, std::uint32_t number);

}  // namespace richedit
