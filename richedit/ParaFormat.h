#pragma once
// A paragraph format: the PARAFORMAT2 fields the programs read and write, in twips.
// Indents follow the platform: startIndent is the first line's indent from the left margin,
// offset the indent of the following lines relative to the first line.
#include <array>
#include <cstddef>
#include <cstdint>

#include "richedit/RichEditConstants.h"

namespace richedit {

struct ParaFormat {
  std::uint16_t numbering = pfn::None;             // wNumbering
  std::uint16_t effects = 0;                       // pfe::* bits
  std::int32_t startIndent = 0;                    // dxStartIndent
  std::int32_t rightIndent = 0;                    // dxRightIndent
  std::int32_t offset = 0;                         // dxOffset
  std::uint16_t alignment = pfa::Left;             // wAlignment
  std::int16_t tabCount = 0;                       // cTabCount, 0 to 32
  std::array<std::int32_t, tab::MaxStops> tabs{};  // rgxTabs; entries past tabCount are 0
  std::int32_t spaceBefore = 0;                    // dySpaceBefore
  std::int32_t spaceAfter = 0;                     // dySpaceAfter
  std::int32_t lineSpacing = 0;                    // dyLineSpacing
  std::uint8_t lineSpacingRule = lsr::Single;
  std::uint16_t numberingStart = 0;            // wNumberingStart
  std::uint16_t numberingStyle = pfns::Paren;  // wNumberingStyle
  std::uint16_t numberingTab = 0;              // wNumberingTab

  // The left indent of the lines after the first (RTF's \li).
  std::int32_t leftIndent() const {
    const std::int64_t v = std::int64_t{startIndent} + offset;
    return static_cast<std::int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
  }
  bool has(std::uint16_t effect) const { return (effects & effect) != 0; }

  friend bool operator==(const ParaFormat&, const ParaFormat&) = default;
};

inline ParaFormat defaultParaFormat() { return ParaFormat{}; }

// Clamps counts and enumerations into their ranges and clears unused tab slots.
void normalize(ParaFormat& format);

// Copies into target the fields of source that mask (pfm::*) names. pfm::OffsetIndent adds
// source.startIndent to the target's; pfm::StartIndent wins when both are given. Values out of
// range (alignment, numbering, tab count) leave the field as it was.
void applyParaFormat(ParaFormat& target, const ParaFormat& source, std::uint32_t mask);

// The pfm::* bits of the fields on which a and b agree.
std::uint32_t uniformParaMask(const ParaFormat& a, const ParaFormat& b);

std::size_t hashValue(const ParaFormat& format);

// A tab stop value as rgxTabs holds it.
constexpr std::int32_t makeTabStop(std::int32_t position, std::uint32_t alignment = tab::Left,
                                   std::uint32_t leader = tab::NoLeader) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(position) & tab::PositionMask) |
                                   (alignment << tab::AlignShift) | (leader << tab::LeaderShift));
}
constexpr std::int32_t tabPosition(std::int32_t stop) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(stop) & tab::PositionMask);
}
constexpr std::uint32_t tabAlignment(std::int32_t stop) {
  return (static_cast<std::uint32_t>(stop) >> tab::AlignShift) & 0xF;
}
constexpr std::uint32_t tabLeader(std::int32_t stop) {
  return (static_cast<std::uint32_t>(stop) >> tab::LeaderShift) & 0xF;
}

}  // namespace richedit
