#include <gtest/gtest.h>

#include "controls/StyledButton.h"
#include "controls/StyledCheckBox.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"
#include "tests/controls/PixelTestSupport.h"
#include "tests/controls/WindowTestHost.h"

namespace controls {
namespace {

using test::Snapshot;
using test::TTestHost;

bool DialogKey(HWND host, UINT message, WPARAM key) {
  MSG msg{GetFocus(), message, key, 1, 0, {}};
  return IsDialogMessageW(host, &msg) != FALSE;
}

void HoldShift(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// Width of the dark (text) pixels of a picture.
int TextWidth(const TPixelBuffer& b) {
  int left = b.Width();
  int right = -1;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = b.Pixel(x, y);
      if (RedOf(c) + GreenOf(c) + BlueOf(c) < 240) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  return right - left + 1;
}

TEST(DialogNavigation, TabMovesThroughTheControlsAndIntoAPanelAndShiftTabGoesBack) {
  TTestHost host;
  TStyledButton button(host.Handle(), 10, 10);
  TStyledCheckBox box(host.Handle(), 10, 50);
  TStyledPanel panel(host.Handle(), 10, 80, 200, 80);
  TStyledRadioButton radio(panel.Handle(), 10, 10);
  EXPECT_FALSE(panel.TabStop());
  SetFocus(button.Handle());
  EXPECT_TRUE(DialogKey(host.Handle(), WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(GetFocus(), box.Handle());
  EXPECT_TRUE(DialogKey(host.Handle(), WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(GetFocus(), radio.Handle());
  EXPECT_TRUE(DialogKey(host.Handle(), WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(GetFocus(), button.Handle());
  HoldShift(true);
  EXPECT_TRUE(DialogKey(host.Handle(), WM_KEYDOWN, VK_TAB));
  HoldShift(false);
  EXPECT_EQ(GetFocus(), radio.Handle());
}

TEST(DialogNavigation, AMnemonicClicksItsButtonAndTogglesItsCheckBox) {
  TTestHost host;
  TStyledButton print(host.Handle(), 10, 10);
  print.SetCaption(L"&Print");
  print.SetShowAccelChar(true);
  TStyledCheckBox grid(host.Handle(), 10, 50);
  grid.SetCaption(L"Show &grid");
  grid.SetShowAccelChar(true);
  int clicks = 0;
  print.OnClick = [&](TStyledControl&) { ++clicks; };
  SetFocus(grid.Handle());
  EXPECT_TRUE(DialogKey(host.Handle(), WM_SYSCHAR, L'p'));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(DialogKey(host.Handle(), WM_SYSCHAR, L'G'));
  EXPECT_TRUE(grid.Checked());
}

TEST(DialogNavigation, AmpersandsAreShownAsTheyAreUnlessTheyMarkAMnemonic) {
  TTestHost host;
  TStyledButton plain(host.Handle(), 10, 10, 120, 30);
  plain.SetCaption(L"Print");
  TStyledButton literal(host.Handle(), 10, 50, 120, 30);
  literal.SetCaption(L"&Print");
  TStyledButton mnemonic(host.Handle(), 10, 90, 120, 30);
  mnemonic.SetCaption(L"&Print");
  mnemonic.SetShowAccelChar(true);
  const int width = TextWidth(Snapshot(plain));
  EXPECT_GT(TextWidth(Snapshot(literal)), width + 3);  // the "&" is drawn
  EXPECT_EQ(TextWidth(Snapshot(mnemonic)), width);     // underline under the P only
}

}  // namespace
}  // namespace controls
