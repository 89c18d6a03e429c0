#include "engine/VpMarginValues.h"

TVpMarginValues::TVpMarginValues(TVpValue& left, TVpValue& top, TVpValue& right, TVpValue& bottom)
    : values_{left, top, right, bottom} {}

float TVpMarginValues::Read(int index) const {
  return static_cast<float>(values_[index].get().GetValue(measurement_));
}

void TVpMarginValues::Write(int index, float value) {
  values_[index].get().SetValue(measurement_, value);
}
