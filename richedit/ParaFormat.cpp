#include "richedit/ParaFormat.h"

#include <algorithm>

namespace richedit {

void normalize(ParaFormat& f) {
  f.effects &= pfe::Kept;
  if (f.numbering > pfn::Last) f.numbering = pfn::None;
  if (f.alignment < pfa::Left || f.alignment > pfa::Justify) f.alignment = pfa::Left;
  f.tabCount = static_cast<std::int16_t>(std::clamp<int>(f.tabCount, 0, tab::MaxStops));
  for (int i = f.tabCount; i < tab::MaxStops; ++i) f.tabs[i] = 0;
  if (f.lineSpacingRule > lsr::Multiple) f.lineSpacingRule = lsr::Single;
}

void applyParaFormat(ParaFormat& t, const ParaFormat& s, std::uint32_t mask) {
  if (mask & pfm::StartIndent) {
    t.startIndent = s.startIndent;
  } else if (mask & pfm::OffsetIndent) {
    t.startIndent = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{t.startIndent} + s.startIndent, INT32_MIN, INT32_MAX));
  }
  if (mask & pfm::RightIndent) t.rightIndent = s.rightIndent;
  if (mask & pfm::Offset) t.offset = s.offset;
  if ((mask & pfm::Alignment) && s.alignment >= pfa::Left && s.alignment <= pfa::Justify) {
    t.alignment = s.alignment;
  }
  if ((mask & pfm::TabStops) && s.tabCount >= 0 && s.tabCount <= tab::MaxStops) {
    t.tabCount = s.tabCount;
    t.tabs = s.tabs;
  }
  if ((mask & pfm::Numbering) && s.numbering <= pfn::Last) t.numbering = s.numbering;
  if (mask & pfm::SpaceBefore) t.spaceBefore = s.spaceBefore;
  if (mask & pfm::SpaceAfter) t.spaceAfter = s.spaceAfter;
  if ((mask & pfm::LineSpacing) && s.lineSpacingRule <= lsr::Multiple) {
    t.lineSpacing = s.lineSpacing;
    t.lineSpacingRule = s.lineSpacingRule;
  }
  if (mask & pfm::NumberingStyle) t.numberingStyle = s.numberingStyle;
  if (mask & pfm::NumberingTab) t.numberingTab = s.numberingTab;
  if (mask & pfm::NumberingStart) t.numberingStart = s.numberingStart;
  auto copyEffect = [&](std::uint32_t m, std::uint16_t e) {
    if (mask & m) t.effects = static_cast<std::uint16_t>((t.effects & ~e) | (s.effects & e));
  };
  copyEffect(pfm::Keep, pfe::Keep);
  copyEffect(pfm::KeepNext, pfe::KeepNext);
  copyEffect(pfm::PageBreakBefore, pfe::PageBreakBefore);
  normalize(t);
}

std::uint32_t uniformParaMask(const ParaFormat& a, const ParaFormat& b) {
  std::uint32_t m = 0;
  if (a.startIndent == b.startIndent) m |= pfm::StartIndent;
  if (a.rightIndent == b.rightIndent) m |= pfm::RightIndent;
  if (a.offset == b.offset) m |= pfm::Offset;
  if (a.alignment == b.alignment) m |= pfm::Alignment;
  if (a.tabCount == b.tabCount && a.tabs == b.tabs) m |= pfm::TabStops;
  if (a.numbering == b.numbering) m |= pfm::Numbering;
  if (a.spaceBefore == b.spaceBefore) m |= pfm::SpaceBefore;
  if (a.spaceAfter == b.spaceAfter) m |= pfm::SpaceAfter;
  if (a.lineSpacing == b.lineSpacing && a.lineSpacingRule == b.lineSpacingRule) {
    m |= pfm::LineSpacing;
  }
  if (a.numberingStyle == b.numberingStyle) m |= pfm::NumberingStyle;
  if (a.numberingTab == b.numberingTab) m |= pfm::NumberingTab;
  if (a.numberingStart == b.numberingStart) m |= pfm::NumberingStart;
  const std::uint16_t diff = a.effects ^ b.effects;
  if (!(diff & pfe::Keep)) m |= pfm::Keep;
  if (!(diff & pfe::KeepNext)) m |= pfm::KeepNext;
  if (!(diff & pfe::PageBreakBefore)) m |= pfm::PageBreakBefore;
  return m;
}

std::size_t hashValue(const ParaFormat& f) {
  std::size_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint64_t v) {
    h ^= v;
    h *= 1099511628211ull;
  };
  mix((std::uint64_t{f.numbering} << 32) | (std::uint64_t{f.effects} << 16) | f.alignment);
  mix(static_cast<std::uint32_t>(f.startIndent));
  mix(static_cast<std::uint32_t>(f.rightIndent));
  mix(static_cast<std::uint32_t>(f.offset));
  mix(static_cast<std::uint16_t>(f.tabCount));
  for (int i = 0; i < f.tabCount && i < tab::MaxStops; ++i) {
    mix(static_cast<std::uint32_t>(f.tabs[i]));
  }
  mix(static_cast<std::uint32_t>(f.spaceBefore));
  mix(static_cast<std::uint32_t>(f.spaceAfter));
  mix(static_cast<std::uint32_t>(f.lineSpacing));
  mix((std::uint64_t{f.lineSpacingRule} << 48) | (std::uint64_t{f.numberingStart} << 32) |
      (std::uint64_t{f.numberingStyle} << 16) | f.numberingTab);
  return h;
}

}  // namespace richedit
