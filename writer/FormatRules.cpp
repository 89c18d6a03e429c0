#include "writer/FormatRules.h"

#include <cmath>
#include <cstdio>

namespace writer {
namespace {

// One decimal at least, two at most: 0.5, 0.14, 1.0.
std::string OneOrTwoDecimals(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string result = text;
  if (result.size() > 3 && result.back() == '0') result.pop_back();
  return result;
}

}  // namespace

int OneAndAHalfSpacing(int points) {
  const int triple = points * 3;
  int result = triple / 2;
  if (triple % 2 != 0 && result % 2 != 0) result += triple > 0 ? 1 : -1;
  return result;
}

int EvenFontSize(int points) { return points % 2 != 0 ? points + 1 : points; }

std::optional<int> IndentStep(int counter, bool increase, int highest) {
  if (increase) {
    if (counter > highest) return std::nullopt;
    return counter + kIndentStep;
  }
  if (counter <= 0) return std::nullopt;
  return counter - kIndentStep;
}

std::u16string PointsConversionText(double points) {
  const double inches = points / 72;
  const std::string text =
      OneOrTwoDecimals(inches) + " Inch / " + OneOrTwoDecimals(inches * 25.4) + " mm";
  return std::u16string(text.begin(), text.end());
}

}  // namespace writer
