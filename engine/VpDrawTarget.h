#pragma once
// What page objects draw on: device shapes as paths in whole pixels, and a drawing surface
// interface. The objects stay portable; the GDI surface (and a recording one in tests)
// implements the interface.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/VpResource.h"
#include "engine/VpTypes.h"

// One step of a device path.
struct TVpPathStep {
  enum Kind : std::uint8_t { MoveTo, LineTo, BezierTo, Polygon };
  Kind kind = MoveTo;
  // MoveTo and LineTo: one point; BezierTo: two control points and the end point; Polygon:
  // every vertex (a closed figure of its own).
  std::vector<TVpIntPoint> points;
  friend bool operator==(const TVpPathStep&, const TVpPathStep&) = default;
};

using TVpPath = std::vector<TVpPathStep>;

// The six-point polygon (L,T) (R,T) (R,B) (L,B) (L,T) (R,T): the outline closes over the
// first corner.
TVpPath RectanglePath(const TVpIntRect& rect);
// Four Béziers from the top centre, counter-clockwise, with control distance size / 4.45.
TVpPath EllipsePath(const TVpIntRect& rect);
// Lines and quarter Béziers; the corner ellipse is cornerWidth by cornerHeight pixels.
TVpPath RoundRectPath(const TVpIntRect& rect, std::int32_t cornerWidth, std::int32_t cornerHeight);

// Inches to device pixels at ppiX by ppiY, each side rounded (ties to even).
TVpIntRect DeviceRect(const TVpRect& inches, int ppiX, int ppiY);
TVpIntPoint DevicePoint(const TVpPoint& inches, int ppiX, int ppiY);

// What every drawing object receives: the page being drawn and the device resolution.
struct TVpDrawContext {
  int PageNumber = 0;
  int PpiX = 600;
  int PpiY = 600;
  int PageCount = 0;
};

// A surface set up so that one unit is one pixel at the context's resolution.
class TVpDrawTarget {
 public:
  virtual ~TVpDrawTarget() = default;

  // Printing skips objects that are not printable and sends pictures as DIBs.
  virtual bool IsPrinter() const = 0;

  // The pen, brush and font rules of the shared resources, at ppi pixels per inch.
  virtual void SelectPen(const TVpPen& pen, int ppi) = 0;
  virtual void SelectBrush(const TVpBrush& brush) = 0;
  virtual void SelectFont(const TVpFont& font, int ppi) = 0;
  // A pen whose width is in device pixels (the margin and header lines): at 288 per inch the
  // resource rule gives exactly its width.
  void SelectPixelPen(const TVpPen& pen) { SelectPen(pen, 288); }

  // A polygon with the current pen and brush.
  virtual void DrawPolygon(const std::vector<TVpIntPoint>& points) = 0;
  // Begins a path, traces it, ends it, strokes and fills it.
  virtual void StrokeAndFillPath(const TVpPath& path) = 0;
  virtual void Line(TVpIntPoint from, TVpIntPoint to) = 0;
  // Replaces the clip region by the region of the path; RemoveClip removes it.
  virtual void ClipToPath(const TVpPath& path) = 0;
  virtual void RemoveClip() = 0;

  // Text at its top-left corner with the current font, placed by the font mapper with
  // explicit advances and clipped to clip when one is given.
  virtual void PlaceText(TVpIntPoint at, std::string_view text,
                         const std::optional<TVpIntRect>& clip) = 0;
  // Width and height in inches of the text in the current font, measured by the font mapper.
  virtual TVpSize MeasureText(std::string_view text) = 0;
  // The box of the text traced as a path at its top-left corner.
  virtual TVpIntRect TextBounds(TVpIntPoint at, std::string_view text) = 0;

  // The picture stretched into rect; copyMode is a raster-operation code, pixelFormat the
  // ordinal used when a bitmap is sent to a printer.
  virtual void DrawPicture(const TVpPicture& picture, const TVpIntRect& rect,
                           std::uint32_t copyMode, std::int32_t pixelFormat) = 0;

  // Outlines for hit-testing: what is drawn between the two calls is traced into one path
  // instead of painted; EndOutline returns the bounding box of that path's region.
  virtual void BeginOutline() = 0;
  virtual TVpIntRect EndOutline() = 0;
};
