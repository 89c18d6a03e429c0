#pragma once
#include "controls/ControlPictures.h"
#include "controls/StyledToggle.h"

namespace controls {

// A radio button with a smooth gradient circle, drawn over its parent's background. Checking
// one unchecks the other radio buttons of the same parent.
class TStyledRadioButton : public TStyledToggle {
 public:
  static constexpr int kDefaultWidth = 130;
  static constexpr int kDefaultHeight = 17;

  explicit TStyledRadioButton(HWND parent, int x = 0, int y = 0, int width = kDefaultWidth,
                              int height = kDefaultHeight);
  static TStyledControl* NewForWindow();

  TRadioSize RadioType() const { return radioType_; }
  void SetRadioType(TRadioSize size);

 protected:
  struct TForWindow {};
  explicit TStyledRadioButton(TForWindow);

  void Render(TDibSurface& surface) override;
  void RebuildPictures() override;
  LRESULT DialogCode(const MSG*) override { return DLGC_BUTTON | DLGC_RADIOBUTTON; }
  void ClickAction() override;
  void CheckedChanged() override;

 private:
  TRadioSize radioType_ = TRadioSize::rsMedium;
  TRadioPicture defaultPicture_;
  TRadioPicture overPicture_;
  TRadioPicture pressedPicture_;
  TPixelBuffer work_;
  TPixelBuffer dot_;
  TColor builtOn_ = 0;
};

}  // namespace controls
