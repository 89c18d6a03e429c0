#include "engine/VpThumbnailLayout.h"

#include <algorithm>

std::vector<TVpIntRect> ThumbnailRects(const std::vector<TVpIntPoint>& sizes,
                                       TVpThumbnailLayout layout, int gridWidth) {
  const int perRow = std::max(gridWidth, 1);
  std::vector<TVpIntRect> rects;
  rects.reserve(sizes.size());
  int x = 0;
  int y = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const TVpIntPoint size = sizes[i];
    rects.push_back({x, y, x + size.X, y + size.Y});
    switch (layout) {
      case vpThumbHorz: x += size.X - 1; break;
      case vpThumbVert: y += size.Y - 1; break;
      case vpThumbGrid:
        if ((i + 1) % perRow == 0) {
          y += size.Y - 1;
          x = 0;
        } else {
          x += size.X - 1;
        }
        break;
    }
  }
  return rects;
}

TVpIntPoint ThumbnailExtent(const std::vector<TVpIntRect>& rects) {
  TVpIntPoint extent;
  for (const TVpIntRect& rect : rects) {
    extent.X = std::max(extent.X, rect.Right);
    extent.Y = std::max(extent.Y, rect.Bottom);
  }
  return extent;
}

std::vector<int> ThumbnailsInView(const std::vector<TVpIntRect>& rects, TVpIntPoint scroll,
                                  int width, int height) {
  std::vector<int> shown;
  const int right = scroll.X + width;
  const int bottom = scroll.Y + height;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const TVpIntRect& r = rects[i];
    if (r.Right > scroll.X && r.Left < right && r.Bottom > scroll.Y && r.Top < bottom)
      shown.push_back(static_cast<int>(i));
  }
  return shown;
}

namespace {

// One axis of ScrollToShow.
int ShowSpan(int low, int high, int position, int view) {
  if (high - low > view || low < position) return std::max(low, 0);
  if (high > position + view) return std::max(high - view, 0);
  return position;
}

}  // namespace

TVpIntPoint ScrollToShow(const TVpIntRect& rect, TVpIntPoint scroll, int width, int height) {
  return {ShowSpan(rect.Left, rect.Right, scroll.X, width),
          ShowSpan(rect.Top, rect.Bottom, scroll.Y, height)};
}

int ThumbnailBottomGutter(int spacing, bool showCaption, int fontHeight) {
  return showCaption ? spacing + 4 - fontHeight : spacing;
}

std::string ThumbnailCaption(std::string_view pattern, int pageNumber) {
  const std::string number = std::to_string(pageNumber);
  std::string caption;
  for (const char c : pattern) {
    if (c == '#')
      caption += number;
    else
      caption += c;
  }
  return caption;
}

std::uint32_t ContrastingCaptionColor(std::uint32_t color) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8)
    if (((color >> shift) & 0xFFu) <= 128u) result |= 0xFFu << shift;
  return result;
}
