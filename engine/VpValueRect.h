#pragma once
// A rectangle of two owned points, top-left and bottom-right, read by index 1 (Left) to 4
// (Bottom). It has no notification of its own; owners may bind the points' OnChange.

#include "engine/VpValueSize.h"

class TVpValueRect {
 public:
  TVpValueRect() = default;
  explicit TVpValueRect(const TVpRect& inches) { SetRect(inches); }
  TVpValueRect(const TVpValueRect&) = delete;
  TVpValueRect& operator=(const TVpValueRect&) = delete;

  // 1 Left, 2 Top, 3 Right, 4 Bottom; nullptr for any other index.
  TVpValue* Value(int index);
  const TVpValue* Value(int index) const;

  TVpValue& Left() { return topLeft_.X(); }
  TVpValue& Top() { return topLeft_.Y(); }
  TVpValue& Right() { return bottomRight_.X(); }
  TVpValue& Bottom() { return bottomRight_.Y(); }

  TVpValuePoint& TopLeft() { return topLeft_; }
  const TVpValuePoint& TopLeft() const { return topLeft_; }
  TVpValuePoint& BottomRight() { return bottomRight_; }
  const TVpValuePoint& BottomRight() const { return bottomRight_; }

  // Sets Left, Top, Right, Bottom in that order, each through SetAsInches.
  void SetRect(const TVpRect& inches);
  // The four values in inches.
  TVpRect AsRect() const;

 private:
  TVpValuePoint topLeft_;
  TVpValuePoint bottomRight_;
};
