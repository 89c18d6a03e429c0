#pragma once
// Shows the hourglass while a command works and puts the previous cursor back when the
// command ends, also when it ends by an exception.
#include <windows.h>

class HourglassCursor {
 public:
  HourglassCursor();
  ~HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;

  // Nesting depth; the cursor is restored only when the outermost guard ends.
  static int Depth();

 private:
  HCURSOR previous_;
};
