#include "controls/StyledButton.h"

#include "controls/BitmapPixels.h"
#include "controls/ContentLayout.h"
#include "controls/GradientFill.h"
#include "controls/PixelBlend.h"
#include "controls/PixelTint.h"
#include "platform/GdiHandles.h"

namespace controls {
namespace {

constexpr TColor kDisabledGlyphTint = RGBColor(64, 64, 64);
constexpr int kCornerSize = 5;
constexpr int kPressedInset = 3;
constexpr int kFaceOffset = 1;

TPixelBuffer GradientPicture(int w, int h, TColor from, TColor to, TGradientType type) {
  TPixelBuffer p(w, h);
  GradientFill(p.View(), p.View().Bounds(), from, to, type);
  return p;
}

}  // namespace

TStyledButton::TStyledButton(HWND parent, int x, int y, int width, int height) {
  CreateControl(L"TStyledButton", parent, x, y, width, height,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
}

TStyledControl* TStyledButton::NewForWindow() { return new TStyledButton(TForWindow{}); }

void TStyledButton::SetGlyph(HBITMAP bitmap) {
  TPixelBuffer pixels = BitmapPixels(bitmap);
  const TColor transparent = pixels.Width() > 0 ? pixels.Pixel(0, pixels.Height() - 1) : 0;
  SetGlyph(std::move(pixels), transparent);
}

void TStyledButton::SetGlyph(TPixelBuffer pixels, TColor transparent) {
  glyph_ = std::move(pixels);
  glyphTransparent_ = transparent;
  Repaint();
}

void TStyledButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Repaint();
}

void TStyledButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Repaint();
}

void TStyledButton::SetColors(const TStyledControlColors& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  RebuildPictures();
  Repaint();
}

void TStyledButton::SetShowFocusRect(bool on) {
  showFocusRect_ = on;
  Repaint();
}

void TStyledButton::SetHotTrack(bool on) {
  hotTrack_ = on;
  Repaint();
}

void TStyledButton::SetGradientBorder(bool on) {
  gradientBorder_ = on;
  Repaint();
}

void TStyledButton::SetGradientType(TGradientType type) {
  if (type == gradientType_) return;
  gradientType_ = type;
  RebuildPictures();
  Repaint();
}

void TStyledButton::SetGroupIndex(int index) {
  groupIndex_ = index < 0 ? 0 : index;
  if (groupIndex_ == 0) ApplyDown(false);
}

template <class Visit>
void TStyledButton::ForEachOfGroup(Visit visit) const {
  if (groupIndex_ == 0 || !Handle()) return;
  const HWND parent = GetParent(Handle());
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    auto* other = dynamic_cast<TStyledButton*>(FromHandle(h));
    if (other && other != this && other->groupIndex_ == groupIndex_) visit(*other);
  }
}

bool TStyledButton::AnotherOfGroupDown() const {
  bool found = false;
  ForEachOfGroup([&](const TStyledButton& b) { found = found || b.down_; });
  return found;
}

void TStyledButton::SetDown(bool down) {
  if (down == down_ || groupIndex_ == 0) return;
  if (!down && !(allowAllUp_ || AnotherOfGroupDown())) return;
  ApplyDown(down);
}

void TStyledButton::ApplyDown(bool down) {
  if (down == down_) return;
  down_ = down;
  if (down) {
    ForEachOfGroup([](TStyledButton& b) { b.ApplyDown(false); });
    Fade().ShowHoverLook();
  } else if (!Hovered()) {
    Fade().MouseLeave();
  }
  StartFade();
  Repaint();
}

void TStyledButton::ClickAction() {
  if (groupIndex_ > 0) ApplyDown(DownAfterGroupClick(down_, allowAllUp_, AnotherOfGroupDown()));
  if (modalResult_ != mrNone) {
    const HWND self = Handle();
    auto alive = AliveToken();
    SendMessageW(GetAncestor(self, GA_ROOT), ModalResultMessage(),
                 static_cast<WPARAM>(modalResult_), reinterpret_cast<LPARAM>(self));
    if (alive.expired() || !Handle()) return;
  }
  Click();
}

