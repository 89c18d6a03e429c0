#pragma once
// The surface callers fill pages through. It draws nothing: each call records a page object
// with the current pen, brush and font (taken from the shared lists) and places it on the page
// list's current page, so the page can be drawn later at any zoom or printer resolution.

#include <optional>
#include <string>

#include "engine/VpObjects.h"

class TVpPageList;

// Where the recording canvas places coordinates from.
enum TVpCoordsRelative : std::uint8_t {
  vpFromPage = 0,
  vpFromPrinterMargins = 1,
  vpFromUserMargins = 2,
  vpFromHeaderLine = 3,
};

// <windows.h> turns TextOut into TextOutW; the method keeps its own name everywhere and the
// W spelling forwards to it for units that include the Windows headers first.
#pragma push_macro("TextOut")
#undef TextOut

class TVpCanvas {
 public:
  explicit TVpCanvas(TVpPageList& pages);
  TVpCanvas(const TVpCanvas&) = delete;
  TVpCanvas& operator=(const TVpCanvas&) = delete;

  // The current resources; callers change them before recording.
  TVpPen Pen{1, 0, vpPenSolid, vpPenModeCopy};
  TVpBrush Brush{kVpWhite, vpBrushClear};
  TVpFont Font{10, 0, 0, 0, kVpDefaultCharset, "Arial"};
  std::uint32_t CopyMode = kVpSrcCopy;

  TVpCoordsRelative CoordsRelativeTo() const { return origin_; }
  void SetCoordsRelativeTo(TVpCoordsRelative origin) { origin_ = origin; }
  // Stored and published for the forms; every operation names its measurement.
  TVpMeasurement DefaultMeasurement = vpMillimeters;
  bool CompareGraphics() const;
  void SetCompareGraphics(bool on);

  void Rectangle(long double x1, long double y1, long double x2, long double y2,
                 TVpMeasurement measurement);
  void Ellipse(long double x1, long double y1, long double x2, long double y2,
               TVpMeasurement measurement);
  // x3, y3: width and height of the corner ellipse.
  void RoundRect(long double x1, long double y1, long double x2, long double y2, long double x3,
                 long double y3, TVpMeasurement measurement);
  void TextOut(long double x, long double y, std::string text, TVpMeasurement measurement);
#ifdef _WIN32
  void TextOutW(long double x, long double y, std::string text, TVpMeasurement measurement) {
    TextOut(x, y, std::move(text), measurement);
  }
#endif
  // The clip rectangle is in the same measurement; the font is turned by angle degrees for
  // this text only.
  void TextOutEx(long double x, long double y, std::string text, TVpMeasurement measurement,
                 const std::optional<TVpRect>& clip, long double angle);
  void StretchDraw(long double x1, long double y1, long double x2, long double y2,
                   const TVpPicture& picture, TVpMeasurement measurement);
  void ClipRect(long double x1, long double y1, long double x2, long double y2,
                TVpMeasurement measurement);
  void ClipEllipse(long double x1, long double y1, long double x2, long double y2,
                   TVpMeasurement measurement);
  void ClipRoundRect(long double x1, long double y1, long double x2, long double y2, long double x3,
                     long double y3, TVpMeasurement measurement);
  void RemoveClip();

  // Copies origin, brush, font and pen aside and back.
  void SaveState();
  void RestoreState();

  TVpBaseObject* LastObject() const { return last_; }

 private:
  struct SavedValues {
    TVpCoordsRelative origin;
    TVpBrush brush;
    TVpFont font;
    TVpPen pen;
  };

  template <class Shape>
  std::unique_ptr<Shape> NewShape(long double x1, long double y1, long double x2, long double y2,
                                  TVpMeasurement measurement);
  void Place(std::unique_ptr<TVpBaseObject> object);
  template <class Clip>
  void PlaceClip(std::unique_ptr<Clip> clip, long double x1, long double y1, long double x2,
                 long double y2, TVpMeasurement measurement);

  TVpPageList& pages_;
  TVpCoordsRelative origin_ = vpFromPage;
  SavedValues saved_;
  TVpBaseObject* last_ = nullptr;
};

#pragma pop_macro("TextOut")
