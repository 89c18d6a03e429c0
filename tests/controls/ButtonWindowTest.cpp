#include <memory>
#include <stdexcept>

#include <gtest/gtest.h>

#include "controls/DialogKeys.h"
#include "controls/GradientFill.h"
#include "controls/PixelBlend.h"
#include "controls/StyledButton.h"
#include "controls/StyledCheckBox.h"
#include "platform/ControlErrors.h"
#include "tests/controls/PixelTestSupport.h"
#include "tests/controls/WindowTestHost.h"

namespace controls {
namespace {

using test::SendKey;
using test::SendMouse;
using test::Snapshot;
using test::Tick;
using test::TTestHost;

TPixelBuffer Gradient(int w, int h, TColor from, TColor to, TGradientType type) {
  TPixelBuffer b(w, h);
  GradientFill(b.View(), b.View().Bounds(), from, to, type);
  return b;
}

// The box around the pixels darker than the threshold: where the caption's text is.
RECT DarkBox(const TPixelBuffer& b, int threshold = 80) {
  RECT r{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = b.Pixel(x, y);
      if (RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * threshold) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x);
        r.bottom = std::max<LONG>(r.bottom, y);
      }
    }
  return r;
}

class ButtonTest : public ::testing::Test {
 protected:
  TTestHost host;
  TStyledButton button{host.Handle(), 10, 10, 200, 40};
  int clicks = 0;
  void SetUp() override {
    button.OnClick = [this](TStyledControl&) { ++clicks; };
    SetWindowLongPtrW(button.Handle(), GWLP_ID, 77);
  }
  void HoverFully() {
    SendMouse(button.Handle(), WM_MOUSEMOVE, 50, 20);
    Tick(button.Handle(), 10);
  }
};

TEST_F(ButtonTest, SizeAndTheCaptionIsTheWindowText) {
  TStyledButton plain(host.Handle());
  EXPECT_EQ(plain.Width(), 75);
  EXPECT_EQ(plain.Height(), 25);
  EXPECT_TRUE(plain.TabStop());

  plain.SetCaption(L"Print All");
  wchar_t text[32] = {};
  GetWindowTextW(plain.Handle(), text, 32);
  EXPECT_STREQ(text, L"Print All");
  SetWindowTextW(plain.Handle(), L"Close");
  EXPECT_EQ(plain.Caption(), L"Close");
  EXPECT_EQ(TStyledControl::FromHandle(plain.Handle()), &plain);
  EXPECT_EQ(TStyledControl::FromHandle(host.Handle()), nullptr);
}

TEST_F(ButtonTest, RestingFaceIsTheDefaultGradientOnePixelInsideItsFrame) {
  button.SetColor(RGB(10, 20, 30));
  const TStyledControlColors c;
  const TPixelBuffer want =
      Gradient(200, 40, c.DefaultFrom, c.DefaultTo, TGradientType::gtVertical);
  const TPixelBuffer shot = Snapshot(button);
  EXPECT_EQ(PixelOf(shot, 0, 0), Shown(RGB(10, 20, 30)));  // the frame shows outside the corners
  EXPECT_EQ(PixelOf(shot, 199, 39), Shown(RGB(10, 20, 30)));
  EXPECT_EQ(PixelOf(shot, 0, 20), Shown(RGB(128, 128, 128)));  // the rounded border
  EXPECT_EQ(PixelOf(shot, 100, 0), Shown(RGB(128, 128, 128)));
  for (int y : {3, 12, 30, 37}) EXPECT_EQ(PixelOf(shot, 20, y), PixelOf(want, 19, y - 1)) << y;
}

TEST_F(ButtonTest, EqualGradientColoursAreFilledPlainly) {
  TStyledControlColors c;
  c.DefaultFrom = c.DefaultTo = RGB(90, 140, 70);
  button.SetColors(c);
  const TPixelBuffer shot = Snapshot(button);
  for (int y = 2; y < 38; y += 5) EXPECT_EQ(PixelOf(shot, 5, y), Shown(RGB(90, 140, 70))) << y;
}

TEST_F(ButtonTest, HoverFadesInOverTenTicksAndEachTickShowsTheMix) {
  SendMouse(button.Handle(), WM_MOUSEMOVE, 50, 20);
  EXPECT_TRUE(button.Hovered());
  EXPECT_TRUE(button.Fading());
  Tick(button.Handle(), 5);
  EXPECT_EQ(button.OverLevel(), 50);
  const TStyledControlColors c;
  TPixelBuffer want = Gradient(200, 40, c.DefaultFrom, c.DefaultTo, TGradientType::gtVertical);
  Blend(want.View(), want.View().Bounds(),
        Gradient(200, 40, c.OverFrom, c.OverTo, TGradientType::gtVertical).View(), 50);
  EXPECT_EQ(PixelOf(Snapshot(button), 20, 31), PixelOf(want, 19, 30));
  Tick(button.Handle(), 4);
  EXPECT_EQ(button.OverLevel(), 90);
  EXPECT_TRUE(button.Fading());
  Tick(button.Handle());
  EXPECT_EQ(button.OverLevel(), 100);
  EXPECT_FALSE(button.Fading());
}

