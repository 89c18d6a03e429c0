// PageSamples <folder>: records a few sample pages (shapes, clips, turned text, a JPEG, a
// header and footer with page numbers) and saves each page as a PNG at 96 and at 300 pixels
// per inch, for people to look at what the page engine draws:
//   tools/wine-run build/mingw/tools/pages/PageSamples.exe Z:$PWD/build/screenshots/pages
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/VpFontMapper.h"
#include "engine/VpLocaleFormats.h"
#include "engine/VpPageBitmap.h"
#include "platform/ExeFolder.h"
#include "platform/WholeFile.h"
#include "tests/support/PngWriter.h"

namespace {

void RecordShapes(TVpCanvas& canvas) {
  canvas.Font.Size = 20;
  canvas.Font.Style = vpBold;
  canvas.TextOut(1, 1.2L, "Shapes and clips", vpInches);
  canvas.Font.Style = 0;
  canvas.Font.Size = 10;
  canvas.Pen = {4, 0x202020, vpPenSolid, vpPenModeCopy};
  canvas.Brush = {0xE0B070, vpBrushSolid};
  canvas.Rectangle(1, 2, 3, 3, vpInches);
  canvas.Brush = {0x70B0E0, vpBrushSolid};
  canvas.Ellipse(3.5L, 2, 5.5L, 3, vpInches);
  canvas.Pen = {8, 0x0000C0, vpPenDash, vpPenModeCopy};
  canvas.Brush = {kVpWhite, vpBrushClear};
  canvas.RoundRect(6, 2, 7.5L, 3, 0.4L, 0.4L, vpInches);
  // A clip ellipse cuts the stripes that follow it.
  canvas.ClipEllipse(1, 4, 4, 6, vpInches);
  canvas.Pen = {1, 0, vpPenSolid, vpPenModeCopy};
  for (int i = 0; i < 12; ++i) {
    canvas.Brush = {i % 2 ? 0x3060C0u : 0xC06030u, vpBrushSolid};
    canvas.Rectangle(1 + i * 0.25L, 4, 1.25L + i * 0.25L, 6, vpInches);
  }
  canvas.RemoveClip();
  canvas.ClipRect(4.5L, 4, 7.5L, 4.6L, vpInches);
  canvas.Font.Size = 36;
  canvas.TextOut(4.5L, 3.9L, "Clipped text runs out", vpInches);
  canvas.RemoveClip();
  canvas.Font.Size = 12;
  canvas.TextOutEx(4.5L, 5, "A text clipped to its box", vpInches, TVpRect{4.5L, 5, 6, 5.4L}, 0);
}

void RecordTextAndPicture(TVpCanvas& canvas, const TVpPicture& logo) {
  canvas.Font.Size = 20;
  canvas.Font.Style = vpBold;
  canvas.TextOut(1, 1.2L, "Turned text and a picture", vpInches);
  canvas.Font.Style = 0;
  canvas.Font.Size = 14;
  for (int angle = 0; angle < 360; angle += 45)
    canvas.TextOutEx(4.1L, 4.5L, "  angle " + std::to_string(angle), vpInches, std::nullopt, angle);
  canvas.Font.Style = vpItalic | vpUnderline;
  canvas.Font.Name = "Times New Roman";
  canvas.TextOut(1, 7.3L, "Times New Roman, italic and underlined, 14 pt", vpInches);
  canvas.Font.Style = 0;
  canvas.Font.Name = "Courier New";
  canvas.TextOut(1, 7.7L, "Courier New 14 pt: iiiii WWWWW 0123456789", vpInches);
  canvas.Font.Name = "Arial";
  canvas.StretchDraw(1, 8.3L, 4.2L, 10.3L, logo, vpInches);
  canvas.StretchDraw(4.5L, 8.3L, 5.3L, 8.8L, logo, vpInches);
}

// Part of a label sheet as the label program records it: an outline that only the screen
// shows, a clip, five lines and the clip removed.
void RecordLabels(TVpCanvas& canvas) {
  canvas.Font = {10, 0, 0, 0, kVpDefaultCharset, "Arial"};
  canvas.Brush = {kVpWhite, vpBrushClear};
  const char* lines[] = {"Mrs Ann Nielsen", "12 Harbour Street", "Dublin", "D02 X285", "Ireland"};
  for (int i = 0; i < 12; ++i) {
    const long double left = 0.25L + (i % 3) * 2.63L;
    const long double top = 1.2L + (i / 3) * 1.33L;
    canvas.Pen = {1, kVpSilver, vpPenSolid, vpPenModeCopy};
    canvas.RoundRect(left, top, left + 2.52L, top + 1.33L, 0.1L, 0.1L, vpInches);
    canvas.LastObject()->SetPrintable(false);
    canvas.ClipRect(left, top, left + 2.52L, top + 1.33L, vpInches);
    for (int l = 0; l < 5; ++l)
      canvas.TextOut(left * 25.4L + 4, top * 25.4L + 4 + l * 5, lines[l], vpMillimeters);
    canvas.RemoveClip();
  }
}

void SavePng(const TVpPageBitmap& bitmap, const std::wstring& path) {
  const std::vector<std::uint8_t> png = EncodePng(bitmap.Width(), bitmap.Height(), bitmap.Rgb());
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!out) throw std::runtime_error("A page picture cannot be written.");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: PageSamples <folder>\n", stderr);
    return 2;
  }
  try {
    const std::wstring folder = argv[1];
    CreateDirectoryW(folder.c_str(), nullptr);
    UseUserLocaleSeparators();
    TVpPageList list;
    list.CellHeight = [](const TVpFont& font, int ppi) {
      return FontMapper().FontCellHeight(font, ppi);
    };
    TVpHeader& header = list.Header();
    header.SetVisible(true);
    header.CaptionLeft().SetCaption("Page engine samples");
    header.CaptionRight().SetCaption("Page {PAGE} of {NUMPAGES}");
    TVpFooter& footer = list.Footer();
    footer.SetVisible(true);
    footer.CaptionCenter().SetCaption("{DATE}");

    list.AddPage();
    RecordShapes(list.Canvas());
    list.AddPage();
    RecordTextAndPicture(list.Canvas(),
                         PictureFromFileBytes(ReadWholeFile(ExeFolder() + L"sample.jpg")));
    list.AddPage();
    RecordLabels(list.Canvas());

    TVpGdiPictureCache cache;
    for (int n = 1; n <= list.PageCount(); ++n) {
      const TVpPage& page = list.GetPage(n);
      for (int dpi : {96, 300}) {
        TVpPageBitmap bitmap(page.Size(), dpi);
        // The screen's picture is drawn at 600 per inch and mapped down, as the preview does.
        bitmap.Draw(list, page, dpi == 96 ? 600 : dpi, false, &cache);
        const std::wstring path =
            folder + L"\\page-" + std::to_wstring(n) + L"-" + std::to_wstring(dpi) + L"dpi.png";
        SavePng(bitmap, path);
        std::printf("%ls\n", path.c_str());
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "PageSamples: %s\n", e.what());
    return 1;
  }
  return 0;
}
