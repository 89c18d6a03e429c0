// The table's pictures: the grid renderer's metafile played back into a memory bitmap (size,
// borders, fills, header ellipsis, wrapping cut below the cell, empty cells), the visible-grid
// bitmap, the picture files read back by ImageMagick and the system, a failed save that keeps
// the old file, and Insert Table in the main window pasting only on an insert.
#include <windows.h>

#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/GdiHandles.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/writer/export/ExternalReaders.h"
#include "writer/Main.h"
#include "writer/insert/DllFormU.h"
#include "writer/insert/RenderGrid.h"
#include "writer/insert/TablePictures.h"

using namespace writer;
using export_tests::ReadBytes;
using export_tests::RunUnix;
using export_tests::ScratchFolder;
using export_tests::WriteBytes;

namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kHeader = RGB(255, 234, 179);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Pump() { Application::Get().ProcessMessages(); }

// A grid of equal cells, texts empty, both headers on.
GridContent Grid(int columns, int rows, int width = 64, int height = 24) {
  GridContent g;
  g.geometry.widths.assign(columns, width);
  g.geometry.heights.assign(rows, height);
  g.geometry.headerRow = g.geometry.headerColumn = true;
  g.texts.assign(std::size_t(columns) * rows, L"");
  return g;
}

struct Fonts {
  FontHandle font{
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial")};
  TableFonts Get() const { return {font.get(), font.get(), RGB(0, 0, 0), RGB(0, 0, 0)}; }
};

// The metafile played into a white bitmap of its own pixel size.
class Playback {
 public:
  Playback(HENHMETAFILE metafile, int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<const DWORD*>(bits);
    Selection select(dc_.get(), bitmap_.get());
    RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc_.get(), metafile, &all);
    GdiFlush();
  }
  COLORREF At(int x, int y) const {
    const DWORD p = pixels_[std::size_t(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // The colour at the point or a pixel next to it: playback scales the frame, which is kept
  // in hundredths of a millimetre, so an edge may land a pixel aside.
  bool Near(int x, int y, COLORREF colour) const {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (x + dx >= 0 && x + dx < width_ && At(x + dx, y + dy) == colour) return true;
    return false;
  }
  // Dark (text) pixels inside a rectangle.
  int DarkIn(int left, int top, int right, int bottom) const {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const COLORREF c = At(x, y);
        if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) ++dark;
      }
    return dark;
  }

 private:
  MemoryDC dc_;
  BitmapHandle bitmap_;
  const DWORD* pixels_ = nullptr;
  int width_;
};

ENHMETAHEADER Header(HENHMETAFILE metafile) {
  ENHMETAHEADER h{};
  GetEnhMetaFileHeader(metafile, sizeof h, &h);
  return h;
}

TEST(TRenderGrid, DrawsEveryColumnOfAHundredColumnGrid) {
  const GridContent grid = Grid(100, 3);
  CellStyleList styles;
  styles.Rebuild(100, 3, CellDefaults{});
  Fonts fonts;
  TRenderGrid renderer(&grid, &styles, fonts.Get());
  ASSERT_TRUE(renderer.Render());
  GridMetafile metafile = renderer.TakeMetafile();
  ASSERT_TRUE(metafile);
  const ENHMETAHEADER h = Header(metafile.get());
  EXPECT_EQ(h.rclBounds.left, 0);
  EXPECT_EQ(h.rclBounds.right, 6399) << "inclusive bounds of 6400 pixels";
  EXPECT_EQ(h.rclBounds.bottom, 71);
  std::wstring description(GetEnhMetaFileDescriptionW(metafile.get(), 0, nullptr), L'\0');
  GetEnhMetaFileDescriptionW(metafile.get(), static_cast<UINT>(description.size()),
                             description.data());
  EXPECT_EQ(description.substr(0, description.find(L'\0')), L"Ombrel Tessary");

  const Playback p(metafile.get(), 6400, 72);
  const struct Case {
    int x, y;
    COLORREF colour;
  } cases[] = {
      {6370, 12, kHeader},      {6370, 40, kWhite},    {30, 40, kHeader},  // fills
      {6399, 40, kSilver},      {6336, 60, kSilver},                       // body outlines
      {6399, 12, RGB(0, 0, 0)}, {0, 40, RGB(0, 0, 0)},                     // header outlines on top
  };
  for (const Case& c : cases) EXPECT_TRUE(p.Near(c.x, c.y, c.colour)) << c.x << "," << c.y;
}

TEST(TRenderGrid, ShortensHeadersWrapsBodiesCutTwoPixelsBelowAndSkipsEmptyCells) {
  GridContent grid = Grid(3, 3);
  grid.texts[1] = L"A header much longer than its cell";            // (1, 0)
  grid.texts[4] = L"word word word word word word word word word";  // (1, 1): wraps
  CellStyleList styles;
  styles.Rebuild(3, 3, CellDefaults{});
  Fonts fonts;
  TRenderGrid renderer(&grid, &styles, fonts.Get());
  ASSERT_TRUE(renderer.Render());
  GridMetafile metafile = renderer.TakeMetafile();

  // The texts as recorded: the header ends in an ellipsis.
  std::vector<std::wstring> texts;
  EnumEnhMetaFile(
      nullptr, metafile.get(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM out) -> int {
        if (r->iType == EMR_EXTTEXTOUTW) {
          const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
          const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) +
                                                               t->emrtext.offString);
          reinterpret_cast<std::vector<std::wstring>*>(out)->emplace_back(chars, t->emrtext.nChars);
        }
        return 1;
      },
      &texts, nullptr);
  ASSERT_FALSE(texts.empty());
  EXPECT_TRUE(texts[0].ends_with(L"...")) << Utf8FromWide(texts[0]);
  EXPECT_LT(texts[0].size(), grid.texts[1].size());
  EXPECT_GT(texts.size(), 2u) << "the body text wraps onto several lines";

  const Playback p(metafile.get(), 192, 72);
  EXPECT_GT(p.DarkIn(66, 26, 127, 48), 20) << "the body text shows in its cell";
  // The cell ends at 48; its text rectangle reaches 50, and nothing below.
  EXPECT_EQ(p.DarkIn(66, 51, 127, 71), 0);
  EXPECT_EQ(p.DarkIn(130, 26, 191, 47), 0) << "an empty cell has no text";
  EXPECT_EQ(p.At(160, 36), kWhite);
  EXPECT_TRUE(p.Near(191, 36, kSilver));
}

