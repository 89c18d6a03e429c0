#include <gtest/gtest.h>

#include "controls/DibSurface.h"
#include "controls/DrawGradientBand.h"
#include "controls/GradientFill.h"
#include "controls/StyledButton.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"
#include "platform/GdiHandles.h"
#include "tests/controls/PixelTestSupport.h"
#include "tests/controls/WindowTestHost.h"

namespace controls {
namespace {

using test::Snapshot;
using test::TTestHost;

TEST(Panel, DoubleVertGradientHasAOnTheMiddleLineAndRunsOutToZAtTheEdges) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 200, 41);
  panel.SetCornerWidth(0);
  panel.SetGradientType(TGradientType::gtDoubleVert);
  panel.SetDefaultFrom(RGB(255, 255, 255));
  panel.SetDefaultTo(RGB(0, 64, 128));
  TPixelBuffer want(200, 41);
  GradientFill(want.View(), want.View().Bounds(), RGB(255, 255, 255), RGB(0, 64, 128),
               TGradientType::gtDoubleVert);
  const TPixelBuffer shot = Snapshot(panel);
  EXPECT_EQ(PixelOf(shot, 100, 20), Shown(RGB(255, 255, 255)));
  for (int y = 1; y < 40; ++y) EXPECT_EQ(PixelOf(shot, 100, y), PixelOf(want, 100, y)) << y;
  EXPECT_EQ(PixelOf(shot, 100, 0), Shown(RGB(128, 128, 128)));  // the border line over Z
  EXPECT_EQ(PixelOf(want, 100, 0), Shown(RGB(0, 64, 128)));
  EXPECT_EQ(PixelOf(want, 100, 40), Shown(RGB(0, 64, 128)));
}

TEST(Panel, EqualColoursOrNoGradientFillPlainly) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 120, 60);
  panel.SetDefaultFrom(RGB(30, 60, 90));
  panel.SetDefaultTo(RGB(30, 60, 90));
  EXPECT_EQ(PixelOf(Snapshot(panel), 60, 50), Shown(RGB(30, 60, 90)));
  panel.SetGradient(false);
  panel.SetColor(RGB(200, 100, 0));
  const TPixelBuffer shot = Snapshot(panel);
  EXPECT_EQ(PixelOf(shot, 60, 30), Shown(RGB(200, 100, 0)));
  EXPECT_EQ(PixelOf(shot, 0, 0), Shown(panel.OuterColor()));  // outside the rounded corner
}

TEST(Panel, PropertiesKeepTheirLimits) {
  TTestHost host;
  TStyledPanel panel(host.Handle());
  panel.SetCornerWidth(-4);
  panel.SetBorderWidth(0);
  EXPECT_EQ(panel.CornerWidth(), 0);
  EXPECT_EQ(panel.BorderWidth(), 1);
  panel.SetBorderWidth(3);
  const RECT area = panel.ChildArea();
  EXPECT_EQ(area.left, 4);
  EXPECT_EQ(area.top, 4);
  EXPECT_EQ(area.right, panel.Width() - 4);
}

TEST(Panel, AntialiasedEdgesAreSmoothAndThePlainInsideIsTheColour) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 160, 80);
  panel.SetGradient(false);
  panel.SetColor(RGB(255, 255, 255));
  panel.SetOuterColor(RGB(0, 0, 0));
  panel.SetBorderColor(RGB(0, 0, 0));
  panel.SetCornerWidth(20);
  panel.SetAntialiased(true);
  const TPixelBuffer shot = Snapshot(panel);
  EXPECT_EQ(PixelOf(shot, 80, 40), Shown(RGB(255, 255, 255)));  // inside the band
  EXPECT_EQ(PixelOf(shot, 0, 0), Shown(RGB(0, 0, 0)));
  // Along the curve of the corner some pixels are neither black nor white.
  int grey = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const int r = RedOf(shot.Pixel(x, y));
      grey += r > 20 && r < 235;
    }
  EXPECT_GT(grey, 4);
}

TEST(Panel, AntialiasedGradientKeepsTheGradientInside) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 160, 120);
  panel.SetDefaultFrom(RGB(0, 0, 0));
  panel.SetDefaultTo(RGB(240, 240, 240));
  panel.SetAntialiased(true);
  const TPixelBuffer shot = Snapshot(panel);
  EXPECT_LT(RedOf(shot.Pixel(80, 40)) + 40, RedOf(shot.Pixel(80, 80)));
}

TEST(Panel, GroupBoxCaptionSitsOnTheLoweredBorderOnAPatchOfTheOuterColour) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 200, 80);
  panel.SetCaptionPosition(TCaptionPosition::cpGroupBox);
  panel.SetOuterColor(RGB(0, 200, 0));
  panel.SetBorderColor(RGB(0, 0, 200));
  panel.SetCornerWidth(0);
  panel.SetCaption(L"Label sheet");
  const TPixelBuffer shot = Snapshot(panel);
  // The border runs half a caption height down; above it the outer colour shows.
  int borderRow = -1;
  for (int y = 0; y < 20 && borderRow < 0; ++y)
    if (shot.Pixel(190, y) == RGB(0, 0, 200)) borderRow = y;
  EXPECT_GE(borderRow, 4);
  EXPECT_EQ(PixelOf(shot, 190, 0), Shown(RGB(0, 200, 0)));
  // Where the caption crosses the border line, the line is covered by the patch.
  bool lineUnderCaption = false;
  for (int x = 5; x < 40; ++x) lineUnderCaption |= shot.Pixel(x, borderRow) == RGB(0, 0, 200);
  EXPECT_FALSE(lineUnderCaption);
}

