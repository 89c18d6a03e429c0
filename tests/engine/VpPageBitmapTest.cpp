#include <cmath>

#include <gtest/gtest.h>

#include "engine/VpFontMapper.h"
#include "engine/VpPageBitmap.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// A two-inch page with a black-filled square clipped to an ellipse and a separate outline
// that only the screen shows.
struct TClippedPage {
  TVpPageList list;
  TClippedPage() {
    list.SetCustomPaperSize(2, 2, vpInches);
    list.AddPage();
    TVpCanvas& canvas = list.Canvas();
    canvas.Brush = {0, vpBrushSolid};
    canvas.ClipEllipse(0.5L, 0.5L, 1.5L, 1.5L, vpInches);
    canvas.Rectangle(0.5L, 0.5L, 1.5L, 1.5L, vpInches);
    canvas.RemoveClip();
    canvas.Brush = {kVpWhite, vpBrushClear};
    canvas.Rectangle(0.1L, 0.1L, 0.3L, 0.3L, vpInches);
    canvas.LastObject()->SetPrintable(false);
  }
};

}  // namespace

TEST(PageBitmap, ClipObjectsCutTheShapesAfterThemOnEveryDevice) {
  TClippedPage page;
  for (const auto& [dpi, drawPpi] : {std::pair{300, 300}, std::pair{96, 600}}) {
    TVpPageBitmap bitmap(page.list.GetPage(1).Size(), dpi);
    bitmap.Draw(page.list, page.list.GetPage(1), drawPpi, false);
    const int c = dpi;  // the page centre, one inch in
    EXPECT_EQ(bitmap.Pixel(c, c), 0u) << dpi;
    const int corner = dpi * 55 / 100;  // inside the square, outside the ellipse
    EXPECT_EQ(bitmap.Pixel(corner, corner), kWhite) << dpi;
    EXPECT_EQ(bitmap.Pixel(c + dpi * 6 / 10, c), kWhite) << "the clip was removed: " << dpi;
    bool outline = false;  // the left side, 0.1 inch in, give or take the mapping's rounding
    for (int x = dpi / 10 - 2; x <= dpi / 10 + 2; ++x)
      outline |= bitmap.Pixel(x, dpi / 5) != kWhite;
    EXPECT_TRUE(outline) << "the outline shows on screen: " << dpi;
  }
  TVpPageBitmap paper(page.list.GetPage(1).Size(), 300);
  paper.Draw(page.list, page.list.GetPage(1), 300, true);
  EXPECT_EQ(paper.Pixel(30, 60), kWhite) << "an unprintable outline stays off paper";
}

TEST(PageBitmap, HeaderSitsOnItsLineInsideTheMargins) {
  TVpPageList list;
  list.CellHeight = [](const TVpFont& font, int ppi) {
    return FontMapper().FontCellHeight(font, ppi);
  };
  list.AddPage();
  list.Header().SetVisible(true);
  list.Header().CaptionLeft().SetCaption("Page {PAGE} of {NUMPAGES}");
  const long double band = list.Header().BandHeight(list.CellHeight);
  EXPECT_NEAR(static_cast<double>(band), 12 / 72.0 * 1.15, 0.03) << "a 12-point cell";

  TVpPageBitmap bitmap(list.GetPage(1).Size(), 300);
  bitmap.Draw(list, list.GetPage(1), 300, false);
  const int line = static_cast<int>(std::lround((0.5L + band) * 300));
  EXPECT_EQ(bitmap.Pixel(1200, line), 0u) << "the separator at the band's bottom";
  int inked = 0;
  for (int y = 150; y < line; ++y)
    for (int x = 150; x < 400; ++x) inked += bitmap.Pixel(x, y) != kWhite;
  EXPECT_GT(inked, 200) << "the caption is written above the line, from the left margin";
}
