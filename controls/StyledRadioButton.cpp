#include "controls/StyledRadioButton.h"

#include "controls/ContentLayout.h"
#include "controls/PixelBlend.h"
#include "controls/PixelTint.h"

namespace controls {
namespace {

constexpr int kCircleLeft = 2;

}  // namespace

TStyledRadioButton::TStyledRadioButton(HWND parent, int x, int y, int width, int height)
    : TStyledRadioButton(TForWindow{}) {
  CreateControl(L"TStyledRadioButton", parent, x, y, width, height,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON);
}

TStyledRadioButton::TStyledRadioButton(TForWindow) : dot_(BuildRadioDot()) {}

TStyledControl* TStyledRadioButton::NewForWindow() { return new TStyledRadioButton(TForWindow{}); }

void TStyledRadioButton::CheckedChanged() {
  if (!Checked() || !Handle()) return;
  const HWND parent = GetParent(Handle());
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    auto* other = dynamic_cast<TStyledRadioButton*>(FromHandle(h));
    if (other && other != this) other->SetChecked(false);
  }
}

void TStyledRadioButton::SetRadioType(TRadioSize size) {
  if (size == radioType_) return;
  radioType_ = size;
  RebuildPictures();
  Repaint();
}

void TStyledRadioButton::ClickAction() {
  SetChecked(true);
  Click();
}

void TStyledRadioButton::RebuildPictures() {
  const int d = RadioDiameter(radioType_);
  builtOn_ = Color();
  const TStyledControlColors& c = Colors();
  defaultPicture_ = BuildRadioPicture(d, builtOn_, c.DefaultFrom, c.DefaultTo, c.BorderColor);
  overPicture_ = BuildRadioPicture(d, builtOn_, c.OverFrom, c.OverTo, c.BorderColor);
  pressedPicture_ = BuildRadioPicture(d, builtOn_, c.ClickedFrom, c.ClickedTo, c.BorderColor);
  work_ = TPixelBuffer(d, d);
}

void TStyledRadioButton::Render(TDibSurface& surface) {
  if (work_.Width() != RadioDiameter(radioType_)) RebuildPictures();
  PaintParentBackground(surface.DC());
  const TPixelView px = surface.Pixels();
  const TPixelView work = work_.View();
  const TPixelRect circle = work.Bounds();
  Compose(work, circle, defaultPicture_.picture.View(), overPicture_.picture.View(), OverLevel(),
          0);
  if (ClickLevel() > 0) {
    CopyPixels(work, 0, 0, overPicture_.picture.View(), circle);
    Blend(work, circle, pressedPicture_.picture.View(), ClickLevel());
  }
  const int d = circle.Width();
  const int top = RadioCircleTop(surface.Height(), d);
  DrawCovered(px, kCircleLeft, top, work, defaultPicture_.coverage, builtOn_);
  if (Checked()) {
    const int inset = RadioDotInset(radioType_);
    DrawTintedMark(px, kCircleLeft + inset, top + inset, dot_.View(), MarkColor());
  }
  RenderBordersAndCaption(surface, RadioCaptionLeft(d, Spacing()));
}

}  // namespace controls
