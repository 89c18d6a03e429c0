#include "engine/VpPropertyPickers.h"

#include <algorithm>

#include "engine/VpChildWindow.h"
#include "engine/VpGdiSupport.h"
#include "engine/VpPaper.h"
#include "engine/VpPreview.h"

namespace {

// Both pickers paint on the dialog colour.
HBRUSH FaceBrush() { return reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); }

// Whether the preview behind a stored pointer still exists: its window still points at it.
bool Alive(TVpPreview* preview, HWND window) {
  return preview && IsWindow(window) &&
         GetWindowLongPtrW(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(preview);
}

void Box(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF line) {
  const BrushHandle brush(CreateSolidBrush(fill));
  const PenHandle pen(CreatePen(PS_SOLID, 1, line));
  const Selection useBrush(dc, brush.get());
  const Selection usePen(dc, pen.get());
  Rectangle(dc, left, top, right, bottom);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  const PenHandle pen(CreatePen(PS_SOLID, 1, color));
  const Selection use(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

FontHandle ArialPoints(int points) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, kVpScreenPpi, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(font.lfFaceName, L"Arial");
  return FontHandle(CreateFontIndirectW(&font));
}

void CentredText(HDC dc, const wchar_t* text, RECT area, int points, COLORREF color) {
  const FontHandle font = ArialPoints(points);
  const Selection use(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kSheet = RGB(255, 255, 255);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// A small sheet for the buttons: w by h pixels centred on cx, cy.
void ButtonSheet(HDC dc, int cx, int cy, int w, int h) {
  Box(dc, cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h, kSheet, kInk);
}

}  // namespace

void DrawPropertyPicture(HDC dc, TVpPropertyPicture picture, int x, int y) {
  switch (picture) {
    case vpEnvelopePicture:
      Box(dc, x + 1, y + 3, x + 15, y + 13, kSheet, kInk);
      Line(dc, x + 1, y + 3, x + 8, y + 9, kInk);
      Line(dc, x + 14, y + 3, x + 7, y + 9, kInk);
      break;
    case vpPaperPicture: {
      const BrushHandle brush(CreateSolidBrush(kSheet));
      const PenHandle pen(CreatePen(PS_SOLID, 1, kInk));
      const Selection useBrush(dc, brush.get());
      const Selection usePen(dc, pen.get());
      const POINT sheet[] = {
          {x + 3, y + 1}, {x + 10, y + 1}, {x + 13, y + 4}, {x + 13, y + 15}, {x + 3, y + 15}};
      Polygon(dc, sheet, 5);
      Line(dc, x + 10, y + 1, x + 10, y + 4, kInk);
      Line(dc, x + 10, y + 4, x + 13, y + 4, kInk);
      for (int row = 6; row <= 12; row += 2) Line(dc, x + 5, y + row, x + 11, y + row, kGrey);
      break;
    }
    case vpPrinterPicture:
      Box(dc, x + 4, y + 1, x + 12, y + 7, kSheet, kInk);
      Box(dc, x + 1, y + 6, x + 15, y + 12, kSilver, kInk);
      Box(dc, x + 4, y + 10, x + 12, y + 15, kSheet, kInk);
      Line(dc, x + 12, y + 8, x + 14, y + 8, RGB(0, 160, 0));
      break;
  }
}

// ---------------------------------------------------------------------------------------------

TVpPropertyComboBox::TVpPropertyComboBox(HWND parent, int x, int y, int width, int height) {
  static const TVpWindowClass registered(L"VpPropertyComboBox", WindowProc, 0, FaceBrush());
  CreateWindowExW(0, L"VpPropertyComboBox", L"", WS_CHILD | WS_VISIBLE, x, y, width,
                  kItemHeight + 6, parent, nullptr, GetModuleHandleW(nullptr), this);
  combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST |
                               CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           0, 0, width, height, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  // The selection field as tall as the items.
  SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
  SendMessageW(combo_, CB_SETITEMHEIGHT, 0, kItemHeight);
  RECT box{};
  GetWindowRect(combo_, &box);
  SetWindowPos(hwnd_, nullptr, 0, 0, width, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER);
}

TVpPropertyComboBox::~TVpPropertyComboBox() {
  if (TVpPreview* preview = Preview()) preview->DetachControl(hwnd_);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

TVpPreview* TVpPropertyComboBox::Preview() {
  if (preview_ && !Alive(preview_, previewWnd_)) preview_ = nullptr;
  return preview_;
}

void TVpPropertyComboBox::SetPreview(TVpPreview* preview) {
  if (TVpPreview* old = Preview()) old->DetachControl(hwnd_);
  preview_ = preview;
  previewWnd_ = preview ? preview->Handle() : nullptr;
  if (preview) preview->AttachControl(hwnd_);
  Fill();
}

void TVpPropertyComboBox::SetPreviewProperty(TVpComboPropertyType property) {
  property_ = property;
  Fill();
}

void TVpPropertyComboBox::Fill() {
  TVpPreview* preview = Preview();
  if (!preview || choosing_) return;
  std::vector<std::string> names;
  std::string current;
  if (property_ == vpPaperList) {
    GetPaperSizeNames(names);
    current = PaperSizeName(preview->PaperSize());
  } else {
    TVpPrinter& printer = preview->VpPrinter();
    for (const std::wstring& name : printer.Printers()) names.push_back(VpAcpFromWide(name));
    if (printer.PrinterIndex() >= 0)
      current = names.at(static_cast<std::size_t>(printer.PrinterIndex()));
  }
  items_.clear();
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) {
    bool add = true;
    if (OnAddItem) OnAddItem(*this, name, add);
    if (!add) continue;
    items_.push_back(name);
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(VpWideFromAcp(name).c_str()));
  }
  const auto at = std::find(items_.begin(), items_.end(), current);
  SendMessageW(combo_, CB_SETCURSEL, at == items_.end() ? -1 : at - items_.begin(), 0);
}

int TVpPropertyComboBox::ItemIndex() const {
  return static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
}

TVpPropertyPicture TVpPropertyComboBox::ItemPicture(int index) const {
  if (property_ == vpPrinterList) return vpPrinterPicture;
  return IsEnvelopeSize(PaperSizeFromName(Item(index))) ? vpEnvelopePicture : vpPaperPicture;
}

void TVpPropertyComboBox::ChooseItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  SendMessageW(combo_, CB_SETCURSEL, index, 0);
  if (TVpPreview* preview = Preview()) {
    choosing_ = true;
    try {
      if (property_ == vpPaperList) {
        preview->SetPaperSize(PaperSizeFromName(Item(index)));
      } else {
        const auto& printers = preview->VpPrinter().Printers();
        const auto at = std::find(printers.begin(), printers.end(), VpWideFromAcp(Item(index)));
        if (at != printers.end())
          preview->VpPrinter().SelectPrinter(static_cast<int>(at - printers.begin()));
      }
    } catch (...) {
      choosing_ = false;
      throw;
    }
    choosing_ = false;
  }
  if (OnChange) OnChange(*this);
}

void TVpPropertyComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= ItemCount()) return;
  const int index = static_cast<int>(item.itemID);
  DrawPropertyPicture(dc, ItemPicture(index), r.left + kPictureLeft,
                      r.top + (r.bottom - r.top - 16) / 2);
  RECT text{r.left + kTextLeft, r.top, r.right, r.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring name = VpWideFromAcp(Item(index));
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

LRESULT CALLBACK TVpPropertyComboBox::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self =
        static_cast<TVpPropertyComboBox*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<TVpPropertyComboBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& error) {
    MessageBoxA(hwnd, error.what(), "Property list", MB_OK | MB_ICONERROR);
    return 0;
  }
}

