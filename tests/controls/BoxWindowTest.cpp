#include <gtest/gtest.h>

#include "controls/ControlPictures.h"
#include "controls/PixelBlend.h"
#include "controls/StyledCheckBox.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"
#include "tests/controls/PixelTestSupport.h"
#include "tests/controls/WindowTestHost.h"

namespace controls {
namespace {

using test::SendKey;
using test::SendMouse;
using test::Snapshot;
using test::Tick;
using test::TTestHost;

// The box of a 17-high check box sits at (1, (17 - 13) div 4) = (1, 1).
constexpr int kBoxX = 1;
constexpr int kBoxY = 1;

TEST(CheckBox, SizeAndStateThroughTheButtonMessages) {
  TTestHost host;
  TStyledCheckBox box(host.Handle());
  EXPECT_EQ(box.Width(), 130);
  EXPECT_EQ(box.Height(), 17);
  EXPECT_EQ(SendMessageW(box.Handle(), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
  EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  int clicks = 0;
  box.OnClick = [&](TStyledControl&) { ++clicks; };
  SendMessageW(box.Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 0);  // setting the state is no click
}

TEST(CheckBox, AClickTogglesFirstAndThenCallsTheClickEvent) {
  TTestHost host;
  TStyledCheckBox box(host.Handle(), 10, 10);
  std::vector<bool> seen;
  box.OnClick = [&](TStyledControl& c) {
    seen.push_back(static_cast<TStyledCheckBox&>(c).Checked());
  };
  SendMouse(box.Handle(), WM_LBUTTONDOWN, 5, 8);
  SendMouse(box.Handle(), WM_LBUTTONUP, 5, 8);
  SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  SetFocus(box.Handle());
  SendKey(box.Handle(), VK_SPACE);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
  ASSERT_EQ(host.commands.size(), 3u);
  EXPECT_EQ(host.commands[2].code, BN_CLICKED);
}

TEST(CheckBox, CheckMarkIsTintedAndTheBoxIsItsPicture) {
  TTestHost host;
  TStyledCheckBox box(host.Handle(), 10, 10);
  box.SetColor(RGB(250, 250, 250));
  const TStyledControlColors c;
  const TPixelBuffer picture = BuildBoxPicture(c.DefaultFrom, c.DefaultTo, c.BorderColor);
  TPixelBuffer shot = Snapshot(box);
  EXPECT_EQ(PixelOf(shot, kBoxX + 6, kBoxY + 6), PixelOf(picture, 6, 6));
  EXPECT_EQ(PixelOf(shot, kBoxX, kBoxY), Shown(c.BorderColor));
  EXPECT_EQ(PixelOf(shot, 0, 15), Shown(RGB(250, 250, 250)));
  box.SetChecked(true);
  shot = Snapshot(box);
  // Ink of the mark at (7, 1) of its picture, drawn at the box corner plus (2, 2).
  EXPECT_EQ(PixelOf(shot, kBoxX + 2 + 7, kBoxY + 2 + 1), Shown(RGB(0, 128, 0)));
  box.SetCheckColor(RGB(200, 0, 0));
  EXPECT_EQ(PixelOf(Snapshot(box), kBoxX + 9, kBoxY + 3), Shown(RGB(200, 0, 0)));
  box.SetEnabled(false);
  EXPECT_EQ(PixelOf(Snapshot(box), kBoxX + 9, kBoxY + 3), Shown(RGB(128, 128, 128)));
}

TEST(CheckBox, PressedPictureIsBlendedInsideTheInsetBox) {
  TTestHost host;
  TStyledCheckBox box(host.Handle(), 10, 10);
  const TStyledControlColors c;
  const TPixelBuffer pressed = BuildBoxPicture(c.ClickedFrom, c.ClickedTo, c.BorderColor);
  const TPixelBuffer resting = BuildBoxPicture(c.DefaultFrom, c.DefaultTo, c.BorderColor);
  SendMouse(box.Handle(), WM_LBUTTONDOWN, 5, 8);
  Tick(box.Handle());
  ASSERT_EQ(box.ClickLevel(), 100);
  TPixelBuffer shot = Snapshot(box);
  EXPECT_EQ(PixelOf(shot, kBoxX + 2, kBoxY + 2), PixelOf(pressed, 0, 0));
  EXPECT_EQ(PixelOf(shot, kBoxX + 5, kBoxY + 7), PixelOf(pressed, 3, 5));
  // The press does not fade the hover picture in, so the gradient border is the resting one.
  EXPECT_EQ(PixelOf(shot, kBoxX + 1, kBoxY + 1), PixelOf(resting, 1, 1));
  box.SetGradientBorder(false);
  shot = Snapshot(box);
  EXPECT_EQ(PixelOf(shot, kBoxX + 1, kBoxY + 1), PixelOf(pressed, 0, 0));
  SendMouse(box.Handle(), WM_LBUTTONUP, 5, 8);
}

TEST(CheckBox, BorderLinesAlongTheChosenEdges) {
  TTestHost host;
  TStyledCheckBox box(host.Handle(), 10, 10);
  box.SetBorderLines({TBorderLine::blBottom, TBorderLine::blRight});
  box.SetBorderLinesColor(RGB(0, 0, 160));
  const TPixelBuffer shot = Snapshot(box);
  EXPECT_EQ(PixelOf(shot, 60, 16), Shown(RGB(0, 0, 160)));
  EXPECT_EQ(PixelOf(shot, 129, 4), Shown(RGB(0, 0, 160)));
  EXPECT_NE(PixelOf(shot, 60, 0), Shown(RGB(0, 0, 160)));
  EXPECT_NE(PixelOf(shot, 0, 16 - 1), Shown(RGB(0, 0, 160)));
}

TEST(RadioButton, CheckingOneUnchecksTheOthersOfTheSameParentOnly) {
  TTestHost host;
  TStyledRadioButton a(host.Handle(), 10, 10);
  TStyledRadioButton b(host.Handle(), 10, 30);
  TStyledPanel panel(host.Handle(), 150, 10, 200, 100);
  TStyledRadioButton inside(panel.Handle(), 10, 10);
  inside.SetChecked(true);
  SendMouse(a.Handle(), WM_LBUTTONDOWN, 5, 8);
  SendMouse(a.Handle(), WM_LBUTTONUP, 5, 8);
  EXPECT_TRUE(a.Checked());
  SendMessageW(b.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  SendMessageW(b.Handle(), BM_CLICK, 0, 0);  // a checked one stays checked
  EXPECT_TRUE(b.Checked());
  SendMessageW(a.Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(b.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(inside.Checked());
  EXPECT_EQ(SendMessageW(a.Handle(), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
}

TEST(RadioButton, ReleasingOutsideChecksNothing) {
  TTestHost host;
  TStyledRadioButton a(host.Handle(), 10, 10);
  SendMouse(a.Handle(), WM_LBUTTONDOWN, 5, 8);
  SendMouse(a.Handle(), WM_LBUTTONUP, 300, 8);
  EXPECT_FALSE(a.Checked());
}

TEST(RadioButton, ArrowKeysOfTheDialogManagerMoveAndCheck) {
  TTestHost host;
  TStyledRadioButton a(host.Handle(), 10, 10);
  TStyledRadioButton b(host.Handle(), 10, 30);
  SetWindowLongW(a.Handle(), GWL_STYLE, GetWindowLongW(a.Handle(), GWL_STYLE) | WS_GROUP);
  a.SetChecked(true);
  SetFocus(a.Handle());
  MSG msg{a.Handle(), WM_KEYDOWN, VK_DOWN, 1, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(host.Handle(), &msg));
  EXPECT_EQ(GetFocus(), b.Handle());
  EXPECT_TRUE(b.Checked());
  EXPECT_FALSE(a.Checked());
}

TEST(RadioButton, DrawnOverTheParentWithASmoothCircleAndATintedDot) {
  TTestHost host(RGB(255, 220, 0));
  TStyledRadioButton r(host.Handle(), 10, 10);
  TPixelBuffer shot = Snapshot(r);
  EXPECT_EQ(PixelOf(shot, 0, 0), Shown(RGB(255, 220, 0)));  // the parent shows through
  EXPECT_EQ(PixelOf(shot, 2, 2), Shown(RGB(255, 220, 0)));  // outside the circle's corner
  const int top = (17 - 13) / 2;
  EXPECT_EQ(PixelOf(shot, 2, top + 6), Shown(RGB(128, 128, 128)));  // the outline
  r.SetChecked(true);
  shot = Snapshot(r);
  EXPECT_EQ(PixelOf(shot, 2 + 6, top + 6), Shown(RGB(0, 128, 0)));  // the dot's centre
  r.SetRadioType(TRadioSize::rsLarge);
  shot = Snapshot(r);
  EXPECT_EQ(PixelOf(shot, 2, 1 + 7), Shown(RGB(128, 128, 128)));
  EXPECT_EQ(PixelOf(shot, 2 + 7, 1 + 7), Shown(RGB(0, 128, 0)));
}

TEST(RadioButton, OverAGradientPanelItShowsThePanel) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 300, 120);
  panel.SetDefaultFrom(RGB(255, 0, 0));
  panel.SetDefaultTo(RGB(0, 0, 255));
  TStyledRadioButton r(panel.Handle(), 20, 50);
  const TPixelBuffer under = Snapshot(panel);
  const TPixelBuffer shot = Snapshot(r);
  EXPECT_EQ(PixelOf(shot, 0, 0), PixelOf(under, 20, 50));
  EXPECT_EQ(PixelOf(shot, 120, 16), PixelOf(under, 140, 66));
}

TEST(RadioButton, PressShowsThePressedPictureOverTheHoverOneInOneTick) {
  TTestHost host(RGB(240, 240, 240));
  TStyledRadioButton r(host.Handle(), 10, 10);
  r.SetColor(RGB(240, 240, 240));
  const TStyledControlColors c;
  const TRadioPicture pressed =
      BuildRadioPicture(13, RGB(240, 240, 240), c.ClickedFrom, c.ClickedTo, c.BorderColor);
  SendMouse(r.Handle(), WM_LBUTTONDOWN, 5, 8);
  Tick(r.Handle());
  EXPECT_EQ(r.ClickLevel(), 100);
  const TPixelBuffer shot = Snapshot(r);
  EXPECT_EQ(PixelOf(shot, 2 + 6, 2 + 6), PixelOf(pressed.picture, 6, 6));
  SendMouse(r.Handle(), WM_LBUTTONUP, 5, 8);
  EXPECT_TRUE(r.Checked());
}

}  // namespace
}  // namespace controls
