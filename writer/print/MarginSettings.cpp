#include "writer/print/MarginSettings.h"

#include <cmath>
#include <cwchar>

namespace writer {

std::wstring InchesHint(int millimeters) {
  // Hundredths, rounded; the second decimal is dropped when it is 0.
  const long long hundredths = std::llround(std::fabs(millimeters) * 100.0 / 25.4);
  wchar_t text[48];
  if (hundredths % 10 == 0)
    std::swprintf(text, 48, L"Value in Inches: %lld.%lld", hundredths / 100, hundredths % 100 / 10);
  else
    std::swprintf(text, 48, L"Value in Inches: %lld.%02lld", hundredths / 100, hundredths % 100);
  return text;
}

}  // namespace writer
