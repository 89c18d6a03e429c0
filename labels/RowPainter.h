#pragma once
// How the label program's owner-drawn rows look: a selected row is a rounded box with a
// warm gradient and a grey outline, an unselected row the list's background; the text is
// one line with a path ellipsis.
#include <windows.h>

#include <string>

inline constexpr int kRowHeight = 21;

// The rounded gradient box of a selected row (also a highlighted menu item).
void PaintSelectedBox(HDC dc, const RECT& rect);
// The whole row: background or box, then the text inset 2 pixels at the top and `inset` at
// the left and the right, in the UI font, black, cut with the given ellipsis.
void PaintRow(HDC dc, const RECT& rect, const std::wstring& text, bool selected, int inset = 10,
              UINT ellipsis = DT_PATH_ELLIPSIS);
// A check box (or, with DFCS_BUTTONRADIO, a radio mark) centred in rect.
void PaintCheckMark(HDC dc, const RECT& rect, bool ticked, UINT kind = DFCS_BUTTONCHECK);
