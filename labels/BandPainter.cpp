#include "labels/BandPainter.h"

#include "platform/Error.h"
#include "platform/GdiHandles.h"

#include <cmath>

namespace {

// Nearest whole number, ties to the even neighbour.
int Rounded(double v) { return static_cast<int>(std::nearbyint(v)); }

BYTE Channel(BYTE from, BYTE to, int r, int e)
{
    if (e <= 0)
        return from;
    return static_cast<BYTE>(Rounded(from + (static_cast<double>(to) - from) * r / e));
}

}

std::vector<COLORREF> BandColors(const std::vector<COLORREF>& stops, int length)
{
    if (stops.size() < 2)
        throw EError("Please specify at least two colors.");
    const int sections = static_cast<int>(stops.size()) - 1;
    const int step = Rounded(static_cast<double>(length) / sections);
    std::vector<COLORREF> colors;
    colors.reserve(static_cast<std::size_t>(std::max(length, 0)));
    for (int i = 0; i < sections && static_cast<int>(colors.size()) < length; ++i) {
        const int start = i * step;
        const int size = i == sections - 1 ? length - start : std::min(step, length - start);
        const COLORREF a = stops[static_cast<std::size_t>(i)], b = stops[static_cast<std::size_t>(i) + 1];
        for (int r = 0; r < size; ++r)
            colors.push_back(RGB(Channel(GetRValue(a), GetRValue(b), r, size - 1),
                                 Channel(GetGValue(a), GetGValue(b), r, size - 1),
                                 Channel(GetBValue(a), GetBValue(b), r, size - 1)));
    }
    return colors;
}

void PaintBand(HDC dc, const RECT& rect, std::initializer_list<COLORREF> stops,
               BandDirection direction)
{
    const bool down = direction == BandDirection::TopToBottom;
    const int length = down ? rect.bottom - rect.top : rect.right - rect.left;
    const std::vector<COLORREF> colors = BandColors(stops, length);
    HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
    for (int i = 0; i < static_cast<int>(colors.size()); ++i) {
        PenHandle pen(CreatePen(PS_SOLID, 1, colors[static_cast<std::size_t>(i)]));
        SelectObject(dc, pen.get());
        if (down) {
            MoveToEx(dc, rect.left, rect.top + i, nullptr);
            LineTo(dc, rect.right, rect.top + i);
        } else {
            MoveToEx(dc, rect.left + i, rect.top, nullptr);
            LineTo(dc, rect.left + i, rect.bottom);
        }
        SelectObject(dc, oldPen);
    }
}
