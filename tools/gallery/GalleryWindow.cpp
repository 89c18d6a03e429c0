#include "tools/gallery/GalleryWindow.h"

#include <array>
#include <stdexcept>

#include "controls/DibSurface.h"
#include "controls/StyledButton.h"
#include "controls/StyledCheckBox.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"
#include "tools/gallery/GalleryGlyph.h"
#include "tools/gallery/PinnedControl.h"

namespace gallery {
namespace {

using namespace controls;

constexpr const wchar_t* kClassName = L"ControlGalleryWindow";
constexpr COLORREF kBackground = RGB(240, 242, 245);
constexpr int kClientWidth = 960;
constexpr int kClientHeight = 600;

constexpr int kGridLeft = 140;
constexpr int kGridTop = 44;
constexpr int kColumnWidth = 134;
constexpr int kRowHeight = 40;
constexpr int kPanelsTop = 236;
constexpr int kSamplesTop = 344;
constexpr int kLiveTop = 548;

const std::array<const wchar_t*, 6> kStates = {L"Normal",   L"Hover",   L"Pressed",
                                               L"Disabled", L"Focused", L"Checked / down"};
const std::array<const wchar_t*, 4> kRows = {L"Button", L"With glyph", L"Check box",
                                             L"Radio button"};
const std::array<const wchar_t*, 7> kGradientNames = {
    L"gtHorizontal", L"gtVertical",   L"gtFromTopLeft", L"gtFromTopRight",
    L"gtRadial",     L"gtDoubleHorz", L"gtDoubleVert"};

TLook LookOf(int column) { return {column == 1, column == 2, column == 4}; }

}  // namespace

TGalleryWindow::TGalleryWindow() {
  background_.Reset(CreateSolidBrush(kBackground));
  font_.Reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                          CLEARTYPE_QUALITY, 0, L"Tahoma"));
  boldFont_.Reset(CreateFontW(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                              CLEARTYPE_QUALITY, 0, L"Tahoma"));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background_.get();
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Control Gallery", style, 20, 20,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("The gallery window could not be created.");
  Build();
}

TGalleryWindow::~TGalleryWindow() {
  controls_.clear();
  if (hwnd_) DestroyWindow(hwnd_);
}

template <class T, class... Args>
T& TGalleryWindow::Add(Args&&... args) {
  auto control = std::make_unique<T>(std::forward<Args>(args)...);
  T& ref = *control;
  ref.SetFont(font_.get());
  controls_.push_back(std::move(control));
  return ref;
}

void TGalleryWindow::Build() {
  BuildStateGrid();
  BuildPanels();
  BuildLive();
}

void TGalleryWindow::BuildStateGrid() {
  const TPixelBuffer glyph = PrinterGlyph();
  for (int column = 0; column < static_cast<int>(kStates.size()); ++column) {
    const int x = kGridLeft + column * kColumnWidth;
    const TLook look = LookOf(column);
    const bool disabled = column == 3;
    const bool checked = column == 5;

    auto& plain = Add<TPinned<TStyledButton>>(hwnd_, x, kGridTop, 110, 30, look);
    plain.SetCaption(L"Preview");
    auto& withGlyph = Add<TPinned<TStyledButton>>(hwnd_, x, kGridTop + kRowHeight, 110, 30, look);
    withGlyph.SetCaption(L"Print");
    withGlyph.SetGlyph(glyph, kGlyphTransparent);
    withGlyph.SetHotTrack(true);
    for (TStyledButton* b :
         {static_cast<TStyledButton*>(&plain), static_cast<TStyledButton*>(&withGlyph)}) {
      b->SetEnabled(!disabled);
      if (checked) {
        b->SetGroupIndex(100 + column * 2 + (b == &plain ? 0 : 1));
        b->SetDown(true);
      }
    }
    auto& box =
        Add<TPinned<TStyledCheckBox>>(hwnd_, x, kGridTop + 2 * kRowHeight + 6, 124, 17, look);
    box.SetCaption(L"Show grid");
    box.SetHotTrack(true);
    box.SetEnabled(!disabled);
    box.SetChecked(checked);
    auto& radio =
        Add<TPinned<TStyledRadioButton>>(hwnd_, x, kGridTop + 3 * kRowHeight + 6, 124, 17, look);
    radio.SetCaption(L"Landscape");
    radio.SetHotTrack(true);
    radio.SetEnabled(!disabled);
    radio.SetChecked(checked);
  }
}

