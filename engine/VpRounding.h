#pragma once
// The engine's rounding, used wherever a length becomes a whole number: to the nearest whole
// number with ties to the even neighbour, in extended precision; truncation is toward zero.

#include <cstdint>

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Independent of the
// floating-point environment's rounding mode. NaN and infinities come back unchanged.
long double VpRound(long double value);

// VpRound as a 32-bit integer, for device coordinates. Values beyond the int32 range
// saturate at its ends and NaN gives 0, so a wild length cannot produce an undefined cast.
std::int32_t VpRoundToInt(long double value);

// Toward zero as a 32-bit integer, saturating like VpRoundToInt.
std::int32_t VpTruncToInt(long double value);
