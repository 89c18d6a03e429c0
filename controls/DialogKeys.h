#pragma once
#include <windows.h>

namespace controls {

// Gives Enter to the default styled button and Escape (without Shift, Ctrl or Alt) to the
// cancel button of the top-level window that msg is for. Enter stays with a focused control
// that wants it (a styled button clicks itself, a multi-line edit takes the new line).
// Returns true when a button was clicked; the message loop calls it before
// IsDialogMessage and skips the message then.
bool HandleStyledDialogKey(const MSG& msg);

}  // namespace controls
