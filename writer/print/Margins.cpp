#include "writer/print/Margins.h"

#include <cmath>

#include "platform/ModalResult.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 250;

}  // namespace

void TMarginsForm::Create(HWND owner) {
  CreateBanded(owner, L"Page Margins", kWidth, kHeight);
  HWND w = Handle();
  struct Row {
    Label& label;
    const wchar_t* caption;
    SpinEdit& box;
    int minimum, maximum, design;
    bool arrowsOnly;
  } rows[] = {
      {lblTop, L"Top", spnTop, 1, 100, 15, false},
      {lblLeft, L"Left", spnLeft, 1, 100, 25, false},
      {lblRight, L"Right", spnRight, 1, 100, 25, false},
      {lblBottom, L"Bottom", spnBottom, 1, 100, 15, false},
      {lblHeader, L"Header", spnHeader, 5, 15, 10, true},
      {lblFooter, L"Footer", spnFooter, 5, 15, 10, true},
  };
  int i = 0;
  for (Row& row : rows) {
    const int left = 20 + (i % 2) * 140, top = kTitleHeight + 16 + (i / 2) * 36;
    row.label.Create(w, row.caption, left, top + 3, 50, 18);
    row.box.Create(w, left + 52, top, 70, 24);
    row.box.SetRange(row.minimum, row.maximum);
    row.box.SetValue(row.design);
    if (row.arrowsOnly) {
      row.box.SetReadOnly(true);
      row.box.SetMaxLength(2);
    }
    SpinEdit* box = &row.box;
    row.box.OnChange = [this, box] { ShowHint(*box); };
    row.box.SetMessageHook([this, box](UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_MOUSEMOVE) ShowHint(*box);
      return false;
    });
    ++i;
  }
  lblMillimeters.Create(w, L"Millimeters", 20, kTitleHeight + 124, 120, 18);
  lblHint.Create(w, L"", 150, kTitleHeight + 124, 140, 18);
  lblHint.SetVisible(false);
  btnApply.Create(w, L"Apply", kWidth - 200, kHeight - 44, 85, 28);
  btnApply.SetHint(L"Apply Changes");
  btnApply.SetModalResult(mrOk);
  btnClose.Create(w, L"Close", kWidth - 105, kHeight - 44, 85, 28);
  btnClose.SetHint(L"Close");
  btnClose.SetModalResult(mrCancel);
  SetCancelButton(&btnClose);
}

void TMarginsForm::Load(const writer::MarginSettings& s) {
  spnTop.SetValue(s.Top);
  spnLeft.SetValue(s.Left);
  spnBottom.SetValue(s.Bottom);
  spnRight.SetValue(s.Right);
  spnHeader.SetValue(s.Header);
  spnFooter.SetValue(s.Footer);
  lblHint.SetVisible(false);
}

writer::MarginSettings TMarginsForm::Values() const {
  auto whole = [](const SpinEdit& box) { return static_cast<int>(std::lround(box.Value())); };
  return {whole(spnTop),   whole(spnLeft),   whole(spnBottom),
          whole(spnRight), whole(spnHeader), whole(spnFooter)};
}

void TMarginsForm::ShowHint(const SpinEdit& box) {
  lblHint.SetText(writer::InchesHint(static_cast<int>(std::lround(box.Value()))));
  lblHint.SetVisible(true);
}

void TMarginsForm::FormActivate() {
  if (Source) Load(*Source);
}

LRESULT TMarginsForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEMOVE) lblHint.SetVisible(false);
  return TBandDialog::WndProc(msg, wp, lp);
}
