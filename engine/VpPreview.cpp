#include "engine/VpPreview.h"

#include <algorithm>
#include <stdexcept>

#include "engine/VpChildWindow.h"
#include "engine/VpFontMapper.h"
#include "engine/VpGdiSupport.h"
#include "engine/VpRounding.h"
#include "platform/GdiHandles.h"

namespace {

constexpr wchar_t kClassName[] = L"TVpPreview";
constexpr int kPageKeyLines = 10;
constexpr COLORREF kSilver = RGB(192, 192, 192);

}  // namespace

TVpPreview::TVpPreview(HWND parent, int x, int y, int width, int height) {
  static const TVpWindowClass registered(kClassName, &TVpPreview::WindowProc);
  hwnd_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, kClassName, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, x, y, width,
      height, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("The preview's window could not be created.");
  try {
    const TVpIntPoint client = ClientSize();
    image_ = std::make_unique<TVpPaperImage>(hwnd_, 0, 0, client.X, client.Y);
    image_->SetZoom(zoom_.Zoom());
    image_->SetDeskColor(kSilver);
    image_->SetShadow(&shadow_);
    image_->SetGrid(&grid_);
    shadow_.OnChange = [this](TVpShadow&) { image_->Invalidate(); };
    grid_.OnChange = [this](TVpPageGrid&) { image_->Invalidate(); };
    // Header and footer bands are measured with the screen's fonts.
    list_.CellHeight = [](const TVpFont& font, int ppi) {
      return FontMapper().FontCellHeight(font, ppi);
    };
    BindPageList();
    BindPaperImage();
    // The printer is asked only when something needs its margins: it is slow to open.
    list_.PrinterOffset = [this] {
      const TVpRect offsets = PrinterOffsets();
      return TVpPoint{offsets.Left, offsets.Top};
    };
    image_->PrintableArea = [this](TVpSize page, int ppi) -> std::optional<TVpIntRect> {
      if (!list_.Margins().ShowPrinterMargins() || VpPrinter().Info().NoDevice) return std::nullopt;
      return PrintableAreaRect(page, PrinterOffsets(), ppi);
    };
    list_.AddPage();
    UpdateScrollRanges();
  } catch (...) {
    image_.reset();
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    throw;
  }
}

