#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpFontMapper.h"
#include "engine/VpGdiSupport.h"
#include "engine/VpGdiTarget.h"
#include "engine/VpRounding.h"
#include "platform/GdiHandles.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white 24-bit top-down DIB section in a memory DC, read back pixel by pixel.
class TDib {
 public:
  TDib(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const BYTE*>(bits);
    selected_.emplace(dc_.get(), bitmap_.get());
    const RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  HDC dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const BYTE* p = bits_ + static_cast<std::size_t>(y) * Stride() + x * 3;
    return RGB(p[2], p[1], p[0]);
  }
  // Pixels that are not white along a column or a row.
  int InkInColumn(int x, int from, int to) const {
    int count = 0;
    for (int y = from; y < to; ++y) count += At(x, y) != kWhite;
    return count;
  }
  int InkInRect(int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) count += At(x, y) != kWhite;
    return count;
  }

 private:
  std::size_t Stride() const { return (static_cast<std::size_t>(width_) * 3 + 3) / 4 * 4; }
  int width_;
  MemoryDC dc_;
  BitmapHandle bitmap_;
  const BYTE* bits_ = nullptr;
  std::optional<Selection> selected_;
};

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 40 && std::abs(GetGValue(a) - GetGValue(b)) < 40 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 40;
}

TVpFont Font(const char* name, int size, std::uint8_t style = 0, long double angle = 0) {
  TVpFont font;
  font.Name = name;
  font.Size = size;
  font.Style = style;
  font.Angle = angle;
  return font;
}

TEST(VpGdiTarget, RectangleAt600PpiCoversPixels600To1200) {
  TDib dib(1300, 1300);
  TVpGdiTarget target(dib.dc(), false);
  target.SelectPen({0, 0, vpPenSolid, vpPenModeCopy}, 600);
  target.SelectBrush({kRed, vpBrushSolid});
  const TVpIntRect rect = DeviceRect(MakeRect(1, 1, 2, 2), 600, 600);
  target.DrawPolygon(RectanglePath(rect)[0].points);
  // Pen on 600 and 1200, brush between, nothing outside; the same down the middle column.
  const COLORREF expected[] = {kWhite, 0, kRed, kRed, 0, kWhite};
  const int at[] = {599, 600, 601, 1199, 1200, 1201};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(dib.At(at[i], 900), expected[i]) << at[i];
    EXPECT_EQ(dib.At(900, at[i]), expected[i]) << at[i];
  }
}

TEST(VpGdiTarget, PenWidthFollowsTheResolution) {
  struct Row {
    std::int32_t width, style;
    std::uint32_t color;
    int ppi, thickness;
    bool cosmetic;
  };
  for (const Row& row :
       {Row{4, vpPenSolid, 0, 600, 8, false}, Row{4, vpPenSolid, 0, 96, 1, true},
        Row{1, vpPenSolid, 0, 600, 2, false}, Row{0, vpPenSolid, 0, 600, 1, true},
        Row{4, vpPenInsideFrame, 0, 96, 1, true}, Row{8, vpPenDash, 0, 96, 3, false},
        Row{4, vpPenSolid, kVpNoColor, 600, 0, false}, Row{4, vpPenClear, 0, 600, 0, false}}) {
    SCOPED_TRACE(testing::Message() << row.width << " style " << row.style << " @" << row.ppi);
    TDib dib(200, 100);
    TVpGdiTarget target(dib.dc(), false);
    target.SelectPen({row.width, row.color, row.style, vpPenModeCopy}, row.ppi);
    target.Line({10, 50}, {190, 50});
    int thickness = 0;  // a dashed line has gaps, so the thickest column counts
    for (int x = 12; x < 188; ++x) thickness = std::max(thickness, dib.InkInColumn(x, 0, 100));
    EXPECT_EQ(thickness, row.thickness);
    EXTLOGPEN pen{};
    HGDIOBJ selected = GetCurrentObject(dib.dc(), OBJ_PEN);
    if (GetObjectType(selected) == OBJ_EXTPEN) {
      GetObjectW(selected, sizeof pen, &pen);
      EXPECT_EQ((pen.elpPenStyle & PS_TYPE_MASK) == PS_COSMETIC, row.cosmetic);
    } else {
      EXPECT_FALSE(row.cosmetic);
    }
  }
}

