#include "controls/StyledRadioButton.h"

#include "controls/ContentLayout.h"
#include "controls/PixelBlend.h"
#include "controls/PixelTint.h"
#include "controls/StyledCheckBox.h"

namespace controls {
namespace {

constexpr TColor kDisabledDot = RGBColor(128, 128, 128);
constexpr int kCircleLeft = 2;

}  // namespace

TStyledRadioButton::TStyledRadioButton(HWND parent, int x, int y, int width, int height)
    : TStyledRadioButton(TForWindow{}) {
  CreateControl(L"TStyledRadioButton", parent, x, y, width, height,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON);
}

TStyledRadioButton::TStyledRadioButton(TForWindow) : dot_(BuildRadioDot()) {}

TStyledControl* TStyledRadioButton::NewForWindow() { return new TStyledRadioButton(TForWindow{}); }

void TStyledRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked) UncheckSiblings();
  Repaint();
}

void TStyledRadioButton::UncheckSiblings() {
  if (!Handle()) return;
  const HWND parent = GetParent(Handle());
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    auto* other = dynamic_cast<TStyledRadioButton*>(FromHandle(h));
    if (other && other != this) other->SetChecked(false);
  }
}

void TStyledRadioButton::SetBorderLines(TBorderLines lines) {
  borderLines_ = lines;
  Repaint();
}

void TStyledRadioButton::SetBorderLinesColor(TColor color) {
  borderLinesColor_ = color;
  Repaint();
}

void TStyledRadioButton::SetHotTrack(bool on) {
  hotTrack_ = on;
  Repaint();
}

void TStyledRadioButton::SetColors(const TStyledControlColors& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  RebuildPictures();
  Repaint();
}

void TStyledRadioButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Repaint();
}

void TStyledRadioButton::SetShowFocusRect(bool on) {
  showFocusRect_ = on;
  Repaint();
}

void TStyledRadioButton::SetCheckColor(TColor color) {
  checkColor_ = color;
  Repaint();
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

LRESULT TStyledRadioButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case BM_SETCHECK:
      SetChecked(wp == BST_CHECKED);
      return 0;
    case WM_CHAR:
      if (wp == L' ') return 0;
      break;
    default:
      break;
  }
  return TStyledControl::HandleMessage(msg, wp, lp);
}

void TStyledRadioButton::RebuildPictures() {
  const int d = RadioDiameter(radioType_);
  builtOn_ = Color();
  const TColor border = colors_.BorderColor;
  defaultPicture_ = BuildRadioPicture(d, builtOn_, colors_.DefaultFrom, colors_.DefaultTo, border);
  overPicture_ = BuildRadioPicture(d, builtOn_, colors_.OverFrom, colors_.OverTo, border);
  pressedPicture_ = BuildRadioPicture(d, builtOn_, colors_.ClickedFrom, colors_.ClickedTo, border);
  work_ = TPixelBuffer(d, d);
}

void TStyledRadioButton::Render(TDibSurface& surface) {
  if (work_.Width() != RadioDiameter(radioType_)) RebuildPictures();
  PaintParentBackground(surface.DC());
  const TPixelView px = surface.Pixels();
  const TPixelView work = work_.View();
  const TPixelRect circle = work.Bounds();
  Compose(work, circle, defaultPicture_.picture.View(), overPicture_.picture.View(), OverLevel(), 0);
  if (ClickLevel() > 0) {
    CopyPixels(work, 0, 0, overPicture_.picture.View(), circle);
    Blend(work, circle, pressedPicture_.picture.View(), ClickLevel());
  }
  const int d = circle.Width();
  const int top = RadioCircleTop(surface.Height(), d);
  DrawCovered(px, kCircleLeft, top, work, defaultPicture_.coverage, builtOn_);
  if (checked_) {
    const int inset = RadioDotInset(radioType_);
    DrawTintedMark(px, kCircleLeft + inset, top + inset, dot_.View(),
                   Enabled() ? checkColor_ : kDisabledDot);
  }
  DrawBorderLines(px, borderLines_, borderLinesColor_);

  const HDC dc = surface.DC();
  if (ShowCaption()) {
    const RECT text{RadioCaptionLeft(d, spacing_), 0, surface.Width(), surface.Height()};
    DrawCaption(dc, Caption(), text,
                CaptionStyle(hotTrack_ && Hovered() ? colors_.HotTrack : FontColor(),
                             colors_.TextShadow, DT_LEFT));
  }
  if (showFocusRect_ && ShowsFocus()) {
    RECT focus{0, 0, surface.Width(), surface.Height()};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace controls