void TGalleryWindow::BuildPanels() {
  for (int i = 0; i < static_cast<int>(kGradientNames.size()); ++i) {
    auto& p = Add<TStyledPanel>(hwnd_, 16 + i * 134, kPanelsTop, 124, 76);
    p.SetCaption(kGradientNames[static_cast<std::size_t>(i)]);
    p.SetGradientType(static_cast<TGradientType>(i));
    p.SetDefaultFrom(RGB(255, 255, 255));
    p.SetDefaultTo(RGB(118, 148, 190));
    p.SetOuterColor(kBackground);
    p.SetCornerWidth(12);
    p.SetAntialiased(true);
  }

  auto& group = Add<TStyledPanel>(hwnd_, 16, kSamplesTop, 300, 190);
  group.SetCaption(L"Print options");
  group.SetCaptionPosition(TCaptionPosition::cpGroupBox);
  group.SetGradient(false);
  group.SetColor(RGB(255, 255, 255));
  group.SetOuterColor(kBackground);
  group.SetBorderColor(RGB(160, 170, 185));
  group.SetCornerWidth(10);
  group.SetAntialiased(true);
  auto& all = Add<TStyledRadioButton>(group.Handle(), 16, 30, 130, 17);
  all.SetCaption(L"All pages");
  all.SetChecked(true);
  SetWindowLongW(all.Handle(), GWL_STYLE, GetWindowLongW(all.Handle(), GWL_STYLE) | WS_GROUP);
  Add<TStyledRadioButton>(group.Handle(), 16, 54, 130, 17).SetCaption(L"Current page");
  auto& collate = Add<TStyledCheckBox>(group.Handle(), 160, 30, 120, 17);
  collate.SetCaption(L"Collate");
  collate.SetChecked(true);
  SetWindowLongW(collate.Handle(), GWL_STYLE,
                 GetWindowLongW(collate.Handle(), GWL_STYLE) | WS_GROUP);
  auto& lines = Add<TStyledCheckBox>(group.Handle(), 160, 54, 120, 17);
  lines.SetCaption(L"Line below");
  lines.SetBorderLines({TBorderLine::blBottom});
  auto& ok = Add<TStyledButton>(group.Handle(), 112, 146, 80, 28);
  ok.SetCaption(L"OK");
  ok.SetDefault(true);
  ok.SetModalResult(mrOk);
  auto& cancel = Add<TStyledButton>(group.Handle(), 202, 146, 80, 28);
  cancel.SetCaption(L"Cancel");
  cancel.SetCancel(true);
  cancel.SetModalResult(mrCancel);

  auto& smooth = Add<TStyledPanel>(hwnd_, 332, kSamplesTop, 300, 190);
  smooth.SetCaption(L"Antialiased, gtDoubleVert");
  smooth.SetCaptionPosition(TCaptionPosition::cpTopCenter);
  smooth.SetGradientType(TGradientType::gtDoubleVert);
  smooth.SetDefaultFrom(RGB(255, 255, 255));
  smooth.SetDefaultTo(RGB(175, 190, 209));
  smooth.SetOuterColor(kBackground);
  smooth.SetCornerWidth(28);
  smooth.SetBorderWidth(2);
  smooth.SetAntialiased(true);
  const wchar_t* names[] = {L"Left", L"Centre", L"Right"};
  for (int i = 0; i < 3; ++i) {
    auto& b = Add<TStyledButton>(smooth.Handle(), 24 + i * 86, 40, 84, 28);
    b.SetCaption(names[i]);
    b.SetGroupIndex(1);
    if (i == 1) b.SetDown(true);
  }
  const TRadioSize sizes[] = {TRadioSize::rsSmall, TRadioSize::rsMedium, TRadioSize::rsLarge};
  const wchar_t* sizeNames[] = {L"rsSmall over the gradient", L"rsMedium", L"rsLarge"};
  for (int i = 0; i < 3; ++i) {
    auto& r = Add<TStyledRadioButton>(smooth.Handle(), 28, 86 + i * 24, 220, 19);
    r.SetCaption(sizeNames[i]);
    r.SetRadioType(sizes[i]);
    r.SetChecked(i == 2);
  }

  const TCaptionPosition positions[] = {TCaptionPosition::cpTopLeft,
                                        TCaptionPosition::cpMiddleRight,
                                        TCaptionPosition::cpBottomCenter};
  const wchar_t* captions[] = {L"cpTopLeft, gtFromTopLeft", L"cpMiddleRight, gtDoubleHorz",
                               L"cpBottomCenter, gtRadial"};
  const TGradientType types[] = {TGradientType::gtFromTopLeft, TGradientType::gtDoubleHorz,
                                 TGradientType::gtRadial};
  const COLORREF to[] = {RGB(255, 210, 94), RGB(124, 168, 211), RGB(190, 220, 170)};
  for (int i = 0; i < 3; ++i) {
    auto& p = Add<TStyledPanel>(hwnd_, 648, kSamplesTop + i * 66, 296, 58);
    p.SetCaption(captions[i]);
    p.SetCaptionPosition(positions[i]);
    p.SetGradientType(types[i]);
    p.SetDefaultFrom(RGB(255, 255, 255));
    p.SetDefaultTo(to[i]);
    p.SetOuterColor(kBackground);
    p.SetCornerWidth(8 + 8 * i);
    p.SetBorderColor(RGB(150, 150, 150));
  }
}

