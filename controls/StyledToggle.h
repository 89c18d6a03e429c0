#pragma once
#include "controls/StyledControl.h"

namespace controls {

// What check boxes and radio buttons share: the checked state, the border lines along the
// edges, the colours of the fade pictures, the mark's colour, the caption beside the mark and
// the focus rectangle.
class TStyledToggle : public TStyledControl {
 public:
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

 protected:
  TStyledToggle() = default;

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT CheckState() const override { return checked_ ? BST_CHECKED : BST_UNCHECKED; }
  TFadeSpeed CurrentFadeSpeed() const override { return fadeSpeed_; }
  // Called after the state changed (a radio button unchecks its siblings).
  virtual void CheckedChanged() {}

  // The mark's colour as drawn: grey when disabled.
  TColor MarkColor() const;
  // Draws the border lines, the caption from captionLeft on and the focus rectangle.
  void RenderBordersAndCaption(TDibSurface& surface, int captionLeft) const;

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
};

}  // namespace controls
