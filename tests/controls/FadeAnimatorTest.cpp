#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "controls/FadeAnimator.h"

namespace controls {
namespace {

using TLevels = std::pair<int, int>;  // over, click

// Runs the timer to its end and returns the levels after every tick.
std::vector<TLevels> RunFade(TFadeAnimator& fade) {
  std::vector<TLevels> ticks;
  bool more = true;
  while (more && ticks.size() < 1000) {
    more = fade.Tick();
    ticks.emplace_back(fade.OverLevel(), fade.ClickLevel());
  }
  return ticks;
}

TEST(FadeAnimator, EnteringFadesTheHoverPictureInOverTenTicksAtEverySpeed) {
  // The same ten steps at every speed; only the timer interval (and so the duration) differs.
  const std::pair<TFadeSpeed, int> speeds[] = {{TFadeSpeed::fsSlow, 400},
                                               {TFadeSpeed::fsMedium, 200},
                                               {TFadeSpeed::fsFast, 120},
                                               {TFadeSpeed::fsVeryFast, 80}};
  for (auto [speed, duration] : speeds) {
    TFadeAnimator fade;
    fade.MouseEnter();
    const std::vector<TLevels> ticks = RunFade(fade);
    ASSERT_EQ(ticks.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ticks[i], TLevels(10 * (i + 1), 0));
    EXPECT_EQ(static_cast<int>(ticks.size()) * FadeInterval(speed), duration);
    EXPECT_FALSE(fade.Running());
  }
}

TEST(FadeAnimator, PressingShowsThePressedPictureInOneTickAndReleasingReturnsInOne) {
  TFadeAnimator fade;
  fade.MouseEnter();
  fade.Tick();
  fade.Tick();  // over level 20
  fade.MouseDown();
  EXPECT_EQ(RunFade(fade), (std::vector<TLevels>{{20, 100}}));
  fade.MouseUp();
  EXPECT_TRUE(fade.Hovered());
  // The release drops the pressed picture at once and carries on fading the hover one in.
  const std::vector<TLevels> after = RunFade(fade);
  ASSERT_EQ(after.size(), 8u);
  EXPECT_EQ(after.front(), TLevels(30, 0));
  EXPECT_EQ(after.back(), TLevels(100, 0));
}

TEST(FadeAnimator, LeavingFadesOutAndDropsAPressAtOnce) {
  TFadeAnimator fade;
  fade.MouseEnter();
  RunFade(fade);
  fade.MouseDown();
  RunFade(fade);
  fade.MouseLeave();  // dragged off while the button is held
  EXPECT_TRUE(fade.Pressed());
  const std::vector<TLevels> ticks = RunFade(fade);
  ASSERT_EQ(ticks.size(), 10u);
  EXPECT_EQ(ticks[0], TLevels(90, 0));
  EXPECT_EQ(ticks[9], TLevels(0, 0));
}

TEST(FadeAnimator, PressedButNotOverFadesLikeHover) {
  // The press is shown only while the mouse is over the control as well.
  TFadeAnimator fade;
  fade.MouseDown();
  const std::vector<TLevels> ticks = RunFade(fade);
  ASSERT_EQ(ticks.size(), 10u);
  EXPECT_EQ(ticks[0], TLevels(10, 0));
}

TEST(FadeAnimator, ReversingMidwayContinuesFromTheCurrentLevel) {
  TFadeAnimator fade;
  fade.MouseEnter();
  for (int i = 0; i < 4; ++i) fade.Tick();
  fade.MouseLeave();
  EXPECT_EQ(RunFade(fade), (std::vector<TLevels>{{30, 0}, {20, 0}, {10, 0}, {0, 0}}));
}

TEST(FadeAnimator, KeepingTheLookOnLeaveStaysAtTheHoverPicture) {
  TFadeAnimator fade;
  fade.MouseEnter();
  RunFade(fade);
  fade.MouseLeave(true);
  EXPECT_FALSE(fade.Hovered());
  const std::vector<TLevels> ticks = RunFade(fade);
  EXPECT_EQ(ticks.back(), TLevels(100, 0));
}

}  // namespace
}  // namespace controls
