#pragma once
// The four page margins as single-precision numbers in a chosen unit: the published view of
// a margins object, which owns the four values. Holds no length of its own.

#include <array>
#include <functional>

#include "engine/VpValue.h"

class TVpMarginValues {
 public:
  // The margins object's four values, index 0 to 3: left, top, right, bottom. They must
  // outlive this view.
  TVpMarginValues(TVpValue& left, TVpValue& top, TVpValue& right, TVpValue& bottom);
  TVpMarginValues(const TVpMarginValues&) = delete;
  TVpMarginValues& operator=(const TVpMarginValues&) = delete;

  // Reading converts the stored inches to ValueMeasurement and narrows to float; writing
  // converts the float from ValueMeasurement to inches and stores it (notifying on change).
  float Left() const { return Read(0); }
  void SetLeft(float value) { Write(0, value); }
  float Top() const { return Read(1); }
  void SetTop(float value) { Write(1, value); }
  float Right() const { return Read(2); }
  void SetRight(float value) { Write(2, value); }
  float Bottom() const { return Read(3); }
  void SetBottom(float value) { Write(3, value); }

  // Changing the unit changes no stored margin, only how the four read and write.
  TVpMeasurement ValueMeasurement() const { return measurement_; }
  void SetValueMeasurement(TVpMeasurement measurement) { measurement_ = measurement; }

 private:
  float Read(int index) const;
  void Write(int index, float value);

  std::array<std::reference_wrapper<TVpValue>, 4> values_;
  TVpMeasurement measurement_ = vpInches;
};
