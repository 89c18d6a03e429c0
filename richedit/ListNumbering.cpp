#include "richedit/ListNumbering.h"

#include <algorithm>
#include <array>

namespace richedit {

namespace {

std::u16string arabic(std::uint32_t n) {
  std::u16string out;
  do {
    out.insert(out.begin(), static_cast<char16_t>(u'0' + n % 10));
    n /= 10;
  } while (n != 0);
  return out;
}

// Bijective base 26: a ... z, aa, ab ... (0 has no letter; it writes as a).
std::u16string letters(std::uint32_t n, char16_t a) {
  std::u16string out;
  n = std::max<std::uint32_t>(n, 1);
  while (n > 0) {
    --n;
    out.insert(out.begin(), static_cast<char16_t>(a + n % 26));
    n /= 26;
  }
  return out;
}

std::u16string roman(std::uint32_t n, bool upper) {
  struct Step {
    std::uint32_t value;
    const char* digits;
  };
  static constexpr std::array<Step, 13> steps{{{1000, "m"},
                                               {900, "cm"},
                                               {500, "d"},
                                               {400, "cd"},
                                               {100, "c"},
                                               {90, "xc"},
                                               {50, "l"},
                                               {40, "xl"},
                                               {10, "x"},
                                               {9, "ix"},
                                               {5, "v"},
                                               {4, "iv"},
                                               {1, "i"}}};
  // Numbers past what roman numerals write sensibly fall back to digits.
  if (n == 0 || n > 3999) return arabic(n);
  std::u16string out;
  for (const Step& s : steps) {
    for (; n >= s.value; n -= s.value) {
      for (const char* d = s.digits; *d; ++d) {
        out.push_back(static_cast<char16_t>(upper ? *d - 'a' + 'A' : *d));
      }
    }
  }
  return out;
}

}  // namespace

std::uint32_t ListCounter::next(const ParaFormat& format) {
  if (format.numbering == pfn::None) {
    reset();
    return 0;
  }
  const std::int32_t indent = format.leftIndent();
  while (depth_ > 0 && levels_[depth_ - 1].indent > indent) levels_[--depth_] = Level{};
  if (depth_ == 0 || levels_[depth_ - 1].indent < indent) {
    depth_ = std::min(depth_ + 1, MaxLevels);
    levels_[depth_ - 1] = Level{indent, pfn::None, 0};
  }
  Level& level = levels_[depth_ - 1];
  const bool newNumber = (format.numberingStyle & pfns::NewNumber) != 0;
  const bool sameList = level.kind == format.numbering && !newNumber;
  level.kind = format.numbering;
  level.indent = indent;
  if (format.numbering == pfn::Bullet) {
    level.number = 0;
  } else if (!sameList) {
    level.number = std::max<std::uint32_t>(format.numberingStart, 1);
  } else if ((format.numberingStyle & 0x0F00) != pfns::NoNumber) {
    ++level.number;  // a member that shows no number stays in the list without taking one
  }
  return level.number;
}

std::u16string formatListNumber(std::uint16_t numbering, std::uint32_t number) {
  switch (numbering) {
    case pfn::Arabic: return arabic(number);
    case pfn::LcLetter: return letters(number, u'a');
    case pfn::UcLetter: return letters(number, u'A');
    case pfn::LcRoman: return roman(number, false);
    case pfn::UcRoman: return roman(number, true);
    default: return {};
  }
}

std::u16string numberingLabel(const ParaFormat& format, std::uint32_t number) {
  if (format.numbering == pfn::None) return {};
  if (format.numbering == pfn::Bullet) return std::u16string(1, BulletChar);
  const std::uint16_t style = format.numberingStyle & 0x0F00;
  if (style == pfns::NoNumber) return {};
  const std::u16string digits = formatListNumber(format.numbering, number);
  switch (style) {
    case pfns::Parens: return u"(" + digits + u")";
    case pfns::Period: return digits + u".";
    case pfns::Plain: return digits;
    default: return digits + u")";
  }
}

}  // namespace richedit