TVpPreview::~TVpPreview() {
  EndHandScroll();
  image_.reset();
  // Detach first so no message reaches a half-destroyed object.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

HCURSOR TVpPreview::ScreenCursor(int id) {
  const wchar_t* name = id == crZoomIn ? L"ZoomIn" : id == crZoomOut ? L"ZoomOut" : nullptr;
  const HCURSOR cursor = name ? LoadCursorW(GetModuleHandleW(nullptr), name) : nullptr;
  return cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
}

void TVpPreview::Loaded() { list_.OnNewPage(list_); }

void TVpPreview::BindPageList() {
  list_.OnNewPage = [this](TVpPageList&) {
    Raise(OnNewPage);
    if (OnDrawHeader) OnDrawHeader(*this, list_.HeaderRect(), list_.Canvas());
    if (OnDrawFooter) OnDrawFooter(*this, list_.FooterRect(), list_.Canvas());
  };
  list_.OnClear = [this](TVpPageList&) { Raise(OnClear); };
  list_.OnPageChanged = [this](TVpPageList&) {
    image_->ShowPage(&list_, list_.CurrentPage());
    if (image_->PageSize() != rangeSize_) UpdateScrollRanges();
    Raise(OnPageChanged);
    Notify(VPM_CURRENTPAGE);
  };
  list_.OnPageContentChanged = [this](TVpPageList&) {
    image_->Invalidate();
    if (image_->PageSize() != rangeSize_) UpdateScrollRanges();
    Notify(VPM_PAGECONTENT);
  };
  list_.OnPageCountChanged = [this](TVpPageList&) {
    image_->Invalidate();
    Notify(VPM_PAGECOUNT);
  };
  const auto repaint = [this](TVpPageList&) {
    image_->Invalidate();
    Notify(VPM_REPAINT);
  };
  list_.OnHeaderFooterChanged = repaint;
  list_.OnMarginsChanged = repaint;
  list_.OnOrientationChanged = [this](TVpPageList&) {
    UpdateScrollRanges();
    Raise(OnOrientationChanged);
    Notify(VPM_ORIENTATION);
  };
  list_.OnPaperSizeChanged = [this](TVpPageList&) {
    UpdateScrollRanges();
    image_->Invalidate();
    Notify(VPM_PAPERSIZE);
  };
  list_.OnPrintProgress = [this](TVpPageList&, int printed, int total) {
    if (OnPrintProgress) OnPrintProgress(*this, printed, total);
  };
}

void TVpPreview::BindPaperImage() {
  TVpPaperImage& image = *image_;
  image.OnMouseDown = [this](TVpMouseButton button, WPARAM keys, int x, int y) {
    SetFocus(hwnd_);  // the keys and the wheel reach the preview
    if (OnMouseDown) OnMouseDown(*this, button, keys, x, y);
  };
  image.OnMouseMove = [this](WPARAM keys, int x, int y) {
    if (handScroll_) HandMove();
    if (OnMouseMove) OnMouseMove(*this, keys, x, y);
  };
  image.OnMouseUp = [this](TVpMouseButton button, WPARAM keys, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, keys, x, y);
    EndHandScroll();
  };
  image.OnPageMouseDown = [this](TVpMouseButton button, WPARAM keys, long double x, long double y) {
    if (OnPageMouseDown) OnPageMouseDown(*this, button, keys, x, y);
    if (!OnObjectMouseDown) return;
    if (TVpVisibleObject* object = ObjectAtPoint(x, y, vpInches))
      OnObjectMouseDown(*this, button, keys, x, y, *object);
  };
  image.OnPageMouseMove = [this](WPARAM keys, long double x, long double y) {
    if (OnPageMouseMove) OnPageMouseMove(*this, keys, x, y);
  };
  image.OnPageMouseUp = [this](TVpMouseButton button, WPARAM keys, long double x, long double y) {
    if (OnPageMouseUp) OnPageMouseUp(*this, button, keys, x, y);
  };
  image.OnMouseEnter = [this] { Raise(OnMouseEnter); };
  image.OnMouseLeave = [this] {
    EndHandScroll();
    Raise(OnMouseLeave);
  };
}

void TVpPreview::BindPrinter(TVpPrinter& printer) {
  printer.BeforePrint = [this](TVpPrinter&) { Raise(BeforePrint); };
  printer.AfterPrint = [this](TVpPrinter&) { Raise(AfterPrint); };
  printer.OnAbortPrint = [this](TVpPrinter&) { Raise(OnAbortPrint); };
  printer.OnChangePrinter = [this](TVpPrinter&) {
    image_->Invalidate();
    Notify(VPM_PRINTER);
  };
}

TVpRect TVpPreview::PrinterOffsets() {
  return VpPrinter().Info().OffsetsInches(list_.Orientation());
}

TVpVisibleObject* TVpPreview::ObjectAtPoint(long double x, long double y,
                                            TVpMeasurement measurement) {
  if (CurrentPage() < 1) return nullptr;
  // Outlines are traced as paths: a memory DC at one unit a pixel does.
  const MemoryDC dc;
  TVpGdiTarget outlines(dc.get(), false);
  return list_.ObjectAtPoint(list_.GetPage(CurrentPage()), x, y, measurement, outlines);
}

void TVpPreview::Notify(UINT message) {
  if (list_.IsUpdating() || closing_) return;
  // A receiver may detach itself (or another window) while it handles the message.
  const std::vector<HWND> receivers = attached_;
  for (const HWND control : receivers)
    if (IsWindow(control)) SendMessageW(control, message, 0, 0);
}

