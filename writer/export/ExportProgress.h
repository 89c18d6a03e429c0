#pragma once
// TfrmExport: the small window that shows how much of the document an export has done. It is
// shown modeless above the main window while an export runs.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"

class TfrmExport : public Form {
 public:
  static constexpr int kClientWidth = 330;
  static constexpr int kClientHeight = 170;

  void Create(HWND owner);
  // Shows the window centred on the owner.
  void ShowCentredOn(HWND owner);
  void SetProgress(int percent);

  Label lblProgBar;
  Label lblStatus;

 protected:
  void FormClose() override;
  void FormPaint(HDC dc) override;

 private:
  FontHandle bigFont_;
  int step_ = 0;  // the busy picture turns a step with each progress shown
};
