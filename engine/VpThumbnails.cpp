#include "engine/VpThumbnails.h"

#include <algorithm>

#include "engine/VpChildWindow.h"
#include "engine/VpGdiSupport.h"
#include "engine/VpPreview.h"

namespace {

constexpr wchar_t kClassName[] = L"VpThumbnails";

COLORREF BackgroundColor() { return GetSysColor(COLOR_BTNFACE); }

}  // namespace

TVpThumbnails::TVpThumbnails(HWND parent, int x, int y, int width, int height) {
  shadow_.SetWidth(2);
  shadow_.OnChange = [this](TVpShadow&) {
    DropPictures();
    Repaint();
  };
  image_.SetShadow(&shadow_);
  image_.SetDeskColor(BackgroundColor());
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(captionFont_), &captionFont_);
  font_.Reset(CreateFontIndirectW(&captionFont_));
  static const TVpWindowClass registered(kClassName, WindowProc, 0);
  CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, x, y, width,
                  height, parent, nullptr, GetModuleHandleW(nullptr), this);
  UpdateScrollBars();
}

TVpThumbnails::~TVpThumbnails() {
  if (TVpPreview* preview = Preview()) preview->DetachControl(hwnd_);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

TVpPreview* TVpThumbnails::Preview() {
  // The preview does not say when it goes; its window does.
  if (preview_ && !(IsWindow(previewWnd_) && GetWindowLongPtrW(previewWnd_, GWLP_USERDATA) ==
                                                 reinterpret_cast<LONG_PTR>(preview_))) {
    preview_ = nullptr;
    previewWnd_ = nullptr;
  }
  return preview_;
}

void TVpThumbnails::SetPreview(TVpPreview* preview) {
  if (TVpPreview* old = Preview()) old->DetachControl(hwnd_);
  preview_ = preview;
  previewWnd_ = preview ? preview->Handle() : nullptr;
  updates_ = 0;
  if (preview) preview->AttachControl(hwnd_);
  Rebuild();
}

void TVpThumbnails::SetCaptionFont(const LOGFONTW& font) {
  captionFont_ = font;
  font_.Reset(CreateFontIndirectW(&captionFont_));
  Rebuild();
}

void TVpThumbnails::SetGridWidth(int width) {
  if (width == gridWidth_) return;
  gridWidth_ = width;
  LayOut();
}

void TVpThumbnails::SetHighlight(bool highlight) {
  if (highlight == highlight_) return;
  highlight_ = highlight;
  SelectCurrentPage();
}

void TVpThumbnails::SetHighlightStyle(TVpHighlightStyle style) {
  highlightStyle_ = style;
  Repaint();
}

void TVpThumbnails::SetLayout(TVpThumbnailLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  LayOut();
}

void TVpThumbnails::SetPageCaptions(const std::string& pattern) {
  pageCaptions_ = pattern;
  Repaint();
}

void TVpThumbnails::SetPlainPages(bool plain) {
  if (plain == plainPages_) return;
  plainPages_ = plain;
  DropPictures();
  Repaint();
}

void TVpThumbnails::SetSelectedColor(COLORREF color) {
  selectedColor_ = color;
  Repaint();
}

void TVpThumbnails::SetShowCaption(bool show) {
  if (show == showCaption_) return;
  showCaption_ = show;
  Rebuild();
}

void TVpThumbnails::SetThumbSize(int size) {
  if (size == thumbSize_) return;
  thumbSize_ = size;
  Rebuild();
}

void TVpThumbnails::SetThumbSpacing(int spacing) {
  if (spacing == thumbSpacing_) return;
  thumbSpacing_ = spacing;
  Rebuild();
}

TVpGutter TVpThumbnails::ThumbGutter() const {
  return {thumbSpacing_, thumbSpacing_, thumbSpacing_,
          ThumbnailBottomGutter(thumbSpacing_, showCaption_, captionFont_.lfHeight)};
}

void TVpThumbnails::Rebuild() {
  DropPictures();
  pageSizes_.clear();
  image_.SetZoom(thumbSize_ + 2);
  image_.SetGutter(ThumbGutter());
  image_.SetDrawContent(!plainPages_);
  if (TVpPreview* preview = Preview()) {
    const int count = preview->PageCount();
    pageSizes_.reserve(static_cast<std::size_t>(count));
    for (int page = 1; page <= count; ++page) pageSizes_.push_back(SheetPixels(*preview, page));
  }
  selected_ = -1;
  LayOut();
  SelectCurrentPage();
}

void TVpThumbnails::LayOut() {
  const TVpGutter gutter = ThumbGutter();
  std::vector<TVpIntPoint> sizes;
  sizes.reserve(pageSizes_.size());
  for (const TVpIntPoint page : pageSizes_)
    sizes.push_back({page.X + gutter.Left + gutter.Right, page.Y + gutter.Top + gutter.Bottom});
  rects_ = ThumbnailRects(sizes, layout_, gridWidth_);
  UpdateScrollBars();
  Repaint();
}

void TVpThumbnails::DropPictures() { cache_.clear(); }

TVpIntPoint TVpThumbnails::SheetPixels(TVpPreview& preview, int page) {
  image_.ShowPage(&preview.PageList(), page);
  const TVpIntPoint size = image_.PageSizePixels();
  image_.ShowPage(nullptr, 0);
  return size;
}

// Recording changes the current page: the pictures are drawn again, and the strip is laid out
// again only when the page's size changed, so recording stays cheap however long the strip.
void TVpThumbnails::PageContentChanged() {
  TVpPreview* preview = Preview();
  const int page = preview ? preview->CurrentPage() : 0;
  if (page < 1 || page > static_cast<int>(pageSizes_.size())) return Rebuild();
  if (SheetPixels(*preview, page) != pageSizes_[static_cast<std::size_t>(page - 1)])
    return Rebuild();
  DropPictures();
  SelectCurrentPage();
}

void TVpThumbnails::Repaint() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TVpThumbnails::SelectCurrentPage() {
  TVpPreview* preview = Preview();
  Select(preview ? preview->CurrentPage() - 1 : -1);
}

void TVpThumbnails::Select(int index) {
  const bool valid = index >= 0 && index < ThumbnailCount();
  selected_ = highlight_ && valid ? index : -1;
  if (valid && scrollIntoView_) {
    const TVpIntPoint client = ClientSize();
    const TVpIntRect& rect = rects_[static_cast<std::size_t>(index)];
    const TVpIntPoint to = ::ScrollToShow(rect, scroll_, client.X, client.Y);
    SetScrollPosition(to.X, to.Y);
  }
  Repaint();
}

TVpIntRect TVpThumbnails::ThumbnailRect(int index) const {
  TVpIntRect r = rects_.at(static_cast<std::size_t>(index));
  return {r.Left - scroll_.X, r.Top - scroll_.Y, r.Right - scroll_.X, r.Bottom - scroll_.Y};
}

TVpIntRect TVpThumbnails::SheetRect(int index) const {
  const TVpIntRect outer = ThumbnailRect(index);
  const TVpIntPoint page = pageSizes_.at(static_cast<std::size_t>(index));
  return {outer.Left + thumbSpacing_, outer.Top + thumbSpacing_,
          outer.Left + thumbSpacing_ + page.X, outer.Top + thumbSpacing_ + page.Y};
}

int TVpThumbnails::ThumbnailAt(int x, int y) const {
  // Neighbours share an edge line; the later one is drawn on top and wins.
  const std::vector<int> hits = ThumbnailsInView(rects_, {scroll_.X + x, scroll_.Y + y}, 1, 1);
  return hits.empty() ? -1 : hits.back();
}

TVpIntPoint TVpThumbnails::ClientSize() const {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  return {client.right, client.bottom};
}

void TVpThumbnails::UpdateScrollBars() {
  if (!hwnd_ || settingBars_) return;
  settingBars_ = true;
  const TVpIntPoint extent = ThumbnailExtent(rects_);
  // Showing one bar narrows the client area, which may call for the other: settle in two.
  for (int pass = 0; pass < 2; ++pass) {
    const TVpIntPoint client = ClientSize();
    const int bars[] = {SB_HORZ, SB_VERT};
    const int extents[] = {extent.X, extent.Y};
    const int pages[] = {client.X, client.Y};
    for (int i = 0; i < 2; ++i) {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_RANGE | SIF_PAGE;
      info.nMin = 0;
      info.nMax = std::max(extents[i] - 1, 0);
      info.nPage = static_cast<UINT>(std::max(pages[i], 0));
      SetScrollInfo(hwnd_, bars[i], &info, TRUE);
    }
  }
  settingBars_ = false;
  SetScrollPosition(scroll_.X, scroll_.Y);
}

void TVpThumbnails::SetScrollPosition(int horizontal, int vertical) {
  const TVpIntPoint extent = ThumbnailExtent(rects_);
  const TVpIntPoint client = ClientSize();
  const TVpIntPoint to{std::clamp(horizontal, 0, std::max(extent.X - client.X, 0)),
                       std::clamp(vertical, 0, std::max(extent.Y - client.Y, 0))};
  if (hwnd_) {
    SetScrollPos(hwnd_, SB_HORZ, to.X, TRUE);
    SetScrollPos(hwnd_, SB_VERT, to.Y, TRUE);
  }
  if (to == scroll_) return;
  scroll_ = to;
  Repaint();
}

void TVpThumbnails::Scroll(int bar, WPARAM request) {
  const auto position = ScrollRequestPosition(
      hwnd_, bar, request, bar == SB_HORZ ? scroll_.X : scroll_.Y, kLineIncrement);
  if (!position) return;
  if (bar == SB_HORZ)
    SetScrollPosition(*position, scroll_.Y);
  else
    SetScrollPosition(scroll_.X, *position);
}

void TVpThumbnails::Click(int x, int y) {
  if (IsUpdating()) return;
  const int index = ThumbnailAt(x, y);
  if (index < 0) return;
  Select(index);
  if (TVpPreview* preview = Preview()) preview->GoToPage(index + 1);
}

HBITMAP TVpThumbnails::Picture(int index, HDC compatible) {
  for (TCachedPicture& picture : cache_)
    if (picture.index == index) {
      picture.used = ++useClock_;
      return picture.bitmap.get();
    }
  TCachedPicture* slot = nullptr;
  if (static_cast<int>(cache_.size()) < kCachedPictures) {
    slot = &cache_.emplace_back();
  } else {
    slot = &*std::min_element(cache_.begin(), cache_.end(),
                              [](const auto& a, const auto& b) { return a.used < b.used; });
  }
  const TVpIntRect outer = rects_[static_cast<std::size_t>(index)];
  const RECT area{0, 0, outer.Right - outer.Left, outer.Bottom - outer.Top};
  slot->index = index;
  slot->used = ++useClock_;
  slot->bitmap.Reset(CreateCompatibleBitmap(compatible, area.right, area.bottom));
  const MemoryDC dc(compatible);
  const Selection use(dc.get(), slot->bitmap.get());
  PaintPage(index, dc.get(), area, BackgroundColor());
  return slot->bitmap.get();
}

void TVpThumbnails::PaintPage(int index, HDC dc, const RECT& area, COLORREF desk) {
  TVpPreview* preview = Preview();
  if (!preview) return;
  // Text a few pixels high comes out as blots when drawn at the thumbnail's size: draw at
  // kSupersample times the size and shrink with averaging, then outline the sheet crisply.
  constexpr int k = kSupersample;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const TVpGutter gutter = ThumbGutter();
  bigShadow_.Assign(shadow_);
  bigShadow_.SetWidth(shadow_.Width() * k);
  image_.SetShadow(&bigShadow_);
  image_.SetZoom((thumbSize_ + 2) * k);
  image_.SetGutter({gutter.Left * k, gutter.Top * k, gutter.Right * k, gutter.Bottom * k});
  image_.SetDeskColor(desk);
  image_.ShowPage(&preview->PageList(), index + 1);
  {
    const MemoryDC big(dc);
    const BitmapHandle bitmap(CreateCompatibleBitmap(dc, width * k, height * k));
    const Selection use(big.get(), bitmap.get());
    const RECT bigArea{0, 0, width * k, height * k};
    image_.Paint(big.get(), bigArea);
    const int mode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, area.left, area.top, width, height, big.get(), 0, 0, width * k, height * k,
               SRCCOPY);
    SetStretchBltMode(dc, mode);
  }
  image_.ShowPage(nullptr, 0);
  image_.SetDeskColor(BackgroundColor());
  image_.SetZoom(thumbSize_ + 2);
  image_.SetGutter(gutter);
  image_.SetShadow(&shadow_);
  const TVpIntPoint page = pageSizes_.at(static_cast<std::size_t>(index));
  const RECT sheet{area.left + gutter.Left, area.top + gutter.Top, area.left + gutter.Left + page.X,
                   area.top + gutter.Top + page.Y};
  const BrushHandle black(CreateSolidBrush(RGB(0, 0, 0)));
  FrameRect(dc, &sheet, black.get());
}