TEST_F(ButtonTest, PressShowsThePressedPictureInOneTickWithTheFaceShiftedOnePixel) {
  button.SetCaption(L"Preview");
  button.SetShowFocusRect(false);  // the press focuses the button; only the caption is dark
  HoverFully();
  const TPixelBuffer before = Snapshot(button);
  SendMouse(button.Handle(), WM_LBUTTONDOWN, 50, 20);
  EXPECT_TRUE(button.Pressed());
  EXPECT_EQ(SendMessageW(button.Handle(), BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
  Tick(button.Handle());
  EXPECT_EQ(button.ClickLevel(), 100);
  EXPECT_FALSE(button.Fading());
  const TPixelBuffer pressed = Snapshot(button);
  const TStyledControlColors c;
  const TPixelBuffer want =
      Gradient(200, 40, c.ClickedFrom, c.ClickedTo, TGradientType::gtVertical);
  // Inside the gradient border the pressed picture starts one pixel lower and further right.
  EXPECT_EQ(PixelOf(pressed, 4, 4), PixelOf(want, 0, 0));
  EXPECT_EQ(PixelOf(pressed, 10, 30), PixelOf(want, 6, 26));
  EXPECT_EQ(PixelOf(pressed, 2, 20), PixelOf(before, 2, 20));  // the border keeps the hover look
  const RECT up = DarkBox(before);
  const RECT down = DarkBox(pressed);
  ASSERT_GE(up.right, 0);
  EXPECT_EQ(down.left, up.left + 1);
  EXPECT_EQ(down.top, up.top + 1);
  EXPECT_EQ(down.right, up.right + 1);
}

TEST_F(ButtonTest, ReleaseOverTheButtonClicksAndHandsTheModalResultToTheWindow) {
  button.SetModalResult(mrOk);
  SendMouse(button.Handle(), WM_LBUTTONDOWN, 50, 20);
  SendMouse(button.Handle(), WM_LBUTTONUP, 50, 20);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.Pressed());
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0].id, 77);
  EXPECT_EQ(host.commands[0].code, BN_CLICKED);
  EXPECT_EQ(host.commands[0].from, button.Handle());
  EXPECT_EQ(host.modalResults, std::vector<int>{IDOK});
  Tick(button.Handle());
  EXPECT_EQ(button.ClickLevel(), 0);  // released while still over: back to the hover look
}

TEST_F(ButtonTest, DraggingOffBeforeTheReleaseDoesNotClick) {
  SendMouse(button.Handle(), WM_LBUTTONDOWN, 50, 20);
  SendMouse(button.Handle(), WM_MOUSEMOVE, 250, 20);  // captured: moves keep coming
  EXPECT_FALSE(button.Hovered());
  Tick(button.Handle());
  EXPECT_EQ(button.ClickLevel(), 0);
  SendMouse(button.Handle(), WM_LBUTTONUP, 250, 20);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_NE(GetCapture(), button.Handle());
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicksAndDrawsItsCaptionEmbossed) {
  button.SetCaption(L"Delete");
  button.SetEnabled(false);
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 0);
  const TPixelBuffer shot = Snapshot(button);
  const TColor shadow = GetSysColor(COLOR_BTNSHADOW);
  bool found = false;
  for (int y = 0; y < 40 && !found; ++y)
    for (int x = 0; x < 200 && !found; ++x) found = shot.Pixel(x, y) == shadow;
  EXPECT_TRUE(found);
  EXPECT_LT(DarkBox(shot, 40).right, 0);  // nothing in the font's black
}

TEST_F(ButtonTest, KeyboardSpaceAndEnterClickTheFocusedButton) {
  SetFocus(button.Handle());
  ASSERT_EQ(GetFocus(), button.Handle());
  SendMessageW(button.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  Tick(button.Handle());
  EXPECT_EQ(button.ClickLevel(), 100);  // the press look while the key is held
  EXPECT_EQ(clicks, 0);
  SendMessageW(button.Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.Pressed());
  SendMessageW(button.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, TheDialogManagerHandsEnterToTheFocusedButton) {
  SetFocus(button.Handle());
  MSG msg{button.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  const LRESULT code =
      SendMessageW(button.Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&msg));
  EXPECT_TRUE(code & DLGC_BUTTON);
  EXPECT_TRUE(code & DLGC_UNDEFPUSHBUTTON);
  if (!IsDialogMessageW(host.Handle(), &msg)) DispatchMessageW(&msg);
  // Either way the button clicked itself; the window saw the button's click, no bare IDOK.
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0].id, 77);
}

