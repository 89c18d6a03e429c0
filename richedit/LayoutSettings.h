#pragma once
// Where the window's lines wrap and how they are set, as EM_SETTARGETDEVICE and
// EM_SETTYPOGRAPHYOPTIONS leave it. Lines are always measured at the reference device, so a
// target device only brings its line width.
#include <cstdint>

#include "richedit/ParagraphLayout.h"

namespace richedit {

// EM_SETTYPOGRAPHYOPTIONS flags (TO_*).
namespace typo {
inline constexpr std::uint32_t AdvancedTypography = 0x1;
inline constexpr std::uint32_t SimpleLineBreak = 0x2;
inline constexpr std::uint32_t Known = AdvancedTypography | SimpleLineBreak;
}  // namespace typo

class LayoutSettings {
 public:
  // Without a device, a width of 0 wraps to the window and any other does not wrap; with a
  // device, the width in twips is the line width and 0 or less does not wrap.
  void setTargetDevice(bool hasDevice, std::int64_t lineWidth);
  // Sets the options in mask to their values in options; false, changing nothing, when either
  // holds a flag the control does not know.
  bool setTypography(std::uint32_t options, std::uint32_t mask);
  std::uint32_t typography() const { return typography_; }
  // Justified paragraphs are set flush left until advanced typography is turned on.
  bool justifies() const { return (typography_ & typo::AdvancedTypography) != 0; }

  // The layout of the window's text when its client area is windowWidth twips wide.
  LayoutOptions windowLayout(std::int32_t windowWidth) const;

 private:
  enum class Wrap : std::uint8_t { ToWindow, None, ToWidth };
  Wrap wrap_ = Wrap::ToWindow;
  std::int32_t width_ = 0;
  std::uint32_t typography_ = 0;
};

}  // namespace richedit
