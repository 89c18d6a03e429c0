#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpThumbnailLayout.h"

namespace {

std::vector<TVpIntPoint> Sizes(int count, TVpIntPoint size = {100, 150}) {
  return std::vector<TVpIntPoint>(static_cast<std::size_t>(count), size);
}

// How many thumbnails start on each distinct top edge, top to bottom.
std::vector<int> RowLengths(const std::vector<TVpIntRect>& rects) {
  std::map<int, int> rows;
  for (const TVpIntRect& r : rects) ++rows[r.Top];
  std::vector<int> lengths;
  for (const auto& [top, count] : rows) lengths.push_back(count);
  return lengths;
}

TEST(VpThumbnailLayout, ArrangesStripsAndGridsWithOnePixelOverlap) {
  struct Case {
    TVpThumbnailLayout layout;
    int gridWidth;
    int count;
    std::vector<int> rows;
    TVpIntRect last;
    TVpIntPoint extent;
  };
  const Case cases[] = {
      {vpThumbGrid, 3, 7, {3, 3, 1}, {0, 298, 100, 448}, {298, 448}},
      {vpThumbGrid, 4, 4, {4}, {297, 0, 397, 150}, {397, 150}},
      {vpThumbGrid, 0, 2, {1, 1}, {0, 149, 100, 299}, {100, 299}},
      {vpThumbHorz, 3, 5, {5}, {396, 0, 496, 150}, {496, 150}},
      {vpThumbVert, 3, 3, {1, 1, 1}, {0, 298, 100, 448}, {100, 448}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "layout " << int(c.layout) << " count " << c.count);
    const std::vector<TVpIntRect> rects = ThumbnailRects(Sizes(c.count), c.layout, c.gridWidth);
    ASSERT_EQ(rects.size(), static_cast<std::size_t>(c.count));
    EXPECT_EQ(rects.front(), (TVpIntRect{0, 0, 100, 150}));
    EXPECT_EQ(RowLengths(rects), c.rows);
    EXPECT_EQ(rects.back(), c.last);
    EXPECT_EQ(ThumbnailExtent(rects), c.extent);
  }
  EXPECT_EQ(ThumbnailExtent({}), (TVpIntPoint{0, 0}));
  // Each thumbnail advances by its own size.
  const auto mixed = ThumbnailRects({{100, 150}, {150, 100}, {100, 150}}, vpThumbHorz, 1);
  EXPECT_EQ(mixed[2], (TVpIntRect{248, 0, 348, 150}));
}

TEST(VpThumbnailLayout, FindsTheThumbnailsInViewAndScrollsOneIntoView) {
  // A horizontal strip of thumbnails 100 wide at 0, 99, 198, 297, ...; a grid of 3 columns.
  const std::vector<TVpIntRect> strip = ThumbnailRects(Sizes(1000), vpThumbHorz, 1);
  const std::vector<TVpIntRect> grid = ThumbnailRects(Sizes(1000), vpThumbGrid, 3);
  struct Case {
    const std::vector<TVpIntRect>* rects;
    TVpIntPoint scroll;
    int width, height;
    std::vector<int> shown;
  };
  const Case cases[] = {
      {&strip, {0, 0}, 240, 115, {0, 1, 2}},
      {&strip, {150, 0}, 240, 115, {1, 2, 3}},
      {&strip, {99 * 999 + 1, 0}, 240, 115, {999}},
      {&strip, {0, 150}, 240, 115, {}},
      {&grid, {0, 0}, 240, 115, {0, 1, 2}},
      {&grid, {0, 149 * 10 + 100}, 150, 115, {30, 31, 33, 34}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "scroll " << c.scroll.X << ", " << c.scroll.Y);
    EXPECT_EQ(ThumbnailsInView(*c.rects, c.scroll, c.width, c.height), c.shown);
  }

  struct Scroll {
    TVpIntRect rect;
    TVpIntPoint from, to;
  };
  const Scroll scrolls[] = {
      {{99, 0, 199, 150}, {0, 0}, {0, 0}},     // already in view
      {{297, 0, 397, 150}, {0, 0}, {157, 0}},  // right edge into view; too tall: top
      {{99, 0, 199, 100}, {300, 0}, {99, 0}},  // left of the view
      {{0, 400, 100, 500}, {0, 0}, {0, 385}},  // below the view
      {{-5, -5, 10, 10}, {50, 50}, {0, 0}},    // never below 0
  };
  for (const Scroll& s : scrolls)
    EXPECT_EQ(ScrollToShow(s.rect, s.from, 240, 115), s.to) << s.rect.Left << "," << s.rect.Top;
}

TEST(VpThumbnailLayout, CaptionsGuttersAndColours) {
  struct Caption {
    const char* pattern;
    int page;
    const char* text;
  };
  const Caption captions[] = {
      {"Page: #", 3, "Page: 3"}, {"#", 12, "12"}, {"Page", 7, "Page"},
      {"#/#", 10, "10/10"},      {"", 1, ""},
  };
  for (const Caption& c : captions) EXPECT_EQ(ThumbnailCaption(c.pattern, c.page), c.text);

  EXPECT_EQ(ThumbnailBottomGutter(8, true, -11), 23);
  EXPECT_EQ(ThumbnailBottomGutter(8, true, 16), -4);
  EXPECT_EQ(ThumbnailBottomGutter(8, false, -11), 8);

  EXPECT_EQ(ContrastingCaptionColor(0xFF0000u), 0x00FFFFu);  // blue gives yellow
  EXPECT_EQ(ContrastingCaptionColor(0x808080u), 0xFFFFFFu);
  EXPECT_EQ(ContrastingCaptionColor(0x81FF00u), 0x0000FFu);
}

}  // namespace
