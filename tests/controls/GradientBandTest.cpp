#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "controls/GradientBand.h"
#include "tests/controls/PixelTestSupport.h"

namespace controls {
namespace {

TEST(GradientBand, FewerThanTwoStopsIsAnErrorWithItsText) {
  const TColor one[] = {kWhite};
  try {
    GradientBandColors(one, 10);
    FAIL() << "no error";
  } catch (const std::invalid_argument& e) {
    EXPECT_EQ(std::string(e.what()), "Please specify at least two colors.");
  }
  EXPECT_THROW(GradientBandColors({}, 10), std::invalid_argument);
  TPixelBuffer b(4, 4, kBlack);
  EXPECT_THROW(FillGradientBand(b.View(), {0, 0, 4, 4}, one, TBandDirection::TopToBottom),
               std::invalid_argument);
  EXPECT_EQ(PixelOf(b, 0, 0), Shown(kBlack));  // nothing drawn
}

TEST(GradientBand, TwoStopsRunFromFirstToLastLine) {
  const TColor stops[] = {RGBColor(0, 100, 255), RGBColor(100, 0, 5)};
  const std::vector<TColor> lines = GradientBandColors(stops, 11);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(Shown(lines[0]), Shown(stops[0]));
  EXPECT_EQ(Shown(lines[10]), Shown(stops[1]));
  EXPECT_EQ(Shown(lines[3]), Shown(RGBColor(30, 70, 180)));
  // Line 2 of 5 is half way.
  const std::vector<TColor> four = GradientBandColors(stops, 5);
  EXPECT_EQ(Shown(four[2]), Shown(RGBColor(50, 50, 130)));
}

TEST(GradientBand, SectionsAreRoundedAndTheLastTakesTheRest) {
  const TColor stops[] = {RGBColor(255, 245, 221), RGBColor(255, 245, 221), RGBColor(255, 210, 94)};
  // 21 / 2 = 10.5 rounds to 10: lines 0-9 hold the first stop, 10-20 run to the third.
  const std::vector<TColor> lines = GradientBandColors(stops, 21);
  ASSERT_EQ(lines.size(), 21u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Shown(lines[i]), Shown(stops[0])) << i;
  EXPECT_EQ(Shown(lines[10]), Shown(stops[1]));
  EXPECT_EQ(Shown(lines[15]),
            Shown(RGBColor(255, 228, 158)));  // half way: 227.5 -> 228, 157.5 -> 158
  EXPECT_EQ(Shown(lines[20]), Shown(stops[2]));
}

TEST(GradientBand, ShortBandsStayWithinTheirLength) {
  const TColor stops[] = {RGBColor(0, 0, 0),  RGBColor(10, 0, 0), RGBColor(20, 0, 0),
                          RGBColor(30, 0, 0), RGBColor(40, 0, 0), RGBColor(50, 0, 0),
                          RGBColor(60, 0, 0), RGBColor(70, 0, 0), RGBColor(80, 0, 0),
                          RGBColor(90, 0, 0), RGBColor(100, 0, 0)};
  // 15 / 10 = 1.5 rounds to 2; ten sections of 2 would need 20 lines.
  const std::vector<TColor> lines = GradientBandColors(stops, 15);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(Shown(lines[0]), Shown(RGBColor(0, 0, 0)));
  EXPECT_EQ(Shown(lines[1]), Shown(RGBColor(10, 0, 0)));
  EXPECT_EQ(Shown(lines[14]), Shown(RGBColor(70, 0, 0)));
  // Sections of one line show their own stop; nothing at all for an empty band.
  const std::vector<TColor> eleven = GradientBandColors(stops, 11);
  EXPECT_EQ(Shown(eleven[8]), Shown(RGBColor(80, 0, 0)));
  EXPECT_EQ(Shown(eleven[10]), Shown(RGBColor(100, 0, 0)));
  EXPECT_TRUE(GradientBandColors(stops, 0).empty());
}

TEST(GradientBand, FillsLinesInEitherDirectionInsideTheRectangle) {
  const TColor stops[] = {RGBColor(0, 0, 0), RGBColor(40, 80, 120)};
  TPixelBuffer b(8, 6, kWhite);
  FillGradientBand(b.View(), {2, 1, 7, 5}, stops, TBandDirection::LeftToRight);
  EXPECT_EQ(PixelOf(b, 2, 1), Shown(RGBColor(0, 0, 0)));
  EXPECT_EQ(PixelOf(b, 4, 4), Shown(RGBColor(20, 40, 60)));
  EXPECT_EQ(PixelOf(b, 6, 2), Shown(RGBColor(40, 80, 120)));
  EXPECT_EQ(PixelOf(b, 7, 2), Shown(kWhite));
  EXPECT_EQ(PixelOf(b, 3, 5), Shown(kWhite));
  FillGradientBand(b.View(), {0, 0, 8, 5}, stops, TBandDirection::TopToBottom);
  EXPECT_EQ(PixelOf(b, 7, 4), Shown(RGBColor(40, 80, 120)));
  EXPECT_EQ(PixelOf(b, 0, 2), Shown(RGBColor(20, 40, 60)));
}

}  // namespace
}  // namespace controls