TEST(TRenderGrid, WithoutAGridOrStylesSaysSoAndHandsOverNothing) {
  ScriptedDialogs dialogs;
  const GridContent grid = Grid(2, 2);
  CellStyleList styles;
  for (int i = 0; i < 2; ++i) {
    dialogs.Answer(DialogAnswer::Ok);
    TRenderGrid renderer(i == 0 ? nullptr : &grid, i == 0 ? &styles : nullptr, TableFonts{});
    EXPECT_FALSE(renderer.Render());
    EXPECT_FALSE(renderer.TakeMetafile());
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
    EXPECT_EQ(dialogs.Last().text, L"String Grid or Alignment List was not assigned.");
  }
}

class TablePictures : public testing::Test {
 protected:
  void SetUp() override {
    form.Create(nullptr);
    form.Show();
    Pump();
  }
  void TearDown() override { form.Destroy(); }
  TDllForms form;
};

TEST_F(TablePictures, TheBitmapHoldsOnlyTheVisibleCellsWithItsEdgeLines) {
  form.ColCount.SetText(L"100");
  Pump();
  const SIZE area = form.StringGrid1.VisibleArea();
  EXPECT_LT(area.cx, 6400);
  for (bool headers : {true, false}) {
    BitmapHandle bitmap = VisibleGridBitmap(form.StringGrid1, headers, headers);
    BITMAP info{};
    GetObjectW(bitmap.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, area.cx);
    EXPECT_EQ(info.bmHeight, area.cy);
    MemoryDC dc;
    Selection select(dc.get(), bitmap.get());
    const COLORREF edge = headers ? RGB(0, 0, 0) : kSilver;
    EXPECT_EQ(GetPixel(dc.get(), 0, area.cy / 2), edge);
    EXPECT_EQ(GetPixel(dc.get(), area.cx / 2, 0), edge);
  }
}

TEST_F(TablePictures, SaveAsWritesEachFormatAndAFailedSaveKeepsTheOldFile) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  form.StringGrid1.SetCell(1, 1, L"Cell");
  const SIZE area = form.StringGrid1.VisibleArea();
  dialogs.AnswerFile(folder.Local("t.bmp").wstring(), 1);
  dialogs.AnswerFile(folder.Local("t.jpg").wstring(), 2);
  dialogs.AnswerFile(folder.Local("t.emf").wstring(), 3);
  for (int i = 0; i < 3; ++i) form.btnSaveAs.Click();
  EXPECT_EQ(dialogs.lastFileRequest.filter,
            L"Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg)|*.jpg|Enhanced Metafiles "
            L"(*.emf)|*.emf");
  const std::string size = std::to_string(area.cx) + "x" + std::to_string(area.cy);
  for (const char* name : {"t.bmp", "t.jpg"}) {
    const auto identify = RunUnix("identify -format '%m %wx%h %Q' " + folder.Unix(name));
    EXPECT_EQ(identify.status, 0) << identify.output;
    EXPECT_NE(identify.output.find(size), std::string::npos) << identify.output;
    if (std::string(name) == "t.jpg")
      EXPECT_NE(identify.output.find("JPEG " + size + " 100"), std::string::npos)
          << identify.output;
  }
  HENHMETAFILE emf = GetEnhMetaFileW(folder.Local("t.emf").wstring().c_str());
  ASSERT_TRUE(emf);
  EXPECT_EQ(Header(emf).rclBounds.right, 5 * 64 - 1);
  DeleteEnhMetaFile(emf);

  // A file that cannot be replaced keeps what it held.
  const auto locked = folder.Local("locked.bmp");
  WriteBytes(locked, "old");
  SetFileAttributesW(locked.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
  dialogs.AnswerFile(locked.wstring(), 1).Answer(DialogAnswer::Ok);
  form.btnSaveAs.Click();
  EXPECT_EQ(dialogs.Last().text, L"Error in Creating Image File");
  SetFileAttributesW(locked.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(locked), "old");
}

