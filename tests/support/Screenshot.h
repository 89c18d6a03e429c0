#pragma once
// Saves what a window shows on screen as a PNG under build/screenshots.
#include <windows.h>

#include <string>

// The window is brought to the top and repainted first, then its screen area is saved.
void SaveWindowPng(HWND window, const std::wstring& path);
// Saves under build/screenshots/<name>.png and returns the path written.
std::wstring SaveWindowScreenshot(HWND window, const std::wstring& name);
