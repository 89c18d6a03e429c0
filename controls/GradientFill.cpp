#include "controls/GradientFill.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

bool IsLineType(TGradientType t) {
  return t == TGradientType::gtHorizontal || t == TGradientType::gtVertical ||
         t == TGradientType::gtDoubleHorz || t == TGradientType::gtDoubleVert;
}

long Diagonal(const TPixelRect& r) {
  const double w = r.Width();
  const double h = r.Height();
  return RoundHalfEven(std::sqrt(w * w + h * h));
}

// The length over which the color runs from a to z.
long Divisor(TGradientType type, const TPixelRect& r) {
  switch (type) {
    case TGradientType::gtHorizontal: return r.Width();
    case TGradientType::gtVertical: return r.Height();
    case TGradientType::gtFromTopLeft:
    case TGradientType::gtFromTopRight: return Diagonal(r) - r.left;
    case TGradientType::gtRadial: return (Diagonal(r) - r.left) / 2;
    case TGradientType::gtDoubleHorz: return r.Width() / 2;
    case TGradientType::gtDoubleVert: return r.Height() / 2;
  }
  return 0;
}

// Whole-number distance of the line types (a column or a row).
long LineDistance(TGradientType type, const TPixelRect& r, long d, int x, int y) {
  switch (type) {
    case TGradientType::gtHorizontal: return x - r.left;
    case TGradientType::gtVertical: return y - r.top;
    case TGradientType::gtDoubleHorz: return std::labs(x - d - r.left);
    default: return std::labs(y - d - r.top);
  }
}

double PointDistance(TGradientType type, const TPixelRect& r, int x, int y) {
  double dx = 0;
  double dy = 0;
  switch (type) {
    case TGradientType::gtFromTopLeft:
      dx = x - r.left;
      dy = y - r.top;
      break;
    case TGradientType::gtFromTopRight:
      dx = r.right - x;
      dy = y - r.top;
      break;
    default:  // radial: the centre is taken in the rectangle's own size
      dx = r.Width() / 2 - x;
      dy = y - r.Height() / 2;
      break;
  }
  return std::sqrt(dx * dx + dy * dy);
}

struct TChannels {
  int r, g, b;
};

class TGradientColor {
 public:
  TGradientColor(TColor a, TColor z, long d)
      : a_{RedOf(a), GreenOf(a), BlueOf(a)},
        span_{RedOf(z) - a_.r, GreenOf(z) - a_.g, BlueOf(z) - a_.b},
        d_(static_cast<double>(d)) {}

  // Channels beyond the range (distances past d) are held at 0 and 255.
  TColor At(double p) const {
    return RGBColor(Channel(a_.r, span_.r, p), Channel(a_.g, span_.g, p),
                    Channel(a_.b, span_.b, p));
  }

 private:
  int Channel(int a, int span, double p) const {
    return ClampChannel(RoundHalfEven(a + span * p / d_));
  }
  TChannels a_;
  TChannels span_;
  double d_;
};

template <class Visit>
void ForEachSpan(const TPixelView& view, const TPixelRect& rect, const TPixelRegion* region,
                 Visit visit) {
  const TPixelRect clip = rect.Intersect(view.Bounds());
  if (clip.Empty()) return;
  auto spans = [&](const TPixelRect& r) {
    const TPixelRect s = r.Intersect(clip);
    for (int y = s.top; y < s.bottom; ++y) visit(y, s.left, s.right);
  };
  if (!region) {
    spans(clip);
    return;
  }
  for (const TPixelRect& r : region->Rects()) spans(r);
}

}  // namespace

void GradientFill(const TPixelView& view, const TPixelRect& rect, TColor a, TColor z,
                  TGradientType type, const TPixelRegion* region) {
  const long d = Divisor(type, rect);
  // A gradient with no length to run over (equal colours, or a rectangle too small for the
  // type) is the start color throughout.
  if (a == z || d <= 0) {
    ForEachSpan(view, rect, region, [&](int y, int x0, int x1) {
      view.Fill({x0, y, x1, y + 1}, a);
    });
    return;
  }
  const TGradientColor color(a, z, d);
  if (IsLineType(type)) {
    // A line type has one color per column (or per row): worked out once for each column of
    // the painted area, and once per row span.
    const bool columns = type == TGradientType::gtHorizontal || type == TGradientType::gtDoubleHorz;
    const TPixelRect clip = rect.Intersect(view.Bounds());
    std::vector<TColor> perColumn;
    if (columns) {
      perColumn.resize(static_cast<std::size_t>(std::max(clip.Width(), 0)));
      for (int x = clip.left; x < clip.right; ++x)
        perColumn[static_cast<std::size_t>(x - clip.left)] =
            color.At(static_cast<double>(LineDistance(type, rect, d, x, 0)));
    }
    ForEachSpan(view, rect, region, [&](int y, int x0, int x1) {
      if (!columns) {
        view.Fill({x0, y, x1, y + 1},
                  color.At(static_cast<double>(LineDistance(type, rect, d, 0, y))));
        return;
      }
      for (int x = x0; x < x1; ++x)
        view.SetPixel(x, y, perColumn[static_cast<std::size_t>(x - clip.left)]);
    });
    return;
  }
  ForEachSpan(view, rect, region, [&](int y, int x0, int x1) {
    for (int x = x0; x < x1; ++x) view.SetPixel(x, y, color.At(PointDistance(type, rect, x, y)));
  });
}

}  // namespace controls
