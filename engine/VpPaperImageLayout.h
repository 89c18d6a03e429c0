#pragma once
// The page image's settings and geometry, kept free of the platform: the drop shadow and the
// page grid the preview publishes, the sheet's place in the control, mouse points in page
// inches, grid line positions and the shadow's rectangles.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/VpNotify.h"
#include "engine/VpResource.h"
#include "engine/VpTypes.h"
#include "engine/VpValue.h"

// The screen resolution every preview length is measured at, whatever the real screen says.
inline constexpr int kVpScreenPpi = 96;
// The resolution page content is drawn at before it is mapped onto the zoomed sheet.
inline constexpr int kVpPaperImagePpi = 600;

// Black, visible, three pixels wide.
class TVpShadow {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpShadow>;

  TVpShadow() = default;
  // The owner binds OnChange to itself, so a copy would notify the wrong object; use Assign.
  TVpShadow(const TVpShadow&) = delete;
  TVpShadow& operator=(const TVpShadow&) = delete;

  // Each setter notifies only when the value changes.
  std::uint32_t Color() const { return color_; }
  void SetColor(std::uint32_t color);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // In device pixels.
  int Width() const { return width_; }
  void SetWidth(int width);

  // Copies all three and notifies once, even when nothing differed.
  void Assign(const TVpShadow& source);

  ChangeEvent OnChange;

 private:
  void Changed() { OnChange(*this); }

  std::uint32_t color_ = 0;
  bool visible_ = true;
  int width_ = 3;
};

enum TVpGridStyle : std::uint8_t { vpNoGrid = 0, vpDots = 1, vpLines = 2 };

// No grid by default; a silver pen one pixel wide; lines every 10 mm.
class TVpPageGrid {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpPageGrid>;

  TVpPageGrid() = default;
  TVpPageGrid(const TVpPageGrid&) = delete;
  TVpPageGrid& operator=(const TVpPageGrid&) = delete;

  TVpGridStyle GridStyle() const { return style_; }
  // Notifies when the style changes.
  void SetGridStyle(TVpGridStyle style);
  // The width is in device pixels (the pen is selected as a pixel pen).
  const TVpPen& GridPen() const { return pen_; }
  // Notifies when the pen changes.
  void SetGridPen(const TVpPen& pen);
  // Fixed: there is no setter.
  const TVpValue& Spacing() const { return spacing_; }

  // Copies the style and the pen and notifies once.
  void Assign(const TVpPageGrid& source);

  ChangeEvent OnChange;

 private:
  TVpGridStyle style_ = vpNoGrid;
  TVpPen pen_{1, kVpSilver, vpPenSolid, vpPenModeCopy};
  TVpValue spacing_{vpMillimeters, 10};
};

// The four gutter sides, in control pixels.
using TVpGutter = TVpIntRect;

// The page of inches at ppi pixels per inch and zoom percent, each side rounded.
TVpIntPoint PageSizePixels(TVpSize inches, int ppi, int zoom);

// Where the sheet of pagePixels lies in a control of clientWidth by clientHeight: centred
// within the gutter, the free space halved toward zero (so a sheet larger than the space
// starts left of or above the gutter).
TVpIntRect PageImageRect(int clientWidth, int clientHeight, const TVpGutter& gutter,
                         TVpIntPoint pagePixels);

// A control point as page inches from the sheet's top-left corner at zoom percent; points
// off the sheet give negative or too large values. A zoom below 1 counts as 1.
TVpPoint PagePointFromPixel(TVpIntPoint point, const TVpIntRect& imageRect, int zoom);

// The grid of a page of inches with lines every spacing inches, at ppi units per inch:
// positions of the vertical and horizontal lines and the ends every line runs to.
struct TVpGridLines {
  std::vector<std::int32_t> Vertical;
  std::vector<std::int32_t> Horizontal;
  std::int32_t Width = 0;   // where horizontal lines end
  std::int32_t Height = 0;  // where vertical lines end
};
TVpGridLines GridLines(TVpSize page, long double spacing, int ppi);

// The shadow's right and bottom bands for a sheet in device pixels, each one pixel right and
// down of the sheet's edge so the sheet outline stays visible; right and bottom exclusive.
std::array<TVpIntRect, 2> ShadowRects(const TVpIntRect& sheet, int width);
