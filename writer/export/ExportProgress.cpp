#include "writer/export/ExportProgress.h"

#include <cmath>
#include <string>

namespace {

constexpr int kBusySize = 32;
constexpr int kBusyDots = 8;

}  // namespace

void TfrmExport::Create(HWND owner) {
  FormStyle style =
      FormStyle::DialogWithClient(L"Document Export Status...", kClientWidth, kClientHeight);
  style.color = RGB(255, 255, 255);
  Form::Create(style, owner);
  HWND w = Handle();
  bigFont_.Reset(CreateFontW(-32, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Arial"));
  lblProgBar.Create(w, L"0%", 0, 56, kClientWidth, 40, SS_CENTER);
  lblStatus.Create(w, L"Exporting Data...", 0, 104, kClientWidth, 40, SS_CENTER);
  lblProgBar.SetFont(bigFont_.get());
  lblStatus.SetFont(bigFont_.get());
}

void TfrmExport::ShowCentredOn(HWND owner) {
  CenterOn(owner);
  Show();
}

void TfrmExport::SetProgress(int percent) {
  lblProgBar.SetText(std::to_wstring(percent) + L"%");
  ++step_;
  // Painted at once: the export lets messages run only between pages.
  RedrawWindow(Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TfrmExport::FormClose() {
  lblProgBar.SetText(L"0%");
  Form::FormClose();
}

void TfrmExport::FormPaint(HDC dc) {
  // A ring of dots, the brightest one a step further round at each update.
  const int cx = kClientWidth / 2, cy = 12 + kBusySize / 2;
  for (int i = 0; i < kBusyDots; ++i) {
    const double angle = 2 * 3.14159265358979 * i / kBusyDots;
    const int x = cx + static_cast<int>(std::lround(12 * std::cos(angle)));
    const int y = cy + static_cast<int>(std::lround(12 * std::sin(angle)));
    const int shade = ((i - step_) % kBusyDots + kBusyDots) % kBusyDots * 24;
    BrushHandle dot(CreateSolidBrush(RGB(shade, 100 + shade / 2, 192)));
    Selection brush(dc, dot.get());
    Selection pen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x - 3, y - 3, x + 4, y + 4);
  }
}
