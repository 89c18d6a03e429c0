// Painting, scrolling, the caret and hit testing of the rich-edit window.
#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/GdiHandles.h"
#include "richedit/EditControl.h"
#include "richedit/GdiLineRenderer.h"

namespace richedit {
namespace {

// With the selection bar option the text starts this much further right, leaving room for
// clicks that select whole lines.
constexpr int kSelectionBarWidth = 8;

// Where a scroll bar's message asks to go, or nothing for a code that does not move.
std::optional<int> scrollBarTarget(HWND window, int bar, WORD code, int position, int page,
                                   int line) {
  switch (code) {
    case SB_LINEUP: return position - line;
    case SB_LINEDOWN: return position + line;
    case SB_PAGEUP: return position - page;
    case SB_PAGEDOWN: return position + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return INT_MAX;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(window, bar, &si)) return si.nTrackPos;
      return std::nullopt;
    }
    default: return std::nullopt;
  }
}

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
  if (setRect_) return *setRect_;
  RECT rc{};
  GetClientRect(window_, &rc);
  const int bar = (style() & ES_SELECTIONBAR) ? kSelectionBarWidth : 0;
  rc.left = std::min<LONG>(rc.left + leftMargin_ + bar, rc.right);
  rc.right = std::max<LONG>(rc.right - rightMargin_, rc.left);
  return rc;
}

std::optional<LRESULT> EditControl::rectMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_GETRECT:
      if (auto* r = reinterpret_cast<RECT*>(lParam)) *r = formatRect();
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP: {
      const auto* r = reinterpret_cast<const RECT*>(lParam);
      if (!r) {
        setRect_.reset();
      } else if (wParam == 1) {  // increments to the current rectangle
        const RECT now = formatRect();
        setRect_ = RECT{now.left + r->left, now.top + r->top, now.right + r->right,
                        now.bottom + r->bottom};
      } else {
        setRect_ = *r;
      }
      relayout(message == EM_SETRECT);
      return 0;
    }
    case EM_SETMARGINS:
      // The platform's rich edit takes "use the font" as narrow margins.
      if (wParam == EC_USEFONTINFO) {
        leftMargin_ = rightMargin_ = 1;
      } else {
        if (wParam & EC_LEFTMARGIN) leftMargin_ = LOWORD(lParam);
        if (wParam & EC_RIGHTMARGIN) rightMargin_ = HIWORD(lParam);
      }
      relayout();
      return 0;
    default: return std::nullopt;
  }
}

int EditControl::pageHeight() const {
  const RECT rc = formatRect();
  return static_cast<int>(toTwipsY(rc.bottom - rc.top));
}

std::int64_t EditControl::documentHeight() { return toPixelsY(layout_.height()); }

void EditControl::invalidate() {
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
}

void EditControl::invalidateRows(int top, int bottom) {
  if (!redraw_) return;
  RECT rc{};
  GetClientRect(window_, &rc);
  rc.top = std::max<LONG>(rc.top, top);
  rc.bottom = std::min<LONG>(rc.bottom, bottom);
  if (rc.top < rc.bottom) InvalidateRect(window_, &rc, FALSE);
}

void EditControl::invalidateRange(CharRange range) {
  if (!redraw_) return;
  const CharPos end = session_.document().textLength();
  const CharPos first = std::clamp(range.min, 0, end);
  const CharPos last = std::clamp(std::max(range.max - 1, range.min), 0, end);
  const DocumentLine a = layout_.line(layout_.lineFromChar(first));
  const DocumentLine b = layout_.line(layout_.lineFromChar(last));
  const int top = formatRect().top - scrollY_;
  invalidateRows(top + toPixelsY(a.top), top + toPixelsY(b.top + b.box.height));
}

