#pragma once
// The insert tools' windows are headed by a coloured band with a white caption, by which the
// user drags them.
#include <windows.h>

namespace writer {

void PaintTitleBand(HDC dc, HBRUSH band, HFONT font, RECT area, const wchar_t* caption);

}  // namespace writer
