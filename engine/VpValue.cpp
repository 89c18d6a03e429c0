#include "engine/VpValue.h"

TVpValue::TVpValue(ChangeEvent onChange) : onChange_(std::move(onChange)) {}

TVpValue::TVpValue(TVpMeasurement measurement, long double number)
    : inches_(ConvertValue(number, measurement, vpInches)) {}

void TVpValue::SetAsInches(long double inches) {
  if (inches == inches_) return;
  inches_ = inches;
  onChange_(*this);
}

long double TVpValue::AsMillimeters() const { return GetValue(vpMillimeters); }

void TVpValue::SetAsMillimeters(long double millimeters) { SetValue(vpMillimeters, millimeters); }

std::int32_t TVpValue::AsTwips() const { return VpRoundToInt(GetValue(vpTwips)); }

void TVpValue::SetAsTwips(std::int32_t twips) { SetValue(vpTwips, twips); }

long double TVpValue::GetValue(TVpMeasurement measurement) const {
  return ConvertValue(inches_, vpInches, measurement);
}

void TVpValue::SetValue(TVpMeasurement measurement, long double number) {
  SetAsInches(ConvertValue(number, measurement, vpInches));
}

std::int32_t TVpValue::AsDevicePixels(std::int32_t ppi) const {
  return VpRoundToInt(static_cast<long double>(ppi) * inches_);
}

void TVpValue::Assign(const TVpValue& source) {
  inches_ = source.inches_;
  onChange_(*this);
}
