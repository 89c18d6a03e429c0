#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/VpTypes.h"
#include "tests/engine/NearLongDouble.h"

namespace {

constexpr TVpMeasurement kAllUnits[] = {vpUnits,       vpPixels, vpMillimeters,
                                        vpCentimeters, vpInches, vpTwips};

// The value bits of an 80-bit long double, ignoring the padding bytes.
bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(VpExtendedPrecision, LongDoubleCarriesA64BitMantissaAtRunTime) {
  static_assert(LDBL_MANT_DIG == 64);
  // A runtime that lowered the x87 precision control to 53 bits would lose this bit.
  volatile long double one = 1.0L;
  volatile long double tiny = LDBL_EPSILON;
  EXPECT_NE(one + tiny, one);
  volatile long double third = 1.0L / 3.0L;
  EXPECT_NE(third, static_cast<long double>(1.0 / 3.0));
}

TEST(VpConvertValue, SameUnitReturnsTheValueBitForBit) {
  const long double samples[] = {0.1L,     0.1,         -0.0L,
                                 1e-4000L, 123456.789L, std::numeric_limits<long double>::max()};
  for (TVpMeasurement unit : kAllUnits) {
    for (long double value : samples) {
      EXPECT_TRUE(SameBits(ConvertValue(value, unit, unit), value)) << int(unit);
    }
  }
}

TEST(VpConvertValue, KnownLengths) {
  EXPECT_NEAR_LD(ConvertValue(210, vpMillimeters, vpInches), 8.26771653543307086614L, 1e-17L);
  EXPECT_NEAR_LD(ConvertValue(ConvertValue(210, vpMillimeters, vpInches), vpInches, vpMillimeters),
                 210.0L, 1e-15L);
  EXPECT_EQ(ConvertValue(720, vpTwips, vpInches), 0.5L);
  EXPECT_EQ(ConvertValue(48, vpPixels, vpInches), 0.5L);
  EXPECT_NEAR_LD(ConvertValue(2540, vpUnits, vpInches), 1.0L, 1e-18L);
  EXPECT_NEAR_LD(ConvertValue(1, vpInches, vpCentimeters), 2.54L, 1e-18L);
  // Between two non-inch units the value passes through inches.
  EXPECT_NEAR_LD(ConvertValue(1440, vpTwips, vpMillimeters), 25.4L, 1e-16L);
  EXPECT_NEAR_LD(ConvertValue(3, vpCentimeters, vpUnits), 3000.0L, 1e-14L);
}

// Stored results must match to the last bit wherever they were computed, so the constants
// are applied one after the other, never folded into one factor.
TEST(VpConvertValue, AppliesTheConstantsInTheirFixedOrder) {
  int unitsChecked = 0;
  int centimetresChecked = 0;
  for (int n = 1; n < 2000; ++n) {
    const long double v = n / 7.0L;
    const long double folded = v / 2540.0L;
    const long double stepwise = v / 100.0L / 25.4L;
    if (folded != stepwise) {
      EXPECT_TRUE(SameBits(ConvertValue(v, vpUnits, vpInches), stepwise)) << n;
      ++unitsChecked;
    }
    const long double cmStepwise = v * 10.0L / 25.4L;
    if (v / 2.54L != cmStepwise) {
      EXPECT_TRUE(SameBits(ConvertValue(v, vpCentimeters, vpInches), cmStepwise)) << n;
      ++centimetresChecked;
    }
  }
  EXPECT_GT(unitsChecked, 0);
  EXPECT_GT(centimetresChecked, 0);
}

TEST(VpConvertValue, UnknownUnitIsRefusedWithItsOrdinal) {
  const auto bogus = static_cast<TVpMeasurement>(9);
  try {
    ConvertValue(1, bogus, vpInches);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Unknown measurement unit 9");
  }
  EXPECT_THROW(ConvertValue(1, bogus, bogus), std::invalid_argument);
  EXPECT_EQ(MeasurementFromOrdinal(5), vpTwips);
  EXPECT_FALSE(MeasurementFromOrdinal(6));
}

TEST(VpRound, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(VpRound(0.5L), 0.0L);
  EXPECT_EQ(VpRound(1.5L), 2.0L);
  EXPECT_EQ(VpRound(2.5L), 2.0L);
  EXPECT_EQ(VpRound(3.5L), 4.0L);
  EXPECT_EQ(VpRound(-1.5L), -2.0L);
  EXPECT_EQ(VpRound(-2.5L), -2.0L);
  EXPECT_EQ(VpRound(2.4L), 2.0L);
  EXPECT_EQ(VpRound(-2.6L), -3.0L);
  // The largest value below one half: adding 0.5 and flooring would give 1.
  EXPECT_EQ(VpRound(std::nextafter(0.5L, 0.0L)), 0.0L);
  EXPECT_EQ(VpRound(std::nextafter(2.5L, 3.0L)), 3.0L);
  // A tie only extended precision can hold (2^62 + 0.5).
  const long double big = std::ldexp(1.0L, 62);
  EXPECT_EQ(VpRound(big + 0.5L), big);
  EXPECT_EQ(VpRound(big + 1.5L), big + 2.0L);
}

TEST(VpRound, IgnoresTheFloatingPointRoundingMode) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  const long double up = VpRound(2.5L);
  const long double down = VpRound(-3.5L);
  std::fesetround(saved);
  EXPECT_EQ(up, 2.0L);
  EXPECT_EQ(down, -4.0L);
}

