#include "labels/Print.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "labels/CustomLabels.h"
#include "labels/Main.h"
#include "labels/records/CustomTemplateSlot.h"
#include "labels/records/NumberFilter.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/HourglassCursor.h"

namespace {

constexpr int kColumnLeft = 10;
constexpr int kColumnWidth = 290;
constexpr int kBottomBand = 48;
constexpr int kButtonHeight = 26;
constexpr int kRow = 28;
// More labels on one sheet than this cannot be a real sheet; laying them out would only
// fill the memory with outlines.
constexpr long long kMostLabelsPerPage = 10'000;

struct LabelType {
  const wchar_t* text;
  TVpLabelTemplate id;
};

constexpr LabelType kLabelTypes[TfrmPrint::kLabelTypeCount] = {
    {L"L7159_Address", TVpLabelTemplate::L7159_Address},
    {L"L7160_Address", TVpLabelTemplate::L7160_Address},
    {L"L7161_Address", TVpLabelTemplate::L7161_Address},
    {L"L7162_Address", TVpLabelTemplate::L7162_Address},
    {L"L7163_Address", TVpLabelTemplate::L7163_Address},
    {L"L7164_Address", TVpLabelTemplate::L7164_Address},
    {L"L7165_Parcel", TVpLabelTemplate::L7165_Parcel},
    {L"L7166_Parcel", TVpLabelTemplate::L7166_Parcel},
    {L"L7167_Shipping", TVpLabelTemplate::L7167_Shipping},
    {L"L7168_Shipping", TVpLabelTemplate::L7168_Shipping},
    {L"L7169_Parcel", TVpLabelTemplate::L7169_Parcel},
    {L"L7170_Eurofolio", TVpLabelTemplate::L7170_Eurofolio},
    {L"L7171_LeverArch", TVpLabelTemplate::L7171_LeverArch},
    {L"L7172_RingBinder", TVpLabelTemplate::L7172_RingBinder},
    {L"L7173_Shipping", TVpLabelTemplate::L7173_Shipping},
    {L"L7263_Address", TVpLabelTemplate::L7263_Address},
    {L"J8660_Diskette", TVpLabelTemplate::J8660_Diskette},
    {L"Avery_5160/8160_Address", TVpLabelTemplate::Avery_5160_Address},
    {L"Herma_4209", TVpLabelTemplate::Herma_4209},
    {L"Custom_Template", TVpLabelTemplate::Custom_Template},
};

// The text lines of a label sit at these distances (mm) below its top.
constexpr double kLineBase[5] = {4, 10, 16, 22, 28};

int Rounded(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

TfrmPrint::TfrmPrint(TfrmMain& main) : main_(main) {}
TfrmPrint::~TfrmPrint() = default;

void TfrmPrint::Create() {
  FormStyle style;
  style.caption = L"Print Preview";
  style.width = 1024;
  style.height = 720;
  style.style |= WS_MAXIMIZE;
  LabelForm::Create(
      style, Application::Get().MainForm() ? Application::Get().MainForm()->Handle() : nullptr);
  SetTitleBand(L"Print Preview");
  SetCenterOnMain(false);
  HWND w = Handle();
  int top = kBandHeight + 8;
  CreateSheetControls(w, top);
  CreateTextGroup(w, top);
  CreateImageGroup(w, top);
  CreateViewAndPrintGroups(w, top);
  btnClose.Create(w, L"Close", kColumnLeft + kColumnWidth - 90, top, 90, kButtonHeight);
  // Closing goes through the window's close, which stores the choices and empties the pages.
  btnClose.OnClick = [this] { Close(); };
  controlsBottom_ = top + kButtonHeight + 8;
  btnCloseBottom.Create(w, L"Close", 0, 0, 90, kButtonHeight);
  btnCloseBottom.OnClick = [this] { Close(); };
  SetCancelButton(&btnCloseBottom);
  CreatePreview(w);
  EnablePictureGroup(false);
  FormResize();
}

void TfrmPrint::CreateSheetControls(HWND w, int& top) {
  lblPrinterList.Create(w, L"Printer List", kColumnLeft, top, kColumnWidth, 16);
  top += 18;
  // Created with the preview (it binds to it); placed here.
  printersTop_ = top;
  top += 30;
  lblLabelType.Create(w, L"Label Type", kColumnLeft, top, kColumnWidth, 16);
  top += 18;
  cmbLabelType.Create(w, kColumnLeft, top, kColumnWidth, 400);
  for (const LabelType& type : kLabelTypes) cmbLabelType.Add(type.text);
  cmbLabelType.OnChange = [this] { cmbLabelTypeChange(); };
  top += 30;
  btnCustomLabels.Create(w, L"Custom Labels", kColumnLeft, top, kColumnWidth, kButtonHeight);
  btnCustomLabels.OnClick = [this] { btnCustomLabelsClick(); };
  btnCustomLabels.SetEnabled(false);
  top += kButtonHeight + 8;
}

namespace {

// A caption and its number box side by side in a group, in one of its rows; columns of
// captionWidth + boxWidth.
struct SpinPlace {
  int column, row, captionWidth, boxWidth;
};

void PlaceSpin(HWND group, TLabelText& caption, SpinEdit& spin, const wchar_t* text, SpinPlace at,
               double minValue, double maxValue, double value) {
  const int left = 10 + at.column * (at.captionWidth + at.boxWidth + 16);
  const int top = 22 + at.row * kRow;
  caption.Create(group, text, left, top + 3, at.captionWidth, 16);
  spin.Create(group, left + at.captionWidth, top, at.boxWidth, 22);
  spin.SetRange(minValue, maxValue);
  spin.SetValue(value);
}

}  // namespace

void TfrmPrint::CreateTextGroup(HWND w, int& top) {
  const int height = 22 + 4 * kRow + kButtonHeight + 10;
  grpCustomizeText.Create(w, L"Customize Text", kColumnLeft, top, kColumnWidth, height);
  HWND g = grpCustomizeText.Handle();
  PlaceSpin(g, lblStart, spnStart, L"Label Start No.", {0, 0, 150, 80}, 1, 24, 1);
  PlaceSpin(g, lblSpacing, spnSpacing, L"Line Spacing", {0, 1, 150, 80}, -5, 10, 1);
  PlaceSpin(g, lblTop, spnTop, L"Top", {0, 2, 150, 80}, -100, 300, 0);
  PlaceSpin(g, lblLeft, spnLeft, L"Left", {0, 3, 150, 80}, -100, 180, 0);
  const int buttons = 22 + 4 * kRow + 2;
  const int half = (kColumnWidth - 28) / 2;
  btnFont.Create(g, L"Font...", 10, buttons, half, kButtonHeight);
  btnFont.SetHint(L"Font");
  btnFont.OnClick = [this] { btnFontClick(); };
  btnApply.Create(g, L"Apply", 18 + half, buttons, half, kButtonHeight);
  btnApply.SetHint(L"Preview");
  btnApply.OnClick = [this] { btnApplyClick(); };
  top += height + 6;
}

void TfrmPrint::CreateImageGroup(HWND w, int& top) {
  const int height = 22 + 2 * kRow + 4;
  grpImage.Create(w, L"Image Start Coordinates and Size", kColumnLeft, top, kColumnWidth, height);
  HWND g = grpImage.Handle();
  constexpr double kNoLimit = 100'000;
  PlaceSpin(g, lblImageTop, spnImageTop, L"Top", {0, 0, 56, 71}, -kNoLimit, kNoLimit, 0);
  PlaceSpin(g, lblImageLeft, spnImageLeft, L"Left", {1, 0, 56, 71}, -kNoLimit, kNoLimit, 0);
  PlaceSpin(g, lblImageBottom, spnImageBottom, L"Bottom", {0, 1, 56, 71}, -kNoLimit, kNoLimit, 5);
  PlaceSpin(g, lblImageRight, spnImageRight, L"Right", {1, 1, 56, 71}, -kNoLimit, kNoLimit, 5);
  top += height + 6;
}

void TfrmPrint::CreateViewAndPrintGroups(HWND w, int& top) {
  const int height = 22 + kButtonHeight + 10;
  grpViewOptions.Create(w, L"View Options", kColumnLeft, top, kColumnWidth, height);
  HWND g = grpViewOptions.Handle();
  struct ViewButton {
    TLabelButton& button;
    const wchar_t* caption;
    const wchar_t* hint;
  } view[] = {{btnZoomIn, L"Zoom In", L"Zoom In"},
              {btnZoomOut, L"Zoom Out", L"Zoom Out"},
              {btnFullPage, L"Page", L"Full page view"},
              {btnFullWidth, L"Width", L"Full width view"}};
  const int width = (kColumnWidth - 20 - 3 * 4) / 4;
  int left = 10;
  for (ViewButton& b : view) {
    b.button.Create(g, b.caption, left, 22, width, kButtonHeight);
    b.button.SetHint(b.hint);
    left += width + 4;
  }
  btnZoomIn.OnClick = [this] { preview_->ZoomIn(); };
  btnZoomOut.OnClick = [this] { preview_->ZoomOut(); };
  btnFullPage.OnClick = [this] { preview_->FitWholePage(); };
  btnFullWidth.OnClick = [this] { preview_->FitPageWidth(); };
  top += height + 6;

  grpPrintOptions.Create(w, L"Print Options", kColumnLeft, top, kColumnWidth, height);
  g = grpPrintOptions.Handle();
  const int half = (kColumnWidth - 28) / 2;
  btnPrintCurrent.Create(g, L"Print Current Page", 10, 22, half, kButtonHeight);
  btnPrintAll.Create(g, L"Print All", 18 + half, 22, half, kButtonHeight);
  btnPrintCurrent.OnClick = [this] { preview_->PrintCurrentPage(); };
  btnPrintAll.OnClick = [this] { preview_->PrintAll(); };
  top += height + 8;
}

void TfrmPrint::CreatePreview(HWND w) {
  preview_ =
      std::make_unique<TVpPreview>(w, kColumnLeft + kColumnWidth + 10, kBandHeight, 400, 400);
  TVpPreview& p = *preview_;
  p.SetGutter(20);
  p.SetMinZoom(10);
  p.SetZoom(32);
  p.SetZoomIncrement(50);
  TVpMargins& margins = p.Margins();
  margins.SetMarginValues("720,720,720,720");  // half an inch, in twips
  margins.SetPen(TVpPen{1, 0xC0C0C0, vpPenDot, vpPenModeCopy});
  margins.SetVisible(true);
  p.OnPageChanged = [](TVpPreview& preview) { preview.FitPageWidth(); };
  p.OnMouseDown = [](TVpPreview& preview, TVpMouseButton button, WPARAM, int, int) {
    if (button == vpLeftButton) preview.StartHandScroll();
  };
  p.OnMouseUp = [](TVpPreview& preview, TVpMouseButton button, WPARAM, int, int) {
    if (button == vpLeftButton) preview.EndHandScroll();
  };
  p.OnError = [](const std::exception& e) { ShowError(ErrorText(e)); };
  p.VpPrinter().ShowMessage = [](const std::string& text) { ShowError(WideFromBytes(text)); };

  printers_ = std::make_unique<TVpPropertyComboBox>(w, kColumnLeft, printersTop_, kColumnWidth);
  printers_->SetPreviewProperty(vpPrinterList);
  printers_->SetPreview(&p);
  SendMessageW(printers_->ComboHandle(), CB_SETDROPPEDWIDTH, 250, 0);

  // The preview takes the focus on a click; the window's own 10-pixel step still wins.
  p.OnFormMouseWheel = [this](TVpPreview&, int delta) {
    WheelScroll(delta);
    return true;
  };

  // Three sheets a row at 10 percent fill the column (an A4 sheet is 79 pixels wide).
  thumbnails_ = std::make_unique<TVpThumbnails>(w, kColumnLeft, controlsBottom_, kColumnWidth, 200);
  thumbnails_->SetLayout(vpThumbGrid);
  thumbnails_->SetGridWidth(3);
  thumbnails_->SetThumbSize(8);
  thumbnails_->SetPageCaptions("Page: #");
  thumbnails_->SetPreview(&p);

  vpMarrowby.SetPreview(&p);
  TVpBrush clear;
  clear.Style = vpBrushClear;
  vpMarrowby.SetLabelBrush(clear);
  TVpPen silver;
  silver.Color = 0xC0C0C0;
  vpMarrowby.SetLabelPen(silver);
  vpMarrowby.OnDrawLabel = [this](TVpMarrowby&, int labelNum, TVpValueRect& rect,
                                  TVpCanvas& canvas) { DrawLabel(labelNum, rect, canvas); };
  p.Loaded();
}

void TfrmPrint::EnablePictureGroup(bool enabled) {
  grpImage.SetEnabled(enabled);
  for (TLabelText* caption : {&lblImageTop, &lblImageLeft, &lblImageBottom, &lblImageRight})
    caption->SetEnabled(enabled);
  for (SpinEdit* spin : {&spnImageTop, &spnImageLeft, &spnImageBottom, &spnImageRight})
    spin->SetEnabled(enabled);
}

// Settings in and out ------------------------------------------------------------------------

PrintMode TfrmPrint::Mode() const { return main_.Mode(); }
TLabelSettings& TfrmPrint::SettingsRecord() { return main_.Settings().record; }
RecordStore& TfrmPrint::Store() { return main_.Store(); }
RecordTable& TfrmPrint::ModeTable() { return main_.ModeTable(); }

namespace {

// The print window's choices one printing mode keeps in the settings.
struct ModeChoices {
  std::string& fontName;
  int& fontSize;
  int& type;
  int& start;
  int& spacing;
  int& top;
  int& left;
  std::string& customName;
};

ModeChoices ChoicesOf(TLabelSettings& s, PrintMode mode) {
  if (mode == PrintMode::Address)
    return {s.FontNameAddress, s.FontSizeAddress, s.TypeAddress, s.StartAddress,
            s.SpacingAddress,  s.TopAddress,      s.LeftAddress, s.LabelNameAddress};
  return {s.FontNameGeneral, s.FontSizeGeneral, s.TypeGeneral, s.StartGeneral,
          s.SpacingGeneral,  s.TopGeneral,      s.LeftGeneral, s.LabelNameGeneral};
}

}  // namespace

void TfrmPrint::Prepare() {
  if (customLabels_) customLabels_->Refill();
  TLabelSettings& s = SettingsRecord();
  const ModeChoices mode = ChoicesOf(s, Mode());
  TVpCanvas& canvas = preview_->Canvas();
  canvas.Font.Color = static_cast<std::uint32_t>(s.FontColor);
  canvas.Font.Name = mode.fontName;
  canvas.Font.Size = mode.fontSize;
  cmbLabelType.SetSelectedIndex(mode.type >= 0 && mode.type < kLabelTypeCount ? mode.type : -1);
  // The sheet's limit is set when the type is applied on show; until then any start holds.
  spnStart.SetRange(1, static_cast<double>(kMostLabelsPerPage));
  spnStart.SetValue(mode.start);
  spnSpacing.SetValue(mode.spacing);
  spnTop.SetValue(mode.top);
  spnLeft.SetValue(mode.left);
  if (Mode() == PrintMode::General) {
    spnImageTop.SetValue(s.ImageTop);
    spnImageLeft.SetValue(s.ImageLeft);
    spnImageBottom.SetValue(s.ImageBottom);
    spnImageRight.SetValue(s.ImageRight);
  }
  if (customLabels_ && !mode.customName.empty()) customLabels_->MarkName(mode.customName);
}

void TfrmPrint::StoreSettings() {
  TLabelSettings& s = SettingsRecord();
  const ModeChoices mode = ChoicesOf(s, Mode());
  const TVpFont& font = preview_->Canvas().Font;
  s.FontColor = static_cast<int>(font.Color);
  mode.fontName = font.Name;
  mode.fontSize = font.Size;
  mode.type = cmbLabelType.SelectedIndex();
  mode.start = Rounded(spnStart.Value());
  mode.spacing = Rounded(spnSpacing.Value());
  mode.top = Rounded(spnTop.Value());
  mode.left = Rounded(spnLeft.Value());
  mode.customName = customLabels_ ? customLabels_->MarkedName() : std::string();
  if (Mode() == PrintMode::General) {
    s.ImageTop = Rounded(spnImageTop.Value());
    s.ImageLeft = Rounded(spnImageLeft.Value());
    s.ImageBottom = Rounded(spnImageBottom.Value());
    s.ImageRight = Rounded(spnImageRight.Value());
  }
}

// Commands -----------------------------------------------------------------------------------

void TfrmPrint::ApplyLabelType() {
  btnCustomLabels.SetEnabled(false);
  const int index = cmbLabelType.SelectedIndex();
  if (index < 0 || index >= kLabelTypeCount) return;
  vpMarrowby.SetTemplate(kLabelTypes[index].id);
  long long perPage = 0;
  if (index == kCustomLabelType) {
    btnCustomLabels.SetEnabled(true);
    const TVpLabelTemplateInfo* slot = Templates().FindByName(kCustomSlotName);
    if (!slot) {
      spnStart.SetRange(1, 100);
      spnStart.SetValue(1);
      return;
    }
    perPage = slot->LabelsPerPage();
  } else {
    perPage = vpMarrowby.LabelsPerPage();
  }
  perPage = std::clamp<long long>(perPage, 1, kMostLabelsPerPage);
  if (spnStart.Value() > static_cast<double>(perPage))
    spnStart.SetValue(static_cast<double>(perPage));
  spnStart.SetRange(1, static_cast<double>(perPage));
}

void TfrmPrint::ClearPreview() { preview_->ClearPreview(); }

void TfrmPrint::BuildPages() {
  preview_->ClearPreview();
  pictures_.Clear();
  ReadDrawingChoices();
  const int start = Rounded(drawing_.start);
  RecordTable& table = ModeTable();
  table.First();
  preview_->BeginUpdate();
  try {
    if (const TVpLabelTemplateInfo* sheet = vpMarrowby.CurrentTemplate()) {
      const std::string problem = vpMarrowby.LayoutProblem();
      if (!problem.empty()) throw EError(problem);
      if (sheet->LabelsPerPage() > kMostLabelsPerPage)
        throw EError("The label sheet has more than 10,000 labels on a page.");
    }
    vpMarrowby.DrawLabels(tickedCount_ + start - 1);
    preview_->FirstPage();
    if (cmbLabelType.SelectedIndex() == kCustomLabelType &&
        ModeDefaultName(SettingsRecord(), Mode()).empty())
      preview_->ClearPreview();
  } catch (...) {
    preview_->EndUpdate();
    throw;
  }
  preview_->EndUpdate();
}

void TfrmPrint::Rebuild(bool applyType) {
  HourglassCursor busy;
  try {
    if (applyType) ApplyLabelType();
    BuildPages();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void TfrmPrint::cmbLabelTypeChange() { Rebuild(true); }
void TfrmPrint::btnApplyClick() { Rebuild(false); }

void TfrmPrint::btnFontClick() {
  TVpFont& font = preview_->Canvas().Font;
  FontRequest request;
  request.initial.face = WideFromBytes(font.Name);
  request.initial.pointSize = font.Size;
  request.initial.bold = (font.Style & vpBold) != 0;
  request.initial.italic = (font.Style & vpItalic) != 0;
  request.initial.underline = (font.Style & vpUnderline) != 0;
  request.initial.strikeOut = (font.Style & vpStrikeOut) != 0;
  request.initial.color = font.Color;
  request.initial.charset = font.Charset;
  request.trueTypeOnly = true;
  request.minPointSize = 8;
  request.maxPointSize = 16;
  const auto chosen = FontDialog(request);
  if (!chosen) return;
  font.Name = BytesFromWide(chosen->face);
  font.Size = chosen->pointSize;
  font.Style = static_cast<std::uint8_t>(
      (chosen->bold ? vpBold : 0) | (chosen->italic ? vpItalic : 0) |
      (chosen->underline ? vpUnderline : 0) | (chosen->strikeOut ? vpStrikeOut : 0));
  font.Color = chosen->color;
  font.Charset = chosen->charset;
  Rebuild(false);
}

void TfrmPrint::btnCustomLabelsClick() {
  if (customLabels_) customLabels_->ShowModal();
}

// Label drawing ------------------------------------------------------------------------------

std::string TfrmPrint::AddressLine1() const {
  const RecordTable& t = main_.Store().cdsContact;
  const std::string title = t.AsText(t.FieldIndex("Contact_Title"));
  const std::string name = t.AsText(t.FieldIndex("Contact_Name"));
  const std::string surname = t.AsText(t.FieldIndex("Contact_Surname"));
  std::string line;
  for (const std::string* part : {&title, &name})
    if (!part->empty()) line += *part + " ";
  return line + surname;
}

void TfrmPrint::ReadDrawingChoices() {
  // Read once a build: each read of a box goes through its window, which adds up over
  // thousands of labels.
  drawing_ = {spnStart.Value(),       spnSpacing.Value(),   spnTop.Value(),
              spnLeft.Value(),        spnImageTop.Value(),  spnImageLeft.Value(),
              spnImageBottom.Value(), spnImageRight.Value()};
}

void TfrmPrint::DrawLabel(int labelNum, TVpValueRect& rect, TVpCanvas& canvas) {
  const DrawingChoices& d = drawing_;
  if (d.start > labelNum) return;
  canvas.DefaultMeasurement = vpMillimeters;
  const long double left = rect.Left().AsMillimeters();
  const long double top = rect.Top().AsMillimeters();
  const long double x = left + 15 + d.left;
  RecordTable& table = ModeTable();
  std::string lines[5];
  if (Mode() == PrintMode::Address) {
    lines[0] = AddressLine1();
    const char* fields[] = {"Contact_Address1", "Contact_Address3", "Contact_Address2",
                            "Contact_Address4"};
    for (int k = 1; k < 5; ++k) lines[k] = table.AsText(table.FieldIndex(fields[k - 1]));
  } else {
    DrawPicture(left, top, canvas);
    for (int k = 0; k < 5; ++k)
      lines[k] = table.AsText(table.FieldIndex("General_Field" + std::to_string(k + 1)));
  }
  for (int k = 0; k < 5; ++k) {
    const long double y = top + kLineBase[k] + d.top + k * d.spacing;
    canvas.TextOut(x, y, lines[k], vpMillimeters);
  }
  table.Next();
}

void TfrmPrint::DrawPicture(long double left, long double top, TVpCanvas& canvas) {
  RecordTable& table = ModeTable();
  const int field = table.FieldIndex("General_Field6");
  if (table.IsNull(field)) return;
  const TVpPicture* picture = pictures_.Find(WideFromBytes(table.AsText(field)));
  if (!picture) return;  // a missing file is no error: the label gets its lines only
  const DrawingChoices& d = drawing_;
  canvas.StretchDraw(left + d.imageLeft, top + d.imageTop, left + d.imageRight, top + d.imageBottom,
                     *picture, vpMillimeters);
}

// Life ---------------------------------------------------------------------------------------

void TfrmPrint::SetFilter(bool on) {
  RecordTable& table = ModeTable();
  if (!on) {
    table.ClearFilter();
    return;
  }
  const char* field = Mode() == PrintMode::Address ? "Contact_Number" : "General_No";
  table.SetFilter(NumberFilterExpression(field, main_.TickedNumbers()));
}

void TfrmPrint::FormShow() {
  // Shown maximized, also after the user restored it last time.
  if (!IsZoomed(Handle())) PostMessageW(Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  HourglassCursor busy;
  try {
    ApplyLabelType();
    tickedCount_ = static_cast<int>(main_.TickedNumbers().size());
    SetFilter(true);
    BuildPages();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void TfrmPrint::FormActivate() {
  FormResize();
  preview_->FitPageWidth();
}

void TfrmPrint::FormClose() {
  StoreSettings();
  preview_->ClearPreview();
  pictures_.Clear();
  SetFilter(false);
  LabelForm::FormClose();
}

void TfrmPrint::FormResize() {
  if (!preview_) return;
  const RECT client = ClientRect();
  const RECT outer = Bounds();
  const int bandTop = static_cast<int>(client.bottom) - kBottomBand;
  const int previewLeft = kColumnLeft + kColumnWidth + 10;
  MoveWindow(preview_->Handle(), previewLeft, kBandHeight,
             std::max<int>(client.right - previewLeft, 40), std::max(bandTop - kBandHeight, 40),
             TRUE);
  MoveWindow(thumbnails_->Handle(), kColumnLeft, controlsBottom_, kColumnWidth,
             std::max(bandTop - controlsBottom_ - 6, 0), TRUE);
  btnCloseBottom.SetBounds((outer.right - outer.left) - 105,
                           bandTop + (kBottomBand - kButtonHeight) / 2, 90, kButtonHeight);
  // The sheet keeps filling the width as the window grows or shrinks.
  if (Visible()) preview_->FitPageWidth();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmPrint::FormPaint(HDC dc) {
  LabelForm::FormPaint(dc);
  PaintBottomBand(dc, ClientRect(), kBottomBand);
}

void TfrmPrint::WheelScroll(int delta) {
  TVpPreview& p = *preview_;
  const TVpIntPoint range = p.ScrollRange();
  if (range.Y <= 0) return;
  const TVpIntPoint at = p.ScrollPosition();
  if (delta < 0) {
    if (range.Y - at.Y > 10) p.SetScrollPosition(at.X, at.Y + 10);
  } else {
    p.SetScrollPosition(at.X, std::max(at.Y - 10, 0));
  }
}

LRESULT TfrmPrint::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEWHEEL) {
    WheelScroll(GET_WHEEL_DELTA_WPARAM(wp));
    return 0;
  }
  return LabelForm::WndProc(msg, wp, lp);
}
