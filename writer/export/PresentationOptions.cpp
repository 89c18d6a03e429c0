#include "writer/export/PresentationOptions.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/ModalResult.h"

using writer::PresentationChoice;

namespace {

constexpr int kBandHeight = 30;
constexpr RECT kSizeGroup{10, 40, 392, 243};
constexpr RECT kTimeGroup{402, 40, 624, 128};
constexpr COLORREF kBandColour = RGB(0, 128, 192);
constexpr COLORREF kGroupEdge = RGB(124, 168, 211);

// The area of each choice, for its hover frame: full page, half page, screen size.
constexpr RECT kChoiceAreas[3] = {{20, 66, 122, 232}, {130, 66, 232, 232}, {240, 66, 382, 196}};

RECT Grown(RECT r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

void PaintGroup(HDC dc, const RECT& r, const wchar_t* title, HFONT font) {
  PenHandle edge(CreatePen(PS_SOLID, 1, kGroupEdge));
  Selection pen(dc, edge.get());
  Selection brush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 10, 10);
  Selection text(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT line{r.left + 10, r.top + 4, r.right - 10, r.top + 22};
  DrawTextW(dc, title, -1, &line, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void TfrmPresentation::Create(HWND owner) {
  FormStyle style = FormStyle::Borderless(L"Presentation Options", kClientWidth, kClientHeight);
  style.color = RGB(255, 255, 255);
  Form::Create(style, owner);
  HWND w = Handle();
  LOGFONTW lf{};
  GetObjectW(Application::Get().UiFont(), sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  boldFont_.Reset(CreateFontIndirectW(&lf));
  selectedBrush_.Reset(CreateSolidBrush(kSelected));
  unselectedBrush_.Reset(CreateSolidBrush(kUnselected));
  swatchBrush_.Reset(CreateSolidBrush(frameColour_));

  const DWORD centred = SS_CENTER | SS_CENTERIMAGE;
  Panel1.Create(w, L"Full Page", 24, 70, 94, 158, centred);
  Panel2.Create(w, L"Half Page", 134, 70, 94, 77, centred);
  Panel3.Create(w, L"Half Page", 134, 151, 94, 77, centred);
  Panel4.Create(w, L"Screen Size 4:3", 244, 70, 134, 74, centred);
  Label3.Create(w, writer::kDefaultScreenLabel, 244, 144, 134, 48, SS_CENTER);
  HookChoice(Panel1, PresentationChoice::FullPage);
  HookChoice(Panel2, PresentationChoice::HalfPage);
  HookChoice(Panel3, PresentationChoice::HalfPage);
  HookChoice(Panel4, PresentationChoice::ScreenSize);
  HookChoice(Label3, PresentationChoice::ScreenSize);
  btnSmaller.Create(w, L"<", 244, 204, 64, 28);
  btnLarger.Create(w, L">", 314, 204, 64, 28);
  btnSmaller.SetHint(L"Smaller");
  btnLarger.SetHint(L"Larger");
  btnSmaller.OnClick = [this] { btnSmallerClick(); };
  btnLarger.OnClick = [this] { btnLargerClick(); };

  RxSpinEdit1.Create(w, 420, 76, 70, 24);
  RxSpinEdit1.SetRange(5, 60);
  RxSpinEdit1.SetValue(15);
  lblSeconds.Create(w, L"Seconds", 500, 80, 80, 20);

  chkFrame.Create(w, L"Add a frame to each page.", 404, 140, 220, 24);
  lblFrameColour.Create(w, L"Frame Colour:", 406, 177, 90, 20);
  Panel5.Create(w, L"", 500, 173, 40, 24, SS_SUNKEN);
  btnColour.Create(w, L"...", 548, 173, 34, 24);
  btnColour.OnClick = [this] { btnColourClick(); };

  btnClose.Create(w, L"Save", 524, 212, 100, 32);
  btnClose.SetModalResult(mrOk);
  SetDefaultButton(&btnClose);
  SelectChoice(PresentationChoice::FullPage);
}

void TfrmPresentation::HookChoice(Label& panel, PresentationChoice choice) {
  panel.OnClick = [this, choice] { SelectChoice(choice); };
  panel.SetMessageHook([this, choice](UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_MOUSEMOVE) ShowHoverFrame(static_cast<int>(choice));
    return false;
  });
}

writer::PageShape TfrmPresentation::Shape() const {
  return writer::ShapeOf(choice_, Label3.Text());
}

std::uint16_t TfrmPresentation::Delay() const {
  return writer::FrameDelay(static_cast<int>(RxSpinEdit1.Value()));
}

void TfrmPresentation::SelectChoice(PresentationChoice choice) {
  choice_ = choice;
  for (Label* panel : {&Panel1, &Panel2, &Panel3, &Panel4, &Label3}) panel->Invalidate();
}

void TfrmPresentation::btnLargerClick() {
  Label3.SetText(writer::LargerScreenLabel(Label3.Text()));
}

void TfrmPresentation::btnSmallerClick() {
  Label3.SetText(writer::SmallerScreenLabel(Label3.Text()));
}

void TfrmPresentation::btnColourClick() {
  if (const std::optional<unsigned> picked = CurrentDialogs().PickColor(frameColour_)) {
    frameColour_ = *picked;
    swatchBrush_.Reset(CreateSolidBrush(frameColour_));
    Panel5.Invalidate();
  }
}

void TfrmPresentation::FormShow() {
  ShowHoverFrame(-1);
  Form::FormShow();
}

void TfrmPresentation::ShowHoverFrame(int choice) {
  if (choice == hover_) return;
  for (int area : {hover_, choice}) {
    if (area < 0) continue;
    const RECT r = Grown(kChoiceAreas[area], 3);
    InvalidateRect(Handle(), &r, TRUE);
  }
  hover_ = choice;
}

void TfrmPresentation::FormPaint(HDC dc) {
  RECT band{0, 0, kClientWidth, kBandHeight};
  BrushHandle bandBrush(CreateSolidBrush(kBandColour));
  FillRect(dc, &band, bandBrush.get());
  Selection font(dc, boldFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT title{12, 0, kClientWidth, kBandHeight};
  DrawTextW(dc, L"Presentation Page Options", -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  PaintGroup(dc, kSizeGroup, L"Presentation Page Size", boldFont_.get());
  PaintGroup(dc, kTimeGroup, L"Set the Viewing Time Per Page", boldFont_.get());
  if (hover_ >= 0) {
    const RECT r = Grown(kChoiceAreas[hover_], 2);
    BrushHandle frame(CreateSolidBrush(kSelected));
    FrameRect(dc, &r, frame.get());
  }
}

void TfrmPresentation::FormMouseDown(int button, POINT client) {
  if (button == 0 && client.y < kBandHeight) BeginTitleDrag();
}

bool TfrmPresentation::ColourStatic(HWND control, HDC dc, LRESULT& brush) {
  if (control == Panel5.Handle()) {
    brush = reinterpret_cast<LRESULT>(swatchBrush_.get());
    return true;
  }
  const std::pair<const Label*, PresentationChoice> choices[] = {
      {&Panel1, PresentationChoice::FullPage},
      {&Panel2, PresentationChoice::HalfPage},
      {&Panel3, PresentationChoice::HalfPage},
      {&Panel4, PresentationChoice::ScreenSize},
      {&Label3, PresentationChoice::ScreenSize}};
  for (const auto& [panel, choice] : choices) {
    if (panel->Handle() != control) continue;
    const bool selected = choice == choice_;
    SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
    SetBkColor(dc, selected ? kSelected : kUnselected);
    SetBkMode(dc, OPAQUE);
    brush = reinterpret_cast<LRESULT>(selected ? selectedBrush_.get() : unselectedBrush_.get());
    return true;
  }
  return false;
}

LRESULT TfrmPresentation::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      LRESULT brush = 0;
      if (ColourStatic(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), brush)) return brush;
      break;
    }
    case WM_MOUSEMOVE: {
      const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      const RECT group = kSizeGroup;
      if (PtInRect(&group, p)) ShowHoverFrame(-1);
      break;
    }
    default: break;
  }
  return Form::WndProc(msg, wp, lp);
}
