#include "richedit/CharFormat.h"

#include <algorithm>

namespace richedit {

std::u16string_view CharFormat::faceName() const {
  std::size_t n = 0;
  while (n < face.size() && face[n] != 0) ++n;
  return {face.data(), n};
}

void CharFormat::setFaceName(std::u16string_view name) {
  face.fill(0);
  const std::size_t n = std::min<std::size_t>(name.size(), FaceNameCapacity - 1);
  std::copy_n(name.begin(), n, face.begin());
}

CharFormat defaultCharFormat() {
  CharFormat f;
  f.setFaceName(u"Arial");
  f.pitchAndFamily = 0x22;  // variable pitch, swiss
  return f;
}

void normalize(CharFormat& f) {
  f.effects &= cfe::Kept;
  if (f.underlineType > cfu::Last) f.underlineType = cfu::Single;
  if (f.underlineType == cfu::None) {
    f.effects &= ~cfe::Underline;
  } else {
    f.effects |= cfe::Underline;
  }
  // The bold effect decides; the weight follows it when the two disagree.
  if (f.has(cfe::Bold) && f.weight < BoldThreshold) f.weight = BoldWeight;
  if (!f.has(cfe::Bold) && (f.weight >= BoldThreshold || f.weight == 0)) f.weight = NormalWeight;
  if (f.has(cfe::SuperScript) && f.has(cfe::SubScript)) f.effects &= ~cfe::SubScript;
  if (f.has(cfe::AutoColor)) f.textColor = 0;
  if (f.has(cfe::AutoBackColor)) f.backColor = 0;
  f.textColor &= 0x00FFFFFF;
  f.backColor &= 0x00FFFFFF;
  f.height = std::clamp(f.height, 1, MaxCharHeight);
  // Everything after the first NUL is cleared so equal names compare equal.
  bool ended = false;
  for (auto& c : f.face) {
    if (ended) c = 0;
    if (c == 0) ended = true;
  }
  f.face.back() = 0;
}

namespace {

void copyEffect(CharFormat& t, const CharFormat& s, std::uint32_t effect) {
  t.effects = (t.effects & ~effect) | (s.effects & effect);
}

}  // namespace

void applyCharFormat(CharFormat& t, const CharFormat& s, std::uint32_t mask) {
  constexpr std::uint32_t plainEffects = cfm::Italic | cfm::StrikeOut | cfm::Protected | cfm::Link |
                                         cfm::SmallCaps | cfm::AllCaps | cfm::Hidden;
  copyEffect(t, s, mask & plainEffects);
  if (mask & cfm::Weight) {
    t.weight = s.weight == 0 ? NormalWeight : s.weight;
    t.effects = t.weight >= BoldThreshold ? (t.effects | cfe::Bold) : (t.effects & ~cfe::Bold);
  }
  if (mask & cfm::Bold) {
    if (s.has(cfe::Bold)) {
      t.effects |= cfe::Bold;
      if (t.weight < BoldThreshold) t.weight = BoldWeight;
    } else {
      t.effects &= ~cfe::Bold;
      if (t.weight >= BoldThreshold) t.weight = NormalWeight;
    }
  }
  if (mask & cfm::UnderlineType) t.underlineType = s.underlineType;
  if (mask & cfm::Underline) {
    if (!s.has(cfe::Underline)) {
      t.underlineType = cfu::None;
    } else if (t.underlineType == cfu::None) {
      t.underlineType = (mask & cfm::UnderlineType) && s.underlineType != cfu::None
                            ? s.underlineType
                            : cfu::Single;
    }
  }
  if (mask & cfm::SubScript) {
    const std::uint32_t scripts = cfe::SubScript | cfe::SuperScript;
    std::uint32_t wanted = s.effects & scripts;
    if (wanted == scripts) wanted = cfe::SuperScript;
    t.effects = (t.effects & ~scripts) | wanted;
  }
  if (mask & cfm::Color) {
    copyEffect(t, s, cfe::AutoColor);
    t.textColor = s.textColor;
  }
  if (mask & cfm::BackColor) {
    copyEffect(t, s, cfe::AutoBackColor);
    t.backColor = s.backColor;
  }
  if (mask & cfm::Size) {
    if (s.height > 0) t.height = s.height;
  }
  if (mask & cfm::Offset) t.offset = s.offset;
  if (mask & cfm::CharSet) t.charSet = s.charSet;
  if (mask & cfm::Face) {
    t.setFaceName(s.faceName());
    t.pitchAndFamily = s.pitchAndFamily;
  }
  normalize(t);
}

std::uint32_t uniformCharMask(const CharFormat& a, const CharFormat& b) {
  std::uint32_t mask = 0;
  const std::uint32_t differing = a.effects ^ b.effects;
  constexpr std::uint32_t singleBits = cfm::Bold | cfm::Italic | cfm::Underline | cfm::StrikeOut |
                                       cfm::Protected | cfm::Link | cfm::SmallCaps | cfm::AllCaps |
                                       cfm::Hidden;
  mask |= singleBits & ~differing;
  if ((differing & (cfe::SubScript | cfe::SuperScript)) == 0) mask |= cfm::SubScript;
  if ((differing & cfe::AutoColor) == 0 && a.textColor == b.textColor) mask |= cfm::Color;
  if ((differing & cfe::AutoBackColor) == 0 && a.backColor == b.backColor) mask |= cfm::BackColor;
  if (a.height == b.height) mask |= cfm::Size;
  if (a.offset == b.offset) mask |= cfm::Offset;
  if (a.charSet == b.charSet) mask |= cfm::CharSet;
  if (a.face == b.face) mask |= cfm::Face;
  if (a.weight == b.weight) mask |= cfm::Weight;
  if (a.underlineType == b.underlineType) mask |= cfm::UnderlineType;
  return mask;
}

std::size_t hashValue(const CharFormat& f) {
  std::size_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint64_t v) {
    h ^= v;
    h *= 1099511628211ull;
  };
  mix(f.effects);
  mix(static_cast<std::uint32_t>(f.height));
  mix(static_cast<std::uint32_t>(f.offset));
  mix(f.textColor);
  mix(f.backColor);
  mix((std::uint64_t{f.weight} << 24) | (std::uint64_t{f.charSet} << 16) |
      (std::uint64_t{f.pitchAndFamily} << 8) | f.underlineType);
  for (char16_t c : f.face) {
    if (c == 0) break;
    mix(c);
  }
  return h;
}

}  // namespace richedit
