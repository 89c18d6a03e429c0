#include "controls/CaptionPainter.h"

#include "platform/GdiHandles.h"

namespace controls {
namespace {

void DrawAt(HDC dc, std::wstring_view text, RECT rect, int shift, COLORREF color, UINT format) {
  OffsetRect(&rect, shift, shift);
  SetTextColor(dc, color);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

}  // namespace

void DrawCaption(HDC dc, std::wstring_view text, RECT rect, const TCaptionStyle& style) {
  if (text.empty()) return;
  Selection font(dc, style.font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(dc);
  if (!style.enabled) {
    DrawAt(dc, text, rect, 1, GetSysColor(COLOR_BTNHIGHLIGHT), style.format);
    DrawAt(dc, text, rect, 0, GetSysColor(COLOR_BTNSHADOW), style.format);
  } else {
    if (style.shadow) DrawAt(dc, text, rect, 1, style.shadowColor, style.format);
    DrawAt(dc, text, rect, 0, style.color, style.format);
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

SIZE MeasureCaption(HDC dc, std::wstring_view text, HFONT font, UINT format) {
  Selection select(dc, font);
  RECT r{0, 0, 0, 0};
  if (text.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return {0, tm.tmHeight};
  }
  const UINT calc = (format & (DT_NOPREFIX | DT_HIDEPREFIX)) | DT_SINGLELINE | DT_CALCRECT;
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, calc);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace controls