TEST_F(ButtonTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  TStyledButton cancel(host.Handle(), 10, 60);
  int cancels = 0;
  cancel.OnClick = [&](TStyledControl&) { ++cancels; };
  button.SetDefault(true);
  cancel.SetCancel(true);
  TStyledCheckBox box(host.Handle(), 10, 100);
  SetFocus(box.Handle());
  EXPECT_TRUE(HandleStyledDialogKey(MSG{box.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}}));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(HandleStyledDialogKey(MSG{box.Handle(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}}));
  EXPECT_EQ(cancels, 1);
  EXPECT_FALSE(box.Checked());

  // Escape with Shift held is not the cancel key.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  EXPECT_FALSE(HandleStyledDialogKey(MSG{box.Handle(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}}));
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(cancels, 1);

  // A focused multi-line edit keeps its Enter; a disabled default button takes none.
  const HWND edit =
      CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 10,
                      140, 100, 40, host.Handle(), nullptr, nullptr, nullptr);
  SetFocus(edit);
  EXPECT_FALSE(HandleStyledDialogKey(MSG{edit, WM_KEYDOWN, VK_RETURN, 1, 0, {}}));
  SetFocus(box.Handle());
  button.SetEnabled(false);
  EXPECT_FALSE(HandleStyledDialogKey(MSG{box.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}}));
  EXPECT_EQ(clicks, 1);
  DestroyWindow(edit);
}

TEST_F(ButtonTest, FocusRectangleOnlyWhenFocusedAndWanted) {
  const TPixelBuffer plain = Snapshot(button);
  SetFocus(button.Handle());
  const TPixelBuffer focused = Snapshot(button);
  int changed = 0;
  for (int x = 2; x < 198; ++x) changed += plain.Pixel(x, 2) != focused.Pixel(x, 2);
  EXPECT_GT(changed, 50);  // a dotted line along the inset
  EXPECT_EQ(PixelOf(focused, 100, 20), PixelOf(plain, 100, 20));
  button.SetShowFocusRect(false);
  const TPixelBuffer hidden = Snapshot(button);
  for (int x = 2; x < 198; ++x) ASSERT_EQ(hidden.Pixel(x, 2), plain.Pixel(x, 2));
}

TEST_F(ButtonTest, ResizeRebuildsThePictures) {
  button.SetBounds(10, 10, 120, 60);
  const TStyledControlColors c;
  const TPixelBuffer want =
      Gradient(120, 60, c.DefaultFrom, c.DefaultTo, TGradientType::gtVertical);
  const TPixelBuffer shot = Snapshot(button);
  ASSERT_EQ(shot.Height(), 60);
  EXPECT_EQ(PixelOf(shot, 30, 50), PixelOf(want, 29, 49));
  button.SetGradientType(TGradientType::gtHorizontal);
  const TPixelBuffer across =
      Gradient(120, 60, c.DefaultFrom, c.DefaultTo, TGradientType::gtHorizontal);
  EXPECT_EQ(PixelOf(Snapshot(button), 90, 30), PixelOf(across, 89, 29));
}

TEST_F(ButtonTest, GlyphIsDrawnBesideTheCaptionWithoutItsTransparentColourAndTintedWhenDisabled) {
  TPixelBuffer glyph(8, 8, RGB(255, 0, 255));
  glyph.View().Fill({2, 2, 6, 6}, RGB(200, 0, 0));
  button.SetGlyph(glyph, RGB(255, 0, 255));
  // No caption: centred in the 200 x 40 client area.
  const TPixelBuffer shot = Snapshot(button);
  EXPECT_EQ(PixelOf(shot, 96 + 3, 16 + 3), Shown(RGB(200, 0, 0)));
  EXPECT_NE(PixelOf(shot, 96, 16), Shown(RGB(255, 0, 255)));
  button.SetEnabled(false);
  // Grey (200 div 3 = 66) plus 64 in each channel.
  EXPECT_EQ(PixelOf(Snapshot(button), 99, 19), Shown(RGB(130, 130, 130)));
}

TEST_F(ButtonTest, GlyphFromABitmapTakesItsBottomLeftPixelAsTransparent) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<DWORD*>(bits);
  for (int i = 0; i < 16; ++i) px[i] = 0x00FF00;  // green everywhere ...
  px[1 * 4 + 1] = 0x0000FF;                       // ... but one blue pixel
  button.SetGlyph(bmp);
  DeleteObject(bmp);  // the button keeps its own copy
  const TPixelBuffer shot = Snapshot(button);
  EXPECT_EQ(PixelOf(shot, 98 + 1, 18 + 1), Shown(RGB(0, 0, 255)));
  EXPECT_NE(PixelOf(shot, 98, 18), Shown(RGB(0, 255, 0)));
}

