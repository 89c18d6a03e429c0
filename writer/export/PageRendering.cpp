#include "writer/export/PageRendering.h"

#include <richedit.h>

#include <cstring>
#include <string>

#include "platform/Error.h"
#include "platform/GdiHandles.h"

namespace writer {

namespace {

// A 32-bit top-down picture with its own memory DC, made white again for each page.
class PageBitmap {
 public:
  PageBitmap(int width, int height) : width_(width), height_(height), rgb_(width, height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !dc_.get()) throw EError("There is not enough memory for a page picture.");
    bits_ = static_cast<std::uint8_t*>(bits);
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~PageBitmap() { SelectObject(dc_.get(), old_); }
  PageBitmap(const PageBitmap&) = delete;
  PageBitmap& operator=(const PageBitmap&) = delete;

  HDC DC() const { return dc_.get(); }
  void Clear() {
    GdiFlush();
    std::memset(bits_, 0xFF, static_cast<std::size_t>(width_) * height_ * 4);
  }

  // The pixels as red, green, blue samples (the bitmap holds blue, green, red and a pad).
  const RgbImage& ToRgb() {
    GdiFlush();
    const std::uint8_t* in = bits_;
    std::uint8_t* out = rgb_.Row(0);
    for (std::size_t n = static_cast<std::size_t>(width_) * height_; n > 0;
         --n, in += 4, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
    return rgb_;
  }

 private:
  MemoryDC dc_;
  BitmapHandle bitmap_;
  HGDIOBJ old_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  int width_;
  int height_;
  RgbImage rgb_;
};

// Lets the control drop its paging information however the export ends.
class PagingRelease {
 public:
  explicit PagingRelease(HWND editor) : editor_(editor) {}
  ~PagingRelease() { SendMessageW(editor_, EM_FORMATRANGE, 0, 0); }
  PagingRelease(const PagingRelease&) = delete;
  PagingRelease& operator=(const PagingRelease&) = delete;

 private:
  HWND editor_;
};

// The number of character positions: the length of the text of the range up to the window
// text's length (which counts each paragraph end twice).
LONG DocumentLength(HWND editor) {
  const LONG windowLength = GetWindowTextLengthW(editor);
  if (windowLength <= 0) return 0;
  std::wstring text(static_cast<std::size_t>(windowLength) + 1, L'\0');
  TEXTRANGEW range{{0, windowLength}, text.data()};
  return static_cast<LONG>(
      SendMessageW(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
}

}  // namespace

ScreenResolution CurrentScreenResolution() {
  WindowDC screen(nullptr);
  return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

RECT RenderingRectangle(const PageShape& shape, ScreenResolution r) {
  return {kTextAreaMargin * 1440 / r.x, kTextAreaMargin * 1440 / r.y, shape.textRight * 1440 / r.x,
          shape.textBottom * 1440 / r.y};
}

void RenderDocumentPages(HWND editor, const PageShape& shape, ScreenResolution resolution,
                         const PagingSteps& steps) {
  PagingRelease release(editor);
  const RECT area = RenderingRectangle(shape, resolution);
  const LONG length = DocumentLength(editor);
  LONG start = 0;
  PageBitmap page(shape.width, shape.height);
  for (int pageNumber = 1;; ++pageNumber) {
    page.Clear();
    if (steps.decorate) steps.decorate(page.DC(), shape);
    FORMATRANGE record{};
    record.hdc = record.hdcTarget = page.DC();
    record.rc = record.rcPage = area;
    record.chrg = {start, length};
    const LONG next = static_cast<LONG>(
        SendMessageW(editor, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&record)));
    if (steps.processMessages) steps.processMessages();
    steps.page(page.ToRgb(),
               length > 0 ? static_cast<int>(100LL * std::min(next, length) / length) : 100);
    if (next >= length) return;
    if (next <= start)
      throw EError("Page " + std::to_string(pageNumber) +
                   " of the document cannot be laid out: nothing on it fits the page.");
    start = next;
  }
}

}  // namespace writer
