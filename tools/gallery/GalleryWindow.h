#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/StyledControl.h"
#include "platform/GdiHandles.h"

namespace gallery {

// The gallery: every control in every state side by side, the panel's gradient types and
// caption positions, and a group of live controls to try by hand.
class TGalleryWindow {
 public:
  TGalleryWindow();
  TGalleryWindow(const TGalleryWindow&) = delete;
  TGalleryWindow& operator=(const TGalleryWindow&) = delete;
  ~TGalleryWindow();

  HWND Handle() const { return hwnd_; }
  // The live button the demonstration moves the mouse over.
  HWND LiveButton() const { return liveButton_; }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Build();
  void BuildStateGrid();
  void BuildPanels();
  void BuildLive();
  void PaintLabels(HDC dc);
  template <class T, class... Args>
  T& Add(Args&&... args);

  HWND hwnd_ = nullptr;
  HWND liveButton_ = nullptr;
  FontHandle font_;
  FontHandle boldFont_;
  BrushHandle background_;
  std::vector<std::unique_ptr<controls::TStyledControl>> controls_;
};

}  // namespace gallery