TEST(VpGdiTarget, BrushesPaintOnlyWithAColour) {
  struct Row {
    std::uint32_t color;
    std::int32_t style;
    int minInk, maxInk;  // of 100 x 100 interior pixels
  };
  for (const Row& row : {Row{kVpNoColor, vpBrushSolid, 0, 0}, Row{kVpNoColor, vpBrushCross, 0, 0},
                         Row{kRed, vpBrushClear, 0, 0}, Row{kRed, vpBrushSolid, 10000, 10000},
                         Row{kRed, vpBrushHorizontal, 500, 5000}, Row{kRed, 99, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << row.color << " style " << row.style);
    TDib dib(120, 120);
    TVpGdiTarget target(dib.dc(), false);
    target.SelectPen({0, kVpNoColor, vpPenSolid, vpPenModeCopy}, 96);
    target.SelectBrush({row.color, row.style});
    target.StrokeAndFillPath(RectanglePath({10, 10, 111, 111}));
    const int ink = dib.InkInRect(10, 10, 110, 110);
    EXPECT_GE(ink, row.minInk);
    EXPECT_LE(ink, row.maxInk);
    EXPECT_EQ(dib.InkInRect(0, 0, 120, 9), 0);
  }
}

TEST(VpGdiTarget, FontsAreMadeAtTheResolutionWithTheirAngle) {
  struct Row {
    TVpFont font;
    int ppi;
    LONG height, escapement, weight;
    const wchar_t* face;
  };
  for (const Row& row :
       {Row{Font("Arial", 12, 0, 90), 600, -100, 900, FW_NORMAL, L"Arial"},
        Row{Font("Arial", 12), 96, -16, 0, FW_NORMAL, L"Arial"},
        Row{Font("Caf\xE9", 10, vpBold, 45.25L), 72, -10, 452, FW_BOLD, L"Caf\u00E9"},
        Row{Font("Arial", 9, vpItalic, -30), 300, -38, -300, FW_NORMAL, L"Arial"}}) {
    SCOPED_TRACE(row.font.Name);
    TDib dib(10, 10);
    TVpGdiTarget target(dib.dc(), false);
    target.SelectFont(row.font, row.ppi);
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(dib.dc(), OBJ_FONT), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, row.height);
    EXPECT_EQ(lf.lfEscapement, row.escapement);
    EXPECT_EQ(lf.lfOrientation, row.escapement);
    EXPECT_EQ(lf.lfWeight, row.weight);
    EXPECT_EQ(lf.lfItalic != 0, (row.font.Style & vpItalic) != 0);
    EXPECT_STREQ(lf.lfFaceName, row.face);
  }
}

TEST(VpFontMapper, AdvancesFollowTheReferenceWidthWithinOnePixel) {
  struct Row {
    TVpFont font;
    const char* text;
    int ppi;
  };
  for (const Row& row : {Row{Font("Arial", 12), "The quick brown fox jumps over the lazy dog", 600},
                         Row{Font("Times New Roman", 10, vpBold), "Illicit milliliters 1111", 600},
                         Row{Font("Courier New", 9), "mono spaced text", 300},
                         Row{Font("Arial", 11, vpItalic), "iiiiiiiiiiiiiiiiiiiiiiiiiiiiii", 96}}) {
    SCOPED_TRACE(row.text);
    const std::wstring wide = VpWideFromAcp(row.text);
    const std::vector<INT> advances = FontMapper().Advances(row.font, row.ppi, wide, false);
    ASSERT_EQ(advances.size(), wide.size());
    const long double total = FontMapper().MeasureText(row.font, row.text).Width * row.ppi;
    const int sum = std::accumulate(advances.begin(), advances.end(), 0);
    EXPECT_LE(std::abs(sum - VpRoundToInt(total)), 1) << sum << " vs " << total;
    // No prefix strays a pixel or more from the prefix's exact width.
    long double exact = 0;
    int placed = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
      exact += FontMapper().MeasureText(row.font, std::string(1, row.text[i])).Width * row.ppi;
      placed += advances[i];
      EXPECT_LT(exact - placed, 1.0001L) << i;
      EXPECT_GT(exact - placed, -1e-9L) << i;
    }
  }
  EXPECT_TRUE(FontMapper().Advances(Font("Arial", 12), 600, L"", false).empty());
}

