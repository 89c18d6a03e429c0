#include "richedit/FormatRangeMessage.h"

#include "richedit/GdiLineRenderer.h"

namespace richedit {

void FormatRangeHandler::draw(HDC dc, POINT origin) {
  if (!dc || last_.lines <= 0 || !formatter_.layout()) return;
  const DeviceScale scale{GetDeviceCaps(dc, LOGPIXELSX) / 1440.0,
                          GetDeviceCaps(dc, LOGPIXELSY) / 1440.0, origin};
  GdiLineRenderer renderer(dc, scale, &bitmaps_);
  renderer.drawLines(*formatter_.layout(), document_, last_.firstLine,
                     last_.firstLine + last_.lines, last_.layoutTop);
}

LRESULT FormatRangeHandler::formatRange(WPARAM render, FORMATRANGE* record) {
  if (!record) {
    formatter_.release();
    formatted_ = false;
    return 0;
  }
  const TwipsRect area{record->rc.left, record->rc.top, record->rc.right, record->rc.bottom};
  last_ = formatter_.format(area, {record->chrg.cpMin, record->chrg.cpMax}, settings_.justifies());
  device_ = record->hdc;
  formatted_ = true;
  if (render && record->hdc) {
    draw(record->hdc, {MulDiv(record->rc.left, GetDeviceCaps(record->hdc, LOGPIXELSX), 1440),
                       MulDiv(record->rc.top, GetDeviceCaps(record->hdc, LOGPIXELSY), 1440)});
  }
  record->rc.bottom = last_.usedBottom;
  return last_.next;
}

LRESULT FormatRangeHandler::displayBand(const RECT* area) {
  if (!area || !formatted_) return FALSE;
  draw(device_, {area->left, area->top});
  return TRUE;
}

std::optional<LRESULT> FormatRangeHandler::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_FORMATRANGE: return formatRange(wParam, reinterpret_cast<FORMATRANGE*>(lParam));
    case EM_DISPLAYBAND: return displayBand(reinterpret_cast<const RECT*>(lParam));
    case EM_SETTARGETDEVICE: settings_.setTargetDevice(wParam != 0, lParam); return TRUE;
    case EM_SETTYPOGRAPHYOPTIONS:
      return settings_.setTypography(static_cast<std::uint32_t>(wParam),
                                     static_cast<std::uint32_t>(lParam));
    case EM_GETTYPOGRAPHYOPTIONS: return settings_.typography();
    default: return std::nullopt;
  }
}

}  // namespace richedit