LRESULT TVpPropertyComboBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case VPM_PAPERSIZE:
    case VPM_PRINTER: Fill(); return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = kItemHeight;
      return TRUE;
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == combo_ && HIWORD(wp) == CBN_SELCHANGE)
        ChooseItem(ItemIndex());
      return 0;
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

// ---------------------------------------------------------------------------------------------

TVpPropertyGraphic::TVpPropertyGraphic(HWND parent, int x, int y, int width, int height) {
  shadow_.SetWidth(2);
  shadow_.OnChange = [this](TVpShadow&) {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  };
  sheet_.SetCustomPaperSize(8.26L, 11.69L, vpInches);
  image_.ShowPage(&sheet_, 0);
  image_.SetDrawContent(false);
  image_.SetZoom(kZoom);
  image_.SetShadow(&shadow_);
  image_.SetDeskColor(GetSysColor(COLOR_BTNFACE));
  image_.SetGutter({kInitialGutter, 0, 0, 0});
  image_.OnAfterPaint = [this](TVpPaperImage&, HDC dc) { DrawNumbers(dc); };
  static const TVpWindowClass registered(L"VpPropertyGraphic", WindowProc, 0, FaceBrush());
  CreateWindowExW(0, L"VpPropertyGraphic", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                  width, height, parent, nullptr, GetModuleHandleW(nullptr), this);
  MakeButtons();
}