void TVpPreview::AttachControl(HWND control) {
  if (std::find(attached_.begin(), attached_.end(), control) == attached_.end())
    attached_.push_back(control);
}

void TVpPreview::DetachControl(HWND control) {
  attached_.erase(std::remove(attached_.begin(), attached_.end(), control), attached_.end());
}

void TVpPreview::BeginUpdate() {
  Notify(VPM_BEGINUPDATE);
  list_.BeginUpdate();
  image_->BeginUpdate();
}

void TVpPreview::EndUpdate() {
  closing_ = true;
  try {
    list_.EndUpdate();
  } catch (...) {
    closing_ = false;
    image_->EndUpdate();
    throw;
  }
  closing_ = false;
  image_->EndUpdate();
  Notify(VPM_ENDUPDATE);
}

void TVpPreview::SetOrientation(TVpOrientation orientation) {
  {
    TVpUpdateGuard<TVpPaperImage> update(*image_);
    list_.SetOrientation(orientation);
  }
  UpdateScrollRanges();
}

void TVpPreview::SetPagesPerSheet(TVpPagesPerSheet pages) {
  list_.SetPagesPerSheet(pages);
  Notify(VPM_PAGESPERSHEET);
}

// Zoom --------------------------------------------------------------------------------------

void TVpPreview::ChangeZoom(const std::function<void()>& change) {
  const TVpIntPoint client = ClientSize();
  const auto share = [](int position, int range, int extent) -> long double {
    return range > extent ? position * 100.0L / (range - extent) : 0;
  };
  const long double horizontal = share(BarPosition(SB_HORZ), range_.X, client.X);
  const long double vertical = share(BarPosition(SB_VERT), range_.Y, client.Y);
  const int before = zoom_.Zoom();
  change();
  if (zoom_.Zoom() == before) return;
  image_->SetZoom(zoom_.Zoom());
  UpdateScrollRanges();
  image_->Invalidate();
  ScrollToPercent(horizontal, vertical);
}

void TVpPreview::SetZoom(int zoom) {
  ChangeZoom([&] { zoom_.SetZoom(zoom); });
}

void TVpPreview::SetMinZoom(int zoom) {
  ChangeZoom([&] { zoom_.SetMinZoom(zoom); });
}

void TVpPreview::SetMaxZoom(int zoom) {
  ChangeZoom([&] { zoom_.SetMaxZoom(zoom); });
}

void TVpPreview::ZoomIn() {
  ChangeZoom([&] { zoom_.ZoomIn(); });
}

void TVpPreview::ZoomOut() {
  ChangeZoom([&] { zoom_.ZoomOut(); });
}

void TVpPreview::FitWholePage() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  SetZoom(FitWholePageZoom(image_->PageSize(), {outer.right - outer.left, outer.bottom - outer.top},
                           image_->Gutter()));
}

void TVpPreview::FitPageWidth() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  SetZoom(FitPageWidthZoom(image_->PageSize(), {outer.right - outer.left, outer.bottom - outer.top},
                           image_->Gutter()));
}

void TVpPreview::SetGutter(int pixels) {
  const TVpGutter gutter{pixels, pixels, pixels, pixels};
  if (gutter == image_->Gutter()) return;
  image_->SetGutter(gutter);
  UpdateScrollRanges();
}

// Scrolling ---------------------------------------------------------------------------------

TVpIntPoint TVpPreview::ClientSize() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return {client.right, client.bottom};
}

void TVpPreview::UpdateScrollRanges() {
  rangeSize_ = image_->PageSize();
  range_ = ::ScrollRange(rangeSize_, zoom_.Zoom(), image_->Gutter());
  // Showing or hiding one bar changes the other's client extent: settle both.
  layingOut_ = true;
  TVpIntPoint settled{-1, -1};
  for (int pass = 0; pass < 3; ++pass) {
    const TVpIntPoint client = ClientSize();
    if (pass > 0 && client == settled) break;
    settled = client;
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE,
                    0,
                    range_.X - 1,
                    static_cast<UINT>(std::max(client.X, 0)),
                    0,
                    0};
    SetScrollInfo(hwnd_, SB_HORZ, &info, FALSE);
    info.nMax = range_.Y - 1;
    info.nPage = static_cast<UINT>(std::max(client.Y, 0));
    SetScrollInfo(hwnd_, SB_VERT, &info, FALSE);
  }
  layingOut_ = false;
  PlaceImage();
}

