#include "engine/VpPaperImageLayout.h"

#include <algorithm>

#include "engine/VpRounding.h"

void TVpShadow::SetColor(std::uint32_t color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TVpShadow::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TVpShadow::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TVpShadow::Assign(const TVpShadow& source) {
  color_ = source.color_;
  visible_ = source.visible_;
  width_ = source.width_;
  Changed();
}

void TVpPageGrid::SetGridStyle(TVpGridStyle style) {
  if (style == style_) return;
  style_ = style;
  OnChange(*this);
}

void TVpPageGrid::SetGridPen(const TVpPen& pen) {
  if (pen == pen_) return;
  pen_ = pen;
  OnChange(*this);
}

void TVpPageGrid::Assign(const TVpPageGrid& source) {
  style_ = source.style_;
  pen_ = source.pen_;
  OnChange(*this);
}

TVpIntPoint PageSizePixels(TVpSize inches, int ppi, int zoom) {
  return {VpRoundToInt(ppi * inches.Width * zoom / 100.0L),
          VpRoundToInt(ppi * inches.Height * zoom / 100.0L)};
}

TVpIntRect PageImageRect(int clientWidth, int clientHeight, const TVpGutter& gutter,
                         TVpIntPoint pagePixels) {
  const std::int32_t sx = clientWidth - gutter.Left - gutter.Right - pagePixels.X;
  const std::int32_t sy = clientHeight - gutter.Top - gutter.Bottom - pagePixels.Y;
  const std::int32_t left = gutter.Left + sx / 2;
  const std::int32_t top = gutter.Top + sy / 2;
  return {left, top, left + pagePixels.X, top + pagePixels.Y};
}

TVpPoint PagePointFromPixel(TVpIntPoint point, const TVpIntRect& imageRect, int zoom) {
  const long double scale = kVpScreenPpi * std::max(zoom, 1) / 100.0L;
  return {(point.X - imageRect.Left) / scale, (point.Y - imageRect.Top) / scale};
}

TVpGridLines GridLines(TVpSize page, long double spacing, int ppi) {
  TVpGridLines grid;
  grid.Width = VpRoundToInt(ppi * page.Width);
  grid.Height = VpRoundToInt(ppi * page.Height);
  if (!(spacing > 0)) return grid;
  const std::int32_t columns = VpRoundToInt(page.Width / spacing);
  const std::int32_t rows = VpRoundToInt(page.Height / spacing);
  for (std::int32_t i = 1; i <= columns; ++i)
    grid.Vertical.push_back(VpRoundToInt(i * spacing * ppi));
  for (std::int32_t j = 1; j <= rows; ++j)
    grid.Horizontal.push_back(VpRoundToInt(j * spacing * ppi));
  return grid;
}

std::array<TVpIntRect, 2> ShadowRects(const TVpIntRect& sheet, int width) {
  const auto [l, t, r, b] = sheet;
  return {TVpIntRect{r + 1, t + width + 1, r + width + 1, b + 1},
          TVpIntRect{l + width + 1, b + 1, r + width + 1, b + width + 1}};
}