void TGalleryWindow::BuildLive() {
  // A flat panel of the window's colour: its radio buttons are exclusive among themselves,
  // not with the ones of the state grid.
  auto& row = Add<TStyledPanel>(hwnd_, 130, kLiveTop - 6, 820, 44);
  row.SetGradient(false);
  row.SetColor(kBackground);
  row.SetOuterColor(kBackground);
  row.SetBorderColor(kBackground);
  const HWND parent = row.Handle();
  auto& preview = Add<TStyledButton>(parent, 10, 6, 110, 30);
  preview.SetCaption(L"Preview");
  preview.SetHotTrack(true);
  liveButton_ = preview.Handle();
  auto& slow = Add<TStyledButton>(parent, 132, 6, 110, 30);
  slow.SetCaption(L"Slow fade");
  slow.SetFadeSpeed(TFadeSpeed::fsSlow);
  slow.SetGradientType(TGradientType::gtDoubleVert);
  auto& box = Add<TStyledCheckBox>(parent, 262, 12, 130, 17);
  box.SetCaption(L"Hot-tracked box");
  box.SetHotTrack(true);
  auto& r1 = Add<TStyledRadioButton>(parent, 406, 12, 90, 17);
  r1.SetCaption(L"Portrait");
  r1.SetChecked(true);
  Add<TStyledRadioButton>(parent, 500, 12, 100, 17).SetCaption(L"Landscape");
  SetFocus(liveButton_);
}

void TGalleryWindow::PaintLabels(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(40, 48, 60));
  Selection bold(dc, boldFont_.get());
  auto text = [&](const wchar_t* s, int x, int y, int w) {
    RECT r{x, y, x + w, y + 18};
    DrawTextW(dc, s, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  };
  for (int c = 0; c < static_cast<int>(kStates.size()); ++c)
    text(kStates[static_cast<std::size_t>(c)], kGridLeft + c * kColumnWidth, 16, kColumnWidth);
  for (int r = 0; r < static_cast<int>(kRows.size()); ++r)
    text(kRows[static_cast<std::size_t>(r)], 16, kGridTop + r * kRowHeight + 6, 120);
  text(L"Panels: the seven gradient types (antialiased)", 16, kPanelsTop - 24, 600);
  text(L"Group box, toggle group and radio sizes, caption positions", 16, kSamplesTop - 8 - 16,
       600);
  text(L"Live", 16, kLiveTop + 6, 100);
}

LRESULT CALLBACK TGalleryWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TGalleryWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TGalleryWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT TGalleryWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      const HDC dc = BeginPaint(hwnd_, &ps);
      RECT client{};
      GetClientRect(hwnd_, &client);
      TDibSurface buffer(client.right, client.bottom);
      if (buffer.Valid()) {
        FillRect(buffer.DC(), &client, background_.get());
        PaintLabels(buffer.DC());
        buffer.CopyTo(dc);
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace gallery
