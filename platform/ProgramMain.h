#pragma once
// What both programs' WinMain do: set the title, create the forms in their fixed order, run
// the message loop, and destroy the forms in reverse order at the end.
#include <functional>
#include <string>

// createForms creates every form once (the first becomes the main form) and shows the main
// form; a failure there reaches the general error handler and the program still runs.
int RunProgram(const std::wstring& title, const std::function<void()>& createForms);
