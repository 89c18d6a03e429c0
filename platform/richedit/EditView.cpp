// Painting, scrolling, the caret and hit testing of the rich-edit window.
#include <algorithm>
#include <cmath>

#include "platform/GdiHandles.h"
#include "platform/richedit/EditControl.h"
#include "platform/richedit/GdiLineRenderer.h"

namespace richedit {
namespace {

// The platform's control keeps text a pixel off the client's left and right edges.
constexpr int kInset = 1;

// Ends the paint whatever happens while drawing.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~PaintScope() { EndPaint(window_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

}  // namespace

double EditControl::zoom() const {
  return zoomDenominator_ > 0 ? static_cast<double>(zoomNumerator_) / zoomDenominator_ : 1.0;
}
double EditControl::pixelsPerTwipX() const { return dpiX_ * zoom() / 1440.0; }
double EditControl::pixelsPerTwipY() const { return dpiY_ * zoom() / 1440.0; }

int EditControl::toPixelsX(std::int64_t twips) const {
  return static_cast<int>(std::llround(static_cast<double>(twips) * pixelsPerTwipX()));
}
int EditControl::toPixelsY(std::int64_t twips) const {
  return static_cast<int>(std::llround(static_cast<double>(twips) * pixelsPerTwipY()));
}
std::int32_t EditControl::toTwipsX(int pixels) const {
  return static_cast<std::int32_t>(std::lround(pixels / pixelsPerTwipX()));
}
std::int64_t EditControl::toTwipsY(int pixels) const {
  return std::llround(pixels / pixelsPerTwipY());
}

bool EditControl::setZoom(int numerator, int denominator) {
  if (numerator != 0 || denominator != 0) {
    // The platform's control takes ratios strictly between 1/64 and 64.
    if (numerator <= 0 || denominator <= 0) return false;
    const double ratio = static_cast<double>(numerator) / denominator;
    if (ratio <= 1.0 / 64 || ratio >= 64) return false;
  }
  const int top = firstVisibleLine();
  zoomNumerator_ = numerator;
  zoomDenominator_ = denominator;
  relayout();
  scrollTo(toPixelsY(layout_.line(top).top));
  return true;
}

RECT EditControl::formatRect() const {
  RECT rc{};
  GetClientRect(window_, &rc);
  rc.left = std::min(rc.left + kInset, rc.right);
  rc.right = std::max(rc.right - kInset, rc.left);
  return rc;
}

int EditControl::pageHeight() const {
  const RECT rc = formatRect();
  return static_cast<int>(toTwipsY(rc.bottom - rc.top));
}

std::int64_t EditControl::documentHeight() { return toPixelsY(layout_.height()); }

void EditControl::invalidate() {
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
}

void EditControl::relayout() {
  const RECT rc = formatRect();
  const LayoutOptions options = formatter_.settings().windowLayout(toTwipsX(rc.right - rc.left));
  if (!(options == layout_.options())) layout_.setOptions(options);
  scrollTo(scrollY_);
  updateScrollBar();
  updateCaret();
  invalidate();
}

void EditControl::updateScrollBar() {
  if (!redraw_ || !hasScrollBar_ || updatingScrollBar_) return;
  // Showing or hiding the bar resizes the client area, which lays out again and comes back.
  updatingScrollBar_ = true;
  const RECT rc = formatRect();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (style() & ES_DISABLENOSCROLL) si.fMask |= SIF_DISABLENOSCROLL;
  si.nMax = static_cast<int>(std::max<std::int64_t>(documentHeight() - 1, 0));
  si.nPage = static_cast<UINT>(rc.bottom - rc.top);
  si.nPos = scrollY_;
  SetScrollInfo(window_, SB_VERT, &si, TRUE);
  updatingScrollBar_ = false;
}

void EditControl::scrollTo(int y) {
  const RECT rc = formatRect();
  const auto bottom = std::max<std::int64_t>(documentHeight() - (rc.bottom - rc.top), 0);
  y = static_cast<int>(std::clamp<std::int64_t>(y, 0, bottom));
  if (y == scrollY_) return;
  scrollY_ = y;
  updateScrollBar();
  updateCaret();
  invalidate();
}

int EditControl::firstVisibleLine() {
  // Half a pixel down, so that a line whose top rounds to the scroll position counts.
  return layout_.lineAtY(toTwipsY(scrollY_) + std::llround(0.5 / pixelsPerTwipY()));
}

void EditControl::scrollLines(int lines) {
  const int target = std::clamp(firstVisibleLine() + lines, 0, layout_.lineCount() - 1);
  scrollTo(toPixelsY(layout_.line(target).top));
}

void EditControl::onVScroll(WORD code) {
  const RECT rc = formatRect();
  const int page = std::max<int>(rc.bottom - rc.top, 1);
  switch (code) {
    case SB_LINEUP: scrollLines(-1); break;
    case SB_LINEDOWN: scrollLines(1); break;
    case SB_PAGEUP: scrollTo(scrollY_ - page); break;
    case SB_PAGEDOWN: scrollTo(scrollY_ + page); break;
    case SB_TOP: scrollTo(0); break;
    case SB_BOTTOM: scrollTo(INT_MAX); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(window_, SB_VERT, &si)) scrollTo(si.nTrackPos);
      break;
    }
    default: break;
  }
}

