#pragma once
// The six page margins the print preview works with, in whole millimetres, and how the margins
// dialog shows one of them in inches.
#include <string>

namespace writer {

struct MarginSettings {
  int Top = 15;
  int Left = 25;
  int Bottom = 15;
  int Right = 25;
  int Header = 10;
  int Footer = 10;
  friend bool operator==(const MarginSettings&, const MarginSettings&) = default;
};

// "Value in Inches: " and the millimetres in inches with one or two decimals ("0.59", "1.0").
std::wstring InchesHint(int millimeters);

}  // namespace writer
