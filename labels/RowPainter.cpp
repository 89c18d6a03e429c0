#include "labels/RowPainter.h"

#include "controls/DrawGradientBand.h"
#include "platform/Application.h"
#include "platform/GdiHandles.h"

void PaintSelectedBox(HDC dc, const RECT& rect) {
  const int saved = SaveDC(dc);
  RegionHandle clip(CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, 5, 5));
  ExtSelectClipRgn(dc, clip.get(), RGN_AND);
  controls::DrawGradientBand(dc, rect, {RGB(255, 245, 221), RGB(255, 245, 221), RGB(255, 210, 94)},
                             controls::TBandDirection::TopToBottom);
  RestoreDC(dc, saved);
  PenHandle outline(CreatePen(PS_SOLID, 1, RGB(197, 197, 197)));
  Selection pen(dc, outline.get());
  Selection brush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 5, 5);
}

void PaintRow(HDC dc, const RECT& rect, const std::wstring& text, bool selected, int inset,
              UINT ellipsis) {
  if (selected)
    PaintSelectedBox(dc, rect);
  else
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
  RECT textRect{rect.left + inset, rect.top + 2, rect.right - inset, rect.bottom};
  Selection font(dc, Application::Get().UiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_SINGLELINE | DT_NOPREFIX | ellipsis);
}

void PaintCheckMark(HDC dc, const RECT& rect, bool ticked, UINT kind) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
  const int size = 13;
  RECT box{rect.left + (rect.right - rect.left - size) / 2,
           rect.top + (rect.bottom - rect.top - size) / 2, 0, 0};
  box.right = box.left + size;
  box.bottom = box.top + size;
  DrawFrameControl(dc, &box, DFC_BUTTON, kind | DFCS_FLAT | (ticked ? DFCS_CHECKED : 0));
}
