// The program's own pictures: every one draws something of its own, its soft edges blend into
// any background exactly as if drawn there, and the faded form is grey and lighter.
#include <windows.h>

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "writer/ToolIcons.h"

using namespace writer;
using controls::TColor;
using controls::TPixelBuffer;

namespace {

std::vector<ToolIcon> AllIcons() {
  std::vector<ToolIcon> icons;
  for (int i = static_cast<int>(ToolIcon::NewPage); i <= static_cast<int>(ToolIcon::Equation); ++i)
    icons.push_back(static_cast<ToolIcon>(i));
  return icons;
}

std::vector<TColor> PixelsOf(const TPixelBuffer& picture) {
  std::vector<TColor> pixels;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) pixels.push_back(picture.Pixel(x, y));
  return pixels;
}

int Luminance(TColor c) {
  return (controls::RedOf(c) * 30 + controls::GreenOf(c) * 59 + controls::BlueOf(c) * 11) / 100;
}

}  // namespace

TEST(ToolIcons, EachPictureDrawsSomethingOfItsOwnInsideItsSquare) {
  std::set<std::vector<TColor>> seen;
  for (ToolIcon icon : AllIcons()) {
    const int index = static_cast<int>(icon);
    for (int size : {24, 32}) {
      const TPixelBuffer picture = DrawToolIcon(icon, size, controls::kWhite);
      ASSERT_EQ(picture.Width(), size);
      int drawn = 0;
      for (TColor c : PixelsOf(picture)) drawn += c != controls::kWhite;
      EXPECT_GT(drawn, size * size / 12) << "icon " << index << " at " << size;
      EXPECT_LT(drawn, size * size) << "icon " << index << " leaves some background";
    }
    EXPECT_TRUE(seen.insert(PixelsOf(DrawToolIcon(icon, 32, controls::kWhite))).second)
        << "icon " << index << " looks like another";
  }
}

TEST(ToolIcons, BlendingMatchesDrawingOnTheBackground) {
  const TColor grounds[] = {controls::RGBColor(124, 168, 211), controls::RGBColor(255, 245, 221),
                            controls::RGBColor(30, 30, 30)};
  for (ToolIcon icon : {ToolIcon::Cut, ToolIcon::SaveDisk, ToolIcon::Emoticon, ToolIcon::Table}) {
    for (TColor ground : grounds) {
      const TPixelBuffer expected = DrawToolIcon(icon, 32, ground);
      TPixelBuffer canvas(40, 40, ground);
      BlendToolIcon(canvas.View(), 5, 3, icon, 32);
      int worst = 0;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const TColor a = expected.Pixel(x, y), b = canvas.Pixel(x + 5, y + 3);
          worst = std::max({worst, std::abs(controls::RedOf(a) - controls::RedOf(b)),
                            std::abs(controls::GreenOf(a) - controls::GreenOf(b)),
                            std::abs(controls::BlueOf(a) - controls::BlueOf(b))});
        }
      EXPECT_LE(worst, 2) << "icon " << static_cast<int>(icon);
      EXPECT_EQ(canvas.Pixel(39, 39), ground) << "nothing drawn outside the square";
      EXPECT_EQ(canvas.Pixel(4, 2), ground);
    }
  }
}

TEST(ToolIcons, FadedPicturesAreGreyAndNeverDarker) {
  const TPixelBuffer picture = DrawToolIcon(ToolIcon::Paste, 32, controls::kWhite);
  const TPixelBuffer faded = FadedIcon(picture);
  const std::vector<TColor> before = PixelsOf(picture), after = PixelsOf(faded);
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(controls::RedOf(after[i]), controls::GreenOf(after[i]));
    EXPECT_EQ(controls::GreenOf(after[i]), controls::BlueOf(after[i]));
    EXPECT_GE(Luminance(after[i]), Luminance(before[i]));
  }
  EXPECT_EQ(after.front(), controls::kWhite) << "the background stays white";
}
