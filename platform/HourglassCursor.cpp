#include "platform/HourglassCursor.h"

namespace {
int depth = 0;
}

HourglassCursor::HourglassCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
  ++depth;
}

HourglassCursor::~HourglassCursor() {
  if (--depth == 0) SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW));
}

int HourglassCursor::Depth() { return depth; }
