#include "writer/insert/TitleBand.h"

#include "platform/GdiHandles.h"

namespace writer {

void PaintTitleBand(HDC dc, HBRUSH band, HFONT font, RECT area, const wchar_t* caption) {
  FillRect(dc, &area, band);
  Selection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  area.left += 12;
  DrawTextW(dc, caption, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace writer
