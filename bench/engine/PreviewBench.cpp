// Figures for the preview under Wine (needs a display): painting a 24-label page at zoom 100,
// a zoom step and a scroll step repainted, and a 417-page preview with its thumbnail strip
// rebuilt after EndUpdate, then the strip scrolled a step.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "bench/controls/BenchClock.h"
#include "bench/engine/LabelRun.h"
#include "engine/VpPreview.h"
#include "engine/VpThumbnails.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
  HWND frame = CreateWindowExW(0, L"STATIC", L"Preview bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 1100, 900, nullptr, nullptr, nullptr, nullptr);
  TVpPreview preview(frame, 0, 0, 800, 860);
  TVpThumbnails strip(frame, 810, 0, 270, 860);
  strip.SetPreview(&preview);

  const auto start = std::chrono::steady_clock::now();
  preview.BeginUpdate();
  bench::RecordLabels(preview.PageList(), 10000);
  preview.EndUpdate();
  std::printf("%d pages recorded and the strip rebuilt after EndUpdate: %.1f ms\n",
              preview.PageCount(), Milliseconds(std::chrono::steady_clock::now() - start));

  preview.SetZoom(100);
  preview.GoToPage(200);
  HWND image = preview.PaperImage().Handle();
  bench::Measure("label page painted at zoom 100", [&] {
    InvalidateRect(image, nullptr, FALSE);
    UpdateWindow(image);
  });
  int zoom = 100;
  bench::Measure("zoom step repainted", [&] {
    zoom = zoom == 100 ? 120 : 100;
    preview.SetZoom(zoom);
    UpdateWindow(preview.Handle());
    UpdateWindow(image);
  });
  bench::Measure("  of which the zoom itself, without painting", [&] {
    zoom = zoom == 100 ? 120 : 100;
    preview.SetZoom(zoom);
  });
  UpdateWindow(preview.Handle());
  UpdateWindow(image);
  bench::Measure("  of which the frame and its bars, redrawn", [&] {
    RedrawWindow(preview.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    UpdateWindow(preview.Handle());
  });
  int y = 0;
  bench::Measure("scroll step repainted", [&] {
    y = y == 0 ? 40 : 0;
    preview.SetScrollPosition(0, y);
    UpdateWindow(preview.Handle());
    UpdateWindow(image);
  });
  int top = 0;
  bench::Measure("thumbnail strip scrolled a step", [&] {
    top = (top + 120) % 20000;
    strip.SetScrollPosition(0, top);
    UpdateWindow(strip.Handle());
  });
  std::printf("thumbnail pictures cached: %d\n", strip.CachedPictureCount());
  DestroyWindow(frame);
}