LRESULT TStyledButton::DialogCode(const MSG* msg) {
  LRESULT code = DLGC_BUTTON | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
  // Enter on the focused button is its own, so the click runs here and not only in the window.
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

LRESULT TStyledButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wp == VK_RETURN) {
        ClickAction();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == L'\r' || wp == L' ') return 0;  // consumed as key presses, no beep
      break;
    case BM_SETSTYLE:
      return 0;  // the dialog manager moves the default look between buttons; ours is fixed
    default: break;
  }
  return TStyledControl::HandleMessage(msg, wp, lp);
}

void TStyledButton::RebuildPictures() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = client.right;
  const int h = client.bottom;
  defaultPicture_ = GradientPicture(w, h, colors_.DefaultFrom, colors_.DefaultTo, gradientType_);
  overPicture_ = GradientPicture(w, h, colors_.OverFrom, colors_.OverTo, gradientType_);
  pressedPicture_ = GradientPicture(w, h, colors_.ClickedFrom, colors_.ClickedTo, gradientType_);
}

void TStyledButton::Render(TDibSurface& surface) {
  if (defaultPicture_.Width() != surface.Width() || defaultPicture_.Height() != surface.Height())
    RebuildPictures();
  const TPixelView px = surface.Pixels();
  const TPixelRect all = px.Bounds();
  Compose(px, all, defaultPicture_.View(), overPicture_.View(), OverLevel(), kFaceOffset);
  if (ClickLevel() > 0) {
    const TPixelRect face = gradientBorder_ ? all.Inset(kPressedInset) : all;
    Compose(px, face, px, pressedPicture_.View(), ClickLevel(), kFaceOffset);
  }
  const HDC dc = surface.DC();
  RECT whole{0, 0, surface.Width(), surface.Height()};
  {
    const BrushHandle frame(CreateSolidBrush(Color()));
    FrameRect(dc, &whole, frame.get());
  }
  {
    const PenHandle pen(CreatePen(PS_SOLID, 1, colors_.BorderColor));
    Selection selectPen(dc, pen.get());
    Selection selectBrush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 0, 0, whole.right, whole.bottom, kCornerSize, kCornerSize);
  }
  RenderContent(surface);
  if (showFocusRect_ && ShowsFocus()) {
    RECT focus = whole;
    InflateRect(&focus, -2, -2);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void TStyledButton::RenderContent(TDibSurface& surface) {
  const HDC dc = surface.DC();
  const std::wstring caption = ShowCaption() ? Caption() : std::wstring();
  const TCaptionStyle style = CaptionStyle(hotTrack_ && Hovered() ? colors_.HotTrack : FontColor(),
                                           colors_.TextShadow, DT_CENTER);
  const SIZE text = MeasureCaption(dc, caption, style.font, style.format);
  const TPixelRect client{0, 0, surface.Width(), surface.Height()};
  const TButtonContent content =
      LayoutButtonContent(client, {text.cx, text.cy}, {glyph_.Width(), glyph_.Height()}, spacing_,
                          layout_, !caption.empty());
  // The pressed face moves one pixel right and down, and its caption and glyph with it.
  const int shift = ClickLevel() > 0 ? kFaceOffset : 0;
  const TPixelRect r = content.captionRect.Offset(shift, shift);
  DrawCaption(dc, caption, RECT{r.left, r.top, r.right, r.bottom}, style);
  if (!HasGlyph()) return;
  const int gx = content.glyphX + shift;
  const int gy = content.glyphY + shift;
  if (Enabled()) {
    DrawTransparent(surface.Pixels(), gx, gy, glyph_.View(), glyphTransparent_);
    return;
  }
  TPixelBuffer tinted = glyph_;
  Tint(tinted.View(), kDisabledGlyphTint);
  // The transparent pixels are those of the untinted glyph.
  const TPixelView px = surface.Pixels();
  for (int y = 0; y < glyph_.Height(); ++y)
    for (int x = 0; x < glyph_.Width(); ++x) {
      const int tx = gx + x;
      const int ty = gy + y;
      if (glyph_.Pixel(x, y) != glyphTransparent_ && px.Bounds().Contains(tx, ty))
        px.SetPixel(tx, ty, tinted.Pixel(x, y));
    }
}

}  // namespace controls
