#include <gtest/gtest.h>

#include "controls/GradientFill.h"
#include "tests/controls/PixelTestSupport.h"

namespace controls {

void PrintTo(TGradientType t, std::ostream* os) { *os << "gradient type " << static_cast<int>(t); }

namespace {

constexpr TColor kMarker = RGBColor(1, 2, 3);
constexpr TColor kFrom = RGBColor(0, 0, 0);
constexpr TColor kTo = RGBColor(200, 100, 50);

TPixelBuffer Filled(int w, int h, TGradientType type, TColor a = kFrom, TColor z = kTo) {
  TPixelBuffer b(w, h, kMarker);
  GradientFill(b.View(), {0, 0, w, h}, a, z, type);
  return b;
}

class AllGradientTypes : public ::testing::TestWithParam<TGradientType> {};

TEST_P(AllGradientTypes, EqualColoursFillPlainlyAndOnlyTheRegion) {
  TPixelBuffer b(20, 10, kMarker);
  const TColor c = RGBColor(90, 80, 70);
  const TPixelRegion region({{2, 2, 5, 4}, {10, 0, 12, 10}});
  GradientFill(b.View(), b.View().Bounds(), c, c, GetParam(), &region);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(PixelOf(b, x, y), Shown(region.Contains(x, y) ? c : kMarker)) << x << "," << y;
}

TEST_P(AllGradientTypes, RegionLimitsTheGradientAndTheRectangleLimitsTheRegion) {
  TPixelBuffer b(12, 12, kMarker);
  const TPixelRegion region({{0, 0, 12, 3}});  // runs past the rectangle's right edge
  GradientFill(b.View(), {0, 0, 8, 8}, kFrom, kTo, GetParam(), &region);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool painted = y < 3 && x < 8;
      EXPECT_EQ(b.Pixel(x, y) == kMarker, !painted) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, AllGradientTypes,
                         ::testing::Values(TGradientType::gtHorizontal, TGradientType::gtVertical,
                                           TGradientType::gtFromTopLeft,
                                           TGradientType::gtFromTopRight, TGradientType::gtRadial,
                                           TGradientType::gtDoubleHorz,
                                           TGradientType::gtDoubleVert),
                         [](const auto& info) {
                           return "type" + std::to_string(static_cast<int>(info.param));
                         });

TEST(GradientFill, HorizontalRunsFromTheLeftEdgeAndStopsOneStepShortOfZ) {
  const TPixelBuffer b = Filled(10, 3, TGradientType::gtHorizontal);
  EXPECT_EQ(PixelOf(b, 0, 2), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 5, 0), Shown(RGBColor(100, 50, 25)));
  EXPECT_EQ(PixelOf(b, 9, 1), Shown(RGBColor(180, 90, 45)));
}

TEST(GradientFill, VerticalRoundsHalvesToEven) {
  // Two rows: row 1 is half way, so 0.5, 1.5 and 2.5 round to 0, 2 and 2.
  const TPixelBuffer b = Filled(4, 2, TGradientType::gtVertical, kFrom, RGBColor(1, 3, 5));
  EXPECT_EQ(PixelOf(b, 3, 1), Shown(RGBColor(0, 2, 2)));
  EXPECT_EQ(PixelOf(b, 0, 0), Shown(kFrom));
}

TEST(GradientFill, FallingChannelsRoundTheSameWay) {
  const TPixelBuffer b = Filled(4, 2, TGradientType::gtVertical, RGBColor(1, 3, 5), kFrom);
  EXPECT_EQ(PixelOf(b, 0, 1), Shown(RGBColor(0, 2, 2)));
}

TEST(GradientFill, DoubleVertHasAOnTheMiddleLineAndZOnBothEdgesOfAnOddHeight) {
  const TColor a = RGBColor(255, 255, 255);
  const TColor z = RGBColor(0, 64, 128);
  const TPixelBuffer b = Filled(6, 21, TGradientType::gtDoubleVert, a, z);
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(PixelOf(b, x, 10), Shown(a));
    EXPECT_EQ(PixelOf(b, x, 0), Shown(z));
    EXPECT_EQ(PixelOf(b, x, 20), Shown(z));
  }
  EXPECT_EQ(PixelOf(b, 0, 5), PixelOf(b, 0, 15));  // mirrored about the middle line
  EXPECT_EQ(PixelOf(b, 0, 5), Shown(RGBColor(128, 160, 192)));
}

