// The presentation's page shapes, the screen size label's steps and the frame delays, against
// the sizes and times the options window offers.
#include <gtest/gtest.h>

#include "writer/export/PresentationShapes.h"

using namespace writer;

TEST(PresentationShapes, EachChoiceGivesItsPictureAndTextArea) {
  struct Case {
    PresentationChoice choice;
    const wchar_t* label;
    int width, height, right, bottom;
  };
  const Case cases[] = {
      {PresentationChoice::FullPage, L"900 x 675", 693, 950, 673, 930},
      {PresentationChoice::HalfPage, L"800 x 600", 693, 485, 673, 465},
      {PresentationChoice::ScreenSize, L"800 x 600", 800, 600, 780, 580},
      {PresentationChoice::ScreenSize, L"900 x 675", 900, 675, 880, 655},
      {PresentationChoice::ScreenSize, L"1000 x 750", 1000, 750, 980, 730},
  };
  for (const Case& c : cases) {
    const PageShape shape = ShapeOf(c.choice, c.label);
    EXPECT_EQ(shape.width, c.width);
    EXPECT_EQ(shape.height, c.height);
    EXPECT_EQ(shape.textRight, c.right);
    EXPECT_EQ(shape.textBottom, c.bottom);
  }
}

TEST(PresentationShapes, TheArrowsStepTheScreenSizeAndStopAtTheEnds) {
  std::wstring label = kDefaultScreenLabel;
  label = LargerScreenLabel(label);
  EXPECT_EQ(label, L"900 x 675");
  label = LargerScreenLabel(label);
  EXPECT_EQ(label, L"1000 x 750");
  EXPECT_EQ(LargerScreenLabel(label), L"1000 x 750");
  label = SmallerScreenLabel(SmallerScreenLabel(label));
  EXPECT_EQ(label, L"800 x 600");
  EXPECT_EQ(SmallerScreenLabel(label), L"800 x 600");
}

TEST(PresentationShapes, DelaysAreWholeSecondsInMilliseconds) {
  EXPECT_EQ(FrameDelay(15), 15000);
  EXPECT_EQ(FrameDelay(60), 60000);
  EXPECT_EQ(FrameDelay(5), 5000);
}
