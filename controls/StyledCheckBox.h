#pragma once
#include "controls/PixelBuffer.h"
#include "controls/StyledControl.h"

namespace controls {

// A check box with a gradient box that fades on hover and press.
class TStyledCheckBox : public TStyledControl {
 public:
  static constexpr int kDefaultWidth = 130;
  static constexpr int kDefaultHeight = 17;

  explicit TStyledCheckBox(HWND parent, int x = 0, int y = 0, int width = kDefaultWidth,
                           int height = kDefaultHeight);
  static TStyledControl* NewForWindow();

  bool Checked() const { return checked_; }
  // Changes the state without a click event (as BM_SETCHECK does).
  void SetChecked(bool checked);
  TBorderLines BorderLines() const { return borderLines_; }
  void SetBorderLines(TBorderLines lines);
  TColor BorderLinesColor() const { return borderLinesColor_; }
  void SetBorderLinesColor(TColor color);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);
  TFadeSpeed FadeSpeed() const { return fadeSpeed_; }
  void SetFadeSpeed(TFadeSpeed speed) { fadeSpeed_ = speed; }
  const TStyledControlColors& Colors() const { return colors_; }
  void SetColors(const TStyledControlColors& colors);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool on);
  TColor CheckColor() const { return checkColor_; }
  void SetCheckColor(TColor color);
  bool GradientBorder() const { return gradientBorder_; }
  void SetGradientBorder(bool on);

 protected:
  struct TForWindow {};
  explicit TStyledCheckBox(TForWindow);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Render(TDibSurface& surface) override;
  void RebuildPictures() override;
  LRESULT DialogCode(const MSG*) override { return DLGC_BUTTON; }
  void ClickAction() override;
  LRESULT CheckState() const override { return checked_ ? BST_CHECKED : BST_UNCHECKED; }
  TFadeSpeed CurrentFadeSpeed() const override { return fadeSpeed_; }

 private:
  bool checked_ = false;
  TBorderLines borderLines_;
  TColor borderLinesColor_ = RGBColor(128, 128, 128);
  bool hotTrack_ = false;
  TFadeSpeed fadeSpeed_ = TFadeSpeed::fsMedium;
  TStyledControlColors colors_;
  int spacing_ = 3;
  bool showFocusRect_ = true;
  TColor checkColor_ = RGBColor(0, 128, 0);
  bool gradientBorder_ = true;
  TPixelBuffer defaultPicture_;
  TPixelBuffer overPicture_;
  TPixelBuffer pressedPicture_;
  TPixelBuffer work_;
  TPixelBuffer mark_;
};

// Draws the border lines of a check box or radio button along the edges of the picture.
void DrawBorderLines(const TPixelView& px, TBorderLines lines, TColor color);

}  // namespace controls
