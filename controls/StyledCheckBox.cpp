#include "controls/StyledCheckBox.h"

#include "controls/ContentLayout.h"
#include "controls/ControlPictures.h"
#include "platform/GdiHandles.h"
#include "controls/PixelBlend.h"
#include "controls/PixelTint.h"

namespace controls {
namespace {

constexpr TColor kDisabledMark = RGBColor(128, 128, 128);
constexpr int kBoxLeft = 1;
constexpr int kMarkInset = 2;

}  // namespace

void DrawBorderLines(const TPixelView& px, TBorderLines lines, TColor color) {
  const int w = px.Width();
  const int h = px.Height();
  if (lines.Has(TBorderLine::blTop)) px.Fill({0, 0, w, 1}, color);
  if (lines.Has(TBorderLine::blBottom)) px.Fill({0, h - 1, w, h}, color);
  if (lines.Has(TBorderLine::blLeft)) px.Fill({0, 0, 1, h}, color);
  if (lines.Has(TBorderLine::blRight)) px.Fill({w - 1, 0, w, h}, color);
}

TStyledCheckBox::TStyledCheckBox(HWND parent, int x, int y, int width, int height)
    : TStyledCheckBox(TForWindow{}) {
  CreateControl(L"TStyledCheckBox", parent, x, y, width, height,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
}

TStyledCheckBox::TStyledCheckBox(TForWindow) : mark_(BuildCheckMark()) { RebuildPictures(); }

TStyledControl* TStyledCheckBox::NewForWindow() { return new TStyledCheckBox(TForWindow{}); }

void TStyledCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Repaint();
}

void TStyledCheckBox::SetBorderLines(TBorderLines lines) {
  borderLines_ = lines;
  Repaint();
}

void TStyledCheckBox::SetBorderLinesColor(TColor color) {
  borderLinesColor_ = color;
  Repaint();
}

void TStyledCheckBox::SetHotTrack(bool on) {
  hotTrack_ = on;
  Repaint();
}

void TStyledCheckBox::SetColors(const TStyledControlColors& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  RebuildPictures();
  Repaint();
}

void TStyledCheckBox::SetSpacing(int spacing) {
  spacing_ = spacing;
  Repaint();
}

void TStyledCheckBox::SetShowFocusRect(bool on) {
  showFocusRect_ = on;
  Repaint();
}

void TStyledCheckBox::SetCheckColor(TColor color) {
  checkColor_ = color;
  Repaint();
}

void TStyledCheckBox::SetGradientBorder(bool on) {
  gradientBorder_ = on;
  Repaint();
}

void TStyledCheckBox::ClickAction() {
  SetChecked(!checked_);
  Click();
}

LRESULT TStyledCheckBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
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

void TStyledCheckBox::RebuildPictures() {
  defaultPicture_ = BuildBoxPicture(colors_.DefaultFrom, colors_.DefaultTo, colors_.BorderColor);
  overPicture_ = BuildBoxPicture(colors_.OverFrom, colors_.OverTo, colors_.BorderColor);
  pressedPicture_ = BuildBoxPicture(colors_.ClickedFrom, colors_.ClickedTo, colors_.BorderColor);
  work_ = TPixelBuffer(kCheckBoxSize, kCheckBoxSize);
}

void TStyledCheckBox::Render(TDibSurface& surface) {
  const TPixelView px = surface.Pixels();
  px.Fill(Color());
  const TPixelView work = work_.View();
  const TPixelRect box = work.Bounds();
  Compose(work, box, defaultPicture_.View(), overPicture_.View(), OverLevel(), 0);
  if (ClickLevel() > 0)
    Blend(work, box.Inset(gradientBorder_ ? 2 : 1), pressedPicture_.View(), ClickLevel());
  const int top = CheckBoxTop(surface.Height());
  CopyPixels(px, kBoxLeft, top, work, box);
  if (checked_)
    DrawTintedMark(px, kBoxLeft + kMarkInset, top + kMarkInset, mark_.View(),
                   Enabled() ? checkColor_ : kDisabledMark);
  DrawBorderLines(px, borderLines_, borderLinesColor_);

  const HDC dc = surface.DC();
  if (ShowCaption()) {
    const RECT text{CheckBoxCaptionLeft(spacing_), 0, surface.Width(), surface.Height()};
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
