// Figures for the table builder under Wine with a 100 x 100 grid holding text in every cell:
// one scroll step of the grid repainted, the whole grid drawn into a metafile, that metafile
// played at 150 % into a screenful (by PlayEnhMetaFile, and by the player the editor uses,
// which draws its text at the device's font sizes), and the table exported to ".csv" and
// imported back.
//   tools/wine-run build/mingw/bench/writer/writer_table_bench.exe
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/GdiHandles.h"
#include "platform/MetafilePlayback.h"
#include "platform/WholeFile.h"
#include "writer/insert/DllFormU.h"
#include "writer/insert/RenderGrid.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The median and the largest of the runs.
void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-44s median %8.2f ms   max %8.2f ms   (%zu runs)\n", what, ms[ms.size() / 2],
              ms.back(), ms.size());
}

// The metafile at 150 % into a screenful of pixels, which clip all but its top left.
void ReportPlayback(HENHMETAFILE metafile) {
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(metafile, sizeof header, &header);
  const RECT box{0, 0, (header.rclBounds.right + 1) * 3 / 2, (header.rclBounds.bottom + 1) * 3 / 2};
  MemoryDC memory;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 1280, -1024, 1, 32, BI_RGB};
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  Selection use(memory.get(), bitmap.get());
  std::vector<double> stock, player;
  for (int run = 0; run < 5; ++run) {
    auto start = Clock::now();
    PlayEnhMetaFile(memory.get(), metafile, &box);
    GdiFlush();
    stock.push_back(MsSince(start));
    start = Clock::now();
    PlayMetafile(memory.get(), metafile, box);
    GdiFlush();
    player.push_back(MsSince(start));
  }
  Report("metafile at 150 %, PlayEnhMetaFile", stock);
  Report("metafile at 150 %, PlayMetafile", player);
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  TDllForms form;
  form.Create(nullptr);
  form.Show();
  Application::Get().ProcessMessages();

  writer::TableTexts table(100, 100);
  for (int row = 0; row < 100; ++row)
    for (int col = 0; col < 100; ++col)
      table.At(col, row) = "Cell " + std::to_string(col) + "," + std::to_string(row) + " text";
  form.chkAutoHeight.Click();  // fixed heights: the figures are the grid's, not the measuring
  form.LoadTexts(table);
  Application::Get().ProcessMessages();

  TextGrid& grid = form.StringGrid1;
  std::vector<double> scroll;
  for (int step = 0; step < 60; ++step) {
    const auto start = Clock::now();
    grid.ScrollTo(1 + step % 30, 1 + step % 40);
    UpdateWindow(grid.Handle());
    GdiFlush();
    scroll.push_back(MsSince(start));
  }
  Report("scroll step repainted", scroll);

  // The same cells drawn off screen: the grid's own drawing without the copy to the screen.
  std::vector<double> offscreen;
  {
    RECT client;
    GetClientRect(grid.Handle(), &client);
    HDC screen = GetDC(grid.Handle());
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int run = 0; run < 60; ++run) {
      const auto start = Clock::now();
      grid.PaintTo(memory);
      GdiFlush();
      offscreen.push_back(MsSince(start));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(grid.Handle(), screen);
  }
  Report("visible cells painted off screen", offscreen);

  std::vector<double> render;
  for (int run = 0; run < 5; ++run) {
    const auto start = Clock::now();
    const writer::GridContent content = writer::GridContent::Of(grid);
    writer::TRenderGrid renderer(&content, &form.Styles(), form.Fonts());
    if (!renderer.Render()) return 1;
    writer::GridMetafile metafile = renderer.TakeMetafile();
    render.push_back(MsSince(start));
    if (run == 0) {
      std::printf("metafile: %u bytes\n", GetEnhMetaFileBits(metafile.get(), 0, nullptr));
      ReportPlayback(metafile.get());
    }
  }
  Report("whole-grid metafile (100 x 100)", render);

  const std::wstring path = (std::filesystem::temp_directory_path() / "table-bench.csv").wstring();
  std::vector<double> exportMs, importMs;
  for (int run = 0; run < 10; ++run) {
    auto start = Clock::now();
    ReplaceFileContents(path, writer::WriteTableCsv(form.Texts()));
    exportMs.push_back(MsSince(start));
    start = Clock::now();
    form.LoadTexts(writer::ReadTableCsv(ReadWholeFile(path)));
    importMs.push_back(MsSince(start));
  }
  std::printf("csv file: %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
  Report(".csv export (texts, write)", exportMs);
  Report(".csv import (read, parse, fill grid)", importMs);
  form.Destroy();
  return 0;
}
