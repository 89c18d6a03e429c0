#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpPaperImage.h"
#include "platform/GdiHandles.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kDesk = RGB(0, 128, 0);
constexpr COLORREF kShadow = RGB(64, 64, 64);
constexpr COLORREF kUntouched = RGB(255, 0, 255);
constexpr int kWidth = 400;
constexpr int kHeight = 300;

// A 24-bit picture of the control's client area, its pixels readable after painting.
class TDib {
 public:
  TDib() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint8_t*>(bits);
    original_ = SelectObject(dc_.get(), bitmap_.get());
    const BrushHandle fill(CreateSolidBrush(kUntouched));
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc_.get(), &all, fill.get());
  }
  ~TDib() { SelectObject(dc_.get(), original_); }
  HDC Dc() const { return dc_.get(); }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const std::uint8_t* p = bits_ + y * ((kWidth * 3 + 3) & ~3) + x * 3;
    return RGB(p[2], p[1], p[0]);
  }
  int Count(COLORREF color, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Pixel(x, y) == color;
    return n;
  }

 private:
  MemoryDC dc_;
  BitmapHandle bitmap_;
  std::uint8_t* bits_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

// A 3 by 2 inch page holding a black square from (1, 1) to (2, 2) inches, shown at zoom 100.
struct TScene {
  TVpPageList list;
  TVpShadow shadow;
  TVpPageGrid grid;
  TVpPaperImage image;
  TVpIntRect sheet;
  TScene() {
    list.SetCustomPaperSize(3, 2, vpInches);
    list.AddPage();
    list.Canvas().Brush = {0, vpBrushSolid};
    list.Canvas().Rectangle(1, 1, 2, 2, vpInches);
    image.ShowPage(&list, 1);
    image.SetZoom(100);
    image.SetDeskColor(kDesk);
    shadow.SetColor(kShadow);
    shadow.SetWidth(5);
    image.SetShadow(&shadow);
    image.SetGrid(&grid);
    sheet = image.PageImageRect(kWidth, kHeight);
  }
  void Paint(TDib& dib) { image.Paint(dib.Dc(), RECT{0, 0, kWidth, kHeight}); }
};

TEST(VpPaperImage, SheetContentOutlineAndShadowLandWhereTheGeometrySays) {
  TScene scene;
  TDib dib;
  scene.Paint(dib);
  const auto [l, t, r, b] = scene.sheet;
  ASSERT_EQ(scene.sheet, (TVpIntRect{56, 54, 344, 246}));
  struct Probe {
    int x, y;
    COLORREF expected;
    const char* what;
  } probes[] = {
      {l - 1, t + 50, kDesk, "desk left of the sheet"},
      {l, t + 50, kBlack, "left outline"},
      {r, t + 50, kBlack, "right outline"},
      {l + 50, t, kBlack, "top outline"},
      {l + 50, b, kBlack, "bottom outline"},
      {l + 10, t + 10, kWhite, "sheet"},
      {l + 94, t + 144, kWhite, "left of the square"},
      {l + 98, t + 98, kBlack, "square's top-left corner, an inch in"},
      {l + 190, t + 190, kBlack, "square's bottom-right corner"},
      {l + 194, t + 144, kWhite, "right of the square"},
      {r + 1, t + 5, kDesk, "shadow starts its width down"},
      {r + 1, t + 6, kShadow, "right band"},
      {r + 5, b + 5, kShadow, "corner of both bands"},
      {r + 6, t + 50, kDesk, "right of the shadow"},
      {l + 5, b + 1, kDesk, "bottom band starts its width in"},
      {l + 6, b + 1, kShadow, "bottom band"},
      {l + 50, b + 6, kDesk, "below the shadow"},
  };
  for (const Probe& p : probes) EXPECT_EQ(dib.Pixel(p.x, p.y), p.expected) << p.what;
}

TEST(VpPaperImage, GridStylesDrawLinesEveryTenMillimetresOrDotsOrNothing) {
  struct Case {
    TVpGridStyle style;
    int inRow;  // silver pixels across the sheet, 5 pixels below its top
    int inSheet;
  } cases[] = {
      {vpNoGrid, 0, 0},
      // 76.2 mm wide: lines 1 to 7 fall inside, the 8th (80 mm) is clipped away.
      {vpLines, 7, 7 * 191 + 5 * 287 - 7 * 5},
      // 7 columns by 5 rows (50.8 mm high).
      {vpDots, 0, 35},
  };
  for (const Case& c : cases) {
    TScene scene;
    scene.grid.SetGridStyle(c.style);
    TDib dib;
    scene.Paint(dib);
    const auto [l, t, r, b] = scene.sheet;
    EXPECT_EQ(dib.Count(kSilver, l + 1, t + 5, r, t + 6), c.inRow) << c.style;
    EXPECT_EQ(dib.Count(kSilver, l + 1, t + 1, r, b), c.inSheet) << c.style;
    if (c.style == vpLines) {
      EXPECT_EQ(dib.Pixel(l + 38, t + 5), kSilver) << "first line 37.8 pixels in";
      EXPECT_EQ(dib.Pixel(l + 265, t + 5), kSilver) << "seventh line 264.6 pixels in";
    }
  }
}

