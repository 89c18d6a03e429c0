// Figures for drawing recorded pages with GDI (run under Wine in the MinGW tree): one page of
// a 10,000-label run drawn at 600 per inch onto a 96-per-inch picture, as the preview paints
// it, and at a printer's 300 per inch.
#include <cstdio>

#include "bench/controls/BenchClock.h"
#include "bench/engine/LabelRun.h"
#include "engine/VpFontMapper.h"
#include "engine/VpPageBitmap.h"

int main() {
  TVpPageList list;
  list.CellHeight = [](const TVpFont& font, int ppi) {
    return FontMapper().FontCellHeight(font, ppi);
  };
  list.AddPage();
  bench::RecordLabels(list, 10000);
  std::printf("%d pages recorded\n", list.PageCount());
  const TVpPage& page = list.GetPage(200);
  TVpGdiPictureCache cache;

  TVpPageBitmap screen(page.Size(), 96);
  bench::Measure("label page, 600 per inch onto a 96-dpi picture", [&] {
    screen.Clear();
    screen.Draw(list, page, 600, false, &cache);
  });
  TVpPageBitmap paper(page.Size(), 300);
  bench::Measure("label page at 300 dpi (printer target)", [&] {
    paper.Clear();
    paper.Draw(list, page, 300, true, &cache);
  });
  bench::Measure("of which clearing the 300-dpi picture", [&] { paper.Clear(); });
}