TEST(VpGdiTarget, TextIsCutAtItsClipRectangle) {
  for (const bool clipped : {false, true}) {
    SCOPED_TRACE(clipped);
    TDib dib(400, 100);
    TVpGdiTarget target(dib.dc(), false);
    target.SelectFont(Font("Arial", 24), 96);
    const std::optional<TVpIntRect> clip =
        clipped ? std::optional<TVpIntRect>({0, 0, 96, 25}) : std::nullopt;
    target.PlaceText({10, 10}, "WWWWWWWWWW", clip);
    EXPECT_GT(dib.InkInRect(10, 10, 96, 25), 50);
    EXPECT_EQ(dib.InkInRect(96, 0, 400, 100) == 0, clipped);
    EXPECT_EQ(dib.InkInRect(0, 25, 96, 100) == 0, clipped);
    const TVpIntRect box = target.TextBounds({10, 10}, "WWWWWWWWWW");
    EXPECT_GE(box.Left, 10);
    EXPECT_GT(box.Right, 200);
    EXPECT_LT(box.Bottom, 60);
  }
}

// halves.jpg (16 x 8) is red on the left and blue on the right, halves.bmp (8 x 8) red on top
// and blue below.
TVpPicture Load(const char* name) {
  std::ifstream in(std::string(TEST_DATA_DIR) + "/engine/" + name, std::ios::binary);
  return PictureFromFileBytes({std::istreambuf_iterator<char>(in), {}});
}

// A metafile whose left half is red and right half blue.
std::string MakeMetafile() {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  const RECT left{0, 0, 50, 100}, right{50, 0, 100, 100};
  const BrushHandle red(CreateSolidBrush(kRed)), blue(CreateSolidBrush(kBlue));
  FillRect(dc, &left, red.get());
  FillRect(dc, &right, blue.get());
  const TVpEnhMetaFile metafile(CloseEnhMetaFile(dc));
  std::string bytes(GetEnhMetaFileBits(metafile.get(), 0, nullptr), '\0');
  GetEnhMetaFileBits(metafile.get(), static_cast<UINT>(bytes.size()),
                     reinterpret_cast<BYTE*>(bytes.data()));
  return bytes;
}

TEST(VpGdiTarget, PicturesAreStretchedIntoTheirRectangle) {
  // Cut after it was read (a stored page, say): its pixels would be read past the end.
  TVpPicture damaged = Load("halves.bmp");
  damaged.Bytes.resize(100);
  struct Row {
    const char* name;
    TVpPicture picture;
    COLORREF left, right;  // at (50, 30) and (130, 30) in the frame (10, 10, 170, 90)
  };
  for (const Row& row :
       {Row{"jpeg", Load("halves.jpg"), kRed, kBlue}, Row{"bitmap", Load("halves.bmp"), kRed, kRed},
        Row{"metafile", PictureFromFileBytes(MakeMetafile()), kRed, kBlue},
        Row{"damaged", damaged, kWhite, kWhite}, Row{"empty", TVpPicture{}, kWhite, kWhite}}) {
    SCOPED_TRACE(row.name);
    TDib dib(200, 100);
    TVpGdiPictureCache cache;
    TVpGdiTarget target(dib.dc(), false, &cache);
    for (int i = 0; i < 24; ++i) target.DrawPicture(row.picture, {10, 10, 170, 90}, SRCCOPY, 6);
    EXPECT_LE(cache.Decodes(), 1u);
    EXPECT_TRUE(Near(dib.At(50, 30), row.left));
    EXPECT_TRUE(Near(dib.At(130, 30), row.right));
    // A metafile's frame is kept in hundredths of a millimetre: a pixel or two of slack.
    EXPECT_EQ(dib.InkInRect(0, 0, 200, 8) + dib.InkInRect(172, 0, 200, 100), 0);
  }
  TDib dib(200, 100);
  TVpGdiTarget target(dib.dc(), false);
  target.DrawPicture(Load("halves.bmp"), {0, 0, 100, 100}, SRCCOPY, 6);
  EXPECT_EQ(dib.At(50, 10), kRed);  // a bottom-up bitmap stays the right way up
  EXPECT_EQ(dib.At(50, 90), kBlue);
}

