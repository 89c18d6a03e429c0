#pragma once
// A character format: the CHARFORMAT2 fields the programs read and write, in the platform's
// units (twips, COLORREF 0x00BBGGRR) so the window layer can copy them field by field.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "richedit/RichEditConstants.h"

namespace richedit {

using Color = std::uint32_t;  // COLORREF

constexpr Color rgb(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

inline constexpr int FaceNameCapacity = 32;  // LF_FACESIZE, including the terminating NUL
inline constexpr std::int32_t MaxCharHeight = 1638 * 20;  // yHeightCharPtsMost in twips
inline constexpr std::uint16_t NormalWeight = 400;
inline constexpr std::uint16_t BoldWeight = 700;
inline constexpr std::uint16_t BoldThreshold = 600;  // weights from here up count as bold

struct CharFormat {
  std::uint32_t effects = cfe::AutoColor | cfe::AutoBackColor;  // cfe::* bits
  std::int32_t height = 200;                                    // yHeight, twips
  std::int32_t offset = 0;  // yOffset, twips; positive raises the text
  Color textColor = 0;      // ignored (kept 0) while cfe::AutoColor is set
  Color backColor = 0;      // ignored (kept 0) while cfe::AutoBackColor is set
  std::uint16_t weight = NormalWeight;
  std::uint8_t charSet = charset::Default;
  std::uint8_t pitchAndFamily = 0;
  std::uint8_t underlineType = cfu::None;
  std::array<char16_t, FaceNameCapacity> face{};  // NUL-terminated, at most 31 characters

  std::u16string_view faceName() const;
  void setFaceName(std::u16string_view name);  // longer names are cut to 31 characters

  bool has(std::uint32_t effect) const { return (effects & effect) != 0; }

  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// The format a new document starts with: Arial 10 pt, automatic colours.
CharFormat defaultCharFormat();

// Brings derived fields in line: underline effect and type, bold and weight, cleared colour
// values under the automatic flags, one of superscript/subscript, sizes within range.
void normalize(CharFormat& format);

// Copies into target the fields of source that mask (cfm::*) names, with the platform's
// rules: cfm::Color carries cfe::AutoColor, cfm::BackColor cfe::AutoBackColor, the
// superscript mask sets one script and clears the other, cfm::Bold and cfm::Weight keep each
// other consistent, cfm::Underline keeps a chosen underline type.
void applyCharFormat(CharFormat& target, const CharFormat& source, std::uint32_t mask);

// The cfm::* bits of the fields on which a and b agree.
std::uint32_t uniformCharMask(const CharFormat& a, const CharFormat& b);

std::size_t hashValue(const CharFormat& format);

}  // namespace richedit