// The page image is as large as the scroll range (at least the client area) and moves
// against the bars; moving a window copies its pixels, so scrolling does not flicker. The bars
// were set without drawing (each drawing costs milliseconds under Wine): they are drawn once,
// with the next paint.
void TVpPreview::PlaceImage() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  const TVpIntPoint client = ClientSize();
  const int width = std::max(range_.X, client.X);
  const int height = std::max(range_.Y, client.Y);
  RECT now{};
  GetClientRect(image_->Handle(), &now);
  const bool resized = now.right != width || now.bottom != height;
  SetWindowPos(image_->Handle(), nullptr, -BarPosition(SB_HORZ), -BarPosition(SB_VERT), width,
               height, SWP_NOZORDER | SWP_NOACTIVATE | (resized ? 0 : SWP_NOSIZE));
  // The sheet is centred in the image: a new size moves it.
  if (resized) image_->Invalidate();
}

bool TVpPreview::BarVisible(int bar) const {
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  return (style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

int TVpPreview::PageBar() const {
  if (BarVisible(SB_VERT)) return SB_VERT;
  if (BarVisible(SB_HORZ)) return SB_HORZ;
  return -1;
}

int TVpPreview::BarPosition(int bar) const {
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd_, bar, &info);
  return info.nPos;
}

void TVpPreview::SetBarPosition(int bar, int position) {
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(hwnd_, bar, &info, FALSE);  // PlaceImage draws the bars
}

TVpIntPoint TVpPreview::ScrollPosition() const {
  return {BarPosition(SB_HORZ), BarPosition(SB_VERT)};
}

void TVpPreview::SetScrollPosition(int horizontal, int vertical) {
  SetBarPosition(SB_HORZ, horizontal);
  SetBarPosition(SB_VERT, vertical);
  PlaceImage();
}

void TVpPreview::ScrollToPercent(long double horizontal, long double vertical) {
  const TVpIntPoint client = ClientSize();
  SetScrollPosition(VpRoundToInt((range_.X - client.X) * horizontal / 100),
                    VpRoundToInt((range_.Y - client.Y) * vertical / 100));
}

void TVpPreview::Scroll(int bar, WPARAM request) {
  const auto position =
      ScrollRequestPosition(hwnd_, bar, request, BarPosition(bar), kLineIncrement);
  if (!position) return;
  SetBarPosition(bar, *position);
  PlaceImage();
}

void TVpPreview::KeyDown(WPARAM key) {
  const int bar = PageBar();
  if (bar < 0) return;
  const TVpIntPoint at = ScrollPosition();
  switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
      const int step = (key == VK_PRIOR ? -kPageKeyLines : kPageKeyLines) * kLineIncrement;
      SetBarPosition(bar, BarPosition(bar) + step);
      break;
    }
    case VK_HOME:
      SetBarPosition(SB_VERT, 0);
      SetBarPosition(SB_HORZ, 0);
      break;
    case VK_END:
      // Past the end: the bars stop at their last position.
      SetBarPosition(SB_VERT, range_.Y);
      SetBarPosition(SB_HORZ, range_.X);
      break;
    case VK_LEFT: SetBarPosition(SB_HORZ, at.X - kLineIncrement); break;
    case VK_RIGHT: SetBarPosition(SB_HORZ, at.X + kLineIncrement); break;
    case VK_UP: SetBarPosition(SB_VERT, at.Y - kLineIncrement); break;
    case VK_DOWN: SetBarPosition(SB_VERT, at.Y + kLineIncrement); break;
    default: return;
  }
  PlaceImage();
}

