#pragma once
// Our rich-edit-compatible control as a window class. A program creates it with
// CreateWindowExW under the returned class name and talks to it only through the rich-edit
// messages, exactly as it would talk to the platform's control.
#include <windows.h>

namespace richedit {

// Registers the class once per process (later calls only return the name).
const wchar_t* registerRichEditClass();

}  // namespace richedit
