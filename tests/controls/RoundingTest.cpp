#include <gtest/gtest.h>

#include "controls/RoundHalfEven.h"

namespace controls {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbourOnBothSidesOfZero) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(0.4999999), 0);
  EXPECT_EQ(RoundHalfEven(254.5000001), 255);
  EXPECT_EQ(RoundHalfEven(-7.6), -8);
}

TEST(Rounding, ExactDivisionRoundsTheTrueQuotient) {
  EXPECT_EQ(DivideRounded(5, 2), 2);
  EXPECT_EQ(DivideRounded(7, 2), 4);
  EXPECT_EQ(DivideRounded(-5, 2), -2);
  EXPECT_EQ(DivideRounded(-7, 2), -4);
  EXPECT_EQ(DivideRounded(-175, 10), -18);
  EXPECT_EQ(DivideRounded(-174, 10), -17);
  EXPECT_EQ(DivideRounded(13, 9), 1);
}

}  // namespace
}  // namespace controls
