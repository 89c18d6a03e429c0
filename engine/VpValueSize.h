#pragma once
// Two owned lengths that notify as one: a size (width, height) or a point (x, y).

#include "engine/VpValue.h"

class TVpValueSize;

class TVpCustomValueSize {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpCustomValueSize>;

  explicit TVpCustomValueSize(ChangeEvent onChange = {});
  // The inner values notify back into this object.
  TVpCustomValueSize(const TVpCustomValueSize&) = delete;
  TVpCustomValueSize& operator=(const TVpCustomValueSize&) = delete;

  TVpValue& First() { return first_; }
  const TVpValue& First() const { return first_; }
  TVpValue& Second() { return second_; }
  const TVpValue& Second() const { return second_; }

  // Copies the second value, then the first, each through SetAsInches, so OnChange fires
  // once for every inner value that actually changed.
  void Assign(const TVpValueSize& source);

  const ChangeEvent& OnChange() const { return onChange_; }
  void SetOnChange(ChangeEvent onChange) { onChange_ = std::move(onChange); }

 private:
  void InnerChanged(TVpValue&);

  ChangeEvent onChange_;
  TVpValue first_;
  TVpValue second_;
};

class TVpValueSize : public TVpCustomValueSize {
 public:
  using TVpCustomValueSize::TVpCustomValueSize;
  TVpValue& Width() { return First(); }
  const TVpValue& Width() const { return First(); }
  TVpValue& Height() { return Second(); }
  const TVpValue& Height() const { return Second(); }
};

class TVpValuePoint : public TVpCustomValueSize {
 public:
  using TVpCustomValueSize::TVpCustomValueSize;
  TVpValue& X() { return First(); }
  const TVpValue& X() const { return First(); }
  TVpValue& Y() { return Second(); }
  const TVpValue& Y() const { return Second(); }
};
