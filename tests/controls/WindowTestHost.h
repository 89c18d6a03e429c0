#pragma once
#include <windows.h>

#include <vector>

#include "controls/PixelBuffer.h"
#include "controls/StyledControl.h"
#include "platform/GdiHandles.h"

namespace controls::test {

// A visible top-level window for controls to live on; it records the commands and modal
// results its children send it.
class TTestHost {
 public:
  explicit TTestHost(COLORREF background = RGB(212, 208, 200), int width = 420, int height = 300);
  TTestHost(const TTestHost&) = delete;
  TTestHost& operator=(const TTestHost&) = delete;
  ~TTestHost();

  HWND Handle() const { return hwnd_; }

  struct TCommand {
    int id;
    int code;
    HWND from;
  };
  std::vector<TCommand> commands;
  std::vector<int> modalResults;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  BrushHandle brush_;
};

// What the control shows, drawn the way its WM_PAINT draws it.
TPixelBuffer Snapshot(TStyledControl& control);

// Runs the message loop for about ms milliseconds, or until done() is true.
template <class Done>
bool PumpUntil(Done done, int ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > ms) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
  return true;
}
void Pump(int ms);

// Client-coordinate mouse messages.
void SendMouse(HWND hwnd, UINT msg, int x, int y);
// One fade step, as the control's timer would give it.
void Tick(HWND hwnd, int times = 1);
// A key as the message loop hands it to the focused window.
void SendKey(HWND hwnd, WPARAM key);

}  // namespace controls::test
