#pragma once
// The print preview's small dialogs: borderless white windows headed by a coloured title band.
// Pressing the mouse on the band or on the dialog's background moves the dialog.
#include <string>

#include "platform/Controls.h"
#include "platform/Form.h"

class TBandDialog : public Form {
 public:
  static constexpr int kTitleHeight = 28;

  Label pnlTitle;

 protected:
  void CreateBanded(HWND owner, const std::wstring& title, int width, int height);
  // The mouse moved over the title band.
  virtual void TitleMouseMove() {}
  void FormMouseDown(int button, POINT) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  BrushHandle bandBrush_;
  FontHandle bandFont_;
};
