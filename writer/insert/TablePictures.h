#pragma once
// The table builder's pictures: the visible cells of its grid as a bitmap, that bitmap as a
// ".bmp" or ".jpg" file's bytes, a metafile's ".emf" bytes, and the bitmap on the clipboard.
#include <windows.h>

#include <string>

#include "platform/GdiHandles.h"

class TextGrid;

namespace writer {

// The grid's visible cell area as the screen paints it, with its left edge line in black
// when the header column shows (silver when not) and its top edge line likewise for the
// header row.
BitmapHandle VisibleGridBitmap(const TextGrid& grid, bool rowHeader, bool columnHeader);

// A 24-bit bottom-up ".bmp" file of the bitmap.
std::string BmpFileBytes(HBITMAP bitmap);
// A baseline JPEG file of the bitmap at the quality (1 to 100).
std::string JpegFileBytes(HBITMAP bitmap, int quality);
std::string EmfFileBytes(HENHMETAFILE metafile);

// Puts a device-independent copy of the bitmap on the clipboard in place of what it held.
void PutBitmapOnClipboard(HWND owner, HBITMAP bitmap);
// Puts the metafile on the clipboard in place of what it held; the clipboard owns it then.
void PutTableMetafileOnClipboard(HWND owner, HENHMETAFILE metafile);

}  // namespace writer
