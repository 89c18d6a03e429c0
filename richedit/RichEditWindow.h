#pragma once
// Our rich-edit-compatible control as a window class. A program creates it with
// CreateWindowExW under the returned class name and talks to it only through the rich-edit
// messages, exactly as it would talk to the platform's control.
#include <windows.h>

namespace richedit {

// Beyond the platform's messages: every change between EM_BEGINUNDOGROUP and EM_ENDUNDOGROUP
// (wParam and lParam 0) becomes one undo step, as the platform's control offers through its
// text object model. Pairs may nest.
inline constexpr UINT EM_BEGINUNDOGROUP = WM_USER + 0x3F0;
inline constexpr UINT EM_ENDUNDOGROUP = WM_USER + 0x3F1;

// Registers the class once per process (later calls only return the name).
const wchar_t* registerRichEditClass();

}  // namespace richedit
