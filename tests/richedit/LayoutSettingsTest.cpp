#include <cstdint>

#include <gtest/gtest.h>

#include "richedit/LayoutSettings.h"

namespace richedit {
namespace {

TEST(LayoutSettingsTest, TargetDeviceChoosesWhereLinesWrap) {
  struct Case {
    bool hasDevice;
    std::int64_t lineWidth;
    LayoutOptions expected;  // for a window 5000 twips wide
  } const cases[] = {
      {false, 0, {5000, true, false}},                              // wrap to the window
      {false, 1, {5000, false, false}},                             // no wrap
      {true, 8000, {8000, true, false}},                            // the device's line width
      {true, 0, {5000, false, false}},                              // a device without a width
      {true, -20, {5000, false, false}},                            // nor with a negative one
      {true, std::int64_t{1} << 40, {MaxCoordinate, true, false}},  // kept within layout's range
  };
  for (const Case& c : cases) {
    LayoutSettings settings;
    settings.setTargetDevice(c.hasDevice, c.lineWidth);
    EXPECT_EQ(settings.windowLayout(5000), c.expected) << c.hasDevice << " " << c.lineWidth;
  }
}

TEST(LayoutSettingsTest, TypographyChangesOnlyTheMaskedKnownFlags) {
  LayoutSettings settings;
  EXPECT_EQ(settings.typography(), 0u);
  EXPECT_FALSE(settings.justifies()) << "justified text is flush left by default";

  EXPECT_TRUE(settings.setTypography(typo::AdvancedTypography, typo::AdvancedTypography));
  EXPECT_TRUE(settings.justifies());
  EXPECT_TRUE(settings.windowLayout(100).justify);

  EXPECT_TRUE(settings.setTypography(typo::SimpleLineBreak, typo::SimpleLineBreak));
  EXPECT_EQ(settings.typography(), typo::Known) << "the first flag is outside the mask";

  EXPECT_FALSE(settings.setTypography(0x10, 0x10));
  EXPECT_FALSE(settings.setTypography(0, 0x11));
  EXPECT_EQ(settings.typography(), typo::Known) << "a refused call changes nothing";

  EXPECT_TRUE(settings.setTypography(0, typo::AdvancedTypography));
  EXPECT_EQ(settings.typography(), typo::SimpleLineBreak);
  EXPECT_FALSE(settings.justifies());
}

}  // namespace
}  // namespace richedit
