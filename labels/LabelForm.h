#pragma once
// The common ground of the label program's windows: a title band across the top, centring
// on the main window, and Enter moving the focus along a fixed order.
#include <map>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"

// Paints the title band's gradient into rect (any coordinates; callers clip).
void PaintTitleBand(HDC dc, const RECT& rect);
// Paints the grey band along the bottom of a client area, with its dividing line.
void PaintBottomBand(HDC dc, const RECT& client, int height);

class LabelForm : public Form {
 public:
  static constexpr int kBandHeight = 44;

  void SetTitleBand(const std::wstring& title) { bandTitle_ = title; }
  const std::wstring& TitleBand() const { return bandTitle_; }
  // Enter in `from` moves the focus to `to`.
  void SetEnterOrder(const std::vector<std::pair<Control*, Control*>>& steps);
  // Whether the form is centred on the main window when shown.
  void SetCenterOnMain(bool centre) { centerOnMain_ = centre; }

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;
  void FormMouseDown(int button, POINT client) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  // For borderless forms: a press on the band starts moving the window.
  bool dragByBand_ = false;
  bool bandTitleOnRight_ = false;

 private:
  std::wstring bandTitle_;
  bool centerOnMain_ = true;
  std::map<HWND, Control*> enterOrder_;
};
