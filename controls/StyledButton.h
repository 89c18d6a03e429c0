#pragma once
#include "controls/PixelBuffer.h"
#include "controls/StyledControl.h"
#include "platform/ModalResult.h"

namespace controls {

// A push button painted with fading gradient pictures; with a group index it works as one
// of a set of toggle buttons.
class TStyledButton : public TStyledControl {
 public:
  static constexpr int kDefaultWidth = 75;
  static constexpr int kDefaultHeight = 25;

  explicit TStyledButton(HWND parent, int x = 0, int y = 0, int width = kDefaultWidth,
                         int height = kDefaultHeight);
  static TStyledControl* NewForWindow();

  // Handed to the top-level window on every click (ModalResultMessage); mrNone hands nothing.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // The glyph is copied; its bottom-left pixel's colour is transparent. nullptr removes it.
  void SetGlyph(HBITMAP bitmap);
  void SetGlyph(TPixelBuffer pixels, TColor transparent);
  bool HasGlyph() const { return glyph_.Width() > 0; }

  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  const TStyledControlColors& Colors() const { return colors_; }
  void SetColors(const TStyledControlColors& colors);
  TFadeSpeed FadeSpeed() const { return fadeSpeed_; }
  void SetFadeSpeed(TFadeSpeed speed) { fadeSpeed_ = speed; }
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool on);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);
  // Enter clicks the default button wherever the focus is in its window; Escape the cancel
  // button (see HandleStyledDialogKey).
  bool Default() const { return default_; }
  void SetDefault(bool on) { default_ = on; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  bool GradientBorder() const { return gradientBorder_; }
  void SetGradientBorder(bool on);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool on) { allowAllUp_ = on; }
  // Only a button of a group (index above 0) can be down; going down releases the others of
  // its group on the same parent, and the last one down stays down unless AllowAllUp.
  bool Down() const { return down_; }
  void SetDown(bool down);
  TGradientType GradientType() const { return gradientType_; }
  void SetGradientType(TGradientType type);

 protected:
  struct TForWindow {};
  explicit TStyledButton(TForWindow) {}

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Render(TDibSurface& surface) override;
  void RebuildPictures() override;
  LRESULT DialogCode(const MSG* msg) override;
  void ClickAction() override;
  LRESULT CheckState() const override { return down_ ? BST_CHECKED : BST_UNCHECKED; }
  TFadeSpeed CurrentFadeSpeed() const override { return fadeSpeed_; }
  bool KeepsHoverLook() const override { return down_; }

 private:
  template <class Visit>
  void ForEachOfGroup(Visit visit) const;
  bool AnotherOfGroupDown() const;
  void ApplyDown(bool down);
  void RenderContent(TDibSurface& surface);

  int modalResult_ = mrNone;
  TPixelBuffer glyph_;
  TColor glyphTransparent_ = 0;
  int spacing_ = 2;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  TStyledControlColors colors_;
  TFadeSpeed fadeSpeed_ = TFadeSpeed::fsMedium;
  bool showFocusRect_ = true;
  bool hotTrack_ = false;
  bool default_ = false;
  bool cancel_ = false;
  bool gradientBorder_ = true;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  TGradientType gradientType_ = TGradientType::gtVertical;
  TPixelBuffer defaultPicture_;
  TPixelBuffer overPicture_;
  TPixelBuffer pressedPicture_;
};

}  // namespace controls
