#pragma once
#include <windows.h>

#include <string_view>

#include "controls/Color.h"

namespace controls {

struct TCaptionStyle {
  HFONT font = nullptr;
  TColor color = 0;
  TColor shadowColor = kWhite;
  bool shadow = true;
  bool enabled = true;
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
};

// Draws a caption transparently with DrawText: enabled, optionally over a shadow one pixel
// right and down; disabled, embossed in the platform's highlight and shadow colours.
void DrawCaption(HDC dc, std::wstring_view text, RECT rect, const TCaptionStyle& style);

// Size of the caption's text on one line in the given font.
SIZE MeasureCaption(HDC dc, std::wstring_view text, HFONT font, UINT format);

}  // namespace controls
