#pragma once
// EXPECT_NEAR converts to double, which hides errors below double precision; this compares in
// extended precision.

#include <cmath>

#include <gtest/gtest.h>

inline ::testing::AssertionResult NearLongDouble(long double actual, long double expected,
                                                 long double tolerance) {
  const long double difference = std::fabs(actual - expected);
  if (difference <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "actual " << static_cast<double>(actual) << " differs from expected "
         << static_cast<double>(expected) << " by " << static_cast<double>(difference)
         << " (tolerance " << static_cast<double>(tolerance) << ")";
}

#define EXPECT_NEAR_LD(actual, expected, tolerance) \
  EXPECT_TRUE(NearLongDouble((actual), (expected), (tolerance)))