TEST_F(TablePictures, ScreenshotOfAColouredTable) {
  ScriptedDialogs dialogs;
  const wchar_t* texts[] = {L"Fruit", L"Price", L"Stock", L"Origin"};
  for (int c = 1; c < 5; ++c) form.StringGrid1.SetCell(c, 0, texts[c - 1]);
  const wchar_t* rows[] = {L"Apples", L"Pears", L"Plums", L"Cherries"};
  for (int r = 1; r < 5; ++r) {
    form.StringGrid1.SetCell(0, r, std::to_wstring(r));
    form.StringGrid1.SetCell(1, r, rows[r - 1]);
    form.StringGrid1.SetCell(2, r, std::to_wstring(r * 3) + L".50");
    form.StringGrid1.SetCell(3, r, std::to_wstring(r * 40));
  }
  form.StringGrid1.SetCell(4, 2, L"A long origin text that wraps in its cell");
  form.StringGrid1.Select(2, 2);
  dialogs.AnswerColor(RGB(204, 232, 255)).AnswerColor(RGB(255, 214, 214));
  form.btnColumnColourClick();
  form.StringGrid1.Select(1, 3);
  form.btnRowColourClick();
  form.btnAlignRight.Click();
  form.StringGrid1.Select(4, 2);
  form.StringGrid1ClickCell(4, 2);
  Pump();
  const std::wstring path = SaveWindowScreenshot(form.Handle(), L"table-builder");
  EXPECT_FALSE(path.empty());
}

class InsertTable : public testing::Test {
 protected:
  void SetUp() override {
    main.Create();
    main.Show();
    Pump();
  }
  void TearDown() override { main.Destroy(); }
  long TextLength() {
    GETTEXTLENGTHEX how{GTL_NUMCHARS, 1200};
    return static_cast<long>(
        SendMessageW(main.Editor.Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
  }
  TFrmMain main;
};

TEST_F(InsertTable, PastesTheMetafileOnInsertAndNothingWhenClosedOtherwise) {
  ASSERT_TRUE(main.CommandEnabled(cmdInsertTable));
  ModalScript modals;
  ScriptedDialogs dialogs;
  dialogs.AnswerColor(RGB(204, 232, 255));
  modals.Then<TDllForms>([](TDllForms& f) {
    const wchar_t* heads[] = {L"Monday", L"Tuesday", L"Wednesday", L"Thursday"};
    for (int c = 1; c < 5; ++c) {
      f.StringGrid1.SetCell(c, 0, heads[c - 1]);
      for (int r = 1; r < 5; ++r) f.StringGrid1.SetCell(c, r, std::to_wstring(c * r * 7) + L" km");
    }
    for (int r = 1; r < 5; ++r) f.StringGrid1.SetCell(0, r, L"Week " + std::to_wstring(r));
    f.StringGrid1.Select(2, 1);
    f.btnColumnColourClick();
    f.btnEmf.Click();
  });
  modals.Then<TDllForms>([](TDllForms& f) { f.btnInsert.Click(); });
  modals.Then<TDllForms>([](TDllForms& f) { f.Close(); });  // the title-bar button
  modals.Then<TDllForms>([](TDllForms& f) { f.btnClose.Click(); });
  const long before = TextLength();
  main.RunCommand(cmdInsertTable);
  EXPECT_EQ(TextLength(), before + 1) << "one picture pasted";
  EXPECT_EQ(GetFocus(), main.Editor.Handle());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  main.RunCommand(cmdInsertTable);
  EXPECT_EQ(TextLength(), before + 2) << "the bitmap pasted too";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "the clipboard was replaced";
  for (int i = 0; i < 2; ++i) {
    main.RunCommand(cmdInsertTable);
    EXPECT_FALSE(main.DllForms.InsertResult());
    EXPECT_EQ(TextLength(), before + 2) << "nothing more pasted";
  }
  EXPECT_EQ(modals.Shown(), 4u);
  Pump();
  EXPECT_FALSE(SaveWindowScreenshot(main.Handle(), L"tessary-inserted-table").empty());
}

}  // namespace