void TVpThumbnails::PaintThumbnail(int index, HDC dc, HDC pictures) {
  const TVpIntRect outer = ThumbnailRect(index);
  const RECT area{outer.Left, outer.Top, outer.Right, outer.Bottom};
  const bool selected = index == selected_;
  if (selected && highlightStyle_ == vpBackground) {
    PaintPage(index, dc, area, selectedColor_);
    const BrushHandle black(CreateSolidBrush(RGB(0, 0, 0)));
    FrameRect(dc, &area, black.get());
  } else {
    const Selection use(pictures, Picture(index, dc));
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, pictures, 0, 0,
           SRCCOPY);
  }
  const TVpIntRect sheet = SheetRect(index);
  if (showCaption_) {
    COLORREF color = RGB(0, 0, 0);
    if (selected)
      color = highlightStyle_ == vpBackground ? ContrastingCaptionColor(selectedColor_)
                                              : selectedColor_;
    const Selection useFont(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    RECT text{area.left, sheet.Bottom + 4, area.right, area.bottom};
    const std::wstring caption = VpWideFromAcp(Caption(index));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (selected && highlightStyle_ != vpBackground) {
    const int width = highlightStyle_ == vpThickLine ? 2 : 1;
    const BrushHandle brush(CreateSolidBrush(selectedColor_));
    for (int ring = 1; ring <= width; ++ring) {
      const RECT frame{sheet.Left - ring, sheet.Top - ring, sheet.Right + ring,
                       sheet.Bottom + ring};
      FrameRect(dc, &frame, brush.get());
    }
  }
}

void TVpThumbnails::Paint(HDC dc) {
  const TVpIntPoint client = ClientSize();
  const RECT all{0, 0, client.X, client.Y};
  {
    const BrushHandle background(CreateSolidBrush(BackgroundColor()));
    FillRect(dc, &all, background.get());
  }
  if (IsUpdating()) return;
  const MemoryDC pictures(dc);
  for (const int index : ThumbnailsInView(rects_, scroll_, client.X, client.Y))
    PaintThumbnail(index, dc, pictures.get());
}

LRESULT CALLBACK TVpThumbnails::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* strip = static_cast<TVpThumbnails*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(strip));
    strip->hwnd_ = hwnd;
  }
  auto* strip = reinterpret_cast<TVpThumbnails*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!strip) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return strip->HandleMessage(msg, wp, lp);
  } catch (const std::exception& error) {
    if (strip->OnError)
      strip->OnError(error);
    else
      MessageBoxA(hwnd, error.what(), "Thumbnails", MB_OK | MB_ICONERROR);
    return 0;
  }
}

