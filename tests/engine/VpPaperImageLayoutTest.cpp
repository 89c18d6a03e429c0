#include <gtest/gtest.h>

#include "engine/VpPaperImageLayout.h"

namespace {

const TVpSize kA4{210 / 25.4L, 297 / 25.4L};

TEST(VpPaperImageLayout, PageSizeInPixels) {
  struct Case {
    TVpSize inches;
    int ppi, zoom;
    TVpIntPoint expected;
  } cases[] = {
      {kA4, 96, 100, {794, 1123}},
      {kA4, 96, 20, {159, 225}},
      {{8.5L, 11}, 96, 50, {408, 528}},
      {{0.125L, 0.375L}, 96, 25, {3, 9}},  // 3 and 9 exactly; no tie involved
      {{0.25L, 0.75L}, 10, 100, {2, 8}},   // 2.5 and 7.5: ties go to the even neighbour
  };
  for (const Case& c : cases) EXPECT_EQ(PageSizePixels(c.inches, c.ppi, c.zoom), c.expected);
}

TEST(VpPaperImageLayout, SheetIsCentredWithinTheGutter) {
  struct Case {
    int width, height;
    TVpGutter gutter;
    TVpIntPoint page;
    TVpIntRect expected;
  } cases[] = {
      // 340 pixels between the gutters, 20 either side of the sheet.
      {400, 500, {30, 30, 30, 30}, {300, 400}, {50, 50, 350, 450}},
      {400, 500, {10, 20, 50, 0}, {300, 400}, {30, 60, 330, 460}},
      // Larger than the space: the negative half truncates toward zero.
      {100, 100, {30, 30, 30, 30}, {300, 141}, {-100, -20, 200, 121}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PageImageRect(c.width, c.height, c.gutter, c.page), c.expected);
}

TEST(VpPaperImageLayout, MousePointInPageInches) {
  const TVpIntRect sheet{65, 40, 365, 440};
  struct Case {
    TVpIntPoint point;
    int zoom;
    TVpPoint expected;
  } cases[] = {
      {{65, 40}, 100, {0, 0}},
      {{65 + 96, 40}, 50, {2, 0}},
      {{65 + 48, 40 + 192}, 100, {0.5L, 2}},
      {{65 - 96, 40 - 24}, 100, {-1, -0.25L}},
  };
  for (const Case& c : cases) {
    const TVpPoint p = PagePointFromPixel(c.point, sheet, c.zoom);
    EXPECT_EQ(p.X, c.expected.X);
    EXPECT_EQ(p.Y, c.expected.Y);
  }
}

TEST(VpPaperImageLayout, A4GridHas21VerticalAnd30HorizontalLines) {
  const TVpGridLines grid = GridLines(kA4, 10 / 25.4L, 600);
  ASSERT_EQ(grid.Vertical.size(), 21u);
  ASSERT_EQ(grid.Horizontal.size(), 30u);
  EXPECT_EQ(grid.Vertical.front(), 236);  // 10 mm at 600 per inch
  EXPECT_EQ(grid.Vertical.back(), grid.Width);
  EXPECT_EQ(grid.Horizontal.back(), 7087);  // 300 mm: past the sheet, clipped when drawn
  EXPECT_EQ(grid.Height, 7016);
}

TEST(VpPaperImageLayout, ShadowAddsItsWidthPlusOnePixel) {
  const TVpIntRect sheet{10, 20, 110, 220};
  const auto [right, bottom] = ShadowRects(sheet, 5);
  EXPECT_EQ(right, (TVpIntRect{111, 26, 116, 221}));
  EXPECT_EQ(bottom, (TVpIntRect{16, 221, 116, 226}));
  EXPECT_EQ(right.Right - sheet.Left, 100 + 6);
  EXPECT_EQ(bottom.Bottom - sheet.Top, 200 + 6);
}

TEST(VpPaperImageLayout, SettingsNotifyOnlyOnChangeAndAssignOnce) {
  TVpShadow shadow;
  int shadowCalls = 0;
  shadow.OnChange = [&](TVpShadow&) { ++shadowCalls; };
  EXPECT_EQ(shadow.Color(), 0u);
  EXPECT_TRUE(shadow.Visible());
  EXPECT_EQ(shadow.Width(), 3);
  shadow.SetWidth(3);
  shadow.SetVisible(true);
  shadow.SetColor(0);
  EXPECT_EQ(shadowCalls, 0);
  shadow.SetWidth(5);
  EXPECT_EQ(shadowCalls, 1);
  TVpShadow grey;
  grey.SetColor(0x808080);
  grey.SetVisible(false);
  shadow.Assign(grey);
  EXPECT_EQ(shadowCalls, 2);
  EXPECT_EQ(shadow.Color(), 0x808080u);
  EXPECT_FALSE(shadow.Visible());
  EXPECT_EQ(shadow.Width(), 3);

  TVpPageGrid grid;
  int gridCalls = 0;
  grid.OnChange = [&](TVpPageGrid&) { ++gridCalls; };
  EXPECT_EQ(grid.GridStyle(), vpNoGrid);
  EXPECT_EQ(grid.GridPen(), (TVpPen{1, kVpSilver, vpPenSolid, vpPenModeCopy}));
  EXPECT_DOUBLE_EQ(static_cast<double>(grid.Spacing().AsMillimeters()), 10.0);
  grid.SetGridStyle(vpNoGrid);
  grid.SetGridStyle(vpLines);
  grid.SetGridPen(TVpPen{2, 0xFF, vpPenSolid, vpPenModeCopy});
  EXPECT_EQ(gridCalls, 2);
}

}  // namespace
