#include "engine/VpPaperImage.h"

#include <stdexcept>

#include "engine/VpChildWindow.h"
#include "engine/VpGdiTarget.h"
#include "engine/VpPageSetup.h"
#include "engine/VpRounding.h"
#include "platform/GdiHandles.h"

namespace {

constexpr wchar_t kClassName[] = L"TVpPaperImage";

TVpPath SheetPath(TVpSize page) {
  return RectanglePath({0, 0, VpRoundToInt(kVpPaperImagePpi * page.Width),
                        VpRoundToInt(kVpPaperImagePpi * page.Height)});
}

// Client coordinates are signed: a captured mouse may report points left of the window.
int PointX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int PointY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

const TVpPen kOutlinePen{0, 0, vpPenSolid, vpPenModeCopy};

}  // namespace

TVpPaperImage::TVpPaperImage(HWND parent, int x, int y, int width, int height) {
  static const TVpWindowClass registered(kClassName, &TVpPaperImage::WindowProc);
  hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width,
                          height, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("The page image's window could not be created.");
}

TVpPaperImage::~TVpPaperImage() {
  if (!hwnd_) return;
  // Detach first so no message reaches a half-destroyed object.
  const HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

void TVpPaperImage::ShowPage(const TVpPageList* list, int pageNumber) {
  list_ = list;
  pageNumber_ = pageNumber;
  Invalidate();
}

void TVpPaperImage::ShowPage(const TVpPage* page) {
  if (page && page->Owner())
    ShowPage(page->Owner(), page->PageNumber());
  else
    ShowPage(nullptr, 0);
}

const TVpPage* TVpPaperImage::Page() const {
  if (!list_ || pageNumber_ < 1 || pageNumber_ > list_->PageCount()) return nullptr;
  return &list_->GetPage(pageNumber_);
}

TVpSize TVpPaperImage::PageSize() const {
  if (const TVpPage* page = Page()) return page->Size();
  return list_ ? list_->PageSize() : kVpInitialPageSize;
}

void TVpPaperImage::SetZoom(int zoom) {
  zoom = std::max(zoom, 1);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  Invalidate();
}

void TVpPaperImage::SetGutter(const TVpGutter& gutter) {
  if (gutter == gutter_) return;
  gutter_ = gutter;
  Invalidate();
}

void TVpPaperImage::SetDrawContent(bool draw) {
  if (draw == drawContent_) return;
  drawContent_ = draw;
  Invalidate();
}

void TVpPaperImage::SetDeskColor(COLORREF color) {
  if (color == desk_) return;
  desk_ = color;
  Invalidate();
}

void TVpPaperImage::SetMargins(const TVpMargins* margins) {
  margins_ = margins;
  Invalidate();
}

void TVpPaperImage::SetGrid(const TVpPageGrid* grid) {
  grid_ = grid;
  Invalidate();
}

void TVpPaperImage::SetShadow(const TVpShadow* shadow) {
  shadow_ = shadow;
  Invalidate();
}

void TVpPaperImage::EndUpdate() {
  if (updates_.EndUpdate()) Invalidate();
}

void TVpPaperImage::Invalidate() {
  if (hwnd_ && !IsUpdating()) InvalidateRect(hwnd_, nullptr, FALSE);
}

TVpIntRect TVpPaperImage::PageImageRect(int clientWidth, int clientHeight) const {
  return ::PageImageRect(clientWidth, clientHeight, gutter_, PageSizePixels());
}

TVpIntRect TVpPaperImage::PageImageRect() const {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  return PageImageRect(client.right, client.bottom);
}

TVpIntPoint TVpPaperImage::PageSizePixels(int ppi) const {
  return ::PageSizePixels(PageSize(), ppi, zoom_);
}

TVpPoint TVpPaperImage::PagePoint(int x, int y) const {
  return PagePointFromPixel({x, y}, PageImageRect(), zoom_);
}

void TVpPaperImage::Paint(HDC dc, const RECT& clientArea) {
  if (IsUpdating()) return;
  const int saved = SaveDC(dc);
  {
    const BrushHandle desk(CreateSolidBrush(desk_));
    FillRect(dc, &clientArea, desk.get());
  }
  TVpIntRect sheet =
      PageImageRect(clientArea.right - clientArea.left, clientArea.bottom - clientArea.top);
  sheet.Left += clientArea.left;
  sheet.Right += clientArea.left;
  sheet.Top += clientArea.top;
  sheet.Bottom += clientArea.top;
  PaintSheet(dc, sheet, PageSize());
  PaintShadow(dc, sheet);
  if (OnAfterPaint) {
    SetMapMode(dc, MM_TEXT);
    SetViewportOrgEx(dc, clientArea.left, clientArea.top, nullptr);
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, sheet.Left - clientArea.left, sheet.Top - clientArea.top,
                      sheet.Right - clientArea.left, sheet.Bottom - clientArea.top);
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    OnAfterPaint(*this, dc);
  }
  RestoreDC(dc, saved);
}