LRESULT TVpThumbnails::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case VPM_BEGINUPDATE: ++updates_; return 0;
    case VPM_ENDUPDATE:
      updates_ = std::max(updates_ - 1, 0);
      if (updates_ == 0) Rebuild();
      return 0;
    case VPM_PAGECOUNT:
    case VPM_PAPERSIZE:
    case VPM_ORIENTATION:  // every sheet turns
      Rebuild();
      return 0;
    case VPM_PAGECONTENT: PageContentChanged(); return 0;
    case VPM_REPAINT:
      DropPictures();
      Repaint();
      return 0;
    case VPM_CURRENTPAGE: SelectCurrentPage(); return 0;
    case WM_SIZE:
      UpdateScrollBars();
      Repaint();
      return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, wp); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, wp); return 0;
    case WM_MOUSEWHEEL: {
      const int steps = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
      const TVpIntPoint extent = ThumbnailExtent(rects_);
      const int by = -steps * 3 * kLineIncrement;
      if (extent.Y > ClientSize().Y)
        SetScrollPosition(scroll_.X, scroll_.Y + by);
      else
        SetScrollPosition(scroll_.X + by, scroll_.Y);
      return 0;
    }
    case WM_LBUTTONDOWN:
      Click(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd_, &ps);
      const TVpIntPoint client = ClientSize();
      const MemoryDC buffer(dc);
      const BitmapHandle bitmap(
          CreateCompatibleBitmap(dc, std::max(client.X, 1), std::max(client.Y, 1)));
      {
        const Selection use(buffer.get(), bitmap.get());
        Paint(buffer.get());
        BitBlt(dc, 0, 0, client.X, client.Y, buffer.get(), 0, 0, SRCCOPY);
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}
