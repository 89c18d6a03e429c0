#pragma once
// Lengths and units: every engine length is held in inches and converted to and from the unit
// a caller names. Also the plain point and rectangle records passed between routines.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/VpRounding.h"

// The unit of a length. The ordinals are stored and passed around, so their order is fixed.
enum TVpMeasurement : std::uint8_t {
  vpUnits = 0,   // 1/100 millimetre
  vpPixels = 1,  // 1/96 inch, whatever the screen's real resolution
  vpMillimeters = 2,
  vpCentimeters = 3,
  vpInches = 4,
  vpTwips = 5,  // 1/1440 inch
};

inline constexpr int kVpMeasurementCount = 6;
// What the engine's controls answer to About: their class name, " v" and the engine's version.
inline std::string VpAboutText(const char* className) {
  return std::string(className) + " v2.96.6";
}

// The unit for a stored ordinal; std::nullopt when the ordinal names no unit.
std::optional<TVpMeasurement> MeasurementFromOrdinal(int ordinal);

// Converts through inches: source unit to inches, then inches to the target unit, with the
// exact constants 100, 96, 25.4, 10 and 1440 in extended precision and no rounding. When from
// equals to the value is returned bit for bit. A unit outside the enumeration throws
// std::invalid_argument.
long double ConvertValue(long double value, TVpMeasurement from, TVpMeasurement to);

// Plain records, passed by value. Fields are extended-precision lengths in whatever unit the
// routine that receives them names.
struct TVpPoint {
  long double X = 0;
  long double Y = 0;
  friend bool operator==(const TVpPoint&, const TVpPoint&) = default;
};

struct TVpSize {
  long double Width = 0;
  long double Height = 0;
  friend bool operator==(const TVpSize&, const TVpSize&) = default;
};

struct TVpRect {
  long double Left = 0;
  long double Top = 0;
  long double Right = 0;
  long double Bottom = 0;
  friend bool operator==(const TVpRect&, const TVpRect&) = default;
};

// Device (integer) coordinates.
struct TVpIntPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TVpIntPoint&, const TVpIntPoint&) = default;
};

struct TVpIntRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TVpIntRect&, const TVpIntRect&) = default;
};

struct TVpRectCorners {
  TVpIntPoint TopLeft;
  TVpIntPoint TopRight;
  TVpIntPoint BottomLeft;
  TVpIntPoint BottomRight;
  friend bool operator==(const TVpRectCorners&, const TVpRectCorners&) = default;
};

TVpPoint ConvertPoint(TVpPoint point, TVpMeasurement from, TVpMeasurement to);
TVpSize ConvertSize(TVpSize size, TVpMeasurement from, TVpMeasurement to);
TVpRect ConvertRect(TVpRect rect, TVpMeasurement from, TVpMeasurement to);

TVpPoint MakePoint(long double x, long double y);
TVpRect MakeRect(long double left, long double top, long double right, long double bottom);

// Adds dx to Left and Right, dy to Top and Bottom.
void OffsetVpRect(TVpRect& rect, long double dx, long double dy);

// Each side multiplied by the factor and rounded (ties to even).
TVpIntRect ScaleRectToDevice(TVpIntRect rect, long double factor);

TVpRectCorners RectToCorners(TVpIntRect rect);
// Left and Top from the top-left corner, Right and Bottom from the bottom-right corner; the
// other two corners are not consulted.
TVpIntRect CornersToRect(const TVpRectCorners& corners);
