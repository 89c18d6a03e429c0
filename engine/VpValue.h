#pragma once
// A length with change notification. The owner (margins, header, canvas, ...) binds OnChange
// at creation to repaint or re-lay out; the value is held in inches.

#include <cstdint>
#include <utility>

#include "engine/VpNotify.h"
#include "engine/VpTypes.h"

class TVpValue {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpValue>;

  // Zero inches, notifying through onChange (which may be empty).
  explicit TVpValue(ChangeEvent onChange = {});
  // number in measurement, stored as inches, with no handler.
  TVpValue(TVpMeasurement measurement, long double number);

  // Owners bind OnChange to themselves, so a copy would notify the wrong object; use Assign.
  TVpValue(const TVpValue&) = delete;
  TVpValue& operator=(const TVpValue&) = delete;

  long double AsInches() const { return inches_; }
  // Stores and notifies only when the new value differs from the stored one.
  void SetAsInches(long double inches);

  long double AsMillimeters() const;
  void SetAsMillimeters(long double millimeters);

  // Rounded to whole twips (ties to even).
  std::int32_t AsTwips() const;
  void SetAsTwips(std::int32_t twips);

  long double GetValue(TVpMeasurement measurement) const;
  void SetValue(TVpMeasurement measurement, long double number);

  // ppi x inches, rounded: the length in pixels of a device with ppi pixels per inch.
  std::int32_t AsDevicePixels(std::int32_t ppi) const;

  // Copies the stored inches and notifies even when they were equal.
  void Assign(const TVpValue& source);

  const ChangeEvent& OnChange() const { return onChange_; }
  void SetOnChange(ChangeEvent onChange) { onChange_ = std::move(onChange); }

 private:
  long double inches_ = 0;
  ChangeEvent onChange_;
};
