#include "controls/StyledToggle.h"

#include "controls/CaptionPainter.h"
#include "controls/ContentLayout.h"

namespace controls {
namespace {

constexpr TColor kDisabledMark = RGBColor(128, 128, 128);

void DrawBorderLines(const TPixelView& px, TBorderLines lines, TColor color) {
  const int w = px.Width();
  const int h = px.Height();
  if (lines.Has(TBorderLine::blTop)) px.Fill({0, 0, w, 1}, color);
  if (lines.Has(TBorderLine::blBottom)) px.Fill({0, h - 1, w, h}, color);
  if (lines.Has(TBorderLine::blLeft)) px.Fill({0, 0, 1, h}, color);
  if (lines.Has(TBorderLine::blRight)) px.Fill({w - 1, 0, w, h}, color);
}

}  // namespace

void TStyledToggle::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  CheckedChanged();
  Repaint();
}

void TStyledToggle::SetBorderLines(TBorderLines lines) {
  borderLines_ = lines;
  Repaint();
}

void TStyledToggle::SetBorderLinesColor(TColor color) {
  borderLinesColor_ = color;
  Repaint();
}

void TStyledToggle::SetHotTrack(bool on) {
  hotTrack_ = on;
  Repaint();
}

void TStyledToggle::SetColors(const TStyledControlColors& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  RebuildPictures();
  Repaint();
}

void TStyledToggle::SetSpacing(int spacing) {
  spacing_ = spacing;
  Repaint();
}

void TStyledToggle::SetShowFocusRect(bool on) {
  showFocusRect_ = on;
  Repaint();
}

void TStyledToggle::SetCheckColor(TColor color) {
  checkColor_ = color;
  Repaint();
}

TColor TStyledToggle::MarkColor() const { return Enabled() ? checkColor_ : kDisabledMark; }

LRESULT TStyledToggle::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case BM_SETCHECK: SetChecked(wp == BST_CHECKED); return 0;
    case WM_CHAR:
      if (wp == L' ') return 0;
      break;
    default: break;
  }
  return TStyledControl::HandleMessage(msg, wp, lp);
}

void TStyledToggle::RenderBordersAndCaption(TDibSurface& surface, int captionLeft) const {
  DrawBorderLines(surface.Pixels(), borderLines_, borderLinesColor_);
  const HDC dc = surface.DC();
  if (ShowCaption()) {
    const RECT text{captionLeft, 0, surface.Width(), surface.Height()};
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