TEST(GradientFill, DoubleVertOfAnEvenHeightEndsOneStepShortOfZAtTheBottom) {
  const TPixelBuffer b = Filled(2, 20, TGradientType::gtDoubleVert);
  EXPECT_EQ(PixelOf(b, 0, 10), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 0, 0), Shown(kTo));
  EXPECT_EQ(PixelOf(b, 0, 19), Shown(RGBColor(180, 90, 45)));
}

TEST(GradientFill, DoubleHorzIsMirroredAboutTheMiddleColumn) {
  const TPixelBuffer b = Filled(11, 2, TGradientType::gtDoubleHorz);
  EXPECT_EQ(PixelOf(b, 5, 0), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 0, 0), Shown(kTo));
  EXPECT_EQ(PixelOf(b, 10, 1), Shown(kTo));
  EXPECT_EQ(PixelOf(b, 3, 0), PixelOf(b, 7, 0));
}

TEST(GradientFill, DiagonalsMeasureFromTheirCorner) {
  // A 30 x 40 rectangle has a diagonal of exactly 50.
  const TPixelBuffer tl = Filled(30, 40, TGradientType::gtFromTopLeft);
  EXPECT_EQ(PixelOf(tl, 0, 0), Shown(kFrom));
  EXPECT_EQ(PixelOf(tl, 3, 4), Shown(RGBColor(20, 10, 5)));      // distance 5
  EXPECT_EQ(PixelOf(tl, 24, 32), Shown(RGBColor(160, 80, 40)));  // distance 40
  const TPixelBuffer tr = Filled(30, 40, TGradientType::gtFromTopRight);
  EXPECT_EQ(PixelOf(tr, 27, 4), Shown(RGBColor(20, 10, 5)));   // (30 - 27, 4): distance 5
  EXPECT_EQ(PixelOf(tr, 0, 0), Shown(RGBColor(120, 60, 30)));  // distance 30
}

TEST(GradientFill, RadialIsAAtTheCentreAndHoldsChannelsAtTheirLimitsPastTheRadius) {
  // 10 x 10: centre (5, 5), divisor 14 div 2 = 7; the corner lies at 7.07 > 7.
  const TPixelBuffer b = Filled(10, 10, TGradientType::gtRadial, kFrom, RGBColor(255, 255, 0));
  EXPECT_EQ(PixelOf(b, 5, 5), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 0, 0), Shown(RGBColor(255, 255, 0)));
  EXPECT_EQ(PixelOf(b, 5, 0), Shown(RGBColor(182, 182, 0)));  // distance 5: 255 * 5 / 7
  const TPixelBuffer down = Filled(10, 10, TGradientType::gtRadial, RGBColor(255, 255, 255), kFrom);
  EXPECT_EQ(PixelOf(down, 0, 0), Shown(kFrom));  // below 0 is held at 0, not wrapped
}

TEST(GradientFill, RectangleWithNothingToRunOverIsTheStartColour) {
  // Too narrow for a double gradient, and a diagonal shorter than the left offset.
  TPixelBuffer b(130, 4, kMarker);
  GradientFill(b.View(), {0, 0, 1, 4}, kFrom, kTo, TGradientType::gtDoubleHorz);
  GradientFill(b.View(), {100, 0, 110, 4}, kFrom, kTo, TGradientType::gtFromTopLeft);
  EXPECT_EQ(PixelOf(b, 0, 3), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 109, 3), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 110, 3), Shown(kMarker));
}

TEST(GradientFill, OffsetRectangleMeasuresLineTypesFromItsOwnEdges) {
  TPixelBuffer b(20, 20, kMarker);
  GradientFill(b.View(), {5, 6, 15, 16}, kFrom, kTo, TGradientType::gtVertical);
  EXPECT_EQ(PixelOf(b, 5, 6), Shown(kFrom));
  EXPECT_EQ(PixelOf(b, 14, 15), Shown(RGBColor(180, 90, 45)));
  EXPECT_EQ(PixelOf(b, 4, 6), Shown(kMarker));
  EXPECT_EQ(PixelOf(b, 5, 16), Shown(kMarker));
}

}  // namespace
}  // namespace controls
