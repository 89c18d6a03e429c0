#include <gtest/gtest.h>

#include "controls/ContentLayout.h"
#include "controls/ControlPictures.h"
#include "tests/controls/PixelTestSupport.h"

namespace controls {
namespace {

const TPixelRect kClient{0, 0, 100, 40};

TEST(ButtonContent, GlyphSitsBesideTheCaptionAtTheSpacing) {
  // Caption 30 x 10 centred in the client area minus the 16-pixel glyph and 2 of spacing.
  const TButtonContent left =
      LayoutButtonContent(kClient, {30, 10}, {16, 16}, 2, TButtonLayout::blGlyphLeft, true);
  EXPECT_EQ(left.captionRect, (TPixelRect{18, 0, 100, 40}));
  EXPECT_EQ(left.glyphX, 44 - 2 - 16);  // the text starts at 18 + (82 - 30) / 2 = 44
  EXPECT_EQ(left.glyphY, 12);
  const TButtonContent right =
      LayoutButtonContent(kClient, {30, 10}, {16, 16}, 2, TButtonLayout::blGlyphRight, true);
  EXPECT_EQ(right.captionRect, (TPixelRect{0, 0, 82, 40}));
  EXPECT_EQ(right.glyphX, 26 + 30 + 2);
  const TButtonContent top =
      LayoutButtonContent(kClient, {30, 10}, {16, 8}, 3, TButtonLayout::blGlyphTop, true);
  EXPECT_EQ(top.captionRect, (TPixelRect{0, 11, 100, 40}));
  EXPECT_EQ(top.glyphY, 20 - 3 - 8);  // text top 11 + (29 - 10) / 2 = 20
  EXPECT_EQ(top.glyphX, 42);
  const TButtonContent bottom =
      LayoutButtonContent(kClient, {30, 10}, {16, 8}, 3, TButtonLayout::blGlyphBottom, true);
  EXPECT_EQ(bottom.captionRect, (TPixelRect{0, 0, 100, 29}));
  EXPECT_EQ(bottom.glyphY, 9 + 10 + 3);  // text top 9, 10 high, then the spacing
}

TEST(ButtonContent, WideCaptionPushesTheGlyphNoFurtherThanTheEdge) {
  const TButtonContent c =
      LayoutButtonContent(kClient, {300, 10}, {16, 16}, 2, TButtonLayout::blGlyphLeft, true);
  EXPECT_EQ(c.glyphX, 0);
}

TEST(ButtonContent, GlyphWithoutCaptionIsCentredAndNoGlyphLeavesTheClientArea) {
  const TButtonContent alone =
      LayoutButtonContent(kClient, {0, 0}, {20, 10}, 2, TButtonLayout::blGlyphRight, false);
  EXPECT_EQ(alone.glyphX, 40);
  EXPECT_EQ(alone.glyphY, 15);
  const TButtonContent text =
      LayoutButtonContent(kClient, {30, 10}, {0, 0}, 2, TButtonLayout::blGlyphLeft, true);
  EXPECT_EQ(text.captionRect, kClient);
}

TEST(PanelCaption, PlacedInsideTheCornersAndMiddleSidesMoveOutwards) {
  // Corner 10, border 2: the caption area is inset (10 + 2) div 2 = 6 at the sides, 2 above
  // and below; middle left and right move out by (10 - 2) div 2 = 4.
  const TPanelCaption centre = LayoutPanelCaption(200, 50, 10, 2, TCaptionPosition::cpMiddleCenter);
  EXPECT_EQ(centre.rect, (TPixelRect{6, 2, 194, 48}));
  EXPECT_EQ(centre.horz, THorzPlace::Center);
  EXPECT_EQ(centre.vert, TVertPlace::Middle);
  const TPanelCaption left = LayoutPanelCaption(200, 50, 10, 2, TCaptionPosition::cpMiddleLeft);
  EXPECT_EQ(left.rect.left, 2);
  EXPECT_EQ(left.horz, THorzPlace::Left);
  const TPanelCaption right = LayoutPanelCaption(200, 50, 10, 2, TCaptionPosition::cpMiddleRight);
  EXPECT_EQ(right.rect.right, 198);
  const TPanelCaption br = LayoutPanelCaption(200, 50, 10, 2, TCaptionPosition::cpBottomRight);
  EXPECT_EQ(br.rect, centre.rect);
  EXPECT_EQ(br.horz, THorzPlace::Right);
  EXPECT_EQ(br.vert, TVertPlace::Bottom);
  const TPanelCaption group = LayoutPanelCaption(200, 50, 10, 2, TCaptionPosition::cpGroupBox);
  EXPECT_EQ(group.vert, TVertPlace::Top);
  EXPECT_EQ(group.horz, THorzPlace::Left);
}

TEST(Pictures, CheckBoxBoxHasItsOutlineAndAGradientFromTheTopLeft) {
  const TColor border = RGBColor(128, 128, 128);
  const TPixelBuffer box = BuildBoxPicture(kWhite, RGBColor(0, 0, 0), border);
  for (int i = 0; i < kCheckBoxSize; ++i) {
    EXPECT_EQ(PixelOf(box, i, 0), Shown(border));
    EXPECT_EQ(PixelOf(box, 0, i), Shown(border));
    EXPECT_EQ(PixelOf(box, i, kCheckBoxSize - 1), Shown(border));
    EXPECT_EQ(PixelOf(box, kCheckBoxSize - 1, i), Shown(border));
  }
  // Diagonal 18: (1, 1) lies 1.41 along it, (11, 11) 15.56.
  EXPECT_EQ(PixelOf(box, 1, 1), Shown(RGBColor(235, 235, 235)));
  EXPECT_EQ(PixelOf(box, 11, 11), Shown(RGBColor(35, 35, 35)));
}

TEST(Pictures, RadioPictureIsSmoothAndCanBeLaidOverAnyBackground) {
  const TColor bg = RGBColor(240, 240, 240);
  const TColor border = RGBColor(0, 0, 128);
  const TRadioPicture p = BuildRadioPicture(13, bg, kWhite, kWhite, border);
  EXPECT_EQ(PixelOf(p.picture, 0, 0), Shown(bg));
  EXPECT_EQ(p.coverage[0], 0);
  EXPECT_EQ(PixelOf(p.picture, 6, 6), Shown(kWhite));
  EXPECT_EQ(p.coverage[6 * 13 + 6], 255);
  EXPECT_EQ(PixelOf(p.picture, 0, 6), Shown(border));  // the outline, one pixel wide
  EXPECT_EQ(PixelOf(p.picture, 1, 6), Shown(kWhite));
  // A partly covered pixel mixes outline and background.
  const int edge = 1 * 13 + 2;
  EXPECT_GT(p.coverage[edge], 0);
  EXPECT_LT(p.coverage[edge], 255);

  TPixelBuffer same(13, 13, bg);
  DrawCovered(same.View(), 0, 0, p.picture.View(), p.coverage, bg);
  TPixelBuffer other(13, 13, RGBColor(255, 0, 0));
  DrawCovered(other.View(), 0, 0, p.picture.View(), p.coverage, bg);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      EXPECT_EQ(PixelOf(same, x, y), PixelOf(p.picture, x, y));
      const int cover = p.coverage[static_cast<std::size_t>(y) * 13 + x];
      if (cover == 0) {
        EXPECT_EQ(PixelOf(other, x, y), Shown(RGBColor(255, 0, 0)));
      } else if (cover == 255) {
        EXPECT_EQ(PixelOf(other, x, y), PixelOf(p.picture, x, y));
      }
    }
}

}  // namespace
}  // namespace controls
