#pragma once
#include <cstdint>
#include <initializer_list>

#include "controls/Color.h"

namespace controls {

// Names and order of these enumerations are part of the controls' interface.
enum class TGradientType {
  gtHorizontal,
  gtVertical,
  gtFromTopLeft,
  gtFromTopRight,
  gtRadial,
  gtDoubleHorz,
  gtDoubleVert
};

enum class TFadeSpeed { fsSlow, fsMedium, fsFast, fsVeryFast };

enum class TCaptionPosition {
  cpGroupBox,
  cpTopLeft,
  cpTopCenter,
  cpTopRight,
  cpMiddleLeft,
  cpMiddleCenter,
  cpMiddleRight,
  cpBottomLeft,
  cpBottomCenter,
  cpBottomRight
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

enum class TBorderLine { blTop, blBottom, blLeft, blRight };

// A set of border lines, one bit per TBorderLine.
class TBorderLines {
 public:
  constexpr TBorderLines() = default;
  constexpr TBorderLines(std::initializer_list<TBorderLine> lines) {
    for (TBorderLine l : lines) bits_ |= Bit(l);
  }
  constexpr bool Has(TBorderLine l) const { return (bits_ & Bit(l)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TBorderLines&) const = default;

 private:
  static constexpr std::uint8_t Bit(TBorderLine l) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(l));
  }
  std::uint8_t bits_ = 0;
};

enum class TRadioSize { rsSmall, rsMedium, rsLarge };

// The colours of a gradient picture pair: at rest and under the mouse.
struct TStyledColors {
  TColor DefaultFrom = kWhite;
  TColor DefaultTo = RGBColor(175, 190, 209);
  TColor OverFrom = kWhite;
  TColor OverTo = RGBColor(118, 148, 190);
  bool operator==(const TStyledColors&) const = default;
};

// The full colour set of a button, check box or radio button.
struct TStyledControlColors : TStyledColors {
  TColor ClickedFrom = RGBColor(214, 207, 198);
  TColor ClickedTo = RGBColor(247, 243, 235);
  TColor HotTrack = RGBColor(0, 0, 255);
  TColor BorderColor = RGBColor(128, 128, 128);
  TColor TextShadow = kWhite;
  bool operator==(const TStyledControlColors&) const = default;
};

}  // namespace controls
