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

}  // namespace writer
