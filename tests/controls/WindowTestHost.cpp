#include "tests/controls/WindowTestHost.h"

#include "controls/DibSurface.h"
#include "platform/ModalResult.h"

namespace controls::test {
namespace {

constexpr const wchar_t* kHostClass = L"ControlsTestHost";

}  // namespace

TTestHost::TTestHost(COLORREF background, int width, int height) {
  brush_.Reset(CreateSolidBrush(background));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHostClass;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kHostClass, L"Controls test",
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, width, height, nullptr,
                          nullptr, GetModuleHandleW(nullptr), this);
  SetClassLongPtrW(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_.get()));
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

TTestHost::~TTestHost() { DestroyWindow(hwnd_); }

LRESULT CALLBACK TTestHost::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(
        hwnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* host = reinterpret_cast<TTestHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (host && msg == WM_COMMAND) {
    host->commands.push_back({LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
    return 0;
  }
  if (host && msg == ModalResultMessage()) {
    host->modalResults.push_back(static_cast<int>(wp));
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TPixelBuffer Snapshot(TStyledControl& control) {
  RECT r{};
  GetClientRect(control.Handle(), &r);
  TDibSurface surface(r.right, r.bottom);
  control.PaintTo(surface.DC());
  TPixelBuffer out(r.right, r.bottom);
  CopyPixels(out.View(), 0, 0, surface.Pixels(), out.View().Bounds());
  return out;
}

void Pump(int ms) {
  PumpUntil([] { return false; }, ms);
}

void SendMouse(HWND hwnd, UINT msg, int x, int y) {
  const WPARAM keys = msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
  SendMessageW(hwnd, msg, keys, MAKELPARAM(x, y));
}

void Tick(HWND hwnd, int times) {
  for (int i = 0; i < times; ++i) SendMessageW(hwnd, WM_TIMER, 1, 0);
}

void SendKey(HWND hwnd, WPARAM key) {
  SendMessageW(hwnd, WM_KEYDOWN, key, 1);
  SendMessageW(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

}  // namespace controls::test
