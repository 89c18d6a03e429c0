#pragma once
#include "controls/PixelBuffer.h"
#include "controls/StyledToggle.h"

namespace controls {

// A check box with a gradient box that fades on hover and press.
class TStyledCheckBox : public TStyledToggle {
 public:
  static constexpr int kDefaultWidth = 130;
  static constexpr int kDefaultHeight = 17;

  explicit TStyledCheckBox(HWND parent, int x = 0, int y = 0, int width = kDefaultWidth,
                           int height = kDefaultHeight);
  static TStyledControl* NewForWindow();

  bool GradientBorder() const { return gradientBorder_; }
  void SetGradientBorder(bool on);

 protected:
  struct TForWindow {};
  explicit TStyledCheckBox(TForWindow);

  void Render(TDibSurface& surface) override;
  void RebuildPictures() override;
  LRESULT DialogCode(const MSG*) override { return DLGC_BUTTON; }
  void ClickAction() override;

 private:
  bool gradientBorder_ = true;
  TPixelBuffer defaultPicture_;
  TPixelBuffer overPicture_;
  TPixelBuffer pressedPicture_;
  TPixelBuffer work_;
  TPixelBuffer mark_;
};

}  // namespace controls