TEST(VpGdiTarget, PrintersGetOnlyTheNamedRasterOperations) {
  for (const DWORD named :
       {BLACKNESS, NOTSRCERASE, NOTSRCCOPY, SRCERASE, DSTINVERT, PATINVERT, SRCINVERT, SRCAND,
        MERGEPAINT, MERGECOPY, SRCPAINT, PATCOPY, PATPAINT, WHITENESS, SRCCOPY}) {
    EXPECT_EQ(PrinterRasterOperation(named), named);
  }
  constexpr DWORD kDestinationOnly = 0x00AA0029;  // leaves the destination as it is
  for (const DWORD other : {DWORD{0}, kDestinationOnly, DWORD{0x12345678}}) {
    EXPECT_EQ(PrinterRasterOperation(other), DWORD{SRCCOPY});
  }
  // The same picture with that operation: a printer falls back to a copy, a screen obeys it.
  const TVpPicture picture = Load("halves.bmp");
  for (const bool printer : {false, true}) {
    TDib dib(100, 100);
    TVpGdiTarget target(dib.dc(), printer);
    target.DrawPicture(picture, {0, 0, 100, 100}, kDestinationOnly, 6);
    EXPECT_EQ(dib.At(50, 10), printer ? kRed : kWhite);
  }
}

TEST(VpGdiTarget, OutlinesTraceWithoutPaintingAndClipsCut) {
  TDib dib(300, 300);
  TVpGdiTarget target(dib.dc(), false);
  target.SelectPen({4, 0, vpPenSolid, vpPenModeCopy}, 600);
  target.SelectBrush({kRed, vpBrushSolid});
  target.BeginOutline();
  EXPECT_EQ(target.EndOutline(), (TVpIntRect{}));
  target.BeginOutline();
  target.StrokeAndFillPath(EllipsePath({100, 100, 201, 160}));
  target.DrawPolygon(RectanglePath({20, 20, 40, 40})[0].points);
  target.DrawPicture(Load("halves.bmp"), {250, 250, 260, 270}, SRCCOPY, 6);
  const TVpIntRect box = target.EndOutline();
  EXPECT_EQ(dib.InkInRect(0, 0, 300, 300), 0);
  EXPECT_EQ(box.Left, 20);
  EXPECT_EQ(box.Top, 20);
  EXPECT_NEAR(box.Right, 260, 1);
  EXPECT_NEAR(box.Bottom, 270, 1);

  target.ClipToPath(RectanglePath({50, 50, 100, 100}));
  target.StrokeAndFillPath(RectanglePath({0, 0, 300, 300}));
  EXPECT_EQ(dib.InkInRect(0, 0, 300, 50) + dib.InkInRect(0, 101, 300, 300), 0);
  EXPECT_EQ(dib.At(75, 75), kRed);
  target.ClipToPath({});  // an empty shape clips everything away
  target.SelectBrush({kBlue, vpBrushSolid});
  target.StrokeAndFillPath(RectanglePath({0, 0, 300, 300}));
  EXPECT_EQ(dib.At(75, 75), kRed);
  target.RemoveClip();
  target.StrokeAndFillPath(RectanglePath({0, 0, 300, 300}));
  EXPECT_EQ(dib.At(150, 150), kBlue);
}

