#include <gtest/gtest.h>

#include "engine/VpPaper.h"
#include "engine/VpZoom.h"

TEST(Zoom, StepsAlongTheTableOrByTheIncrementWithinTheLimits) {
  TVpZoom zoom;
  zoom.SetMinZoom(10);
  zoom.SetZoom(32);
  EXPECT_TRUE(zoom.ZoomIn());
  EXPECT_EQ(zoom.Zoom(), 45);
  zoom.SetZoom(32);
  zoom.ZoomOut();
  EXPECT_EQ(zoom.Zoom(), 30);
  zoom.SetMaxZoom(800);
  zoom.SetZoom(800);
  EXPECT_FALSE(zoom.ZoomIn()) << "no step beyond the table";
  zoom.SetZoom(7);
  EXPECT_EQ(zoom.Zoom(), 10) << "the minimum raises it";

  zoom.SetZoomStyle(vpFixedZoom);
  zoom.SetZoomIncrement(50);
  zoom.SetMaxZoom(400);
  zoom.SetZoom(380);
  zoom.ZoomIn();
  EXPECT_EQ(zoom.Zoom(), 400);
  EXPECT_FALSE(zoom.SetZoom(1000)) << "clamped to the 400 it already has";

  zoom.SetMinZoom(5);
  zoom.SetMaxZoom(3);
  EXPECT_EQ(zoom.MaxZoom(), 5);
  EXPECT_EQ(zoom.Zoom(), 5) << "a zoom above the new maximum comes down to it";
}

TEST(Zoom, FitsThePageIntoTheWindow) {
  const TVpSize a4 = PaperSizeInches(TVpPaperSize::A4);
  const TVpGutter gutter{20, 20, 20, 20};
  EXPECT_EQ(FitWholePageZoom(a4, {329, 568}, gutter), 33) << "the width fit, 0.3389";
  EXPECT_EQ(FitPageWidthZoom(a4, {329, 568}, gutter), 33);
  EXPECT_EQ(ScrollRange(a4, 100, gutter), (TVpIntPoint{794 + 40, 1123 + 40}));
}
