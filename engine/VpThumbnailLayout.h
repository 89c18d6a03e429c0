#pragma once
// The thumbnail strip's arithmetic, kept free of the platform: where each thumbnail goes in a
// horizontal strip, a vertical strip or a grid, how large the whole arrangement is, which
// thumbnails a scrolled view shows, the scroll position that brings one into view, the bottom
// gutter that leaves room for a caption and the caption text itself.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpTypes.h"

enum TVpThumbnailLayout : std::uint8_t { vpThumbHorz = 0, vpThumbVert = 1, vpThumbGrid = 2 };
enum TVpHighlightStyle : std::uint8_t { vpThinLine = 0, vpThickLine = 1, vpBackground = 2 };

// The rectangle of each thumbnail of the given outer sizes, in content pixels from (0, 0).
// Each step advances by the thumbnail's size less one pixel, so neighbours share an edge
// line; a grid starts a new row after every gridWidth-th thumbnail (gridWidth below 1 counts
// as 1).
std::vector<TVpIntRect> ThumbnailRects(const std::vector<TVpIntPoint>& sizes,
                                       TVpThumbnailLayout layout, int gridWidth);

// The width and height that hold every rectangle (0, 0 for none).
TVpIntPoint ThumbnailExtent(const std::vector<TVpIntRect>& rects);

// The indices, ascending, of the rectangles that overlap the view: a width by height window
// whose top-left corner is at scroll in content pixels.
std::vector<int> ThumbnailsInView(const std::vector<TVpIntRect>& rects, TVpIntPoint scroll,
                                  int width, int height);

// The scroll position nearest to scroll at which rect lies wholly in the view when it fits
// (its top-left corner when it does not); never below 0.
TVpIntPoint ScrollToShow(const TVpIntRect& rect, TVpIntPoint scroll, int width, int height);

// The gutter below the sheet: spacing plus 4 less the caption font's height in its logical
// units (negative for a point size, so the gap grows with the font) with a caption, else the
// spacing alone.
int ThumbnailBottomGutter(int spacing, bool showCaption, int fontHeight);

// The pattern with every "#" replaced by the page number.
std::string ThumbnailCaption(std::string_view pattern, int pageNumber);

// The caption colour on a selected background: each component of 128 or less becomes 255,
// every other 0, so the text stands out from the highlight.
std::uint32_t ContrastingCaptionColor(std::uint32_t color);
