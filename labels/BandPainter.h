#pragma once
// The gradient band the owner-drawn lists, menus and title bands are painted with: n + 1
// colour stops over a rectangle, cut into n sections of length / n pixels (rounded, the last
// taking the rest), one solid one-pixel line per step.
#include <windows.h>

#include <initializer_list>
#include <vector>

enum class BandDirection { TopToBottom, LeftToRight };

// The colour of each line of a band of the given length. Fewer than two stops is an error
// ("Please specify at least two colors.").
std::vector<COLORREF> BandColors(const std::vector<COLORREF>& stops, int length);

// Draws the band into rect with one-pixel pens; the DC's pen is restored afterwards.
void PaintBand(HDC dc, const RECT& rect, std::initializer_list<COLORREF> stops,
               BandDirection direction);
