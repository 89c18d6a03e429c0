// PreviewDemo [--zoom <percent>|width|whole] [--shot <png>]: the preview control in a window,
// showing a few sample pages with a numbered header, a footer, dotted margins and a picture,
// with the paper and printer lists, the orientation and pages-per-sheet pictures and the page
// thumbnails beside it. With --shot it
// saves the window as a PNG and ends, for people to look at the preview without a display:
//   tools/wine-run build/mingw/tools/preview/PreviewDemo.exe --zoom width --shot Z:$PWD/x.png
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

#include "engine/VpLocaleFormats.h"
#include "engine/VpPreview.h"
#include "engine/VpPropertyPickers.h"
#include "engine/VpThumbnails.h"
#include "platform/ExeFolder.h"
#include "platform/WholeFile.h"
#include "tests/support/Screenshot.h"

namespace {

constexpr wchar_t kClassName[] = L"VpPreviewDemo";
TVpPreview* shown = nullptr;
// The panel right of the preview: paper and printer lists, the two page pictures, thumbnails.
constexpr int kPanelWidth = 250;
HWND panel[5] = {};

void PlacePanel(int width, int height) {
  const int x = width - kPanelWidth + 6;
  if (panel[0]) SetWindowPos(panel[0], nullptr, x, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (panel[1]) SetWindowPos(panel[1], nullptr, x, 38, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (panel[2]) SetWindowPos(panel[2], nullptr, x, 72, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (panel[3]) SetWindowPos(panel[3], nullptr, x, 182, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (panel[4]) MoveWindow(panel[4], x, 294, kPanelWidth - 12, height - 300, TRUE);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (shown) MoveWindow(shown->Handle(), 0, 0, LOWORD(lp) - kPanelWidth, HIWORD(lp), TRUE);
      PlacePanel(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_SETFOCUS:
      if (shown) SetFocus(shown->Handle());
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

void RecordPage(TVpCanvas& canvas, int n, const TVpPicture& picture) {
  canvas.Font.Size = 24;
  canvas.Font.Style = vpBold;
  canvas.TextOut(1, 1.5L, "Sample page " + std::to_string(n), vpInches);
  canvas.Font.Style = 0;
  canvas.Font.Size = 11;
  for (int line = 0; line < 30; ++line)
    canvas.TextOut(1, 2.5L + line * 0.25L,
                   "Line " + std::to_string(line + 1) + ": the preview shows the current page.",
                   vpInches);
  canvas.Pen = {4, 0x303030, vpPenSolid, vpPenModeCopy};
  canvas.Brush = {n % 2 ? 0xE0B070u : 0x70B0E0u, vpBrushSolid};
  canvas.Ellipse(5, 1, 7, 2, vpInches);
  canvas.StretchDraw(5, 2.2L, 7, 3.7L, picture, vpInches);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring zoom = L"20";
  std::wstring shot;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    if (option == L"--zoom") {
      zoom = argv[i + 1];
    } else if (option == L"--shot") {
      shot = argv[i + 1];
    } else {
      std::fputs("usage: PreviewDemo [--zoom <percent>|width|whole] [--shot <png>]\n", stderr);
      return 2;
    }
  }
  try {
    UseUserLocaleSeparators();
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassW(&wc);
    const HWND frame = CreateWindowExW(0, kClassName, L"Preview", WS_OVERLAPPEDWINDOW, 40, 40, 970,
                                       820, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT client{};
    GetClientRect(frame, &client);
    auto preview =
        std::make_unique<TVpPreview>(frame, 0, 0, client.right - kPanelWidth, client.bottom);
    shown = preview.get();
    preview->SetGutter(20);
    preview->Shadow().SetWidth(5);
    preview->Shadow().SetColor(0x404040);
    TVpHeader& header = preview->Header();
    header.SetVisible(true);
    header.CaptionLeft().SetCaption("Preview demo");
    header.CaptionRight().SetCaption("Page {PAGE} of {NUMPAGES}");
    TVpFooter& footer = preview->Footer();
    footer.SetVisible(true);
    footer.CaptionCenter().SetCaption("Printed on {DATE}");
    TVpMargins& margins = preview->Margins();
    margins.SetMarginValues("720,720,720,720");
    margins.SetVisible(true);
    const TVpPicture picture = PictureFromFileBytes(ReadWholeFile(ExeFolder() + L"sample.jpg"));

    preview->BeginUpdate();
    for (int n = 1; n <= 3; ++n) {
      if (n > 1) preview->NewPage();
      RecordPage(preview->Canvas(), n, picture);
    }
    preview->EndUpdate();
    preview->FirstPage();

    TVpPropertyComboBox papers(frame, 0, 0, 160);
    papers.SetPreviewProperty(vpPaperList);
    papers.SetPreview(preview.get());
    TVpPropertyComboBox printers(frame, 0, 0, 236);
    printers.SetPreview(preview.get());
    TVpPropertyGraphic orientation(frame);
    orientation.SetPreview(preview.get());
    TVpPropertyGraphic pagesPerSheet(frame);
    pagesPerSheet.SetPreviewProperty(vpMultipageGraphic);
    pagesPerSheet.SetPreview(preview.get());
    TVpThumbnails thumbnails(frame);
    thumbnails.SetLayout(vpThumbGrid);
    thumbnails.SetGridWidth(3);
    thumbnails.SetPageCaptions("Page: #");
    thumbnails.SetPreview(preview.get());
    const HWND windows[] = {papers.Handle(), printers.Handle(), orientation.Handle(),
                            pagesPerSheet.Handle(), thumbnails.Handle()};
    std::copy(std::begin(windows), std::end(windows), panel);
    PlacePanel(client.right, client.bottom);

    if (zoom == L"width")
      preview->FitPageWidth();
    else if (zoom == L"whole")
      preview->FitWholePage();
    else
      preview->SetZoom(std::stoi(zoom));

    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    if (!shot.empty()) {
      Pump();
      SaveWindowPng(frame, shot);
      std::fwprintf(stdout, L"%ls\n", shot.c_str());
      shown = nullptr;
      std::fill(std::begin(panel), std::end(panel), nullptr);
      DestroyWindow(frame);
      return 0;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    shown = nullptr;
    std::fill(std::begin(panel), std::end(panel), nullptr);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "PreviewDemo: %s\n", e.what());
    return 1;
  }
}
