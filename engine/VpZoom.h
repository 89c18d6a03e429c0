#pragma once
// The preview's zoom: a percentage kept between its limits, stepped by a fixed increment or
// along a table of comfortable steps, and the zooms that fit a page into a window.

#include <cstdint>

#include "engine/VpPaperImageLayout.h"
#include "engine/VpTypes.h"

enum TVpZoomStyle : std::uint8_t { vpFixedZoom = 0, vpVariableZoom = 1 };

class TVpZoom {
 public:
  int Zoom() const { return zoom_; }
  // Clamped to the limits; false when the zoom stays what it was.
  bool SetZoom(int zoom);
  int MinZoom() const { return min_; }
  int MaxZoom() const { return max_; }
  // A limit never crosses the other one; a zoom outside the new limits moves inside.
  void SetMinZoom(int zoom);
  void SetMaxZoom(int zoom);
  int ZoomIncrement() const { return increment_; }
  void SetZoomIncrement(int increment) { increment_ = increment; }
  TVpZoomStyle ZoomStyle() const { return style_; }
  void SetZoomStyle(TVpZoomStyle style) { style_ = style; }

  // One step in or out; false when there is no step left or the limits hold the zoom.
  bool ZoomIn();
  bool ZoomOut();

 private:
  int zoom_ = 20;
  int min_ = 5;
  int max_ = 400;
  int increment_ = 10;
  TVpZoomStyle style_ = vpVariableZoom;
};

// Zooms (percent, truncated) at which a page of page inches fits a window of window pixels
// (its outer size) inside the gutter and a 20-pixel allowance: its width, or all of it.
int FitPageWidthZoom(TVpSize page, TVpIntPoint window, const TVpGutter& gutter);
int FitWholePageZoom(TVpSize page, TVpIntPoint window, const TVpGutter& gutter);
// The scroll ranges of a page shown at zoom: its size at 96 pixels per inch plus the gutter.
TVpIntPoint ScrollRange(TVpSize page, int zoom, const TVpGutter& gutter);
