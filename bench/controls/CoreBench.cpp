// Pixel arithmetic of the controls: picture building and the per-paint compose.
#include <cstdio>
#include <string>

#include "bench/controls/BenchClock.h"
#include "controls/GradientBand.h"
#include "controls/GradientFill.h"
#include "controls/PixelBlend.h"
#include "controls/PixelReduce.h"

using namespace controls;

int main() {
  std::printf("controls core, 200 x 40 pictures unless named\n");
  const char* names[] = {"gtHorizontal", "gtVertical",   "gtFromTopLeft", "gtFromTopRight",
                         "gtRadial",     "gtDoubleHorz", "gtDoubleVert"};
  TPixelBuffer picture(200, 40);
  for (int t = 0; t < 7; ++t) {
    const std::string label = std::string("gradient fill ") + names[t];
    bench::Measure(label.c_str(), [&] {
      GradientFill(picture.View(), picture.View().Bounds(), RGBColor(255, 255, 255),
                   RGBColor(118, 148, 190), static_cast<TGradientType>(t));
    });
  }
  TPixelBuffer work(200, 40);
  const TPixelBuffer first(200, 40, RGBColor(240, 240, 240));
  const TPixelBuffer second(200, 40, RGBColor(118, 148, 190));
  bench::Measure("compose at offset 1 with a 50% blend", [&] {
    Compose(work.View(), work.View().Bounds(), first.View(), second.View(), 50, 1);
  });
  bench::Measure("compose, then the pressed compose inset by 3", [&] {
    Compose(work.View(), work.View().Bounds(), first.View(), second.View(), 50, 1);
    Compose(work.View(), work.View().Bounds().Inset(3), work.View(), first.View(), 100, 1);
  });
  TPixelBuffer large(1200, 900, RGBColor(200, 200, 200));
  TPixelBuffer panel(400, 300);
  bench::Measure("reduce a 400 x 300 panel from 3x, all of it",
                 [&] { ReduceBlocks(panel.View(), large.View(), 3); });
  bench::Measure("reduce a 400 x 300 panel from 3x, corner band 15",
                 [&] { ReduceBand(panel.View(), large.View(), 3, 15, RGBColor(255, 255, 255)); });
  const TColor stops[] = {RGBColor(255, 245, 221), RGBColor(255, 245, 221), RGBColor(255, 210, 94)};
  bench::Measure("gradient band colours, 21 lines", [&] {
    volatile std::size_t n = GradientBandColors(stops, 21).size();
    (void)n;
  });
  return 0;
}