TEST(VpRoundToInt, SaturatesInsteadOfOverflowing) {
  using Limits = std::numeric_limits<std::int32_t>;
  EXPECT_EQ(VpRoundToInt(2.5L), 2);
  EXPECT_EQ(VpRoundToInt(1e30L), Limits::max());
  EXPECT_EQ(VpRoundToInt(-1e30L), Limits::min());
  EXPECT_EQ(VpRoundToInt(std::numeric_limits<long double>::infinity()), Limits::max());
  EXPECT_EQ(VpRoundToInt(std::numeric_limits<long double>::quiet_NaN()), 0);
  EXPECT_EQ(VpTruncToInt(-2.7L), -2);
  EXPECT_EQ(VpTruncToInt(-1e30L), Limits::min());
}

TEST(VpGeometry, ConvertOffsetAndScale) {
  const TVpRect twips = ConvertRect(MakeRect(1440, 2880, 4320, 5760), vpTwips, vpInches);
  EXPECT_EQ(twips, MakeRect(1, 2, 3, 4));
  EXPECT_EQ(ConvertPoint(MakePoint(1440, 2880), vpTwips, vpInches), MakePoint(1, 2));

  TVpRect r = MakeRect(1, 2, 3, 4);
  OffsetVpRect(r, 10, 20);
  EXPECT_EQ(r, MakeRect(11, 22, 13, 24));

  // 5 x 0.5 = 2.5 -> 2, 7 x 0.5 = 3.5 -> 4, -5 x 0.5 -> -2.
  EXPECT_EQ(ScaleRectToDevice({5, 7, -5, 3}, 0.5L), (TVpIntRect{2, 4, -2, 2}));
}

TEST(VpGeometry, CornersRoundTrip) {
  const TVpIntRect rect{1, 2, 30, 40};
  const TVpRectCorners corners = RectToCorners(rect);
  EXPECT_EQ(corners.TopLeft, (TVpIntPoint{1, 2}));
  EXPECT_EQ(corners.TopRight, (TVpIntPoint{30, 2}));
  EXPECT_EQ(corners.BottomLeft, (TVpIntPoint{1, 40}));
  EXPECT_EQ(corners.BottomRight, (TVpIntPoint{30, 40}));
  EXPECT_EQ(CornersToRect(corners), rect);
}

}  // namespace
