#include "engine/VpValueSize.h"

TVpCustomValueSize::TVpCustomValueSize(ChangeEvent onChange)
    : onChange_(std::move(onChange)),
      first_(TVpValue::ChangeEvent::Bind(*this, &TVpCustomValueSize::InnerChanged)),
      second_(TVpValue::ChangeEvent::Bind(*this, &TVpCustomValueSize::InnerChanged)) {}

void TVpCustomValueSize::Assign(const TVpValueSize& source) {
  second_.SetAsInches(source.Second().AsInches());
  first_.SetAsInches(source.First().AsInches());
}

void TVpCustomValueSize::InnerChanged(TVpValue&) { onChange_(*this); }