TEST(VpPaperImage, MarginFrameIsDrawnOnlyWhenTheMarginsAreVisible) {
  for (const bool clip : {false, true}) {
    for (const bool visible : {false, true}) {
      TScene scene;
      scene.list.Margins().SetVisible(visible);
      scene.list.Margins().SetClipMargins(clip);
      TDib dib;
      scene.Paint(dib);
      const auto [l, t, r, b] = scene.sheet;
      // Half an inch in on every side: 48 pixels at zoom 100.
      const int left = dib.Count(kSilver, l + 47, t + 60, l + 50, b - 60);
      const int right = dib.Count(kSilver, r - 50, t + 60, r - 47, b - 60);
      const int bottom = dib.Count(kSilver, l + 60, b - 50, r - 60, b - 47);
      if (visible) {
        EXPECT_GT(left, 10) << clip;
        EXPECT_GT(right, 10) << "the margin clip keeps the right edge: " << clip;
        EXPECT_GT(bottom, 10) << "the margin clip keeps the bottom edge: " << clip;
        EXPECT_LT(left, b - t - 120) << "dotted, not solid";
      } else {
        EXPECT_EQ(left + right + bottom, 0);
      }
    }
  }
}

TEST(VpPaperImage, NothingIsPaintedWhileAnUpdateIsOpen) {
  TScene scene;
  scene.image.BeginUpdate();
  scene.image.BeginUpdate();
  TDib dib;
  scene.Paint(dib);
  scene.image.EndUpdate();
  scene.Paint(dib);
  EXPECT_EQ(dib.Count(kUntouched, 0, 0, kWidth, kHeight), kWidth * kHeight);
  scene.image.EndUpdate();
  scene.Paint(dib);
  EXPECT_EQ(dib.Count(kUntouched, 0, 0, kWidth, kHeight), 0);
}

TEST(VpPaperImage, WindowReportsPageInchesAndIgnoresMovesWhileUpdating) {
  const HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  {
    TScene scene;
    TVpPaperImage image(host, 0, 0, kWidth, kHeight);
    image.ShowPage(&scene.list, 1);
    image.SetZoom(50);
    std::vector<TVpPoint> downs;
    int plainDowns = 0;
    int moves = 0;
    image.OnMouseDown = [&](TVpMouseButton, WPARAM, int, int) { ++plainDowns; };
    image.OnPageMouseDown = [&](TVpMouseButton button, WPARAM, long double x, long double y) {
      EXPECT_EQ(plainDowns, 1) << "the plain hook runs first";
      EXPECT_EQ(button, vpLeftButton);
      downs.push_back({x, y});
    };
    image.OnPageMouseMove = [&](WPARAM, long double, long double) { ++moves; };
    const TVpIntRect sheet = image.PageImageRect();
    EXPECT_EQ(sheet, image.PageImageRect(kWidth, kHeight));
    const auto at = [](int x, int y) { return MAKELPARAM(x, y); };
    SendMessageW(image.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(sheet.Left, sheet.Top));
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], (TVpPoint{0, 0}));
    EXPECT_EQ(image.MousePoint().X().AsInches(), 0);

    image.BeginUpdate();
    SendMessageW(image.Handle(), WM_MOUSEMOVE, 0, at(sheet.Left + 96, sheet.Top));
    EXPECT_EQ(moves, 0);
    image.EndUpdate();
    SendMessageW(image.Handle(), WM_MOUSEMOVE, 0, at(sheet.Left + 96, sheet.Top));
    EXPECT_EQ(moves, 1);

    TDib dib;
    SendMessageW(image.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
    EXPECT_EQ(dib.Pixel(sheet.Left, sheet.Top + 20), kBlack);
    EXPECT_EQ(dib.Pixel(sheet.Left + 10, sheet.Top + 10), kWhite);
  }
  DestroyWindow(host);
}

}  // namespace
