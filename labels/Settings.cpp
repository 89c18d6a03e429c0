#include "labels/Settings.h"

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/GdiHandles.h"

namespace {
constexpr int kWidth = 315, kHeight = 150, kCorner = 16, kTitleHeight = 34;
}

void TfrmSettings::Create() {
  FormStyle style = FormStyle::Borderless(L"Settings", kWidth, kHeight);
  style.color = RGB(255, 255, 255);
  LabelForm::Create(style);
  SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, kWidth + 1, kHeight + 1, kCorner, kCorner),
               FALSE);
  dragByBand_ = true;
  HWND w = Handle();
  lblSeparator.Create(w, L"Separator for import / export csv file", 20, 52, 230, 18);
  edtSeparator.Create(w, 254, 48, 36, 23);
  edtSeparator.SetMaxLength(1);
  btnSave.Create(w, L"Save", 106, 102, 90, 28);
  btnCancel.Create(w, L"Cancel", 204, 102, 90, 28);
  btnSave.OnClick = [this] { btnSaveClick(); };
  btnCancel.SetModalResult(mrCancel);
  SetCancelButton(&btnCancel);
  SetFirstFocus(&edtSeparator);
}

void TfrmSettings::FormShow() {
  edtSeparator.SetText(WideFromBytes(settings_.record.Separator));
  LabelForm::FormShow();
  edtSeparator.SelectAll();
}

void TfrmSettings::FormPaint(HDC dc) {
  // A white rounded panel with its title in a band along the top.
  PenHandle edge(CreatePen(PS_SOLID, 1, RGB(124, 168, 211)));
  {
    Selection pen(dc, edge.get());
    Selection brush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 0, 0, kWidth, kHeight, kCorner, kCorner);
  }
  RECT band{1, 1, kWidth - 1, kTitleHeight};
  const int saved = SaveDC(dc);
  RegionHandle clip(CreateRoundRectRgn(1, 1, kWidth, kHeight, kCorner, kCorner));
  ExtSelectClipRgn(dc, clip.get(), RGN_AND);
  PaintTitleBand(dc, band);
  RestoreDC(dc, saved);
  LOGFONTW lf{};
  GetObjectW(Application::Get().UiFont(), sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  FontHandle bold(CreateFontIndirectW(&lf));
  Selection font(dc, bold.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text{14, 1, kWidth - 14, kTitleHeight};
  DrawTextW(dc, L"Settings", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TfrmSettings::btnSaveClick() {
  settings_.record.Separator = BytesFromWide(edtSeparator.Text()).substr(0, 1);
  try {
    settings_.Write();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
    return;
  }
  SetModalResult(mrOk);
}
