#include "controls/FadeAnimator.h"

#include <algorithm>

namespace controls {

int FadeInterval(TFadeSpeed speed) {
  switch (speed) {
    case TFadeSpeed::fsSlow: return 40;
    case TFadeSpeed::fsMedium: return 20;
    case TFadeSpeed::fsFast: return 12;
    case TFadeSpeed::fsVeryFast: return 8;
  }
  return 20;
}

void TFadeAnimator::MouseEnter() {
  hovered_ = true;
  direction_ = TDirection::In;
}

void TFadeAnimator::MouseLeave(bool keepLook) {
  hovered_ = false;
  direction_ = keepLook ? TDirection::In : TDirection::Out;
}

void TFadeAnimator::MouseDown() {
  pressed_ = true;
  direction_ = TDirection::In;
}

void TFadeAnimator::MouseUp() {
  pressed_ = false;
  direction_ = hovered_ ? TDirection::In : TDirection::Out;
}

void TFadeAnimator::ShowHoverLook() { direction_ = TDirection::In; }

void TFadeAnimator::SetLevels(int over, int click) {
  overLevel_ = std::clamp(over, 0, 100);
  clickLevel_ = std::clamp(click, 0, 100);
  direction_ = TDirection::None;
}

bool TFadeAnimator::Tick() {
  bool more = false;
  if (direction_ == TDirection::In) more = TickIn();
  if (direction_ == TDirection::Out) more = TickOut();
  if (!more) direction_ = TDirection::None;
  return more;
}

bool TFadeAnimator::TickIn() {
  if (pressed_ && hovered_) {
    clickLevel_ = std::min(clickLevel_ + 100, 100);
    return clickLevel_ < 100;
  }
  clickLevel_ = std::max(clickLevel_ - 100, 0);
  overLevel_ = std::min(overLevel_ + 10, 100);
  return !(clickLevel_ == 0 && overLevel_ == 100);
}

bool TFadeAnimator::TickOut() {
  clickLevel_ = std::max(clickLevel_ - 100, 0);
  if (overLevel_ > 0 || clickLevel_ > 0) overLevel_ = std::max(overLevel_ - 10, 0);
  return overLevel_ > 0 || clickLevel_ > 0;
}

}  // namespace controls
