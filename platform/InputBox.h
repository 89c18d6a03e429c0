#pragma once
// A modal box with a prompt, one line of text, OK and Cancel; Windows has no such dialog.
#include <windows.h>

#include <optional>
#include <string>

std::optional<std::wstring> RunInputBox(HWND owner, const std::wstring& caption,
                                        const std::wstring& prompt, const std::wstring& initial);
