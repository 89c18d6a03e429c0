#include "writer/insert/PaintBox.h"

#include "platform/GdiHandles.h"

namespace writer {
namespace {

const wchar_t* PaintBoxClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TessaryPaintBox";
    RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

// Painted into a memory bitmap first, so the grid does not flicker while the keys move.
void PaintBuffered(HWND wnd, const std::function<void(HDC, const RECT&)>& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd, &ps);
  RECT client{};
  GetClientRect(wnd, &client);
  MemoryDC memory(dc);
  BitmapHandle bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
  {
    Selection keep(memory.get(), bitmap.get());
    FillRect(memory.get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (paint) paint(memory.get(), client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  }
  EndPaint(wnd, &ps);
}

}  // namespace

void PaintBox::Create(HWND parent, int left, int top, int width, int height, bool focusable) {
  CreateWindowed(parent, PaintBoxClass(), focusable ? WS_TABSTOP : 0, 0, left, top, width, height,
                 L"");
  SetMessageHook([this, focusable](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_ERASEBKGND: result = 1; return true;
      case WM_PAINT: PaintBuffered(Handle(), OnPaint); return true;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (focusable) SetFocus();
        if (OnMouseDown)
          OnMouseDown(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return true;
      case WM_GETDLGCODE: result = focusable ? DLGC_WANTARROWS : 0; return true;
      case WM_KEYDOWN: return OnKeyDown && OnKeyDown(wp);
      case WM_SETFOCUS:
      case WM_KILLFOCUS: Invalidate(); return false;
      default: return false;
    }
  });
}

}  // namespace writer
