#pragma once
// The drawing kit of the word processor's own pictures (toolbar, menus, side panel, history):
// GDI shapes on a 32 x 32 design grid, drawn four times larger and reduced, so every size is
// smooth and all pictures share one set of colours and line weights.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

#include "controls/PixelBuffer.h"
#include "platform/GdiHandles.h"

namespace writer {
namespace sketch {

using controls::RGBColor;
using controls::TColor;

constexpr TColor kInk = RGBColor(51, 65, 78);
constexpr TColor kPaper = RGBColor(255, 255, 255);
constexpr TColor kBlue = RGBColor(47, 116, 192);
constexpr TColor kPale = RGBColor(196, 219, 243);
constexpr TColor kLines = RGBColor(120, 156, 200);
constexpr TColor kGreen = RGBColor(52, 150, 72);
constexpr TColor kRed = RGBColor(212, 64, 52);
constexpr TColor kGold = RGBColor(244, 192, 78);
constexpr TColor kAmber = RGBColor(205, 140, 30);
constexpr TColor kBrown = RGBColor(170, 110, 60);
constexpr TColor kGrey = RGBColor(110, 122, 136);
constexpr TColor kNone = 0xFFFFFFFF;

struct P {
  double x, y;
};

// GDI drawing in grid units on the oversampled surface.
class Sketch {
 public:
  Sketch(HDC dc, double unit) : dc_(dc), unit_(unit) { SetBkMode(dc, TRANSPARENT); }

  int At(double v) const { return static_cast<int>(std::lround(v * unit_)); }
  POINT Pt(P p) const { return {At(p.x), At(p.y)}; }

  void Lines(std::initializer_list<P> points, TColor color, double width) {
    std::vector<POINT> pts;
    for (P p : points) pts.push_back(Pt(p));
    PenHandle pen = MakePen(color, width);
    Selection s(dc_, pen.get());
    Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
  }
  void Shape(std::initializer_list<P> points, TColor fill, TColor edge, double width = 1.5) {
    std::vector<POINT> pts;
    for (P p : points) pts.push_back(Pt(p));
    Styled(fill, edge, width, [&] { Polygon(dc_, pts.data(), static_cast<int>(pts.size())); });
  }
  void Box(double l, double t, double r, double b, TColor fill, TColor edge, double width = 1.5,
           double round = 0) {
    Styled(fill, edge, width, [&] {
      if (round > 0)
        RoundRect(dc_, At(l), At(t), At(r), At(b), At(round), At(round));
      else
        Rectangle(dc_, At(l), At(t), At(r), At(b));
    });
  }
  void Circle(double cx, double cy, double r, TColor fill, TColor edge, double width = 1.5) {
    Styled(fill, edge, width,
           [&] { Ellipse(dc_, At(cx - r), At(cy - r), At(cx + r), At(cy + r)); });
  }
  // An arc of the circle from angle a0 to a1 in degrees, counter-clockwise, 0 pointing right.
  void ArcLine(double cx, double cy, double r, double a0, double a1, TColor color, double width) {
    std::vector<POINT> pts;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
      const double a = (a0 + (a1 - a0) * i / steps) * 3.14159265358979 / 180.0;
      pts.push_back(Pt({cx + r * std::cos(a), cy - r * std::sin(a)}));
    }
    PenHandle pen = MakePen(color, width);
    Selection s(dc_, pen.get());
    Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
  }
  void Text(const wchar_t* text, double l, double t, double r, double b, double height,
            TColor color, const wchar_t* face = L"Arial", int weight = FW_BOLD,
            bool italic = false) {
    FontHandle font(CreateFontW(-At(height), 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH, face));
    Selection s(dc_, font.get());
    SetTextColor(dc_, color);
    RECT rc{At(l), At(t), At(r), At(b)};
    DrawTextW(dc_, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  // Text lines of a page: short strokes from left to right at the given heights.
  void TextLines(double l, double r, std::initializer_list<double> ys, TColor color = kLines) {
    for (double y : ys) Lines({{l, y}, {r, y}}, color, 1.5);
  }

 private:
  PenHandle MakePen(TColor color, double width) const {
    LOGBRUSH lb{BS_SOLID, color, 0};
    const DWORD style = PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND;
    return PenHandle(
        ExtCreatePen(style, static_cast<DWORD>(std::max(1, At(width))), &lb, 0, nullptr));
  }
  template <typename Draw>
  void Styled(TColor fill, TColor edge, double width, Draw draw) {
    BrushHandle brush(fill == kNone ? nullptr : CreateSolidBrush(fill));
    PenHandle pen = edge == kNone ? PenHandle() : MakePen(edge, width);
    Selection b(dc_, brush ? brush.get() : GetStockObject(NULL_BRUSH));
    Selection p(dc_, pen ? pen.get() : GetStockObject(NULL_PEN));
    draw();
  }

  HDC dc_;
  double unit_;
};

inline void Page(Sketch& s, double l, double t, double r, double b, bool fold = true) {
  const double f = 6;
  if (fold) {
    s.Shape({{l, t}, {r - f, t}, {r, t + f}, {r, b}, {l, b}}, kPaper, kInk);
    s.Shape({{r - f, t}, {r - f, t + f}, {r, t + f}}, kPale, kInk, 1.2);
  } else {
    s.Box(l, t, r, b, kPaper, kInk);
  }
}

}  // namespace sketch

// The picture draw() makes on the design grid, at size x size pixels (a multiple of 8) over the
// background colour.
controls::TPixelBuffer DrawSketched(int size, controls::TColor background,
                                    const std::function<void(sketch::Sketch&)>& draw);

// Lays a picture drawn once over black and once over white onto dst at (x, y): each pixel's
// two colours tell how much of what lies under it shows through.
void BlendOverBackground(const controls::TPixelView& dst, int x, int y,
                         const controls::TPixelBuffer& dark, const controls::TPixelBuffer& light);

}  // namespace writer