void EditControl::onWheel(int delta) {
  UINT perNotch = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
  if (perNotch == WHEEL_PAGESCROLL) {
    onVScroll(delta > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    return;
  }
  int lines = -delta * static_cast<int>(perNotch) / WHEEL_DELTA;
  if (lines == 0 && delta != 0) lines = delta > 0 ? -1 : 1;
  scrollLines(lines);
}

void EditControl::scrollToCaret() {
  const DocumentLine l = layout_.line(layout_.lineFromChar(active_));
  const int top = toPixelsY(l.top);
  const int bottom = toPixelsY(l.top + l.box.height);
  const RECT rc = formatRect();
  const int page = rc.bottom - rc.top;
  if (top < scrollY_) {
    scrollTo(top);
  } else if (bottom > scrollY_ + page) {
    scrollTo(std::min(top, bottom - page));
  }
}

POINT EditControl::positionOf(CharPos pos) {
  const RECT rc = formatRect();
  const DocumentLayout::Point p = layout_.caretPoint(pos);
  return {rc.left + toPixelsX(p.x), rc.top + toPixelsY(p.y) - scrollY_};
}

CharPos EditControl::charAt(POINT client) {
  const RECT rc = formatRect();
  const std::int64_t y = std::max<std::int64_t>(toTwipsY(client.y - rc.top + scrollY_), 0);
  return layout_.charFromPoint(toTwipsX(client.x - rc.left), y);
}

void EditControl::updateCaret() {
  if (!focused_) {
    if (caretHeight_ > 0) DestroyCaret();
    caretHeight_ = 0;
    caretShown_ = false;
    return;
  }
  if (!session_.selection().empty()) {
    if (caretShown_) HideCaret(window_);
    caretShown_ = false;
    return;
  }
  const DocumentLine l = layout_.line(layout_.lineFromChar(active_));
  const int height = std::max(toPixelsY(l.top + l.box.height) - toPixelsY(l.top), 1);
  if (height != caretHeight_) {
    CreateCaret(window_, nullptr, GetSystemMetrics(SM_CXBORDER), height);
    caretHeight_ = height;
    caretShown_ = false;
  }
  const POINT p = positionOf(active_);
  SetCaretPos(p.x, p.y);
  if (!caretShown_) ShowCaret(window_);
  caretShown_ = true;
}

void EditControl::paint() {
  const PaintScope scope(window_);
  const RECT& area = scope.area();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Drawn off screen and copied in one go, so that typing does not flicker.
  const MemoryDC memory(scope.dc());
  const BitmapHandle bitmap(CreateCompatibleBitmap(scope.dc(), width, height));
  const Selection selected(memory.get(), bitmap.get());
  SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
  const BrushHandle brush(
      CreateSolidBrush(systemBackground_ ? GetSysColor(COLOR_WINDOW) : background_));
  FillRect(memory.get(), &area, brush.get());
  const RECT rc = formatRect();
  IntersectClipRect(memory.get(), rc.left, rc.top, rc.right, rc.bottom);
  {
    GdiLineRenderer renderer(memory.get(), {pixelsPerTwipX(), pixelsPerTwipY(), {rc.left, rc.top}},
                             &bitmaps_);
    if (!selectionHidden_ && (focused_ || (style() & ES_NOHIDESEL))) {
      renderer.setSelection(session_.selection(), GetSysColor(COLOR_HIGHLIGHT),
                            GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    const int first = layout_.lineAtY(toTwipsY(std::max<int>(area.top - rc.top, 0) + scrollY_));
    const int last = layout_.lineAtY(toTwipsY(area.bottom - rc.top + scrollY_)) + 1;
    renderer.drawLines(layout_, session_.document(), first, last, toTwipsY(scrollY_));
  }
  BitBlt(scope.dc(), area.left, area.top, width, height, memory.get(), area.left, area.top,
         SRCCOPY);
}

}  // namespace richedit
