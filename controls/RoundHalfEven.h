#pragma once

namespace controls {

// Nearest whole number, ties to the even neighbour (the programs' one meaning of "rounded").
// Done by hand: the library's nearbyint goes through the floating-point environment and is
// slow enough on MinGW to dominate a per-pixel gradient. For |v| below 2^31.
inline long RoundHalfEven(double v) {
  long t = static_cast<long>(v);  // toward zero
  const double frac = v - static_cast<double>(t);
  if (frac > 0.5 || (frac == 0.5 && (t & 1) != 0)) ++t;
  if (frac < -0.5 || (frac == -0.5 && (t & 1) != 0)) --t;
  return t;
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
