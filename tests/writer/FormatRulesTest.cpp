// The numbers behind the formatting commands, the paragraph dialog's hints and the zoom bar.
#include <gtest/gtest.h>

#include "writer/FormatRules.h"
#include "writer/ZoomTable.h"

using namespace writer;

TEST(FormatRules, OneAndAHalfSpacingRoundsHalvesToTheEvenNeighbour) {
  const struct {
    int size, spacing;
  } cases[] = {{11, 16}, {13, 20}, {12, 18}, {9, 14}, {15, 22}, {1, 2}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(OneAndAHalfSpacing(c.size), c.spacing) << c.size;
}

TEST(FormatRules, OddFontSizesMoveUpToEven) {
  EXPECT_EQ(EvenFontSize(11), 12);
  EXPECT_EQ(EvenFontSize(13), 14);
  EXPECT_EQ(EvenFontSize(12), 12);
  EXPECT_EQ(EvenFontSize(799), 800);
}

TEST(FormatRules, IndentCountersStopAtTheirLimits) {
  // Twenty-one presses reach 420 points; the twenty-second is refused.
  int counter = 0, presses = 0;
  while (auto next = IndentStep(counter, true, kHighestMainIndent)) {
    counter = *next;
    ++presses;
  }
  EXPECT_EQ(presses, 21);
  EXPECT_EQ(counter, 420);
  counter = 0;
  while (auto next = IndentStep(counter, true, kHighestHangingIndent)) counter = *next;
  EXPECT_EQ(counter, 320);
  EXPECT_EQ(IndentStep(0, false, kHighestMainIndent), std::nullopt);
  EXPECT_EQ(IndentStep(20, false, kHighestMainIndent), 0);
}

TEST(FormatRules, ConversionTextsShowOneOrTwoDecimals) {
  EXPECT_EQ(PointsConversionText(36), u"0.5 Inch / 12.7 mm");
  EXPECT_EQ(PointsConversionText(10), u"0.14 Inch / 3.53 mm");
  EXPECT_EQ(PointsConversionText(72), u"1.0 Inch / 25.4 mm");
  EXPECT_EQ(PointsConversionText(0), u"0.0 Inch / 0.0 mm");
}

TEST(ZoomTable, PositionsPickTheirRows) {
  const struct {
    int position, numerator, denominator, percent;
  } cases[] = {
      {0, 1, 2, 50},      {50, 1, 2, 50},     {51, 3, 5, 60},     {55, 3, 5, 60},
      {69, 3, 5, 60},     {70, 7, 10, 70},    {99, 9, 10, 90},    {100, 0, 0, 100},
      {109, 0, 0, 100},   {110, 11, 10, 110}, {125, 6, 5, 120},   {145, 7, 5, 140},
      {150, 3, 2, 150},   {165, 8, 5, 160},   {175, 17, 10, 170}, {189, 9, 5, 180},
      {190, 19, 10, 190}, {195, 19, 10, 190}, {196, 2, 1, 200},   {200, 2, 1, 200},
  };
  for (const auto& c : cases) {
    const auto row = ZoomForPosition(c.position);
    ASSERT_TRUE(row) << c.position;
    EXPECT_EQ(row->numerator, c.numerator) << c.position;
    EXPECT_EQ(row->denominator, c.denominator) << c.position;
    EXPECT_EQ(row->percent, c.percent) << c.position;
  }
  EXPECT_FALSE(ZoomForPosition(-1));
  EXPECT_FALSE(ZoomForPosition(201));
  const ZoomRow sixty{3, 5, 60};
  EXPECT_EQ(ZoomPanelText(sixty), u"Zoom Factor: 60%");
  EXPECT_EQ(ZoomLabelText(sixty), u"Zoom: 60%");
}
