// PreviewDemo [--zoom <percent>|width|whole] [--shot <png>]: the preview control filling a
// window, showing a few sample pages with a numbered header. With --shot it saves the window
// as a PNG and ends, for people to look at the preview without a display:
//   tools/wine-run build/mingw/tools/preview/PreviewDemo.exe --zoom width --shot Z:$PWD/x.png
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "engine/VpLocaleFormats.h"
#include "engine/VpPreview.h"
#include "tests/support/Screenshot.h"

namespace {

constexpr wchar_t kClassName[] = L"VpPreviewDemo";
TVpPreview* shown = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (shown) MoveWindow(shown->Handle(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (shown) SetFocus(shown->Handle());
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

void RecordPage(TVpCanvas& canvas, int n) {
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
    RegisterClassW(&wc);
    const HWND frame = CreateWindowExW(0, kClassName, L"Preview", WS_OVERLAPPEDWINDOW, 40, 40, 720,
                                       820, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT client{};
    GetClientRect(frame, &client);
    auto preview = std::make_unique<TVpPreview>(frame, 0, 0, client.right, client.bottom);
    shown = preview.get();
    preview->SetGutter(20);
    preview->Shadow().SetWidth(5);
    preview->Shadow().SetColor(0x404040);
    TVpHeader& header = preview->Header();
    header.SetVisible(true);
    header.CaptionLeft().SetCaption("Preview demo");
    header.CaptionRight().SetCaption("Page {PAGE} of {NUMPAGES}");

    preview->BeginUpdate();
    for (int n = 1; n <= 3; ++n) {
      if (n > 1) preview->NewPage();
      RecordPage(preview->Canvas(), n);
    }
    preview->EndUpdate();
    preview->FirstPage();

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
      preview.reset();
      DestroyWindow(frame);
      return 0;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    shown = nullptr;
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "PreviewDemo: %s\n", e.what());
    return 1;
  }
}