TVpPropertyGraphic::~TVpPropertyGraphic() {
  if (TVpPreview* preview = Preview()) preview->DetachControl(hwnd_);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

TVpPreview* TVpPropertyGraphic::Preview() {
  if (preview_ && !Alive(preview_, previewWnd_)) preview_ = nullptr;
  return preview_;
}

void TVpPropertyGraphic::SetPreview(TVpPreview* preview) {
  if (TVpPreview* old = Preview()) old->DetachControl(hwnd_);
  preview_ = preview;
  previewWnd_ = preview ? preview->Handle() : nullptr;
  if (preview) preview->AttachControl(hwnd_);
  ReadPreview();
}

void TVpPropertyGraphic::SetPreviewProperty(TVpGraphicPropertyType property) {
  if (property == property_) return;
  property_ = property;
  MakeButtons();
}

void TVpPropertyGraphic::SetButtonSpacing(int spacing) {
  buttonSpacing_ = spacing;
  PlaceButtons();
}

void TVpPropertyGraphic::SetShowButtons(bool show) {
  showButtons_ = show;
  image_.SetGutter({show ? kButtonGutter : 0, 0, 0, 0});
  for (const HWND button : buttons_) ShowWindow(button, show ? SW_SHOW : SW_HIDE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TVpPropertyGraphic::MakeButtons() {
  for (const HWND button : buttons_) DestroyWindow(button);
  buttons_.clear();
  const int count = property_ == vpOrientationGraphic ? 2 : 3;
  for (int n = 1; n <= count; ++n)
    buttons_.push_back(CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | (showButtons_ ? WS_VISIBLE : 0) | BS_OWNERDRAW, 0, 0,
        kButtonSize, kButtonSize, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(n)),
        GetModuleHandleW(nullptr), nullptr));
  PlaceButtons();
  ReadPreview();
}

void TVpPropertyGraphic::PlaceButtons() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int count = ButtonCount();
  const int column = count * kButtonSize + (count - 1) * buttonSpacing_;
  const int top = (client.bottom - column) / 2;
  for (int i = 0; i < count; ++i)
    SetWindowPos(buttons_[static_cast<std::size_t>(i)], nullptr, kButtonLeft,
                 top + i * (kButtonSize + buttonSpacing_), kButtonSize, kButtonSize,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVpPropertyGraphic::ReadPreview() {
  TVpPreview* preview = Preview();
  if (property_ == vpOrientationGraphic) {
    Show(preview && preview->Orientation() == vpLandscape ? 2 : 1);
  } else {
    const TVpPagesPerSheet pages = preview ? preview->PagesPerSheet() : vpOnePage;
    Show(pages == vpFourPage ? 3 : pages == vpTwoPage ? 2 : 1);
  }
}

void TVpPropertyGraphic::Show(int choice) {
  choice_ = choice;
  TVpPreview* preview = Preview();
  if (property_ == vpOrientationGraphic) {
    pages_ = vpOnePage;
    sheet_.SetOrientation(choice == 2 ? vpLandscape : vpPortrait);
  } else {
    pages_ = choice == 3 ? vpFourPage : choice == 2 ? vpTwoPage : vpOnePage;
    const TVpOrientation pageOrientation = preview ? preview->Orientation() : vpPortrait;
    // Two pages share a sheet side by side: the sheet turns, as printing does.
    const TVpOrientation other = pageOrientation == vpPortrait ? vpLandscape : vpPortrait;
    sheet_.SetOrientation(pages_ == vpTwoPage ? other : pageOrientation);
  }
  for (const HWND button : buttons_) InvalidateRect(button, nullptr, FALSE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TVpPropertyGraphic::PressButton(int n) {
  if (n < 1 || n > ButtonCount()) return;
  if (TVpPreview* preview = Preview()) {
    if (property_ == vpOrientationGraphic)
      preview->SetOrientation(n == 2 ? vpLandscape : vpPortrait);
    else
      preview->SetPagesPerSheet(n == 3 ? vpFourPage : n == 2 ? vpTwoPage : vpOnePage);
  }
  Show(n);
}

TVpIntRect TVpPropertyGraphic::SheetRect() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return image_.PageImageRect(client.right, client.bottom);
}

void TVpPropertyGraphic::DrawNumbers(HDC dc) {
  const TVpIntRect s = SheetRect();
  const RECT sheet{s.Left, s.Top, s.Right, s.Bottom};
  if (property_ == vpOrientationGraphic) {
    CentredText(dc, SheetOrientation() == vpLandscape ? L"L" : L"P", sheet, 18, kSilver);
    return;
  }
  if (pages_ == vpOnePage) {
    CentredText(dc, L"1", sheet, 16, kSilver);
    return;
  }
  const int midX = (sheet.left + sheet.right) / 2;
  const int midY = (sheet.top + sheet.bottom) / 2;
  if (pages_ == vpTwoPage) {
    const bool sideBySide = SheetOrientation() == vpLandscape;
    const RECT first = sideBySide ? RECT{sheet.left, sheet.top, midX, sheet.bottom}
                                  : RECT{sheet.left, sheet.top, sheet.right, midY};
    const RECT second = sideBySide ? RECT{midX, sheet.top, sheet.right, sheet.bottom}
                                   : RECT{sheet.left, midY, sheet.right, sheet.bottom};
    if (sideBySide)
      Line(dc, midX, sheet.top, midX, sheet.bottom, kSilver);
    else
      Line(dc, sheet.left, midY, sheet.right, midY, kSilver);
    CentredText(dc, L"1", first, 12, kSilver);
    CentredText(dc, L"2", second, 12, kSilver);
    return;
  }
  Line(dc, midX, sheet.top, midX, sheet.bottom, kSilver);
  Line(dc, sheet.left, midY, sheet.right, midY, kSilver);
  const RECT quarters[] = {{sheet.left, sheet.top, midX, midY},
                           {midX, sheet.top, sheet.right, midY},
                           {sheet.left, midY, midX, sheet.bottom},
                           {midX, midY, sheet.right, sheet.bottom}};
  const wchar_t* digits[] = {L"1", L"2", L"3", L"4"};
  for (int i = 0; i < 4; ++i) CentredText(dc, digits[i], quarters[i], 10, kSilver);
}

void TVpPropertyGraphic::DrawButton(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const int n = static_cast<int>(item.CtlID);
  const bool down = n == choice_ || (item.itemState & ODS_SELECTED);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  const int cx = (r.left + r.right) / 2 + (down ? 1 : 0);
  const int cy = (r.top + r.bottom) / 2 + (down ? 1 : 0);
  if (property_ == vpOrientationGraphic) {
    if (n == 1)
      ButtonSheet(dc, cx, cy, 10, 14);
    else
      ButtonSheet(dc, cx, cy, 14, 10);
    return;
  }
  if (n == 1) {
    ButtonSheet(dc, cx, cy, 10, 14);
  } else if (n == 2) {
    ButtonSheet(dc, cx, cy, 14, 10);
    Line(dc, cx, cy - 4, cx, cy + 4, kGrey);
  } else {
    ButtonSheet(dc, cx, cy, 10, 14);
    Line(dc, cx, cy - 6, cx, cy + 6, kGrey);
    Line(dc, cx - 4, cy, cx + 4, cy, kGrey);
  }
}

void TVpPropertyGraphic::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  image_.Paint(dc, client);
}

LRESULT CALLBACK TVpPropertyGraphic::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self =
        static_cast<TVpPropertyGraphic*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<TVpPropertyGraphic*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& error) {
    MessageBoxA(hwnd, error.what(), "Page picture", MB_OK | MB_ICONERROR);
    return 0;
  }
}

LRESULT TVpPropertyGraphic::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case VPM_ORIENTATION:
    case VPM_PAGESPERSHEET: ReadPreview(); return 0;
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED) PressButton(LOWORD(wp));
      return 0;
    case WM_DRAWITEM: DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_SIZE:
      PlaceButtons();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd_, &ps);
      RECT client{};
      GetClientRect(hwnd_, &client);
      const MemoryDC buffer(dc);
      const BitmapHandle bitmap(CreateCompatibleBitmap(dc, std::max<int>(client.right, 1),
                                                       std::max<int>(client.bottom, 1)));
      {
        const Selection use(buffer.get(), bitmap.get());
        Paint(buffer.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}
