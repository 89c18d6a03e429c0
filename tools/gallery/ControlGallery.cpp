// ControlGallery [--shot <file.png>] [--demo <folder>]
// Shows every styled control in every state. --shot saves the window and quits; --demo moves
// the real mouse over a live button and saves the hover and pressed looks into the folder.
#include <windows.h>

#include <cstdio>
#include <string>

#include "controls/DialogKeys.h"
#include "tests/support/Screenshot.h"
#include "tools/gallery/GalleryWindow.h"

namespace {

void PumpFor(int ms) {
  const DWORD start = GetTickCount();
  while (static_cast<int>(GetTickCount() - start) < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

bool Save(HWND hwnd, const std::wstring& path) {
  try {
    SaveWindowPng(hwnd, path);
    return true;
  } catch (const std::exception&) {
    std::fwprintf(stderr, L"ControlGallery: %ls could not be written\n", path.c_str());
    return false;
  }
}

void MouseButton(DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  SendInput(1, &in, sizeof in);
}

// Real input: the pointer over the live button, then its left button held down.
bool Demo(const gallery::TGalleryWindow& window, const std::wstring& folder) {
  SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RECT r{};
  GetWindowRect(window.LiveButton(), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PumpFor(600);
  bool ok = Save(window.Handle(), folder + L"\\gallery-live-hover.png");
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpFor(300);
  ok = Save(window.Handle(), folder + L"\\gallery-live-pressed.png") && ok;
  MouseButton(MOUSEEVENTF_LEFTUP);
  SetCursorPos(5, 5);
  PumpFor(600);
  return Save(window.Handle(), folder + L"\\gallery-live-left.png") && ok;
}

int RunLoop(const gallery::TGalleryWindow& window) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (controls::HandleStyledDialogKey(msg) || IsDialogMessageW(window.Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    gallery::TGalleryWindow window;
    ShowWindow(window.Handle(), SW_SHOW);
    UpdateWindow(window.Handle());
    const std::wstring option = argc > 2 ? argv[1] : L"";
    if (option == L"--shot") {
      PumpFor(500);
      return Save(window.Handle(), argv[2]) ? 0 : 1;
    }
    if (option == L"--demo") return Demo(window, argv[2]) ? 0 : 1;
    return RunLoop(window);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ControlGallery: %s\n", e.what());
    return 1;
  }
}
