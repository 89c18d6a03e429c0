#pragma once
// The preview control both programs put on their print windows: a scrolling child window that
// owns a page list, shows its current page through a page image at a zoom, scrolls by bars,
// wheel, keys and hand dragging, prints through the printer wrapper and tells attached windows
// about its changes with the VPM_ messages.

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpPageList.h"
#include "engine/VpPaper.h"
#include "engine/VpPaperImage.h"
#include "engine/VpPaperImageLayout.h"
#include "engine/VpPrinter.h"
#include "engine/VpZoom.h"

// Sent synchronously to attached windows, both parameters 0, never while an update is open.
inline constexpr UINT VPM_PAGESPERSHEET = 7034;
inline constexpr UINT VPM_REPAINT = 7035;
inline constexpr UINT VPM_ORIENTATION = 7036;
inline constexpr UINT VPM_PAGECONTENT = 7038;
inline constexpr UINT VPM_PAGECOUNT = 7039;
inline constexpr UINT VPM_PRINTER = 7042;
inline constexpr UINT VPM_BEGINUPDATE = 7043;
inline constexpr UINT VPM_ENDUPDATE = 7044;
inline constexpr UINT VPM_PAPERSIZE = 7045;
inline constexpr UINT VPM_CURRENTPAGE = 7047;

class TVpPreview {
 public:
  using NotifyEvent = std::function<void(TVpPreview&)>;
  using DrawHeaderFooterEvent = std::function<void(TVpPreview&, TVpValueRect&, TVpCanvas&)>;
  using PrintProgressEvent = std::function<void(TVpPreview&, int printed, int total)>;
  using MouseButtonEvent = std::function<void(TVpPreview&, TVpMouseButton, WPARAM, int, int)>;
  using MouseMoveEvent = std::function<void(TVpPreview&, WPARAM, int, int)>;
  using PageButtonEvent =
      std::function<void(TVpPreview&, TVpMouseButton, WPARAM, long double, long double)>;
  using PageMoveEvent = std::function<void(TVpPreview&, WPARAM, long double, long double)>;
  using ObjectButtonEvent = std::function<void(TVpPreview&, TVpMouseButton, WPARAM, long double,
                                               long double, TVpVisibleObject&)>;
  // The wheel's delta (WHEEL_DELTA a notch, above 0 away from the user) at a screen point.
  using WheelEvent = std::function<void(TVpPreview&, WPARAM keys, int delta, int x, int y)>;

  // Scroll bar pixels per line step (keys, wheel, bar arrows).
  static constexpr int kLineIncrement = 8;
  // The zoom cursors of the program's resources, for callers that want them.
  static constexpr int crZoomIn = 101;
  static constexpr int crZoomOut = 102;
  // crZoomIn or crZoomOut; any other number gives the arrow.
  static HCURSOR ScreenCursor(int id);

  // A child of parent, 240 by 300 pixels unless told otherwise, showing one empty page.
  explicit TVpPreview(HWND parent, int x = 0, int y = 0, int width = 240, int height = 300);
  ~TVpPreview();
  TVpPreview(const TVpPreview&) = delete;
  TVpPreview& operator=(const TVpPreview&) = delete;

  HWND Handle() const { return hwnd_; }
  TVpPaperImage& PaperImage() { return *image_; }
  std::string About() const { return VpAboutText("TVpPreview"); }
  // The holding form calls this once its handlers are bound: the first page, added before
  // anyone listened, is announced (OnNewPage, then its header and footer bands).
  void Loaded();
  // The desk around the sheet; silver unless told otherwise.
  COLORREF Color() const { return image_->DeskColor(); }
  void SetColor(COLORREF color) { image_->SetDeskColor(color); }

