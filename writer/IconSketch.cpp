#include "writer/IconSketch.h"

#include "controls/DibSurface.h"
#include "controls/PixelReduce.h"

namespace writer {
namespace {

constexpr int kOversample = 4;
// Every picture is designed on a 32 x 32 grid.
constexpr double kGrid = 32.0;

}  // namespace

controls::TPixelBuffer DrawSketched(int size, controls::TColor background,
                                    const std::function<void(sketch::Sketch&)>& draw) {
  const int large = size * kOversample;
  controls::TDibSurface surface(large, large);
  surface.Pixels().Fill(background);
  sketch::Sketch sketch(surface.DC(), large / kGrid);
  draw(sketch);
  controls::TPixelBuffer picture(size, size, background);
  controls::ReduceBlocks(picture.View(), surface.Pixels(), kOversample);
  return picture;
}

void BlendOverBackground(const controls::TPixelView& dst, int x, int y,
                         const controls::TPixelBuffer& dark, const controls::TPixelBuffer& light) {
  const auto mix = [](int d, int l, int under) { return d + (l - d) * under / 255; };
  const controls::TPixelRect area =
      dst.Bounds().Intersect({x, y, x + dark.Width(), y + dark.Height()});
  for (int py = area.top; py < area.bottom; ++py)
    for (int px = area.left; px < area.right; ++px) {
      const controls::TColor d = dark.Pixel(px - x, py - y), l = light.Pixel(px - x, py - y);
      const controls::TColor under = dst.Pixel(px, py);
      dst.SetPixel(px, py,
                   controls::RGBColor(
                       mix(controls::RedOf(d), controls::RedOf(l), controls::RedOf(under)),
                       mix(controls::GreenOf(d), controls::GreenOf(l), controls::GreenOf(under)),
                       mix(controls::BlueOf(d), controls::BlueOf(l), controls::BlueOf(under))));
    }
}

}  // namespace writer
