#include "writer/print/HeaderF.h"

#include "engine/VpGdiSupport.h"
#include "platform/CodePage.h"
#include "platform/ModalResult.h"

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 250;
constexpr int kColumn = 160;

TVpFont EngineFont(const FontChoice& choice) {
  TVpFont font;
  font.Name = VpAcpFromWide(choice.face);
  font.Size = choice.pointSize;
  font.Color = choice.color;
  font.Charset = choice.charset;
  font.Style = static_cast<std::uint8_t>(
      (choice.bold ? vpBold : 0) | (choice.italic ? vpItalic : 0) |
      (choice.underline ? vpUnderline : 0) | (choice.strikeOut ? vpStrikeOut : 0));
  return font;
}

}  // namespace

THeaderFooterForm::THeaderFooterForm() {
  font_.face = L"Arial";
  font_.pointSize = 12;
}

void THeaderFooterForm::Create(HWND owner) {
  CreateBanded(owner, L"Header and Footer Titles", kWidth, kHeight);
  HWND w = Handle();
  const int top = kTitleHeight + 10;
  lblLeftText.Create(w, L"Left Text", 70, top, kColumn, 18);
  lblCenterText.Create(w, L"Center Text", 70 + kColumn, top, kColumn, 18);
  lblRightText.Create(w, L"Right Text", 70 + 2 * kColumn, top, kColumn, 18);
  lblHeader.Create(w, L"Header", 10, top + 26, 60, 18);
  lblFooter.Create(w, L"Footer", 10, top + 62, 60, 18);
  for (int i = 0; i < 6; ++i) {
    edtTitles[i].Create(w, 70 + (i % 3) * kColumn, top + 22 + (i / 3) * 36, kColumn - 8, 28,
                        ES_AUTOHSCROLL);
    edtTitles[i].SetMaxLength(kMaxText);
  }
  chkHeaderLine.Create(w, L"Show Header Line", 70, top + 100, 150, 22);
  chkFooterLine.Create(w, L"Show Footer Line", 230, top + 100, 150, 22);
  lblLineType.Create(w, L"Line Type:", 10, top + 136, 70, 18);
  ComboBox1.Create(w, 80, top + 132, 120, 200, CBS_DROPDOWN);
  for (const wchar_t* item : {L"Solid", L"Dotted", L"DashDot", L"DashDotDot"}) ComboBox1.Add(item);
  ComboBox1.SetText(L"Solid");
  btnFont.Create(w, L"Font", 210, top + 130, 80, 28);
  btnFont.OnClick = [this] { btnFontClick(); };
  btnLineColour.Create(w, L"Line Colour", 296, top + 130, 100, 28, BS_OWNERDRAW);
  btnLineColour.OnClick = [this] { btnLineColourClick(); };
  SpeedButton1.Create(w, L"?", kWidth - 40, top + 130, 28, 28);
  SpeedButton1.SetHint(L"Help...");
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  btnApply.Create(w, L"Apply", kWidth - 200, kHeight - 44, 85, 28);
  btnApply.SetHint(L"Apply Changes");
  btnApply.SetModalResult(mrOk);
  btnClose.Create(w, L"Close", kWidth - 105, kHeight - 44, 85, 28);
  btnClose.SetModalResult(mrCancel);
  SetCancelButton(&btnClose);
  ApplyFont();
}

void THeaderFooterForm::ApplyFont() {
  HDC screen = GetDC(nullptr);
  LOGFONTW lf = VpLogFont(EngineFont(font_), GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  screenFont_.Reset(CreateFontIndirectW(&lf));
  for (Edit& edit : edtTitles) edit.SetFont(screenFont_.get());
}

void THeaderFooterForm::btnFontClick() {
  FontRequest request;
  request.initial = font_;
  request.minPointSize = 8;
  request.maxPointSize = 50;
  if (std::optional<FontChoice> chosen = FontDialog(request)) {
    font_ = *chosen;
    ApplyFont();
  }
}

void THeaderFooterForm::btnLineColourClick() {
  if (std::optional<unsigned> colour = CurrentDialogs().PickColor(RGB(0, 0, 0))) {
    lineColour_ = *colour;
    btnLineColour.Invalidate();
  }
}

void THeaderFooterForm::SpeedButton1Click() { ShowInformation(kHelpText); }

int THeaderFooterForm::LinePenStyle() const {
  static constexpr int kStyles[] = {vpPenSolid, vpPenDot, vpPenDashDot, vpPenDashDotDot};
  const std::wstring text = ComboBox1.Text();
  for (int i = 0; i < ComboBox1.Count(); ++i)
    if (ComboBox1.SelectedIndex() == i && ComboBox1.ItemText(i) == text) return kStyles[i];
  return -1;
}

std::string THeaderFooterForm::Text(int index) const {
  return VpAcpFromWide(edtTitles.at(static_cast<std::size_t>(index)).Text());
}

void THeaderFooterForm::ShowLinesOf(const TVpHeader& header, const TVpFooter& footer) {
  chkHeaderLine.SetChecked(header.ShowLine());
  chkFooterLine.SetChecked(footer.ShowLine());
}

void THeaderFooterForm::ApplyTo(TVpHeader& header, TVpFooter& footer) const {
  const TVpFont font = EngineFont(font_);
  const int penStyle = LinePenStyle();
  TVpHeaderFooter* bands[] = {&header, &footer};
  for (int b = 0; b < 2; ++b) {
    TVpHeaderFooter& band = *bands[b];
    TVpPen pen = band.Pen();
    pen.Color = lineColour_;
    if (penStyle >= 0) pen.Style = penStyle;
    band.SetPen(pen);
    for (int c = 0; c < 3; ++c) {
      band.Caption(c).SetFont(font);
      band.Caption(c).SetCaption(Text(b * 3 + c));
    }
    band.SetVisible(true);
  }
  header.SetShowLine(chkHeaderLine.Checked());
  footer.SetShowLine(chkFooterLine.Checked());
}

LRESULT THeaderFooterForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item.hwndItem == btnLineColour.Handle()) {
      // The caption in the chosen line colour on a plain button face.
      RECT r = item.rcItem;
      DrawFrameControl(item.hDC, &r, DFC_BUTTON,
                       DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
      SetBkMode(item.hDC, TRANSPARENT);
      SetTextColor(item.hDC, lineColour_);
      DrawTextW(item.hDC, L"Line Colour", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      return TRUE;
    }
  }
  return TBandDialog::WndProc(msg, wp, lp);
}
