#include "engine/VpDrawTarget.h"

#include <algorithm>
#include <limits>

#include "engine/VpRounding.h"

namespace {

TVpPathStep Bezier(TVpIntPoint c1, TVpIntPoint c2, TVpIntPoint end) {
  return {TVpPathStep::BezierTo, {c1, c2, end}};
}

// Widths and heights are computed in 64 bits so a wild rectangle cannot overflow; the results
// are clamped back into the device range.
std::int32_t Clamp32(std::int64_t value) {
  using Limits = std::numeric_limits<std::int32_t>;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, Limits::min(), Limits::max()));
}

}  // namespace

TVpPath RectanglePath(const TVpIntRect& r) {
  return {{TVpPathStep::Polygon,
           {{r.Left, r.Top},
            {r.Right, r.Top},
            {r.Right, r.Bottom},
            {r.Left, r.Bottom},
            {r.Left, r.Top},
            {r.Right, r.Top}}}};
}

TVpPath EllipsePath(const TVpIntRect& r) {
  const std::int64_t w = std::int64_t{r.Right} - r.Left;
  const std::int64_t h = std::int64_t{r.Bottom} - r.Top;
  // Integer halves truncate, so an odd width starts at L + w/2 and ends at R - w/2 = L + w/2 + 1.
  const std::int64_t e = w / 2;
  const std::int64_t f = h / 2;
  const std::int64_t kx = VpRoundToInt(static_cast<long double>(w) / 4.45L);
  const std::int64_t ky = VpRoundToInt(static_cast<long double>(h) / 4.45L);
  const std::int64_t L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  auto p = [](std::int64_t x, std::int64_t y) { return TVpIntPoint{Clamp32(x), Clamp32(y)}; };
  return {
      {TVpPathStep::MoveTo, {p(L + e, T)}},
      Bezier(p(L + kx, T), p(L, T + ky), p(L, T + f)),
      Bezier(p(L, B - ky), p(L + kx, B), p(L + e, B)),
      Bezier(p(R - kx, B), p(R, B - ky), p(R, B - f)),
      Bezier(p(R, T + ky), p(R - kx, T), p(R - e, T)),
  };
}

TVpPath RoundRectPath(const TVpIntRect& r, std::int32_t cornerWidth, std::int32_t cornerHeight) {
  const std::int64_t w = std::int64_t{r.Right} - r.Left;
  const std::int64_t h = std::int64_t{r.Bottom} - r.Top;
  const std::int64_t kx = std::int64_t{VpRoundToInt(cornerWidth / 4.0L)} - 1;
  const std::int64_t ky = std::int64_t{VpRoundToInt(cornerHeight / 4.0L)} - 1;
  const std::int64_t g = std::min<std::int64_t>(cornerWidth / 2, w);
  const std::int64_t l = std::min<std::int64_t>(cornerHeight / 2, h);
  const std::int64_t L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  auto p = [](std::int64_t x, std::int64_t y) { return TVpIntPoint{Clamp32(x), Clamp32(y)}; };
  TVpPath path;
  path.reserve(9);
  path.push_back({TVpPathStep::MoveTo, {p(L + g, T)}});
  path.push_back(Bezier(p(L + kx, T), p(L, T + ky), p(L, T + l)));
  path.push_back({TVpPathStep::LineTo, {p(L, B - l)}});
  path.push_back(Bezier(p(L, B - ky), p(L + kx, B), p(L + g, B)));
  path.push_back({TVpPathStep::LineTo, {p(R - g, B)}});
  path.push_back(Bezier(p(R - kx, B), p(R, B - ky), p(R, B - l)));
  path.push_back({TVpPathStep::LineTo, {p(R, T + l)}});
  path.push_back(Bezier(p(R, T + ky), p(R - kx, T), p(R - g, T)));
  path.push_back({TVpPathStep::LineTo, {p(L + g, T)}});
  return path;
}

TVpIntRect DeviceRect(const TVpRect& inches, int ppiX, int ppiY) {
  return {VpRoundToInt(ppiX * inches.Left), VpRoundToInt(ppiY * inches.Top),
          VpRoundToInt(ppiX * inches.Right), VpRoundToInt(ppiY * inches.Bottom)};
}

TVpIntPoint DevicePoint(const TVpPoint& inches, int ppiX, int ppiY) {
  return {VpRoundToInt(ppiX * inches.X), VpRoundToInt(ppiY * inches.Y)};
}
