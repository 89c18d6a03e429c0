#pragma once
#include "controls/StyledTypes.h"

namespace controls {

// Timer interval of a fade speed, in milliseconds.
int FadeInterval(TFadeSpeed speed);

// The hover and press state of a control and the levels (0 to 100) at which its hover and
// pressed pictures are faded in. Each mouse event that changes the look chooses a direction;
// the owner then runs a timer and calls Tick until it reports that the fade is over.
class TFadeAnimator {
 public:
  enum class TDirection { None, In, Out };

  void MouseEnter();
  // keepLook: the control keeps its hover picture although the mouse left (a button that is down).
  void MouseLeave(bool keepLook = false);
  void MouseDown();
  void MouseUp();
  // Fades towards the hover look without touching the hover flag (a button going down).
  void ShowHoverLook();

  // One timer step; false when the fade has ended and the timer should stop.
  bool Tick();

  bool Hovered() const { return hovered_; }
  bool Pressed() const { return pressed_; }
  int OverLevel() const { return overLevel_; }
  int ClickLevel() const { return clickLevel_; }
  TDirection Direction() const { return direction_; }
  bool Running() const { return direction_ != TDirection::None; }

  // Puts the levels directly (a picture shown without a fade).
  void SetLevels(int over, int click);

 private:
  bool TickIn();
  bool TickOut();

  bool hovered_ = false;
  bool pressed_ = false;
  int overLevel_ = 0;
  int clickLevel_ = 0;
  TDirection direction_ = TDirection::None;
};

}  // namespace controls