void EditControl::invalidateChange() {
  if (!dirty_) return;
  if (!redraw_) {
    // Everything is painted again when redrawing resumes.
    dirty_.reset();
    formatDirty_ = false;
    return;
  }
  const CharRange changed = *std::exchange(dirty_, std::nullopt);
  const std::int64_t height = documentHeight();
  // Lines below move when the height changed; a format may renumber the paragraphs below.
  const bool below = height != drawnHeight_ || formatDirty_;
  drawnHeight_ = height;
  formatDirty_ = false;
  const CharPos end = session_.document().textLength();
  const int first = layout_.line(layout_.lineFromChar(std::clamp(changed.min, 0, end))).paragraph;
  const int last = layout_.line(layout_.lineFromChar(std::clamp(changed.max, 0, end))).paragraph;
  const int top = formatRect().top - scrollY_;
  const int bottom =
      below ? INT_MAX
            : top + toPixelsY(layout_.paragraphTop(last) + layout_.paragraph(last).height);
  invalidateRows(top + toPixelsY(layout_.paragraphTop(first)), bottom);
}

void EditControl::invalidateSelectionChange(CharRange before, CharRange after) {
  if (before == after || (before.empty() && after.empty())) return;
  // Only the characters that went in or out of the selection change colour.
  for (const auto& [a, b] : {std::pair{before.min, after.min}, std::pair{before.max, after.max}}) {
    if (a != b) invalidateRange({std::min(a, b), std::max(a, b)});
  }
}

void EditControl::relayout(bool repaint) {
  const RECT rc = formatRect();
  const LayoutOptions options = formatter_.settings().windowLayout(toTwipsX(rc.right - rc.left));
  if (!(options == layout_.options())) layout_.setOptions(options);
  scrollTo(scrollY_);
  scrollToX(scrollX_);
  updateScrollBar();
  updateCaret();
  drawnHeight_ = documentHeight();
  if (repaint) invalidate();
}

int EditControl::contentWidth() {
  const RECT rc = formatRect();
  const LayoutOptions& options = layout_.options();
  // Lines wrapped to the window never need scrolling sideways.
  if (options.wrap && options.width <= toTwipsX(rc.right - rc.left)) return rc.right - rc.left;
  std::int64_t widest = options.wrap ? options.width : 0;
  if (!options.wrap) {
    for (int i = 0, n = layout_.lineCount(); i < n; ++i) {
      const LineBox& box = layout_.line(i).box;
      widest = std::max<std::int64_t>(widest, std::int64_t{box.left} + box.shift + box.width);
    }
  }
  return toPixelsX(widest) + GetSystemMetrics(SM_CXBORDER);  // room for the caret at the end
}

void EditControl::updateScrollBar() {
  if (!redraw_ || !(hasScrollBar_ || hasHScrollBar_) || updatingScrollBar_) return;
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
  // Setting a bar redraws it even when nothing changed, which costs more than typing a
  // character: a bar is set only when its range, page or position moved.
  const auto set = [&](int bar, SCROLLINFO& last) {
    if (last.nMax == si.nMax && last.nPage == si.nPage && last.nPos == si.nPos &&
        last.fMask == si.fMask) {
      return;
    }
    SetScrollInfo(window_, bar, &si, TRUE);
    last = si;
  };
  if (hasScrollBar_) set(SB_VERT, shownVScroll_);
  if (hasHScrollBar_) {
    si.nMax = std::max(contentWidth() - 1, 0);
    si.nPage = static_cast<UINT>(rc.right - rc.left);
    si.nPos = scrollX_;
    set(SB_HORZ, shownHScroll_);
  }
  updatingScrollBar_ = false;
}

void EditControl::scrollTo(int y) {
  const RECT rc = formatRect();
  const auto bottom = std::max<std::int64_t>(documentHeight() - (rc.bottom - rc.top), 0);
  y = static_cast<int>(std::clamp<std::int64_t>(y, 0, bottom));
  if (y == scrollY_) return;
  const int dy = scrollY_ - y;
  scrollY_ = y;
  updateScrollBar();
  scrollBy(0, dy);
  updateCaret();
}

void EditControl::scrollToX(int x) {
  const RECT rc = formatRect();
  x = std::clamp(x, 0, std::max<int>(contentWidth() - (rc.right - rc.left), 0));
  if (x == scrollX_) return;
  const int dx = scrollX_ - x;
  scrollX_ = x;
  updateScrollBar();
  scrollBy(dx, 0);
  updateCaret();
}

