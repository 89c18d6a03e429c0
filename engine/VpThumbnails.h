#pragma once
// The thumbnail strip beside a preview: a scrolling child window that shows one small page
// picture with a caption per page of the attached preview, laid out as a horizontal strip, a
// vertical strip or a grid, marks the current page and makes a clicked page current. It keeps
// in step with the preview through the VPM_ messages. Only the thumbnails in view are painted
// and the small pictures of the most recently shown pages are kept, so a document of a
// thousand pages scrolls as smoothly as one of ten.

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "engine/VpPaperImage.h"
#include "engine/VpPaperImageLayout.h"
#include "engine/VpThumbnailLayout.h"
#include "platform/GdiHandles.h"

class TVpPreview;

class TVpThumbnails {
 public:
  // The most page pictures kept at once; pictures of pages out of view are dropped first.
  static constexpr int kCachedPictures = 64;
  // Scroll bar pixels per line step.
  static constexpr int kLineIncrement = 16;
  // Page pictures are drawn this many times larger and shrunk, so small text stays readable.
  static constexpr int kSupersample = 4;

  // A child of parent, 240 by 115 pixels unless told otherwise, attached to nothing.
  explicit TVpThumbnails(HWND parent, int x = 0, int y = 0, int width = 240, int height = 115);
  // Detaches from the preview when it still exists.
  ~TVpThumbnails();
  TVpThumbnails(const TVpThumbnails&) = delete;
  TVpThumbnails& operator=(const TVpThumbnails&) = delete;

  HWND Handle() const { return hwnd_; }
  std::string About() const { return VpAboutText("TVpThumbnails"); }

  // Detaches from the previous preview, attaches to this one (or none) and rebuilds. A preview
  // that has been freed reads as none.
  TVpPreview* Preview();
  void SetPreview(TVpPreview* preview);

  // Each setter rebuilds, lays out or repaints as needed.
  const LOGFONTW& CaptionFont() const { return captionFont_; }
  void SetCaptionFont(const LOGFONTW& font);
  int GridWidth() const { return gridWidth_; }
  void SetGridWidth(int width);
  bool Highlight() const { return highlight_; }
  void SetHighlight(bool highlight);
  TVpHighlightStyle HighlightStyle() const { return highlightStyle_; }
  void SetHighlightStyle(TVpHighlightStyle style);
  TVpThumbnailLayout Layout() const { return layout_; }
  void SetLayout(TVpThumbnailLayout layout);
  // Every "#" becomes the page number.
  const std::string& PageCaptions() const { return pageCaptions_; }
  void SetPageCaptions(const std::string& pattern);
  bool PlainPages() const { return plainPages_; }
  void SetPlainPages(bool plain);
  bool ScrollIntoView() const { return scrollIntoView_; }
  void SetScrollIntoView(bool scroll) { scrollIntoView_ = scroll; }
  COLORREF SelectedColor() const { return selectedColor_; }
  void SetSelectedColor(COLORREF color);
  // Shared by all thumbnails; changing it repaints them.
  TVpShadow& Shadow() { return shadow_; }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool show);
  // The thumbnails' zoom is ThumbSize + 2 percent.
  int ThumbSize() const { return thumbSize_; }
  void SetThumbSize(int size);
  // Pixels around each thumbnail's sheet.
  int ThumbSpacing() const { return thumbSpacing_; }
  void SetThumbSpacing(int spacing);

  // One thumbnail per page of the preview, bound to it and sized for it, laid out, the current
  // page selected.
  void Rebuild();
  int ThumbnailCount() const { return static_cast<int>(rects_.size()); }
  // The thumbnail with the selected flag (0-based), or -1.
  int SelectedIndex() const { return selected_; }
  // Moves the selected flag (only when Highlight is on) and scrolls it into view when asked.
  void Select(int index);
  // A thumbnail's outer rectangle and its sheet, in client pixels.
  TVpIntRect ThumbnailRect(int index) const;
  TVpIntRect SheetRect(int index) const;
  // The thumbnail under a client point, or -1.
  int ThumbnailAt(int x, int y) const;
  std::string Caption(int index) const { return ThumbnailCaption(pageCaptions_, index + 1); }
  // True between the preview's VPM_BEGINUPDATE and its matching VPM_ENDUPDATE.
  bool IsUpdating() const { return updates_ > 0; }
  int CachedPictureCount() const { return static_cast<int>(cache_.size()); }

  TVpIntPoint ScrollPosition() const { return scroll_; }
  // Clamped to the scroll ranges.
  void SetScrollPosition(int horizontal, int vertical);

  // The client area onto dc (double-buffered by the window's own painting).
  void Paint(HDC dc);

  // Failures inside the window's messages; without a handler an error box shows the text.
  std::function<void(const std::exception&)> OnError;

 private:
  struct TCachedPicture {
    int index = 0;
    std::uint64_t used = 0;
    BitmapHandle bitmap;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void LayOut();
  void DropPictures();
  void PageContentChanged();
  // A page's sheet in pixels at the strip's zoom.
  TVpIntPoint SheetPixels(TVpPreview& preview, int page);
  void Repaint();
  TVpIntPoint ClientSize() const;
  void UpdateScrollBars();
  void Scroll(int bar, WPARAM request);
  void Click(int x, int y);
  void SelectCurrentPage();
  // The page picture of a thumbnail without highlight and caption, painted on first use.
  HBITMAP Picture(int index, HDC compatible);
  void PaintPage(int index, HDC dc, const RECT& area, COLORREF desk);
  void PaintThumbnail(int index, HDC dc, HDC pictures);
  TVpGutter ThumbGutter() const;

  HWND hwnd_ = nullptr;
  TVpPreview* preview_ = nullptr;
  HWND previewWnd_ = nullptr;
  TVpPaperImage image_;  // windowless: paints each page picture in turn
  TVpShadow shadow_;
  TVpShadow bigShadow_;  // the shadow at the supersampled size
  LOGFONTW captionFont_{};
  FontHandle font_;
  int gridWidth_ = 4;
  bool highlight_ = true;
  TVpHighlightStyle highlightStyle_ = vpThickLine;
  TVpThumbnailLayout layout_ = vpThumbHorz;
  std::string pageCaptions_ = "#";
  bool plainPages_ = false;
  bool scrollIntoView_ = true;
  COLORREF selectedColor_ = RGB(0, 0, 255);
  bool showCaption_ = true;
  int thumbSize_ = 4;
  int thumbSpacing_ = 8;

  std::vector<TVpIntPoint> pageSizes_;  // each sheet in pixels
  std::vector<TVpIntRect> rects_;       // each thumbnail in content pixels
  int selected_ = -1;
  int updates_ = 0;
  TVpIntPoint scroll_{};
  bool settingBars_ = false;
  std::vector<TCachedPicture> cache_;
  std::uint64_t useClock_ = 0;
};
