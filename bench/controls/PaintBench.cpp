// Painting of the real window classes: one button paint, and resizing a window of controls.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/controls/BenchClock.h"
#include "controls/DibSurface.h"
#include "controls/StyledButton.h"
#include "controls/StyledCheckBox.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"

using namespace controls;

namespace {

HWND MakeHost(int w, int h) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"ControlsBenchHost";
  RegisterClassExW(&wc);
  const HWND hwnd =
      CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, w,
                      h, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  return hwnd;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// A button whose fade levels the bench can put, as a paint in mid-fade sees them.
class TBenchButton : public TStyledButton {
 public:
  using TStyledButton::TStyledButton;
  void Levels(int over, int click) {
    if (click > 0 && !Fade().Pressed()) {
      Fade().MouseEnter();
      Fade().MouseDown();
    }
    Fade().SetLevels(over, click);
  }
};

}  // namespace

int wmain() {
  const HWND host = MakeHost(900, 700);
  std::printf("window painting (Wine's GDI when run under Wine)\n");
  TBenchButton button(host, 10, 10, 200, 40);
  button.SetCaption(L"Preview");
  TDibSurface target(200, 40);
  button.Levels(50, 0);
  bench::Measure("paint a 200 x 40 button: compose, blend, caption",
                 [&] { button.PaintTo(target.DC()); });
  button.Levels(100, 100);
  bench::Measure("paint it pressed: two composes, caption", [&] { button.PaintTo(target.DC()); });

  {
    TStyledPanel alone(host, 0, 60, 880, 600);
    int n = 0;
    bench::Measure("rebuild an 880 x 600 panel picture",
                   [&] { alone.SetBounds(0, 60, 880 + (n++ & 1), 600); });
    alone.SetAntialiased(true);
    bench::Measure("rebuild it antialiased (gradient: all reduced)",
                   [&] { alone.SetBounds(0, 60, 880 + (n++ & 1), 600); });
    alone.SetGradient(false);
    bench::Measure("rebuild it antialiased, plain colour (band only)",
                   [&] { alone.SetBounds(0, 60, 880 + (n++ & 1), 600); });
  }

  std::vector<std::unique_ptr<TStyledControl>> controls;
  auto panel = std::make_unique<TStyledPanel>(host, 0, 60, 880, 600);
  panel->SetAntialiased(true);
  panel->SetCornerWidth(20);
  const HWND inside = panel->Handle();
  for (int row = 0; row < 12; ++row)
    for (int col = 0; col < 6; ++col) {
      const int x = 12 + col * 140;
      const int y = 12 + row * 44;
      if (row % 3 == 0) controls.push_back(std::make_unique<TStyledButton>(inside, x, y, 110, 30));
      if (row % 3 == 1) controls.push_back(std::make_unique<TStyledCheckBox>(inside, x, y));
      if (row % 3 == 2) controls.push_back(std::make_unique<TStyledRadioButton>(inside, x, y));
      controls.back()->SetCaption(L"Control");
    }
  Pump();
  bench::Measure("repaint the 72 controls on it (no resize)", [&] {
    RedrawWindow(inside, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
  for (auto& c : controls)
    if (dynamic_cast<TStyledRadioButton*>(c.get())) {
      bench::Measure("repaint one radio button over the panel", [&] {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      });
      break;
    }
  for (auto& c : controls)
    if (dynamic_cast<TStyledCheckBox*>(c.get())) {
      bench::Measure("repaint one check box", [&] {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      });
      break;
    }
  int step = 0;
  bench::Measure("resize a 72-control antialiased panel and repaint all", [&] {
    const int w = 860 + (step++ % 20);
    panel->SetBounds(0, 60, w, 600);
    RedrawWindow(inside, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
  controls.clear();
  panel.reset();
  DestroyWindow(host);
  return 0;
}
