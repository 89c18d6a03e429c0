#include "writer/insert/TablePictures.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Error.h"
#include "platform/TextGrid.h"

namespace writer {

namespace {

// The bitmap's pixels as 24-bit rows, bottom row first, each padded to four bytes.
struct Dib {
  BITMAPINFOHEADER header{};
  std::vector<BYTE> pixels;
  int Stride() const { return ((header.biWidth * 3) + 3) & ~3; }
};

Dib ReadDib(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) throw EError("The table picture cannot be read.");
  Dib dib;
  dib.header.biSize = sizeof dib.header;
  dib.header.biWidth = info.bmWidth;
  dib.header.biHeight = info.bmHeight;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 24;
  dib.header.biCompression = BI_RGB;
  dib.pixels.resize(std::size_t(dib.Stride()) * info.bmHeight);
  dib.header.biSizeImage = static_cast<DWORD>(dib.pixels.size());
  WindowDC screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, info.bmHeight, dib.pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&dib.header), DIB_RGB_COLORS) != info.bmHeight)
    throw EError("The table picture cannot be read.");
  return dib;
}

template <typename T>
void Append(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// libjpeg reports fatal errors through error_exit, which must not return; it is C code, so
// the error leaves by longjmp rather than by an exception passing through its frames.
struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Everything with a destructor lives in the caller, so the longjmp skips none.
bool CompressInto(jpeg_compress_struct& info, JpegErrors& errors, const Dib& dib,
                  std::vector<JSAMPLE>& row, int quality, unsigned char*& out,
                  unsigned long& size) {
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegErrorExit;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(dib.header.biWidth);
  info.image_height = static_cast<JDIMENSION>(dib.header.biHeight);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // The DIB's rows are blue-green-red from the bottom up.
    const BYTE* source = dib.pixels.data() + std::size_t(dib.Stride()) * (dib.header.biHeight - 1 -
                                                                          int(info.next_scanline));
    for (int x = 0; x < dib.header.biWidth; ++x) {
      row[x * 3] = source[x * 3 + 2];
      row[x * 3 + 1] = source[x * 3 + 1];
      row[x * 3 + 2] = source[x * 3];
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

BitmapHandle VisibleGridBitmap(const TextGrid& grid, bool rowHeader, bool columnHeader) {
  const SIZE area = grid.VisibleArea();
  WindowDC screen(grid.Handle());
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), area.cx, area.cy));
  MemoryDC memory(screen.get());
  if (!bitmap || !memory.get() || area.cx <= 0 || area.cy <= 0)
    throw EError("The table picture cannot be made.");
  Selection select(memory.get(), bitmap.get());
  grid.PaintTo(memory.get());
  const auto line = [&](bool black, int x, int y) {
    PenHandle pen(CreatePen(PS_SOLID, 1, black ? RGB(0, 0, 0) : RGB(192, 192, 192)));
    Selection selectPen(memory.get(), pen.get());
    MoveToEx(memory.get(), 0, 0, nullptr);
    LineTo(memory.get(), x, y);
  };
  line(rowHeader, 0, area.cy);
  line(columnHeader, area.cx, 0);
  return bitmap;
}

std::string BmpFileBytes(HBITMAP bitmap) {
  const Dib dib = ReadDib(bitmap);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof dib.header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + dib.pixels.size());
  std::string out;
  out.reserve(file.bfSize);
  Append(out, file);
  Append(out, dib.header);
  out.append(reinterpret_cast<const char*>(dib.pixels.data()), dib.pixels.size());
  return out;
}

std::string JpegFileBytes(HBITMAP bitmap, int quality) {
  const Dib dib = ReadDib(bitmap);
  jpeg_compress_struct info{};
  JpegErrors errors{};
  std::vector<JSAMPLE> row(std::size_t(dib.header.biWidth) * 3);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  const bool done = CompressInto(info, errors, dib, row, quality, out, size);
  std::string bytes = done && out ? std::string(reinterpret_cast<char*>(out), size) : "";
  std::free(out);
  if (!done) throw EError("The table picture could not be written as JPEG.");
  return bytes;
}

std::string EmfFileBytes(HENHMETAFILE metafile) {
  const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  std::string bytes(size, '\0');
  if (size == 0 ||
      GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bytes.data())) != size)
    throw EError("The table metafile cannot be read.");
  return bytes;
}

namespace {

// Hands data to the clipboard; the data is freed when the clipboard does not take it.
template <typename Free>
void HandToClipboard(HWND owner, UINT format, HANDLE data, Free free) {
  if (!OpenClipboard(owner)) {
    free(data);
    throw EError("The clipboard is in use by another program; try again.");
  }
  EmptyClipboard();
  const bool taken = SetClipboardData(format, data) != nullptr;
  CloseClipboard();
  if (!taken) {
    free(data);
    throw EError("The table picture could not be put on the clipboard.");
  }
}

}  // namespace

void PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
  const Dib dib = ReadDib(bitmap);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof dib.header + dib.pixels.size());
  if (!memory) throw EError("There is not enough memory for the table picture.");
  auto* bytes = static_cast<BYTE*>(GlobalLock(memory));
  std::memcpy(bytes, &dib.header, sizeof dib.header);
  std::memcpy(bytes + sizeof dib.header, dib.pixels.data(), dib.pixels.size());
  GlobalUnlock(memory);
  HandToClipboard(owner, CF_DIB, memory, [](HANDLE h) { GlobalFree(h); });
}

void PutTableMetafileOnClipboard(HWND owner, HENHMETAFILE metafile) {
  HandToClipboard(owner, CF_ENHMETAFILE, metafile,
                  [](HANDLE h) { DeleteEnhMetaFile(static_cast<HENHMETAFILE>(h)); });
}

}  // namespace writer
