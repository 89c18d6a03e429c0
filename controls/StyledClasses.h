#pragma once
#include <windows.h>

namespace controls {

class TStyledControl;

// Window procedure shared by the controls' classes.
LRESULT CALLBACK StyledWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Whether the window belongs to one of the controls' classes.
bool IsStyledControlWindow(HWND hwnd);

// A new object for a window made by class name, or nullptr when the class is not ours.
TStyledControl* NewStyledControlForWindow(HWND hwnd);

}  // namespace controls
