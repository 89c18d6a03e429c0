#include "engine/VpValueRect.h"

TVpValue* TVpValueRect::Value(int index) {
  return const_cast<TVpValue*>(static_cast<const TVpValueRect&>(*this).Value(index));
}

const TVpValue* TVpValueRect::Value(int index) const {
  switch (index) {
    case 1: return &topLeft_.X();
    case 2: return &topLeft_.Y();
    case 3: return &bottomRight_.X();
    case 4: return &bottomRight_.Y();
    default: return nullptr;
  }
}

void TVpValueRect::SetRect(const TVpRect& inches) {
  topLeft_.X().SetAsInches(inches.Left);
  topLeft_.Y().SetAsInches(inches.Top);
  bottomRight_.X().SetAsInches(inches.Right);
  bottomRight_.Y().SetAsInches(inches.Bottom);
}

TVpRect TVpValueRect::AsRect() const {
  return {topLeft_.X().AsInches(), topLeft_.Y().AsInches(), bottomRight_.X().AsInches(),
          bottomRight_.Y().AsInches()};
}