  // The document.
  TVpPageList& PageList() { return list_; }
  TVpCanvas& Canvas() { return list_.Canvas(); }
  TVpHeader& Header() { return list_.Header(); }
  TVpFooter& Footer() { return list_.Footer(); }
  TVpMargins& Margins() { return list_.Margins(); }
  // The margins' stored text.
  std::string MarginValues() const { return list_.Margins().MarginValues(); }
  void SetMarginValues(std::string_view text) { list_.Margins().SetMarginValues(text); }
  TVpShadow& Shadow() { return shadow_; }
  TVpPageGrid& PageGrid() { return grid_; }

  TVpPage& NewPage() { return list_.AddPage(); }
  // Leaves one new empty page and no resources.
  void ClearPreview() { list_.ClearPages(false, true); }
  int PageCount() const { return list_.PageCount(); }
  int CurrentPage() const { return list_.CurrentPage(); }
  TVpPage& GetPage(int n) const { return list_.GetPage(n); }
  // Out-of-range targets change nothing.
  void GoToPage(int n) { list_.GoToPage(n); }
  void FirstPage() { GoToPage(1); }
  void LastPage() { GoToPage(PageCount()); }
  void NextPage() { GoToPage(CurrentPage() + 1); }
  void PrevPage() { GoToPage(CurrentPage() - 1); }

  TVpPaperSize PaperSize() const { return list_.PaperSize(); }
  void SetPaperSize(TVpPaperSize paper) { list_.SetPaperSize(paper); }
  void GetPaperSizeNames(std::vector<std::string>& names) const { ::GetPaperSizeNames(names); }
  void SetCustomPaperSize(long double width, long double height, TVpMeasurement measurement) {
    list_.SetCustomPaperSize(width, height, measurement);
  }
  // The topmost visible object of the current page under the point, or none.
  TVpVisibleObject* ObjectAtPoint(long double x, long double y, TVpMeasurement measurement);
  TVpOrientation Orientation() const { return list_.Orientation(); }
  void SetOrientation(TVpOrientation orientation);
  TVpPagesPerSheet PagesPerSheet() const { return list_.PagesPerSheet(); }
  // Tells the attached windows even when unchanged.
  void SetPagesPerSheet(TVpPagesPerSheet pages);

  // The zoom keeps the same part of the page in view: each bar keeps its share of its travel.
  int Zoom() const { return zoom_.Zoom(); }
  void SetZoom(int zoom);
  int MinZoom() const { return zoom_.MinZoom(); }
  void SetMinZoom(int zoom);
  int MaxZoom() const { return zoom_.MaxZoom(); }
  void SetMaxZoom(int zoom);
  int ZoomIncrement() const { return zoom_.ZoomIncrement(); }
  void SetZoomIncrement(int increment) { zoom_.SetZoomIncrement(increment); }
  TVpZoomStyle ZoomStyle() const { return zoom_.ZoomStyle(); }
  void SetZoomStyle(TVpZoomStyle style) { zoom_.SetZoomStyle(style); }
  void ZoomIn();
  void ZoomOut();
  // Fit the current page into the control's outer size.
  void FitWholePage();
  void FitPageWidth();

  // Pixels kept on all four sides of the page.
  int Gutter() const { return image_->Gutter().Left; }
  void SetGutter(int pixels);

  // The bars: their ranges (page pixels plus gutter) and positions.
  TVpIntPoint ScrollRange() const { return range_; }
  TVpIntPoint ScrollPosition() const;
  void SetScrollPosition(int horizontal, int vertical);
  void ScrollToPercent(long double horizontal, long double vertical);

  // Hand scrolling: moves over the page image drag the page until the button goes up or the
  // mouse leaves the page image.
  void StartHandScroll();
  void EndHandScroll();
  bool HandScrolling() const { return handScroll_; }
  // Where the mouse cursor is on the screen; the platform's answer unless a test scripts it
  // (a warped pointer reaches Wine's cursor position only some time later).
  std::function<POINT()> CursorPosition = [] {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor;
  };

  // Batches the page list's and the page image's notifications.
  void BeginUpdate();
  void EndUpdate();

  // Windows that receive the VPM_ messages; adding twice keeps one entry.
  void AttachControl(HWND control);
  void DetachControl(HWND control);

