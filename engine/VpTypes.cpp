#include "engine/VpTypes.h"

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void ThrowUnknownMeasurement(TVpMeasurement unit) {
  throw std::invalid_argument("Unknown measurement unit " + std::to_string(static_cast<int>(unit)));
}

// The operations run in exactly this order; regrouping the constants would change the
// last bits of the results.
long double ToInches(long double value, TVpMeasurement from) {
  switch (from) {
    case vpUnits: return value / 100.0L / 25.4L;
    case vpPixels: return value / 96.0L;
    case vpMillimeters: return value / 25.4L;
    case vpCentimeters: return value * 10.0L / 25.4L;
    case vpInches: return value;
    case vpTwips: return value / 1440.0L;
  }
  ThrowUnknownMeasurement(from);
}

long double FromInches(long double inches, TVpMeasurement to) {
  switch (to) {
    case vpUnits: return inches * 25.4L * 100.0L;
    case vpPixels: return inches * 96.0L;
    case vpMillimeters: return inches * 25.4L;
    case vpCentimeters: return inches * 25.4L / 10.0L;
    case vpInches: return inches;
    case vpTwips: return inches * 1440.0L;
  }
  ThrowUnknownMeasurement(to);
}

}  // namespace

std::optional<TVpMeasurement> MeasurementFromOrdinal(int ordinal) {
  if (ordinal < 0 || ordinal >= kVpMeasurementCount) return std::nullopt;
  return static_cast<TVpMeasurement>(ordinal);
}

long double ConvertValue(long double value, TVpMeasurement from, TVpMeasurement to) {
  if (from == to) {
    if (!MeasurementFromOrdinal(from)) ThrowUnknownMeasurement(from);
    return value;
  }
  return FromInches(ToInches(value, from), to);
}

TVpPoint ConvertPoint(TVpPoint point, TVpMeasurement from, TVpMeasurement to) {
  return {ConvertValue(point.X, from, to), ConvertValue(point.Y, from, to)};
}

TVpSize ConvertSize(TVpSize size, TVpMeasurement from, TVpMeasurement to) {
  return {ConvertValue(size.Width, from, to), ConvertValue(size.Height, from, to)};
}

TVpRect ConvertRect(TVpRect rect, TVpMeasurement from, TVpMeasurement to) {
  return {ConvertValue(rect.Left, from, to), ConvertValue(rect.Top, from, to),
          ConvertValue(rect.Right, from, to), ConvertValue(rect.Bottom, from, to)};
}

TVpPoint MakePoint(long double x, long double y) { return {x, y}; }

TVpRect MakeRect(long double left, long double top, long double right, long double bottom) {
  return {left, top, right, bottom};
}

void OffsetVpRect(TVpRect& rect, long double dx, long double dy) {
  rect.Left += dx;
  rect.Right += dx;
  rect.Top += dy;
  rect.Bottom += dy;
}

TVpIntRect ScaleRectToDevice(TVpIntRect rect, long double factor) {
  return {VpRoundToInt(rect.Left * factor), VpRoundToInt(rect.Top * factor),
          VpRoundToInt(rect.Right * factor), VpRoundToInt(rect.Bottom * factor)};
}

TVpRectCorners RectToCorners(TVpIntRect rect) {
  return {{rect.Left, rect.Top},
          {rect.Right, rect.Top},
          {rect.Left, rect.Bottom},
          {rect.Right, rect.Bottom}};
}

TVpIntRect CornersToRect(const TVpRectCorners& corners) {
  return {corners.TopLeft.X, corners.TopLeft.Y, corners.BottomRight.X, corners.BottomRight.Y};
}
