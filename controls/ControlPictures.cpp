#include "controls/ControlPictures.h"

#include <algorithm>
#include <array>

#include "controls/GradientFill.h"
#include "controls/PixelReduce.h"
#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

constexpr int kRadioScale = 4;
constexpr int kRadioPen = 4;

// Ink of the check mark, one string per row.
constexpr std::array<const char*, kCheckMarkSize> kCheckMarkRows = {
    ".........",  //
    ".......#.",  //
    "......##.",  //
    ".#...###.",  //
    ".##.###..",  //
    ".#####...",  //
    "..###....",  //
    "...#.....",  //
    ".........",
};

// Squared distance of a pixel centre from the centre of a size × size square, times four so
// it stays whole.
long CenterDistance4(int x, int y, int size) {
  const long dx = 2L * x + 1 - size;
  const long dy = 2L * y + 1 - size;
  return dx * dx + dy * dy;
}

bool InsideCircle(int x, int y, int size, int radiusTimesTwo) {
  return CenterDistance4(x, y, size) <= static_cast<long>(radiusTimesTwo) * radiusTimesTwo;
}

// The rows of a disc as rectangles, for painting inside it.
TPixelRegion DiscRegion(int size) {
  std::vector<TPixelRect> rows;
  for (int y = 0; y < size; ++y) {
    int x0 = -1;
    int x1 = -1;
    for (int x = 0; x < size; ++x)
      if (InsideCircle(x, y, size, size)) {
        if (x0 < 0) x0 = x;
        x1 = x + 1;
      }
    if (x0 >= 0) rows.push_back({x0, y, x1, y + 1});
  }
  return TPixelRegion(std::move(rows));
}

}  // namespace

TPixelBuffer BuildCheckMark() {
  TPixelBuffer mark(kCheckMarkSize, kCheckMarkSize, kWhite);
  for (int y = 0; y < kCheckMarkSize; ++y)
    for (int x = 0; x < kCheckMarkSize; ++x)
      if (kCheckMarkRows[y][x] == '#') mark.View().SetPixel(x, y, kBlack);
  return mark;
}

TPixelBuffer BuildRadioDot() {
  const int big = kRadioDotSize * kRadioScale;
  TPixelBuffer large(big, big, kWhite);
  for (int y = 0; y < big; ++y)
    for (int x = 0; x < big; ++x)
      if (InsideCircle(x, y, big, big)) large.View().SetPixel(x, y, kBlack);
  TPixelBuffer dot(kRadioDotSize, kRadioDotSize, kWhite);
  ReduceBlocks(dot.View(), large.View(), kRadioScale);
  return dot;
}

TPixelBuffer BuildBoxPicture(TColor from, TColor to, TColor border) {
  TPixelBuffer box(kCheckBoxSize, kCheckBoxSize);
  const TPixelView v = box.View();
  GradientFill(v, v.Bounds(), from, to, TGradientType::gtFromTopLeft);
  v.Fill({0, 0, kCheckBoxSize, 1}, border);
  v.Fill({0, kCheckBoxSize - 1, kCheckBoxSize, kCheckBoxSize}, border);
  v.Fill({0, 0, 1, kCheckBoxSize}, border);
  v.Fill({kCheckBoxSize - 1, 0, kCheckBoxSize, kCheckBoxSize}, border);
  return box;
}

int RadioDiameter(TRadioSize size) {
  switch (size) {
    case TRadioSize::rsSmall: return 11;
    case TRadioSize::rsMedium: return 13;
    case TRadioSize::rsLarge: return 15;
  }
  return 13;
}

int RadioDotInset(TRadioSize size) {
  switch (size) {
    case TRadioSize::rsSmall: return 2;
    case TRadioSize::rsMedium: return 3;
    case TRadioSize::rsLarge: return 4;
  }
  return 3;
}

TRadioPicture BuildRadioPicture(int diameter, TColor background, TColor from, TColor to,
                                TColor border) {
  TRadioPicture out;
  out.background = background;
  if (diameter <= 0) return out;
  const int big = diameter * kRadioScale;
  TPixelBuffer large(big, big, background);
  TPixelBuffer mask(big, big, kBlack);
  const TPixelView lv = large.View();
  const TPixelRegion disc = DiscRegion(big);
  GradientFill(lv, lv.Bounds(), from, to, TGradientType::gtFromTopLeft, &disc);
  const int inner = big - 2 * kRadioPen;  // the outline is the pen's width inside the edge
  for (int y = 0; y < big; ++y)
    for (int x = 0; x < big; ++x) {
      if (!InsideCircle(x, y, big, big)) continue;
      mask.View().SetPixel(x, y, kWhite);
      if (!InsideCircle(x, y, big, inner)) lv.SetPixel(x, y, border);
    }
  out.picture = TPixelBuffer(diameter, diameter);
  ReduceBlocks(out.picture.View(), lv, kRadioScale);
  TPixelBuffer cover(diameter, diameter);
  ReduceBlocks(cover.View(), mask.View(), kRadioScale);
  out.coverage.resize(static_cast<std::size_t>(diameter) * diameter);
  for (int y = 0; y < diameter; ++y)
    for (int x = 0; x < diameter; ++x)
      out.coverage[static_cast<std::size_t>(y) * diameter + x] =
          static_cast<std::uint8_t>(RedOf(cover.Pixel(x, y)));
  return out;
}

void DrawCovered(const TPixelView& dst, int x, int y, const TPixelView& face,
                 const std::vector<std::uint8_t>& coverage, TColor background) {
  const int width = face.Width();
  if (coverage.size() != static_cast<std::size_t>(width) * face.Height()) return;
  const int bg[3] = {BlueOf(background), GreenOf(background), RedOf(background)};
  const TPixelRect r = face.Bounds().Offset(x, y).Intersect(dst.Bounds());
  for (int py = r.top; py < r.bottom; ++py) {
    std::uint8_t* d = dst.At(r.left, py);
    const std::uint8_t* s = face.At(r.left - x, py - y);
    const std::uint8_t* cov =
        coverage.data() + static_cast<std::size_t>(py - y) * width + (r.left - x);
    for (int px = r.left; px < r.right; ++px, d += 3, s += 3, ++cov) {
      // The face pixel is cover × circle + (255 − cover) × background; swap the background.
      for (int c = 0; c < 3; ++c) {
        const long swapped = s[c] * 255L + (255L - *cov) * (d[c] - bg[c]);
        d[c] = static_cast<std::uint8_t>(ClampChannel(DivideRounded(swapped, 255)));
      }
    }
  }
}

}  // namespace controls