void TVpPaperImage::PaintSheet(HDC dc, const TVpIntRect& sheet, TVpSize page) {
  const int saved = SaveDC(dc);
  // One drawing unit is 1/600 inch of the page, mapped onto the zoomed sheet.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, VpRoundToInt(kVpPaperImagePpi * page.Width),
                 VpRoundToInt(kVpPaperImagePpi * page.Height), nullptr);
  SetViewportExtEx(dc, sheet.Right - sheet.Left, sheet.Bottom - sheet.Top, nullptr);
  SetViewportOrgEx(dc, sheet.Left, sheet.Top, nullptr);
  {
    TVpGdiTarget target(dc, false, &cache_);
    const TVpPath outline = SheetPath(page);
    target.SelectPen(kOutlinePen, kVpPaperImagePpi);
    target.SelectBrush({kVpWhite, vpBrushSolid});
    target.StrokeAndFillPath(outline);
    target.ClipToPath(outline);

    const TVpMargins* margins = margins_ ? margins_ : list_ ? &list_->Margins() : nullptr;
    if (margins) margins->ClipContent(target, page, kVpPaperImagePpi, kVpPaperImagePpi);
    if (const TVpPage* shown = Page(); drawContent_ && shown)
      list_->DrawPage(*shown, target, kVpPaperImagePpi, kVpPaperImagePpi);
    // Back to the sheet: the margin clip would cut the frame's right and bottom edges off.
    if (margins && margins->ClipMargins()) target.ClipToPath(outline);
    if (margins) {
      std::optional<TVpIntRect> printable;
      if (PrintableArea) printable = PrintableArea(page, kVpPaperImagePpi);
      margins->DrawOutlines(target, page, kVpPaperImagePpi, printable);
    }

    if (grid_ && grid_->GridStyle() != vpNoGrid) {
      const TVpGridLines lines = GridLines(page, grid_->Spacing().AsInches(), kVpPaperImagePpi);
      if (grid_->GridStyle() == vpLines) {
        target.SelectPixelPen(grid_->GridPen());
        for (const std::int32_t x : lines.Vertical) target.Line({x, 0}, {x, lines.Height});
        for (const std::int32_t y : lines.Horizontal) target.Line({0, y}, {lines.Width, y});
      } else {
        for (const std::int32_t x : lines.Vertical)
          for (const std::int32_t y : lines.Horizontal) SetPixelV(dc, x, y, grid_->GridPen().Color);
      }
    }

    target.RemoveClip();
    target.SelectPen(kOutlinePen, kVpPaperImagePpi);
    target.SelectBrush({kVpWhite, vpBrushClear});
    target.StrokeAndFillPath(outline);
  }
  RestoreDC(dc, saved);
}

