#pragma once
// A number box with up and down arrows: an edit control and its up-down buddy. The value is
// a number held in a range; the arrows step it by the increment (one unless set), typed text is
// read as a number (a comma counts as the decimal point) and held to the range.
#include <functional>

#include "platform/Controls.h"

class SpinEdit : public Edit {
 public:
  void Create(HWND parent, int left, int top, int width, int height);
  // The arrows stay inside the edit's bounds.
  void SetBounds(int left, int top, int width, int height);
  void SetEnabled(bool enabled);
  void SetRange(double minValue, double maxValue);
  double MinValue() const { return min_; }
  double MaxValue() const { return max_; }
  void SetIncrement(double increment) { increment_ = increment; }
  // The typed number held to the range; the last good value while the text is no number.
  double Value() const;
  void SetValue(double value);
  // Moves the value by delta arrow steps, as the arrows do.
  void Step(int delta);
  // After an arrow click has moved the value (delta: +1 up, -1 down).
  std::function<void(int)> OnArrow;

  void HandleCommand(WORD code) override;

 private:
  class Arrows : public Control {
   public:
    explicit Arrows(SpinEdit& owner) : owner_(owner) {}
    void Create(HWND parent, HWND buddy);
    bool HandleNotify(const NMHDR& header, LRESULT& result) override;

   private:
    SpinEdit& owner_;
  };

  double Clamp(double value) const;
  Arrows arrows_{*this};
  double min_ = 0;
  double max_ = 100;
  double last_ = 0;
  double increment_ = 1;
};
