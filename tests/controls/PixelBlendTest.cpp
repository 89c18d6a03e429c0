#include <gtest/gtest.h>

#include "controls/PixelBlend.h"
#include "controls/PixelReduce.h"
#include "controls/PixelTint.h"
#include "tests/controls/PixelTestSupport.h"

namespace controls {
namespace {

// A picture whose every pixel differs: red = x, green = y.
TPixelBuffer Numbered(int w, int h) {
  TPixelBuffer b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.View().SetPixel(x, y, RGBColor(x, y, 7));
  return b;
}

TEST(Blend, MixesByLevelAndRoundsHalvesToEven) {
  TPixelBuffer p(1, 1, RGBColor(1, 3, 200));
  const TPixelBuffer s(1, 1, RGBColor(0, 0, 100));
  Blend(p.View(), {0, 0, 1, 1}, s.View(), 50);
  EXPECT_EQ(PixelOf(p, 0, 0), Shown(RGBColor(0, 2, 150)));  // 0.5 -> 0, 1.5 -> 2
  TPixelBuffer q(1, 1, RGBColor(255, 10, 0));
  Blend(q.View(), {0, 0, 1, 1}, TPixelBuffer(1, 1, RGBColor(0, 255, 99)).View(), 30);
  EXPECT_EQ(PixelOf(q, 0, 0), Shown(RGBColor(178, 84, 30)));  // 178.5 -> 178, 83.5 -> 84, 29.7
}

TEST(Blend, LevelsAtAndBeyondTheEnds) {
  const TPixelBuffer s(2, 2, RGBColor(9, 9, 9));
  TPixelBuffer none(2, 2, RGBColor(200, 0, 0));
  Blend(none.View(), {0, 0, 2, 2}, s.View(), 0);
  EXPECT_EQ(PixelOf(none, 1, 1), Shown(RGBColor(200, 0, 0)));
  TPixelBuffer all(2, 2, RGBColor(200, 0, 0));
  Blend(all.View(), {0, 0, 2, 2}, s.View(), 100);
  EXPECT_EQ(PixelOf(all, 1, 1), Shown(RGBColor(9, 9, 9)));
  TPixelBuffer over(2, 2, RGBColor(200, 0, 0));
  Blend(over.View(), {0, 0, 2, 2}, s.View(), 250);
  EXPECT_EQ(PixelOf(over, 0, 0), Shown(RGBColor(9, 9, 9)));
  TPixelBuffer under(2, 2, RGBColor(200, 0, 0));
  Blend(under.View(), {0, 0, 2, 2}, s.View(), -40);
  EXPECT_EQ(PixelOf(under, 0, 0), Shown(RGBColor(200, 0, 0)));
}

TEST(Blend, ReadsTheSourceFromItsOwnTopLeftAndStopsWhereItEnds) {
  TPixelBuffer p(8, 8, kWhite);
  const TPixelBuffer s = Numbered(2, 2);
  Blend(p.View(), {3, 4, 8, 8}, s.View(), 100);
  EXPECT_EQ(PixelOf(p, 3, 4), Shown(RGBColor(0, 0, 7)));
  EXPECT_EQ(PixelOf(p, 4, 5), Shown(RGBColor(1, 1, 7)));
  EXPECT_EQ(PixelOf(p, 5, 4), Shown(kWhite));  // past the source's right edge
  EXPECT_EQ(PixelOf(p, 2, 4), Shown(kWhite));  // outside the rectangle
}

TEST(Compose, CopiesAtTheOffsetAndLeavesTheUncoveredEdge) {
  TPixelBuffer work(5, 4, kWhite);
  const TPixelBuffer first = Numbered(5, 4);
  const TPixelBuffer second(5, 4, RGBColor(100, 100, 100));
  Compose(work.View(), {0, 0, 5, 4}, first.View(), second.View(), 0, 1);
  EXPECT_EQ(PixelOf(work, 0, 0), Shown(kWhite));
  EXPECT_EQ(PixelOf(work, 4, 0), Shown(kWhite));
  EXPECT_EQ(PixelOf(work, 1, 1), Shown(RGBColor(0, 0, 7)));
  EXPECT_EQ(PixelOf(work, 4, 3), Shown(RGBColor(3, 2, 7)));
}

TEST(Compose, BlendsTheSecondPictureOverTheShiftedArea) {
  TPixelBuffer work(4, 4, kWhite);
  const TPixelBuffer first(4, 4, RGBColor(0, 0, 0));
  const TPixelBuffer second(4, 4, RGBColor(200, 100, 50));
  Compose(work.View(), {0, 0, 4, 4}, first.View(), second.View(), 50, 0);
  EXPECT_EQ(PixelOf(work, 0, 0), Shown(RGBColor(100, 50, 25)));
  EXPECT_EQ(PixelOf(work, 3, 3), Shown(RGBColor(100, 50, 25)));
}

TEST(Compose, WorkPictureComposedOntoItselfShiftsItsFaceByOnePixel) {
  TPixelBuffer work = Numbered(10, 8);
  const TPixelBuffer before = work;
  const TPixelBuffer pressed(10, 8, RGBColor(50, 50, 50));
  const TPixelRect inner = TPixelRect{0, 0, 10, 8}.Inset(3);
  Compose(work.View(), inner, work.View(), pressed.View(), 0, 1);
  EXPECT_EQ(PixelOf(work, 4, 4), PixelOf(before, 3, 3));
  EXPECT_EQ(PixelOf(work, 6, 4), PixelOf(before, 5, 3));
  EXPECT_EQ(PixelOf(work, 3, 3),
            PixelOf(before, 3, 3));  // the rectangle's first row and column stay
  EXPECT_EQ(PixelOf(work, 7, 5), PixelOf(before, 7, 5));  // outside the rectangle: untouched
  EXPECT_EQ(PixelOf(work, 1, 1), PixelOf(before, 1, 1));
}

TEST(Tint, GreyValueIsAddedToTheColourAndCapped) {
  TPixelBuffer b(3, 1);
  b.View().SetPixel(0, 0, RGBColor(10, 20, 31));  // grey (61) div 3 = 20
  b.View().SetPixel(1, 0, kBlack);
  b.View().SetPixel(2, 0, kWhite);
  Tint(b.View(), RGBColor(0, 128, 250));
  EXPECT_EQ(PixelOf(b, 0, 0), Shown(RGBColor(20, 148, 255)));
  EXPECT_EQ(PixelOf(b, 1, 0), Shown(RGBColor(0, 128, 250)));
  EXPECT_EQ(PixelOf(b, 2, 0), Shown(kWhite));
}

TEST(Tint, TransparentAndMarkDrawingKeepWhatIsBelowThePaper) {
  TPixelBuffer glyph(2, 1, RGBColor(255, 0, 255));
  glyph.View().SetPixel(1, 0, RGBColor(1, 2, 3));
  TPixelBuffer dst(4, 4, RGBColor(50, 60, 70));
  DrawTransparent(dst.View(), 3, 3, glyph.View(), RGBColor(255, 0, 255));
  EXPECT_EQ(PixelOf(dst, 3, 3), Shown(RGBColor(50, 60, 70)));  // key colour skipped, rest clipped

  TPixelBuffer mark(3, 1, kWhite);
  mark.View().SetPixel(0, 0, kBlack);
  mark.View().SetPixel(1, 0, RGBColor(128, 128, 128));
  DrawTintedMark(dst.View(), 0, 0, mark.View(), RGBColor(0, 128, 0));
  EXPECT_EQ(PixelOf(dst, 0, 0), Shown(RGBColor(0, 128, 0)));   // full ink is the tint
  EXPECT_EQ(PixelOf(dst, 2, 0), Shown(RGBColor(50, 60, 70)));  // paper leaves the pixel
  // Half ink: (dst x 128 + tinted (128, 255, 128) x 127) / 255.
  EXPECT_EQ(PixelOf(dst, 1, 0), Shown(RGBColor(89, 157, 99)));
}

TEST(Reduce, AveragesEachBlockRounded) {
  TPixelBuffer big(6, 3, kBlack);
  big.View().SetPixel(0, 0, RGBColor(5, 0, 0));
  big.View().SetPixel(1, 1, RGBColor(8, 0, 0));  // block 0 red sum 13 / 9 -> 1
  big.View().Fill({3, 0, 6, 3}, RGBColor(100, 4, 5));
  big.View().SetPixel(5, 2, RGBColor(109, 4, 5));  // block 1: (900 + 9) / 9 = 101
  TPixelBuffer small(2, 1, kWhite);
  ReduceBlocks(small.View(), big.View(), 3);
  EXPECT_EQ(PixelOf(small, 0, 0), Shown(RGBColor(1, 0, 0)));
  EXPECT_EQ(PixelOf(small, 1, 0), Shown(RGBColor(101, 4, 5)));
}

TEST(Reduce, BandReducesTheEdgesAndFillsTheInsidePlainly) {
  TPixelBuffer big(30, 30, RGBColor(90, 90, 90));
  TPixelBuffer small(10, 10, kWhite);
  ReduceBand(small.View(), big.View(), 3, 2, RGBColor(7, 7, 7));
  EXPECT_EQ(PixelOf(small, 0, 0), Shown(RGBColor(90, 90, 90)));
  EXPECT_EQ(PixelOf(small, 1, 5), Shown(RGBColor(90, 90, 90)));
  EXPECT_EQ(PixelOf(small, 8, 8), Shown(RGBColor(90, 90, 90)));
  EXPECT_EQ(PixelOf(small, 2, 2), Shown(RGBColor(7, 7, 7)));
  EXPECT_EQ(PixelOf(small, 7, 7), Shown(RGBColor(7, 7, 7)));

  TPixelBuffer narrow(4, 10, kWhite);
  ReduceBand(narrow.View(), TPixelBuffer(12, 30, RGBColor(90, 90, 90)).View(), 3, 2, kBlack);
  EXPECT_EQ(PixelOf(narrow, 2, 5), Shown(RGBColor(90, 90, 90)));  // nothing left inside the band
}

TEST(Reduce, SourceTooSmallLeavesTheRestAlone) {
  TPixelBuffer small(4, 4, kWhite);
  ReduceBlocks(small.View(), TPixelBuffer(6, 6, kBlack).View(), 3);
  EXPECT_EQ(PixelOf(small, 1, 1), Shown(kBlack));
  EXPECT_EQ(PixelOf(small, 2, 2), Shown(kWhite));
}

}  // namespace
}  // namespace controls
