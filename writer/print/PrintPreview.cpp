#include "writer/print/PrintPreview.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/HourglassCursor.h"
#include "platform/ModalResult.h"
#include "platform/Tooltips.h"

namespace {

constexpr int kLeft = 12;
constexpr int kInner = TfrmPrintPreview::kPanelWidth - 2 * kLeft;
constexpr int kButtonHeight = 26;
constexpr std::uint32_t kWindowText = 0x80000008;  // the system's window-text colour
constexpr std::uint32_t kSilver = 0xC0C0C0;

void ProcessMessages() { Application::Get().ProcessMessages(); }

// Failures of a command end in the general error box, and the window goes on.
template <class F>
void Guarded(F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

}  // namespace

void ZoomSlider::Create(HWND parent, int left, int top, int width, int height) {
  CreateWindowed(parent, TRACKBAR_CLASSW, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS, 0,
                 left, top, width, height, L"");
  SendMessageW(Handle(), TBM_SETRANGE, TRUE, MAKELPARAM(20, 400));
  SendMessageW(Handle(), TBM_SETTICFREQ, 15, 0);
}

int ZoomSlider::Position() const {
  return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
}

void ZoomSlider::SetPosition(int position) { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }

int WheelScrollTarget(int range, int position, int delta) {
  if (range <= 0) return position;
  if (delta < 0) return range - position > 10 ? position + 10 : position;
  return std::max(position - 10, 0);
}

TfrmPrintPreview::TfrmPrintPreview(PrintPreviewHost host) : host_(std::move(host)) {}
TfrmPrintPreview::~TfrmPrintPreview() {
  // The pickers listen to the preview: they go first.
  pagesPicker_.reset();
  orientationPicker_.reset();
  printers_.reset();
  papers_.reset();
  VpRtfPreview1.SetPreview(nullptr);
  preview_.reset();
}

void TfrmPrintPreview::Create() {
  FormStyle style;
  style.caption = L"Print Preview";
  style.width = 1024;
  style.height = 720;
  style.style |= WS_MAXIMIZE;
  style.color = RGB(255, 255, 255);
  HWND owner = Application::Get().MainForm() ? Application::Get().MainForm()->Handle() : nullptr;
  Form::Create(style, owner);
  HWND w = Handle();
  int top = 8;
  lblTitle.Create(w, L"Print Preview Options", kLeft, top, kInner, 22);
  top += 30;
  CreateNavigation(w, top);
  CreatePickers(w, top);
  CreateZoomControls(w, top);
  CreatePrintControls(w, top);
  CreatePreview(w);
  MarginsForm.Create(w);
  HeaderFooterForm.Create(w);
  MarginsForm.Source = host_.margins;
  if (host_.margins) ApplyMargins(*host_.margins);
  FormResize();
}

void TfrmPrintPreview::CreateNavigation(HWND w, int& top) {
  Label3.Create(w, L"Page: 1 of 1  Pages", kLeft, top, kInner, 20);
  top += 24;
  struct Nav {
    Label& label;
    const wchar_t* caption;
    const wchar_t* hint;
    void (TVpPreview::*go)();
  } nav[] = {{Label6, L"|<<", L"First Page", &TVpPreview::FirstPage},
             {Label7, L"<<", L"<< Previous", &TVpPreview::PrevPage},
             {Label9, L">>", L"Next >>", &TVpPreview::NextPage},
             {Label8, L">>|", L"Last Page", &TVpPreview::LastPage}};
  int left = kLeft;
  for (Nav& n : nav) {
    n.label.Create(w, n.caption, left, top, 50, 20, SS_CENTER | SS_NOTIFY);
    n.label.SetHint(n.hint);
    auto go = n.go;
    n.label.OnClick = [this, go] { Guarded([&] { ((*preview_).*go)(); }); };
    n.label.SetMessageHook([](UINT msg, WPARAM, LPARAM, LRESULT& result) {
      if (msg != WM_SETCURSOR) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    });
    left += 60;
  }
  top += 30;
}

void TfrmPrintPreview::CreatePickers(HWND, int& top) {
  pickersTop_ = top;  // the pickers are made with the preview they bind to
  top += 112;
}

void TfrmPrintPreview::CreateZoomControls(HWND w, int& top) {
  TrackBar1.Create(w, kLeft - 4, top, kInner + 8, 32);
  top += 36;
  const int half = (kInner - 8) / 2;
  btnFullWidth.Create(w, L"Full Width", kLeft, top, half, kButtonHeight);
  btnFullPage.Create(w, L"Full Page", kLeft + half + 8, top, half, kButtonHeight);
  btnFullWidth.OnClick = [this] {
    preview_->FitPageWidth();
    TrackBar1.SetPosition(preview_->Zoom());
  };
  btnFullPage.OnClick = [this] {
    preview_->FitWholePage();
    TrackBar1.SetPosition(preview_->Zoom());
  };
  top += kButtonHeight + 6;
  btnMargins.Create(w, L"Margins", kLeft, top, half, kButtonHeight);
  btnHeaderFooter.Create(w, L"Header && Footer", kLeft + half + 8, top, half, kButtonHeight);
  btnMargins.OnClick = [this] { btnMarginsClick(); };
  btnHeaderFooter.OnClick = [this] { btnHeaderFooterClick(); };
  btnZoomIn.Create(w, L"Zoom In", kLeft, top, half, kButtonHeight);
  btnZoomOut.Create(w, L"Zoom Out", kLeft + half + 8, top, half, kButtonHeight);
  btnZoomIn.SetVisible(false);
  btnZoomOut.SetVisible(false);
  btnZoomIn.OnClick = [this] { preview_->ZoomIn(); };
  btnZoomOut.OnClick = [this] { preview_->ZoomOut(); };
  top += kButtonHeight + 12;
}

void TfrmPrintPreview::CreatePrintControls(HWND w, int& top) {
  lblPrinter.Create(w, L"Printer Selection", kLeft, top, kInner, 18);
  top += 20;
  printersTop_ = top;
  top += 30;
  lblPaper.Create(w, L"Paper Size", kLeft, top, kInner, 18);
  top += 20;
  papersTop_ = top;
  top += 30;
  const int half = (kInner - 8) / 2;
  lblQuality.Create(w, L"Print Quality", kLeft, top, half, 18);
  lblCopies.Create(w, L"Copies", kLeft + half + 8, top, half, 18);
  top += 20;
  ComboBox2.Create(w, kLeft, top, half, 200, CBS_DROPDOWN);
  for (const wchar_t* item : {L"High", L"Standard", L"Draft", L"Low", L"Default"})
    ComboBox2.Add(item);
  ComboBox2.SetSelectedIndex(4);
  ComboBox2.OnChange = [this] { ComboBox2Change(); };
  RxSpinEdit1.Create(w, kLeft + half + 8, top, half, 24);
  RxSpinEdit1.SetRange(1, 100);
  RxSpinEdit1.SetValue(1);
  RxSpinEdit1.SetMaxLength(2);
  RxSpinEdit1.OnChange = [this] { RxSpinEdit1Change(); };
  top += 34;
  btnPrintAll.Create(w, L"Print All", kLeft, top, half, kButtonHeight + 4);
  btnPrintCurrent.Create(w, L"Print Page", kLeft + half + 8, top, half, kButtonHeight + 4);
  btnPrintAll.OnClick = [this] { btnPrintAllClick(); };
  btnPrintCurrent.OnClick = [this] { btnPrintCurrentClick(); };
  top += kButtonHeight + 12;
  btnClose.Create(w, L"Close", kLeft, top, kInner, kButtonHeight);
  btnClose.OnClick = [this] { Close(); };
  SetCancelButton(&btnClose);
}

void TfrmPrintPreview::CreatePreview(HWND w) {
  preview_ = std::make_unique<TVpPreview>(w, kPanelWidth, 0, 400, 400);
  TVpPreview& p = *preview_;
  p.SetMinZoom(10);
  p.SetMaxZoom(800);
  p.SetZoomIncrement(15);
  p.SetZoom(35);
  p.SetGutter(20);
  p.SetPagesPerSheet(vpOnePage);
  p.Shadow().SetColor(0x808080);
  p.Shadow().SetWidth(5);
  p.Shadow().SetVisible(true);
  p.Margins().SetPen(TVpPen{1, kSilver, vpPenDot, 0});
  p.Margins().SetVisible(true);
  for (TVpHeaderFooter* band :
       {static_cast<TVpHeaderFooter*>(&p.Header()), static_cast<TVpHeaderFooter*>(&p.Footer())}) {
    band->SetVisible(true);
    band->SetShowLine(false);
    for (int c = 0; c < 3; ++c) {
      TVpFont font = band->Caption(c).Font();
      font.Name = "Arial";
      font.Size = 12;
      font.Color = kWindowText;
      band->Caption(c).SetFont(font);
    }
  }
  p.OnError = [](const std::exception& e) { ShowError(ErrorText(e)); };
  p.VpPrinter().ShowMessage = [](const std::string& text) { ShowError(WideFromBytes(text)); };
  VpRtfPreview1.TextFileFont.Size = 12;
  VpRtfPreview1.SetPreview(&p);
  VpRtfPreview1.OnNeedRichEdit = [this] { return NewRichEdit(); };
  VpRtfPreview1.ShowMessage = [](const std::string& text) { ShowError(WideFromBytes(text)); };

  pagesPicker_ = std::make_unique<TVpPropertyGraphic>(w, kLeft, pickersTop_, 137, 105);
  pagesPicker_->SetPreviewProperty(vpMultipageGraphic);
  pagesPicker_->SetPreview(&p);
  orientationPicker_ =
      std::make_unique<TVpPropertyGraphic>(w, kLeft + 137 + 10, pickersTop_, 127, 105);
  orientationPicker_->SetPreviewProperty(vpOrientationGraphic);
  orientationPicker_->SetPreview(&p);
  printers_ = std::make_unique<TVpPropertyComboBox>(w, kLeft, printersTop_, kInner);
  printers_->SetPreviewProperty(vpPrinterList);
  printers_->SetPreview(&p);
  papers_ = std::make_unique<TVpPropertyComboBox>(w, kLeft, papersTop_, kInner);
  papers_->SetPreviewProperty(vpPaperList);
  papers_->SetPreview(&p);
  papers_->OnChange = [this](TVpPropertyComboBox&) { LayoutAndFit(); };
  SendMessageW(papers_->ComboHandle(), CB_SETDROPPEDWIDTH, 200, 0);
  Hints().Set(pagesPicker_->Handle(), L"Multi-Page Econo Printing");
  Hints().Set(orientationPicker_->Handle(), L"Page Orientation");
  BindPreviewEvents();
  ResetPrinterDefaults();
  p.VpPrinter().SetPrintQuality(vpHigh);
  p.Loaded();
}

void TfrmPrintPreview::BindPreviewEvents() {
  TVpPreview& p = *preview_;
  p.OnPageChanged = [this](TVpPreview&) { ShowPageNumber(); };
  p.OnOrientationChanged = [this](TVpPreview&) { LayoutAndFit(); };
  p.OnNewPage = [this](TVpPreview&) { AdvancedTypographyOnFirstPage(); };
  p.OnMouseDown = [](TVpPreview& preview, TVpMouseButton button, WPARAM, int, int) {
    if (button == vpLeftButton) preview.StartHandScroll();
  };
  p.OnMouseUp = [](TVpPreview& preview, TVpMouseButton button, WPARAM, int, int) {
    if (button == vpLeftButton) preview.EndHandScroll();
  };
}

HWND TfrmPrintPreview::NewRichEdit() const {
  wchar_t className[64]{};
  if (!host_.editor || !GetClassNameW(host_.editor, className, 64)) return nullptr;
  // No owner: the pagination parents it to its own hidden holder.
  return CreateWindowExW(0, className, L"", WS_CHILD | ES_MULTILINE, 0, 0, 0, 0, HWND_MESSAGE,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

void TfrmPrintPreview::AdvancedTypographyOnFirstPage() {
  if (preview_->PageCount() < 1) return;
  const auto* block = dynamic_cast<const TVpRtfPageBlock*>(preview_->GetPage(1).RtfBlock());
  if (!block) return;
  const auto* copy = dynamic_cast<const TVpRichEditCopy*>(block->Info().Control.get());
  if (copy)
    SendMessageW(copy->Control(), EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY,
                 TO_ADVANCEDTYPOGRAPHY);
}

void TfrmPrintPreview::ResetPrinterDefaults() {
  TVpPrinter& printer = preview_->VpPrinter();
  preview_->BeginUpdate();
  printer.SetDitherType(vpNone);
  printer.SetDuplex(vpSimplex);
  printer.SetPrintColor(vpColor);
  preview_->EndUpdate();
}

void TfrmPrintPreview::Relayout() {
  TVpPreview& p = *preview_;
  p.BeginUpdate();
  try {
    p.ClearPreview();
    p.FirstPage();
    VpRtfPreview1.LoadRichEdit(host_.editor);
    p.FirstPage();
  } catch (...) {
    // The preview is left whole before the failure goes on.
    p.EndUpdate();
    ShowPageNumber();
    throw;
  }
  p.EndUpdate();
  ShowPageNumber();
}

void TfrmPrintPreview::LayoutAndFit() {
  Guarded([this] {
    ProcessMessages();
    Relayout();
    ProcessMessages();
    preview_->FitWholePage();
    TrackBar1.SetPosition(preview_->Zoom());
  });
}

void TfrmPrintPreview::Execute() {
  ProcessMessages();
  {
    HourglassCursor hourglass;
    Guarded([this] {
      Relayout();
      preview_->FitWholePage();
    });
  }
  ShowModal();
}

void TfrmPrintPreview::ShowPageNumber() {
  wchar_t text[64];
  swprintf(text, 64, L"Page: %d of %d", preview_->CurrentPage(), preview_->PageCount());
  Label3.SetText(text);
}

void TfrmPrintPreview::ApplyMargins(const writer::MarginSettings& m) {
  TVpPreview& p = *preview_;
  p.BeginUpdate();
  try {
    p.Margins().Left().SetAsMillimeters(m.Left);
    p.Margins().Top().SetAsMillimeters(m.Top);
    p.Margins().Right().SetAsMillimeters(m.Right);
    p.Margins().Bottom().SetAsMillimeters(m.Bottom);
    p.Header().SetHeight(vpMillimeters, m.Header);
    p.Footer().SetHeight(vpMillimeters, m.Footer);
    VpRtfPreview1.TopAllowance().SetAsMillimeters(m.Top + m.Header);
    VpRtfPreview1.BottomAllowance().SetAsMillimeters(m.Bottom + m.Footer);
  } catch (...) {
    // The bracket closes also when a step fails.
    p.EndUpdate();
    throw;
  }
  p.EndUpdate();
}

void TfrmPrintPreview::btnMarginsClick() {
  if (host_.margins) MarginsForm.Load(*host_.margins);
  if (MarginsForm.ShowModal() != mrOk) return;
  const writer::MarginSettings values = MarginsForm.Values();
  if (host_.margins) *host_.margins = values;
  MarginsForm.Hide();
  Guarded([&] {
    ApplyMargins(values);
    Relayout();
  });
  ProcessMessages();
  ProcessMessages();
}

void TfrmPrintPreview::btnHeaderFooterClick() {
  HeaderFooterForm.ShowLinesOf(preview_->Header(), preview_->Footer());
  preview_->Header().SetVisible(true);
  preview_->Footer().SetVisible(true);
  if (HeaderFooterForm.ShowModal() != mrOk) return;
  HeaderFooterForm.Hide();
  Guarded([this] {
    preview_->BeginUpdate();
    HeaderFooterForm.ApplyTo(preview_->Header(), preview_->Footer());
    preview_->EndUpdate();
    Relayout();
  });
  ProcessMessages();
}

void TfrmPrintPreview::ComboBox2Change() {
  static constexpr TVpPrintQuality kQualities[] = {vpHigh, vpMedium, vpDraft, vpLow};
  TVpPrinter& printer = preview_->VpPrinter();
  const int index = ComboBox2.SelectedIndex();
  // Only a chosen item reports a change (the edit's text still shows the old one then); typed
  // text reports nothing and so changes nothing.
  if (index >= 0 && index < 4) printer.SetPrintQuality(kQualities[index]);
  printer.SetPrintColor(vpColor);
}

void TfrmPrintPreview::RxSpinEdit1Change() {
  TVpPrinter& printer = preview_->VpPrinter();
  printer.SetPrintCopies(static_cast<int>(RxSpinEdit1.Value()));
  printer.SetPrintColor(vpColor);
}

void TfrmPrintPreview::SetJobTitle() {
  TVpPrinter& printer = preview_->VpPrinter();
  printer.SetPrintColor(vpColor);
  const std::wstring name = host_.jobTitle ? host_.jobTitle() : L"";
  printer.Title = BytesFromWide(name);
}

void TfrmPrintPreview::Print(const std::function<void()>& print) {
  Guarded([&] {
    SetJobTitle();
    print();
  });
}

void TfrmPrintPreview::btnPrintAllClick() {
  Print([this] { preview_->PrintAll(); });
}

void TfrmPrintPreview::btnPrintCurrentClick() {
  Print([this] { preview_->PrintCurrentPage(); });
}

void TfrmPrintPreview::TrackBar1Change() {
  ProcessMessages();
  preview_->SetZoom(TrackBar1.Position());
  ProcessMessages();
}

void TfrmPrintPreview::FormActivate() {
  ProcessMessages();
  ResetPrinterDefaults();
  ProcessMessages();
  TrackBar1.SetPosition(preview_->Zoom());
}

void TfrmPrintPreview::FormResize() {
  if (!preview_) return;
  const RECT client = ClientRect();
  SetWindowPos(preview_->Handle(), nullptr, kPanelWidth, 0,
               std::max<int>(client.right - kPanelWidth, 50), std::max<int>(client.bottom, 50),
               SWP_NOZORDER | SWP_NOACTIVATE);
  preview_->FitWholePage();
  TrackBar1.SetPosition(preview_->Zoom());
}

void TfrmPrintPreview::FormMouseDown(int, POINT) {
  if (preview_->HandScrolling()) preview_->EndHandScroll();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

LRESULT TfrmPrintPreview::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) == TrackBar1.Handle()) {
        TrackBar1Change();
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      const TVpIntPoint range = preview_->ScrollRange(), at = preview_->ScrollPosition();
      preview_->SetScrollPosition(at.X,
                                  WheelScrollTarget(range.Y, at.Y, GET_WHEEL_DELTA_WPARAM(wp)));
      return 0;
    }
    default: break;
  }
  return Form::WndProc(msg, wp, lp);
}
