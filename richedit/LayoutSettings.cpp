#include "richedit/LayoutSettings.h"

#include <algorithm>

namespace richedit {

void LayoutSettings::setTargetDevice(bool hasDevice, std::int64_t lineWidth) {
  if (!hasDevice) {
    wrap_ = lineWidth == 0 ? Wrap::ToWindow : Wrap::None;
  } else if (lineWidth <= 0) {
    wrap_ = Wrap::None;
  } else {
    wrap_ = Wrap::ToWidth;
    width_ = static_cast<std::int32_t>(std::min<std::int64_t>(lineWidth, MaxCoordinate));
  }
}

bool LayoutSettings::setTypography(std::uint32_t options, std::uint32_t mask) {
  if ((options | mask) & ~typo::Known) return false;
  typography_ = (typography_ & ~mask) | (options & mask);
  return true;
}

LayoutOptions LayoutSettings::windowLayout(std::int32_t windowWidth) const {
  switch (wrap_) {
    case Wrap::ToWindow: return {std::clamp(windowWidth, 0, MaxCoordinate), true, justifies()};
    case Wrap::ToWidth: return {width_, true, justifies()};
    case Wrap::None: break;
  }
  return {std::clamp(windowWidth, 0, MaxCoordinate), false, justifies()};
}

}  // namespace richedit
