#pragma once
// The child window that paints one page of a page list: a white sheet at a zoom, centred
// within a gutter on a desk colour, the content drawn at 600 per inch and mapped onto the
// sheet, the margin frame, an optional grid, a black outline and a drop shadow. It also turns
// mouse positions into page inches. The preview shows one; the thumbnail strip one per page.

#include <windows.h>

#include <functional>
#include <optional>

#include "engine/VpGdiPictureCache.h"
#include "engine/VpNotify.h"
#include "engine/VpPageList.h"
#include "engine/VpPaperImageLayout.h"
#include "engine/VpValueSize.h"

enum TVpMouseButton : std::uint8_t { vpLeftButton, vpRightButton, vpMiddleButton };

class TVpPaperImage {
 public:
  // Control pixels, with the MK_ key flags of the message.
  using MouseButtonHook = std::function<void(TVpMouseButton, WPARAM keys, int x, int y)>;
  using MouseMoveHook = std::function<void(WPARAM keys, int x, int y)>;
  // Page inches from the sheet's top-left corner.
  using PageButtonHook =
      std::function<void(TVpMouseButton, WPARAM keys, long double x, long double y)>;
  using PageMoveHook = std::function<void(WPARAM keys, long double x, long double y)>;
  // The page's printable area at ppi units per inch, or none when there is no printer.
  using PrintableAreaFn = std::function<std::optional<TVpIntRect>(TVpSize page, int ppi)>;

  // Without a window: Paint still draws onto any DC.
  TVpPaperImage() = default;
  // A child of parent at x, y in its client area.
  TVpPaperImage(HWND parent, int x, int y, int width, int height);
  // Destroys the window.
  ~TVpPaperImage();
  TVpPaperImage(const TVpPaperImage&) = delete;
  TVpPaperImage& operator=(const TVpPaperImage&) = delete;

  HWND Handle() const { return hwnd_; }

  // The page shown: one of a list by its 1-based number, or a page of its own list; none
  // shows a blank sheet of the list's (or the initial) page size. Repaints.
  void ShowPage(const TVpPageList* list, int pageNumber);
  void ShowPage(const TVpPage* page);
  const TVpPage* Page() const;
  // The shown page's size in inches.
  TVpSize PageSize() const;

  int Zoom() const { return zoom_; }
  // Percent, at least 1; repaints when it differs.
  void SetZoom(int zoom);
  const TVpGutter& Gutter() const { return gutter_; }
  void SetGutter(const TVpGutter& gutter);
  int LogicalResolution() const { return kVpPaperImagePpi; }
  bool DrawContent() const { return drawContent_; }
  void SetDrawContent(bool draw);
  // The colour around the sheet.
  COLORREF DeskColor() const { return desk_; }
  void SetDeskColor(COLORREF color);

  // Bound by the owner, which also binds their OnChange to Invalidate; each may be none.
  // Without margins of its own the page image uses its list's.
  void SetMargins(const TVpMargins* margins);
  void SetGrid(const TVpPageGrid* grid);
  void SetShadow(const TVpShadow* shadow);

  // Painting is skipped while an update is open; the closing EndUpdate repaints.
  void BeginUpdate() { updates_.BeginUpdate(); }
  void EndUpdate();
  bool IsUpdating() const { return updates_.IsUpdating(); }

  // Marks the whole window for repainting (nothing without a window).
  void Invalidate();

  // The sheet for a client area of width by height pixels, in client pixels.
  TVpIntRect PageImageRect(int clientWidth, int clientHeight) const;
  // The sheet in the window's client area.
  TVpIntRect PageImageRect() const;
  // The page size in pixels at ppi and the current zoom.
  TVpIntPoint PageSizePixels(int ppi = kVpScreenPpi) const;
  // A client point in page inches.
  TVpPoint PagePoint(int x, int y) const;
  // The last button press in page inches.
  const TVpValuePoint& MousePoint() const { return mousePoint_; }

  // The whole painting onto dc, with clientArea the control's client rectangle in dc's
  // device pixels. Nothing while updating.
  void Paint(HDC dc, const RECT& clientArea);

  MouseButtonHook OnMouseDown;
  MouseMoveHook OnMouseMove;
  MouseButtonHook OnMouseUp;
  PageButtonHook OnPageMouseDown;
  PageMoveHook OnPageMouseMove;
  PageButtonHook OnPageMouseUp;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  // After the painting: dc is clipped to the sheet, in control pixels, with a clear brush.
  std::function<void(TVpPaperImage&, HDC dc)> OnAfterPaint;
  // Optional: the printer's printable area for the margins' second outline.
  PrintableAreaFn PrintableArea;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnPaintMessage();
  void ButtonDown(TVpMouseButton button, WPARAM keys, LPARAM lp);
  void ButtonUp(TVpMouseButton button, WPARAM keys, LPARAM lp);
  void MouseMoved(WPARAM keys, LPARAM lp);
  void PaintSheet(HDC dc, const TVpIntRect& sheet, TVpSize page);
  void PaintShadow(HDC dc, const TVpIntRect& sheet);

  HWND hwnd_ = nullptr;
  const TVpPageList* list_ = nullptr;
  int pageNumber_ = 0;
  int zoom_ = 20;
  TVpGutter gutter_{30, 30, 30, 30};
  bool drawContent_ = true;
  COLORREF desk_ = RGB(128, 128, 128);
  const TVpMargins* margins_ = nullptr;
  const TVpPageGrid* grid_ = nullptr;
  const TVpShadow* shadow_ = nullptr;
  TVpUpdateCounter updates_;
  TVpValuePoint mousePoint_;
  bool tracking_ = false;  // the mouse is over the window and its leaving is watched
  TVpGdiPictureCache cache_;
};