TEST(ButtonGroup, PressingOneReleasesTheOthersAndTheLastStaysDownUnlessAllMayBeUp) {
  TTestHost host;
  TStyledButton first(host.Handle(), 0, 0);
  TStyledButton second(host.Handle(), 80, 0);
  TTestHost other;
  TStyledButton elsewhere(other.Handle(), 0, 0);
  for (TStyledButton* b : {&first, &second, &elsewhere}) b->SetGroupIndex(1);
  SendMessageW(first.Handle(), BM_CLICK, 0, 0);
  SendMessageW(elsewhere.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(first.Down());
  SendMessageW(second.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(first.Down());
  EXPECT_TRUE(second.Down());
  EXPECT_TRUE(elsewhere.Down());  // another parent, another group
  SendMessageW(second.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(second.Down());
  second.SetDown(false);
  EXPECT_TRUE(second.Down());
  EXPECT_EQ(SendMessageW(second.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  second.SetAllowAllUp(true);
  SendMessageW(second.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(second.Down());
  first.SetDown(true);
  EXPECT_TRUE(first.Down());
  EXPECT_FALSE(second.Down());

  TStyledButton loose(host.Handle(), 160, 0);
  loose.SetDown(true);  // outside a group nothing stays down
  SendMessageW(loose.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(loose.Down());
}

TEST(ButtonGroup, ADownButtonKeepsItsHoverLookWhenTheMouseLeaves) {
  TTestHost host;
  TStyledButton b(host.Handle(), 0, 0);
  b.SetGroupIndex(2);
  SendMouse(b.Handle(), WM_MOUSEMOVE, 10, 10);
  SendMouse(b.Handle(), WM_LBUTTONDOWN, 10, 10);
  SendMouse(b.Handle(), WM_LBUTTONUP, 10, 10);
  ASSERT_TRUE(b.Down());
  Tick(b.Handle(), 10);
  SendMessageW(b.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(b.Hovered());
  Tick(b.Handle(), 10);
  EXPECT_EQ(b.OverLevel(), 100);
}

TEST(ButtonTimer, TheRealTimerRunsTheFadeAndStops) {
  TTestHost host;
  TStyledButton a(host.Handle(), 0, 0);
  a.SetGroupIndex(1);
  const DWORD start = GetTickCount();
  a.SetDown(true);  // fades the hover look in without the mouse
  ASSERT_TRUE(a.Fading());
  EXPECT_TRUE(test::PumpUntil([&] { return !a.Fading(); }, 3000));
  EXPECT_EQ(a.OverLevel(), 100);
  EXPECT_GE(GetTickCount() - start, 150u);  // ten ticks of 20 ms, not at once
}

TEST(ButtonWindowClass, MadeByClassNameTheWindowOwnsItsButton) {
  RegisterStyledControlClasses();
  TTestHost host;
  const HWND hwnd =
      CreateWindowExW(0, L"TStyledButton", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 75, 25,
                      host.Handle(), reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  auto* b = dynamic_cast<TStyledButton*>(TStyledControl::FromHandle(hwnd));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Caption(), L"OK");
  SendMessageW(hwnd, BM_CLICK, 0, 0);
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0].id, IDOK);
  DestroyWindow(hwnd);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(ButtonErrors, AFailingClickHandlerIsReportedAndTheButtonGoesOn) {
  TTestHost host;
  TStyledButton b(host.Handle(), 0, 0);
  std::string reported;
  SetControlErrorHandler([&](const std::exception& e) { reported = e.what(); });
  b.OnClick = [](TStyledControl&) { throw std::runtime_error("The file could not be read"); };
  SendMessageW(b.Handle(), BM_CLICK, 0, 0);
  SetControlErrorHandler(nullptr);
  EXPECT_EQ(reported, "The file could not be read");
  EXPECT_TRUE(IsWindow(b.Handle()));
}

TEST(ButtonLifetime, AClickHandlerMayDestroyTheButton) {
  TTestHost host;
  auto b = std::make_unique<TStyledButton>(host.Handle(), 0, 0);
  b->SetModalResult(mrCancel);
  b->OnClick = [&](TStyledControl&) { b.reset(); };
  const HWND hwnd = b->Handle();
  SendMouse(hwnd, WM_LBUTTONDOWN, 5, 5);
  SendMouse(hwnd, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(b, nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(host.modalResults, std::vector<int>{IDCANCEL});
}

}  // namespace
}  // namespace controls
