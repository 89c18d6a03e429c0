#pragma once
#include "controls/PixelBuffer.h"
#include "controls/StyledControl.h"

namespace controls {

// A container with a rounded, optionally gradient-filled and antialiased background and a
// caption placed at one of ten positions (one of them on the border like a group box).
class TStyledPanel : public TStyledControl {
 public:
  explicit TStyledPanel(HWND parent, int x = 0, int y = 0, int width = 185, int height = 41);
  static TStyledControl* NewForWindow();

  TCaptionPosition CaptionPosition() const { return captionPosition_; }
  void SetCaptionPosition(TCaptionPosition position);
  int CornerWidth() const { return cornerWidth_; }
  void SetCornerWidth(int width);  // below 0 is taken as 0
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);  // below 1 is taken as 1
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  TColor OuterColor() const { return outerColor_; }
  void SetOuterColor(TColor color);
  TColor TextShadowColor() const { return textShadowColor_; }
  void SetTextShadowColor(TColor color);
  bool Antialiased() const { return antialiased_; }
  void SetAntialiased(bool on);
  bool Gradient() const { return gradient_; }
  void SetGradient(bool on);
  TColor DefaultFrom() const { return defaultFrom_; }
  void SetDefaultFrom(TColor color);
  TColor DefaultTo() const { return defaultTo_; }
  void SetDefaultTo(TColor color);
  TGradientType GradientType() const { return gradientType_; }
  void SetGradientType(TGradientType type);

  // The area children are laid out in: the client area inset by BorderWidth + 1.
  RECT ChildArea() const;

 protected:
  struct TForWindow {};
  explicit TStyledPanel(TForWindow) {}

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Render(TDibSurface& surface) override;
  void RebuildPictures() override;
  void LookChanged() override { rendered_ = false; }
  LRESULT DialogCode(const MSG*) override { return DLGC_STATIC; }
  bool Animates() const override { return false; }
  bool ClicksOnSpace() const override { return false; }
  // A panel reports its clicks only to OnClick; it is no button for the window's commands.
  void ClickAction() override {
    if (TEvent handler = OnClick) handler(*this);
  }

 private:
  void Changed();
  int CaptionHeight() const;
  void BuildPicture(TDibSurface& large, int scale, int captionHeight);

  TCaptionPosition captionPosition_ = TCaptionPosition::cpMiddleCenter;
  int cornerWidth_ = 10;
  int borderWidth_ = 1;
  TColor borderColor_ = RGBColor(128, 128, 128);
  TColor outerColor_ = 0;
  TColor textShadowColor_ = kWhite;
  bool antialiased_ = false;
  bool gradient_ = true;
  TColor defaultFrom_ = kWhite;
  TColor defaultTo_ = RGBColor(175, 190, 209);
  TGradientType gradientType_ = TGradientType::gtVertical;
  TPixelBuffer picture_;
  // The surface holds the finished look (picture and caption) until something changes, so
  // the children drawn over the panel copy it instead of having it drawn again.
  bool rendered_ = false;
};

}  // namespace controls