void EditControl::scrollBy(int dx, int dy) {
  if (!redraw_) return;
  // The text moves on screen; only the band it uncovers is painted.
  const RECT rc = formatRect();
  if (caretShown_) HideCaret(window_);  // not to be copied along with the text
  ScrollWindowEx(window_, dx, dy, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
  if (caretShown_) ShowCaret(window_);
}

void EditControl::onHScroll(WORD code) {
  const RECT rc = formatRect();
  const int page = std::max<int>(rc.right - rc.left, 1);
  const int line = std::max(page / 10, 1);
  if (const std::optional<int> x = scrollBarTarget(window_, SB_HORZ, code, scrollX_, page, line)) {
    scrollToX(*x);
  }
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
  if (code == SB_LINEUP || code == SB_LINEDOWN) return scrollLines(code == SB_LINEUP ? -1 : 1);
  const RECT rc = formatRect();
  const int page = std::max<int>(rc.bottom - rc.top, 1);
  if (const std::optional<int> y = scrollBarTarget(window_, SB_VERT, code, scrollY_, page, 0)) {
    scrollTo(*y);
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
  // Sideways the view jumps a third of its width, so that typing does not scroll every key.
  const int x = toPixelsX(layout_.caretPoint(active_).x);
  const int width = rc.right - rc.left;
  if (x < scrollX_) {
    scrollToX(x - width / 3);
  } else if (x >= scrollX_ + width) {
    scrollToX(x - width + width / 3);
  }
}

POINT EditControl::positionOf(CharPos pos) {
  const RECT rc = formatRect();
  const DocumentLayout::Point p = layout_.caretPoint(pos);
  return {rc.left + toPixelsX(p.x) - scrollX_, rc.top + toPixelsY(p.y) - scrollY_};
}

CharPos EditControl::charAt(POINT client) {
  const RECT rc = formatRect();
  const std::int64_t y = std::max<std::int64_t>(toTwipsY(client.y - rc.top + scrollY_), 0);
  return layout_.charFromPoint(toTwipsX(client.x - rc.left + scrollX_), y);
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

void EditControl::drawParagraphMarks(HDC dc, int first, int last) {
  if (selectionHidden_ || !(focused_ || (style() & ES_NOHIDESEL))) return;
  const CharRange sel = session_.selection();
  const RichTextDocument& doc = session_.document();
  const RECT rc = formatRect();
  const BrushHandle brush(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
  last = std::min(last, layout_.lineCount());
  for (int i = std::max(first, 0); i < last; ++i) {
    const DocumentLine l = layout_.line(i);
    const CharPos mark = l.end() - 1;
    if (!l.box.has(lineflag::EndsParagraph) || mark < sel.min || mark >= sel.max) continue;
    // A selected paragraph end shows as a selected space.
    std::int32_t space = 0;
    measurer_.measure(doc.charFormatAt(mark), u" ", {&space, 1});
    const int x = rc.left - scrollX_ + toPixelsX(layout_.caretPoint(mark).x);
    const int top = rc.top - scrollY_ + toPixelsY(l.top);
    const RECT box{x, top, x + std::max(toPixelsX(space), 1),
                   rc.top - scrollY_ + toPixelsY(l.top + l.box.height)};
    FillRect(dc, &box, brush.get());
  }
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
    GdiLineRenderer renderer(memory.get(),
                             {pixelsPerTwipX(), pixelsPerTwipY(), {rc.left - scrollX_, rc.top}},
                             &bitmaps_);
    if (!selectionHidden_ && (focused_ || (style() & ES_NOHIDESEL))) {
      renderer.setSelection(session_.selection(), GetSysColor(COLOR_HIGHLIGHT),
                            GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    renderer.setExtraLinks(urls_.ranges());
    const int first = layout_.lineAtY(toTwipsY(std::max<int>(area.top - rc.top, 0) + scrollY_));
    const int last = layout_.lineAtY(toTwipsY(area.bottom - rc.top + scrollY_)) + 1;
    renderer.drawLines(layout_, session_.document(), first, last, toTwipsY(scrollY_));
    drawParagraphMarks(memory.get(), first, last);
  }
  BitBlt(scope.dc(), area.left, area.top, width, height, memory.get(), area.left, area.top,
         SRCCOPY);
}

}  // namespace richedit
