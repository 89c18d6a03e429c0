#pragma once
#include "controls/ControlPictures.h"
#include "controls/StyledControl.h"

namespace controls {

// A radio button with a smooth gradient circle, drawn over its parent's background. Checking
// one unchecks the other radio buttons of the same parent.
class TStyledRadioButton : public TStyledControl {
 public:
  static constexpr int kDefaultWidth = 130;
  static constexpr int kDefaultHeight = 17;

  explicit TStyledRadioButton(HWND parent, int x = 0, int y = 0, int width = kDefaultWidth,
                              int height = kDefaultHeight);
  static TStyledControl* NewForWindow();

  bool Checked() const { return checked_; }
  // Changes the state without a click event; checking unchecks the others of the parent.
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
  TRadioSize RadioType() const { return radioType_; }
  void SetRadioType(TRadioSize size);

 protected:
  struct TForWindow {};
  explicit TStyledRadioButton(TForWindow);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Render(TDibSurface& surface) override;
  void RebuildPictures() override;
  LRESULT DialogCode(const MSG*) override { return DLGC_BUTTON | DLGC_RADIOBUTTON; }
  void ClickAction() override;
  LRESULT CheckState() const override { return checked_ ? BST_CHECKED : BST_UNCHECKED; }
  TFadeSpeed CurrentFadeSpeed() const override { return fadeSpeed_; }

 private:
  void UncheckSiblings();

  bool checked_ = false;
  TBorderLines borderLines_;
  TColor borderLinesColor_ = RGBColor(128, 128, 128);
  bool hotTrack_ = false;
  TFadeSpeed fadeSpeed_ = TFadeSpeed::fsMedium;
  TStyledControlColors colors_;
  int spacing_ = 3;
  bool showFocusRect_ = true;
  TColor checkColor_ = RGBColor(0, 128, 0);
  TRadioSize radioType_ = TRadioSize::rsMedium;
  TRadioPicture defaultPicture_;
  TRadioPicture overPicture_;
  TRadioPicture pressedPicture_;
  TPixelBuffer work_;
  TPixelBuffer dot_;
  TColor builtOn_ = 0;
};

}  // namespace controls
