#include "writer/print/BandDialog.h"

namespace {

constexpr COLORREF kBandColor = RGB(0, 84, 147);

}  // namespace

void TBandDialog::CreateBanded(HWND owner, const std::wstring& title, int width, int height) {
  FormStyle style = FormStyle::Borderless(title, width, height);
  style.style |= WS_BORDER;
  style.color = RGB(255, 255, 255);
  Form::Create(style, owner);
  pnlTitle.Create(Handle(), title, 0, 0, width, kTitleHeight,
                  SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY);
  bandBrush_.Reset(CreateSolidBrush(kBandColor));
  bandFont_.Reset(
      CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  pnlTitle.SetFont(bandFont_.get());
  pnlTitle.SetMessageHook([this](UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_MOUSEMOVE) TitleMouseMove();
    if (msg != WM_LBUTTONDOWN) return false;
    BeginTitleDrag();
    return true;
  });
}

void TBandDialog::FormMouseDown(int button, POINT) {
  if (button == 0) BeginTitleDrag();
}

LRESULT TBandDialog::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == pnlTitle.Handle()) {
    const HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, kBandColor);
    return reinterpret_cast<LRESULT>(bandBrush_.get());
  }
  return Form::WndProc(msg, wp, lp);
}
