#pragma once
#include <cmath>

namespace controls {

// Nearest whole number, ties to the even neighbour (the programs' one meaning of "rounded").
inline long RoundHalfEven(double v) {
  const double r = std::nearbyint(v);  // default rounding mode is to-nearest-even
  return static_cast<long>(r);
}

// n / d rounded the same way, exactly, for d > 0.
inline long DivideRounded(long n, long d) {
  long q = n / d;
  long r = n % d;
  if (r < 0) {  // make the remainder non-negative so ties are judged on the true value
    r += d;
    --q;
  }
  if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
  return q;
}

inline int ClampChannel(long v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int>(v)); }

}  // namespace controls
