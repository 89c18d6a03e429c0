#pragma once
// The built-in label sheets, in the order a template list adds them.

#include <span>

#include "engine/VpLabelTemplate.h"

struct TVpBuiltInLabelSheet {
  TVpLabelTemplate Id;
  TVpLabelSheetValues Values;
  TVpPaperSize Paper;
  TVpOrientation Orientation;
  TVpMeasurement Measurement;  // unit of the lengths in Values
};

// All 19 sheets; every one has a rounded-rectangle outline and is named after its identifier.
std::span<const TVpBuiltInLabelSheet> BuiltInLabelSheets();