void TVpPaperImage::PaintShadow(HDC dc, const TVpIntRect& sheet) {
  if (!shadow_ || !shadow_->Visible()) return;
  SelectClipRgn(dc, nullptr);
  const PenHandle pen(CreatePen(PS_SOLID, 1, shadow_->Color()));
  const BrushHandle brush(CreateSolidBrush(shadow_->Color()));
  const Selection usePen(dc, pen.get());
  const Selection useBrush(dc, brush.get());
  for (const TVpIntRect& band : ShadowRects(sheet, shadow_->Width()))
    Rectangle(dc, band.Left, band.Top, band.Right, band.Bottom);
}

LRESULT CALLBACK TVpPaperImage::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* image = static_cast<TVpPaperImage*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image));
    image->hwnd_ = hwnd;
  }
  auto* image = reinterpret_cast<TVpPaperImage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!image) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    image->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return image->HandleMessage(msg, wp, lp);
}

LRESULT TVpPaperImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel; erasing first would flicker
    case WM_PAINT: OnPaintMessage(); return 0;
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      Paint(reinterpret_cast<HDC>(wp), client);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(vpLeftButton, wp, lp); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: ButtonDown(vpRightButton, wp, lp); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: ButtonDown(vpMiddleButton, wp, lp); return 0;
    case WM_LBUTTONUP: ButtonUp(vpLeftButton, wp, lp); return 0;
    case WM_RBUTTONUP: ButtonUp(vpRightButton, wp, lp); return 0;
    case WM_MBUTTONUP: ButtonUp(vpMiddleButton, wp, lp); return 0;
    case WM_MOUSEMOVE: MouseMoved(wp, lp); return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (OnMouseLeave) OnMouseLeave();
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void TVpPaperImage::OnPaintMessage() {
  PAINTSTRUCT ps{};
  const HDC dc = BeginPaint(hwnd_, &ps);
  const RECT& box = ps.rcPaint;
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  if (!IsUpdating() && width > 0 && height > 0) {
    // Only the invalid part is painted, off screen first and then copied in one step.
    MemoryDC buffer(dc);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, width, height));
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (buffer.get() && bitmap) {
      const Selection useBitmap(buffer.get(), bitmap.get());
      OffsetRect(&client, -box.left, -box.top);
      Paint(buffer.get(), client);
      BitBlt(dc, box.left, box.top, width, height, buffer.get(), 0, 0, SRCCOPY);
    } else {
      Paint(dc, client);  // no memory for the buffer: straight onto the screen
    }
  }
  EndPaint(hwnd_, &ps);
}

void TVpPaperImage::ButtonDown(TVpMouseButton button, WPARAM keys, LPARAM lp) {
  const int x = PointX(lp);
  const int y = PointY(lp);
  const TVpPoint page = PagePoint(x, y);
  mousePoint_.X().SetAsInches(page.X);
  mousePoint_.Y().SetAsInches(page.Y);
  if (OnMouseDown) OnMouseDown(button, keys, x, y);
  if (OnPageMouseDown) OnPageMouseDown(button, keys, page.X, page.Y);
}

void TVpPaperImage::ButtonUp(TVpMouseButton button, WPARAM keys, LPARAM lp) {
  const int x = PointX(lp);
  const int y = PointY(lp);
  const TVpPoint page = PagePoint(x, y);
  if (OnMouseUp) OnMouseUp(button, keys, x, y);
  if (OnPageMouseUp) OnPageMouseUp(button, keys, page.X, page.Y);
}

void TVpPaperImage::MouseMoved(WPARAM keys, LPARAM lp) {
  if (IsUpdating()) return;
  if (!tracking_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    tracking_ = TrackMouseEvent(&track) != FALSE;
    if (OnMouseEnter) OnMouseEnter();
  }
  const int x = PointX(lp);
  const int y = PointY(lp);
  if (OnMouseMove) OnMouseMove(keys, x, y);
  if (OnPageMouseMove) {
    const TVpPoint page = PagePoint(x, y);
    OnPageMouseMove(keys, page.X, page.Y);
  }
}