TEST(Panel, ChildrenNotifyTheWindowThroughThePanelAndRepaintWithIt) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 200, 100);
  TStyledButton button(panel.Handle(), 10, 10);
  SetWindowLongPtrW(button.Handle(), GWLP_ID, 5);
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0].id, 5);
  EXPECT_EQ(host.commands[0].from, button.Handle());
  UpdateWindow(host.Handle());
  ValidateRect(button.Handle(), nullptr);
  panel.SetDefaultTo(RGB(10, 10, 10));
  RECT dirty{};
  EXPECT_TRUE(GetUpdateRect(button.Handle(), &dirty, FALSE));
  EXPECT_TRUE(GetWindowLongW(panel.Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_TRUE(GetWindowLongW(panel.Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST(Painting, EraseBackgroundLeavesTheScreenAloneAndAPaintIsOneFinishedPicture) {
  TTestHost host;
  TStyledButton button(host.Handle(), 10, 10, 120, 30);
  UpdateWindow(host.Handle());
  {
    WindowDC dc(button.Handle());
    const BrushHandle marker(CreateSolidBrush(RGB(255, 0, 255)));
    RECT r{0, 0, 120, 30};
    FillRect(dc.get(), &r, marker.get());
    EXPECT_EQ(SendMessageW(button.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0),
              1);
    EXPECT_EQ(GetPixel(dc.get(), 60, 15), RGB(255, 0, 255));
  }
  InvalidateRect(button.Handle(), nullptr, TRUE);
  UpdateWindow(button.Handle());
  const TPixelBuffer expected = Snapshot(button);
  WindowDC dc(button.Handle());
  for (int y = 0; y < 30; y += 3)
    for (int x = 0; x < 120; x += 7)
      ASSERT_EQ(GetPixel(dc.get(), x, y), expected.Pixel(x, y)) << x << "," << y;
}

// What the window shows on screen, read back through its own DC.
TPixelBuffer OnScreen(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  TDibSurface copy(r.right, r.bottom);
  WindowDC dc(hwnd);
  BitBlt(copy.DC(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
  TPixelBuffer out(r.right, r.bottom);
  CopyPixels(out.View(), 0, 0, copy.Pixels(), out.View().Bounds());
  return out;
}

int Differences(const TPixelBuffer& a, const TPixelBuffer& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

// A resize repaints the panel first and its children after; in between the children must
// still show their old picture (nothing erased, nothing of the panel drawn over them), and
// each child's paint must put its finished new picture up at once.
TEST(Painting, ResizingAPanelNeverShowsItsChildrenHalfDrawn) {
  TTestHost host;
  TStyledPanel panel(host.Handle(), 0, 0, 300, 120);
  TStyledButton button(panel.Handle(), 20, 20, 120, 30);
  button.SetCaption(L"Preview");
  TStyledRadioButton radio(panel.Handle(), 20, 70);
  radio.SetCaption(L"Landscape");
  UpdateWindow(host.Handle());
  const TPixelBuffer buttonBefore = OnScreen(button.Handle());
  const TPixelBuffer radioBefore = OnScreen(radio.Handle());

  panel.SetDefaultTo(RGB(40, 90, 30));
  panel.SetBounds(0, 0, 320, 140);
  RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
  EXPECT_EQ(Differences(OnScreen(button.Handle()), buttonBefore), 0);
  EXPECT_EQ(Differences(OnScreen(radio.Handle()), radioBefore), 0);
  RECT dirty{};
  EXPECT_TRUE(GetUpdateRect(radio.Handle(), &dirty, FALSE));  // and it is due to be repainted

  RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const TPixelBuffer radioAfter = OnScreen(radio.Handle());
  EXPECT_EQ(Differences(radioAfter, Snapshot(radio)), 0);
  EXPECT_GT(Differences(radioAfter, radioBefore), 100);  // it shows the new panel through
  EXPECT_EQ(Differences(OnScreen(button.Handle()), Snapshot(button)), 0);
}

TEST(GradientBandOnADC, DrawsInsideTheClipAndPutsThePenBack) {
  TDibSurface surface(20, 20);
  surface.Pixels().Fill(RGB(255, 255, 255));
  const HDC dc = surface.DC();
  const PenHandle pen(CreatePen(PS_SOLID, 3, RGB(1, 2, 3)));
  SelectObject(dc, pen.get());
  const RegionHandle clip(CreateRectRgn(0, 0, 10, 20));
  SelectClipRgn(dc, clip.get());
  const TColor stops[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(200, 100, 0)};
  DrawGradientBand(dc, RECT{0, 0, 20, 20}, stops, TBandDirection::TopToBottom);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.get());
  SelectClipRgn(dc, nullptr);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  const TPixelView px = surface.Pixels();
  EXPECT_EQ(Shown(px.Pixel(5, 3)), Shown(RGB(0, 0, 0)));
  EXPECT_EQ(Shown(px.Pixel(5, 19)), Shown(RGB(200, 100, 0)));
  EXPECT_EQ(Shown(px.Pixel(5, 14)), Shown(RGB(89, 44, 0)));       // line 4 of the second ten: 4 / 9
  EXPECT_EQ(Shown(px.Pixel(15, 19)), Shown(RGB(255, 255, 255)));  // clipped away
  const TColor one[] = {RGB(9, 9, 9)};
  EXPECT_THROW(DrawGradientBand(dc, RECT{0, 0, 20, 20}, one, TBandDirection::LeftToRight),
               std::invalid_argument);
  EXPECT_EQ(Shown(surface.Pixels().Pixel(15, 0)), Shown(RGB(255, 255, 255)));
}

}  // namespace
}  // namespace controls
