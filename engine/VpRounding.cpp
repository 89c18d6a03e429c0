#include "engine/VpRounding.h"

#include <cmath>
#include <limits>

long double VpRound(long double value) {
  if (!std::isfinite(value)) return value;
  const long double lower = std::floor(value);
  const long double fraction = value - lower;  // exact in binary floating point
  if (fraction > 0.5L) return lower + 1.0L;
  if (fraction < 0.5L) return lower;
  return std::fmod(lower, 2.0L) == 0.0L ? lower : lower + 1.0L;
}

namespace {

std::int32_t SaturateToInt(long double whole) {
  using Limits = std::numeric_limits<std::int32_t>;
  if (std::isnan(whole)) return 0;
  if (whole <= static_cast<long double>(Limits::min())) return Limits::min();
  if (whole >= static_cast<long double>(Limits::max())) return Limits::max();
  return static_cast<std::int32_t>(whole);
}

}  // namespace

std::int32_t VpRoundToInt(long double value) { return SaturateToInt(VpRound(value)); }

std::int32_t VpTruncToInt(long double value) { return SaturateToInt(std::trunc(value)); }