TVpIntPoint TVpPreview::CursorInClient() const {
  POINT cursor = CursorPosition();
  ScreenToClient(hwnd_, &cursor);
  return {cursor.x, cursor.y};
}

void TVpPreview::StartHandScroll() {
  if (handScroll_) return;
  handScroll_ = true;
  handCursor_ = CursorInClient();
  handBars_ = ScrollPosition();
  // The capture keeps the moves coming and the hand shown wherever the mouse goes.
  SetCapture(image_->Handle());
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
}

void TVpPreview::HandMove() {
  const TVpIntPoint now = CursorInClient();
  SetScrollPosition(handBars_.X + handCursor_.X - now.X, handBars_.Y + handCursor_.Y - now.Y);
}

void TVpPreview::EndHandScroll() {
  if (!handScroll_) return;
  handScroll_ = false;
  if (image_ && GetCapture() == image_->Handle()) ReleaseCapture();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void TVpPreview::Wheel(WPARAM wp, LPARAM lp) {
  const int delta = GET_WHEEL_DELTA_WPARAM(wp);
  if (OnFormMouseWheel && OnFormMouseWheel(*this, delta)) return;
  if (const int bar = PageBar(); bar >= 0) {
    SetBarPosition(bar, BarPosition(bar) + (delta <= 0 ? kLineIncrement : -kLineIncrement));
    PlaceImage();
  }
  const WPARAM keys = GET_KEYSTATE_WPARAM(wp);
  const int x = static_cast<short>(LOWORD(lp));
  const int y = static_cast<short>(HIWORD(lp));
  if (OnMouseWheel) OnMouseWheel(*this, keys, delta, x, y);
  const WheelEvent& step = delta <= 0 ? OnMouseWheelDown : OnMouseWheelUp;
  if (step) step(*this, keys, delta, x, y);
}

// Printing ----------------------------------------------------------------------------------

TVpPrinter& TVpPreview::VpPrinter() {
  if (!printer_) {
    printer_ = std::make_unique<TVpPrinter>();
    BindPrinter(*printer_);
  }
  return *printer_;
}

void TVpPreview::PrintCurrentPage() {
  TVpPrintSink& sink = sink_ ? *sink_ : VpPrinter();
  PrintPages(list_, sink, {CurrentPage()});
}

void TVpPreview::PrintRange(int first, int last) {
  if (PageCount() < 1) return;
  first = std::clamp(first, 1, PageCount());
  last = std::clamp(last, 1, PageCount());
  std::vector<int> pages;
  const int step = first <= last ? 1 : -1;
  for (int n = first;; n += step) {
    pages.push_back(n);
    if (n == last) break;
  }
  TVpPrintSink& sink = sink_ ? *sink_ : VpPrinter();
  TVpUpdateGuard<TVpPreview> update(*this);
  PrintPages(list_, sink, pages);
}

// The window --------------------------------------------------------------------------------

LRESULT CALLBACK TVpPreview::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* preview = static_cast<TVpPreview*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
    preview->hwnd_ = hwnd;
  }
  auto* preview = reinterpret_cast<TVpPreview*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!preview || !preview->image_) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  // No failure may cross the window procedure.
  try {
    return preview->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    if (preview->OnError)
      preview->OnError(e);
    else
      MessageBoxW(hwnd, VpWideFromAcp(e.what()).c_str(), L"Error", MB_OK | MB_ICONERROR);
  }
  return 0;
}

LRESULT TVpPreview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // the page image covers the whole client area
    case WM_SIZE:
      if (!layingOut_) UpdateScrollRanges();
      return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, wp); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, wp); return 0;
    case WM_MOUSEWHEEL: Wheel(wp, lp); return 0;
    case WM_SETFOCUS: Raise(OnEnter); return 0;
    case WM_KILLFOCUS: Raise(OnExit); return 0;
    case WM_KEYDOWN: KeyDown(wp); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: SetFocus(hwnd_); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}