TEST(VpGdiTarget, TheDcGetsItsOwnObjectsBackAndMadeOnesAreDeleted) {
  TDib dib(10, 10);
  constexpr UINT kKinds[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT};
  HGDIOBJ own[3], made[3];
  for (int i = 0; i < 3; ++i) own[i] = GetCurrentObject(dib.dc(), kKinds[i]);
  {
    TVpGdiTarget target(dib.dc(), true);
    target.SelectPen({4, kRed, vpPenDash, vpPenModeCopy}, 600);
    target.SelectBrush({kRed, vpBrushSolid});
    target.SelectFont(Font("Arial", 12), 600);
    for (int i = 0; i < 3; ++i) made[i] = GetCurrentObject(dib.dc(), kKinds[i]);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(GetCurrentObject(dib.dc(), kKinds[i]), own[i]);
    EXPECT_EQ(GetObjectType(made[i]), 0u);
  }
}

TEST(VpFontMapper, CellHeightScalesWithTheResolution) {
  const int at600 = FontMapper().FontCellHeight(Font("Arial", 12), 600);
  EXPECT_GT(at600, 100);
  EXPECT_LT(at600, 130);
  EXPECT_NEAR(FontMapper().FontCellHeight(Font("Arial", 12), 1200), 2 * at600, 2);
}

}  // namespace

// A printer driver sends a curved clip region as one rectangle per line of pixels, so the
// region goes to the device only when something drawn reaches outside it. The metafile
// records what a device is sent; the pixels show that the cut is the same either way.
TEST(VpGdiTarget, ARoundedClipIsSentOnlyWhenTheDrawingReachesPastIt) {
  const TVpPath rounded = RoundRectPath({20, 20, 321, 171}, 60, 60);
  struct Case {
    const char* what;
    std::function<void(TVpGdiTarget&)> draw;
    int regionsSent;
    bool cornerInked;  // the pixel just inside the clip's box at its top-left corner
  };
  const TVpPicture picture = Load("halves.bmp");
  const Case cases[] = {
      {"text inside the straight-sided part",
       [](TVpGdiTarget& t) {
         t.PlaceText({70, 60}, "Harbour", std::nullopt);
       },
       0, false},
      {"a picture inside",
       [&](TVpGdiTarget& t) {
         t.DrawPicture(picture, {70, 50, 130, 90}, SRCCOPY, 6);
       },
       0, false},
      {"a fill over everything",
       [](TVpGdiTarget& t) {
         t.StrokeAndFillPath(RectanglePath({0, 0, 300, 300}));
       },
       1, false},
      {"text running into the corner",
       [](TVpGdiTarget& t) {
         t.PlaceText({22, 22}, "WWWW", std::nullopt);
       },
       1, false},
      {"a line out of the shape",
       [](TVpGdiTarget& t) {
         t.Line({100, 70}, {0, 0});
       },
       1, false},
  };
  for (const Case& c : cases) {
    const auto drawAll = [&](HDC dc) {
      TVpGdiTarget target(dc, true);
      target.SelectPen({4, 0, vpPenSolid, vpPenModeCopy}, 600);
      target.SelectBrush({kRed, vpBrushSolid});
      target.SelectFont(Font("Arial", 30), 96);
      target.ClipToPath(rounded);
      c.draw(target);
      target.RemoveClip();
    };
    HDC recording = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    drawAll(recording);
    const TVpEnhMetaFile metafile(CloseEnhMetaFile(recording));
    int regions = 0;
    EnumEnhMetaFile(
        nullptr, metafile.get(),
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM count) -> int {
          const auto* select = reinterpret_cast<const EMREXTSELECTCLIPRGN*>(record);
          *reinterpret_cast<int*>(count) +=
              record->iType == EMR_EXTSELECTCLIPRGN && select->cbRgnData > 0;
          return 1;
        },
        &regions, nullptr);
    EXPECT_EQ(regions, c.regionsSent) << c.what;

    TDib dib(400, 300);
    drawAll(dib.dc());
    EXPECT_EQ(dib.At(21, 21) != kWhite, c.cornerInked) << c.what;
    EXPECT_GT(dib.InkInRect(20, 20, 321, 171), 0) << c.what << " drew nothing";
  }
}