  // The printer wrapper, made on first use. Tests may print into a sink of their own instead.
  TVpPrinter& VpPrinter();
  void SetPrintSink(TVpPrintSink* sink) { sink_ = sink; }
  void PrintAll() { PrintRange(1, PageCount()); }
  void PrintCurrentPage();
  // Pages first to last in that direction, both included, as one job; numbers past either
  // end of the document are brought back to it.
  void PrintRange(int first, int last);

  NotifyEvent OnNewPage;
  DrawHeaderFooterEvent OnDrawHeader;
  DrawHeaderFooterEvent OnDrawFooter;
  NotifyEvent OnClear;
  NotifyEvent OnPageChanged;
  NotifyEvent OnOrientationChanged;
  PrintProgressEvent OnPrintProgress;
  NotifyEvent BeforePrint;
  NotifyEvent AfterPrint;
  NotifyEvent OnAbortPrint;
  // Forwarded from the page image: its pixels, or page inches.
  MouseButtonEvent OnMouseDown;
  MouseMoveEvent OnMouseMove;
  MouseButtonEvent OnMouseUp;
  PageButtonEvent OnPageMouseDown;
  PageMoveEvent OnPageMouseMove;
  PageButtonEvent OnPageMouseUp;
  // After OnPageMouseDown, when an object of the current page lies under the point.
  ObjectButtonEvent OnObjectMouseDown;
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;
  // The window holding the preview sees each wheel step first, wherever the focus is: when it
  // answers true the step is its own and the preview neither scrolls nor raises the events.
  std::function<bool(TVpPreview&, int delta)> OnFormMouseWheel;
  // After the wheel moved the bar: OnMouseWheel, then OnMouseWheelDown or OnMouseWheelUp.
  WheelEvent OnMouseWheel;
  WheelEvent OnMouseWheelDown;
  WheelEvent OnMouseWheelUp;
  // The preview gains or loses the keyboard focus.
  NotifyEvent OnEnter;
  NotifyEvent OnExit;
  // Failures inside the window's messages land here (the programs pass their general
  // handler); without a handler an error box shows the text.
  std::function<void(const std::exception&)> OnError;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void BindPageList();
  void BindPaperImage();
  void BindPrinter(TVpPrinter& printer);
  // The printer's unprintable margins for the document's orientation, in inches.
  TVpRect PrinterOffsets();
  void Wheel(WPARAM wp, LPARAM lp);
  void Notify(UINT message);
  void Raise(const NotifyEvent& event) {
    if (event) event(*this);
  }
  // Applies a zoom change made by change and keeps the view's share of each bar.
  void ChangeZoom(const std::function<void()>& change);
  void UpdateScrollRanges();
  void PlaceImage();
  TVpIntPoint ClientSize() const;
  // The bar page keys and the wheel move: vertical if shown, else horizontal if shown.
  int PageBar() const;
  bool BarVisible(int bar) const;
  int BarPosition(int bar) const;
  void SetBarPosition(int bar, int position);
  void Scroll(int bar, WPARAM request);
  void KeyDown(WPARAM key);
  void HandMove();
  TVpIntPoint CursorInClient() const;

  HWND hwnd_ = nullptr;
  TVpPageList list_;
  TVpShadow shadow_;
  TVpPageGrid grid_;
  TVpZoom zoom_;
  std::unique_ptr<TVpPaperImage> image_;
  std::unique_ptr<TVpPrinter> printer_;
  TVpPrintSink* sink_ = nullptr;
  std::vector<HWND> attached_;
  TVpIntPoint range_{};
  TVpSize rangeSize_{};     // the page size the ranges were computed for
  bool layingOut_ = false;  // bar changes resize the client area; ignore that WM_SIZE
  bool closing_ = false;    // EndUpdate's own refresh: VPM_ENDUPDATE stands for it
  bool handScroll_ = false;
  TVpIntPoint handCursor_{};
  TVpIntPoint handBars_{};
};
