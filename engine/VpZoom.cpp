#include "engine/VpZoom.h"

#include <algorithm>
#include <array>

#include "engine/VpRounding.h"

namespace {

constexpr std::array<int, 15> kSteps{7,   10,  14,  20,  30,  45,  60, 80,
                                     120, 170, 250, 350, 500, 650, 800};

}  // namespace

bool TVpZoom::SetZoom(int zoom) {
  zoom = std::clamp(zoom, min_, max_);
  if (zoom == zoom_) return false;
  zoom_ = zoom;
  return true;
}

void TVpZoom::SetMinZoom(int zoom) {
  if (zoom == min_) return;
  min_ = std::min(zoom, max_);
  if (zoom_ < min_) zoom_ = min_;
}

void TVpZoom::SetMaxZoom(int zoom) {
  if (zoom == max_) return;
  max_ = std::max(zoom, min_);
  if (zoom_ > max_) zoom_ = max_;
}

bool TVpZoom::ZoomIn() {
  if (style_ == vpFixedZoom) return SetZoom(zoom_ + increment_);
  const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), zoom_);
  return next != kSteps.end() && SetZoom(*next);
}

bool TVpZoom::ZoomOut() {
  if (style_ == vpFixedZoom) return SetZoom(zoom_ - increment_);
  const auto below = std::lower_bound(kSteps.begin(), kSteps.end(), zoom_);
  return below != kSteps.begin() && SetZoom(*std::prev(below));
}

namespace {

long double FitWidth(TVpSize page, TVpIntPoint window, const TVpGutter& g) {
  return (window.X - g.Left - g.Right - 20) / (page.Width * 96);
}

long double FitHeight(TVpSize page, TVpIntPoint window, const TVpGutter& g) {
  return (window.Y - g.Top - g.Bottom - 20) / (page.Height * 96);
}

}  // namespace

int FitPageWidthZoom(TVpSize page, TVpIntPoint window, const TVpGutter& gutter) {
  return VpTruncToInt(FitWidth(page, window, gutter) * 100);
}

int FitWholePageZoom(TVpSize page, TVpIntPoint window, const TVpGutter& gutter) {
  return VpTruncToInt(std::min(FitWidth(page, window, gutter), FitHeight(page, window, gutter)) *
                      100);
}

TVpIntPoint ScrollRange(TVpSize page, int zoom, const TVpGutter& gutter) {
  const TVpIntPoint sheet = PageSizePixels(page, kVpScreenPpi, zoom);
  return {sheet.X + gutter.Left + gutter.Right, sheet.Y + gutter.Top + gutter.Bottom};
}
