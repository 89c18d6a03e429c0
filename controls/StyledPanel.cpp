#include "controls/StyledPanel.h"

#include <algorithm>

#include "controls/ContentLayout.h"
#include "controls/GradientFill.h"
#include "controls/PixelReduce.h"
#include "controls/RegionPixels.h"
#include "platform/GdiHandles.h"

namespace controls {
namespace {

constexpr int kAntialiasScale = 3;
constexpr int kGroupCaptionPad = 3;

UINT Alignment(const TPanelCaption& c) {
  const UINT h = c.horz == THorzPlace::Left    ? DT_LEFT
                 : c.horz == THorzPlace::Right ? DT_RIGHT
                                               : DT_CENTER;
  const UINT v = c.vert == TVertPlace::Top      ? DT_TOP
                 : c.vert == TVertPlace::Bottom ? DT_BOTTOM
                                                : DT_VCENTER;
  return h | v;
}

}  // namespace

TStyledPanel::TStyledPanel(HWND parent, int x, int y, int width, int height) {
  outerColor_ = GetSysColor(COLOR_BTNFACE);
  CreateControl(L"TStyledPanel", parent, x, y, width, height,
                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

TStyledControl* TStyledPanel::NewForWindow() {
  auto* panel = new TStyledPanel(TForWindow{});
  panel->outerColor_ = GetSysColor(COLOR_BTNFACE);
  return panel;
}

void TStyledPanel::Changed() {
  RebuildPictures();
  // Children drawn over the panel show its picture, so they are repainted with it.
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TStyledPanel::SetCaptionPosition(TCaptionPosition position) {
  if (position == captionPosition_) return;
  captionPosition_ = position;
  Changed();  // the group box position moves the border
}

void TStyledPanel::SetCornerWidth(int width) {
  width = std::max(width, 0);
  if (width == cornerWidth_) return;
  cornerWidth_ = width;
  Changed();
}

void TStyledPanel::SetBorderWidth(int width) {
  width = std::max(width, 1);
  if (width == borderWidth_) return;
  borderWidth_ = width;
  Changed();
}

void TStyledPanel::SetBorderColor(TColor color) {
  if (color == borderColor_) return;
  borderColor_ = color;
  Changed();
}

void TStyledPanel::SetOuterColor(TColor color) {
  if (color == outerColor_) return;
  outerColor_ = color;
  Changed();
}

void TStyledPanel::SetTextShadowColor(TColor color) {
  if (color == textShadowColor_) return;
  textShadowColor_ = color;
  Repaint();
}

void TStyledPanel::SetAntialiased(bool on) {
  if (on == antialiased_) return;
  antialiased_ = on;
  Changed();
}

void TStyledPanel::SetGradient(bool on) {
  if (on == gradient_) return;
  gradient_ = on;
  Changed();
}

void TStyledPanel::SetDefaultFrom(TColor color) {
  if (color == defaultFrom_) return;
  defaultFrom_ = color;
  Changed();
}

void TStyledPanel::SetDefaultTo(TColor color) {
  if (color == defaultTo_) return;
  defaultTo_ = color;
  Changed();
}

void TStyledPanel::SetGradientType(TGradientType type) {
  if (type == gradientType_) return;
  gradientType_ = type;
  Changed();
}

RECT TStyledPanel::ChildArea() const {
  RECT r{};
  if (Handle()) GetClientRect(Handle(), &r);
  InflateRect(&r, -(borderWidth_ + 1), -(borderWidth_ + 1));
  return r;
}

LRESULT TStyledPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    // The window the panel sits on handles its children's notifications.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return SendMessageW(GetParent(Handle()), msg, wp, lp);
    case WM_SIZE:
      TStyledControl::HandleMessage(msg, wp, lp);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      return 0;
    case WM_SETFONT:
      TStyledControl::HandleMessage(msg, wp, lp);
      if (captionPosition_ == TCaptionPosition::cpGroupBox) Changed();
      return 0;
    default: break;
  }
  return TStyledControl::HandleMessage(msg, wp, lp);
}

int TStyledPanel::CaptionHeight() const {
  WindowDC dc(Handle());
  return MeasureCaption(dc.get(), L"", EffectiveFont(), 0).cy;
}

void TStyledPanel::BuildPicture(TDibSurface& large, int s, int captionHeight) {
  const int w = large.Width();
  const int h = large.Height();
  large.Pixels().Fill(outerColor_);
  const int penWidth = borderWidth_ * s - 1;
  const int half = penWidth / 2;
  int top = half;
  if (captionPosition_ == TCaptionPosition::cpGroupBox) top += captionHeight * s / 2;
  const int corner = cornerWidth_ * s;
  const HDC dc = large.DC();
  const PenHandle pen(CreatePen(PS_SOLID, penWidth, borderColor_));
  Selection selectPen(dc, pen.get());
  if (gradient_) {
    const RegionHandle region(CreateRoundRectRgn(half, top, w - half, h - half, corner, corner));
    const TPixelRegion inside = RegionPixels(region.get());
    GradientFill(large.Pixels(), {0, 0, w, h}, defaultFrom_, defaultTo_, gradientType_, &inside);
    Selection selectBrush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, half, top, w - half, h - half, corner, corner);
  } else {
    const BrushHandle brush(CreateSolidBrush(Color()));
    Selection selectBrush(dc, brush.get());
    RoundRect(dc, half, top, w - half, h - half, corner, corner);
  }
}

void TStyledPanel::RebuildPictures() {
  rendered_ = false;
  if (!Handle()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) {
    picture_ = {};
    return;
  }
  int s = antialiased_ ? kAntialiasScale : 1;
  TDibSurface large;
  if (!large.Resize(w * s, h * s) && s > 1) s = 1;  // too big to smooth: drawn unsmoothed
  picture_ = TPixelBuffer(w, h, Color());
  if (!large.Valid() && !large.Resize(w, h)) return;  // no memory: a plain panel
  BuildPicture(large, s, CaptionHeight());
  if (s == 1) {
    CopyPixels(picture_.View(), 0, 0, large.Pixels(), {0, 0, w, h});
  } else if (gradient_) {
    // The inside of a gradient is no plain colour, so all of it is reduced.
    ReduceBlocks(picture_.View(), large.Pixels(), s);
  } else {
    ReduceBand(picture_.View(), large.Pixels(), s, PanelSmoothBand(cornerWidth_), Color());
  }
}

void TStyledPanel::Render(TDibSurface& surface) {
  if (picture_.Width() != surface.Width() || picture_.Height() != surface.Height()) {
    RebuildPictures();
    rendered_ = false;
  }
  if (rendered_) return;
  rendered_ = true;
  const TPixelView px = surface.Pixels();
  CopyPixels(px, 0, 0, picture_.View(), picture_.View().Bounds());
  if (!ShowCaption()) return;
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  const TPanelCaption place = LayoutPanelCaption(surface.Width(), surface.Height(), cornerWidth_,
                                                 borderWidth_, captionPosition_);
  const HDC dc = surface.DC();
  TCaptionStyle style = CaptionStyle(FontColor(), textShadowColor_, Alignment(place));
  style.format &= ~static_cast<UINT>(DT_VCENTER);
  style.format |= Alignment(place);
  RECT r{place.rect.left, place.rect.top, place.rect.right, place.rect.bottom};
  if (captionPosition_ == TCaptionPosition::cpGroupBox) {
    // On the top border line, on a patch of the outer colour.
    const SIZE text = MeasureCaption(dc, caption, style.font, style.format);
    const int width = std::min<int>(text.cx + 2 * kGroupCaptionPad, place.rect.Width());
    r = RECT{place.rect.left, 0, place.rect.left + width, text.cy};
    const BrushHandle patch(CreateSolidBrush(outerColor_));
    FillRect(dc, &r, patch.get());
    InflateRect(&r, -kGroupCaptionPad, 0);
  }
  DrawCaption(dc, caption, r, style);
}

}  // namespace controls
