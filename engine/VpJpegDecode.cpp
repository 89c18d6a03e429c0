#include "engine/VpJpegDecode.h"

#include <csetjmp>
#include <cstdio>

#include "engine/VpStream.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; it is C code, so
// the error leaves by longjmp rather than by an exception passing through its frames.
struct TErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Everything with a destructor lives in the caller, so the longjmp skips none.
bool Decode(jpeg_decompress_struct& info, std::string_view bytes, std::int64_t maxPixels,
            TVpDib& dib, bool& tooLarge) {
  TErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = IgnoreMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (std::int64_t{info.image_width} * info.image_height > maxPixels) {
    tooLarge = true;
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  const std::size_t width = info.output_width, height = info.output_height;
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  dib.Pixels.assign(stride * height, 0);
  dib.Header.biSize = sizeof(BITMAPINFOHEADER);
  dib.Header.biWidth = static_cast<LONG>(width);
  dib.Header.biHeight = static_cast<LONG>(height);
  dib.Header.biPlanes = 1;
  dib.Header.biBitCount = 24;
  dib.Header.biCompression = BI_RGB;
  // CMYK needs a row of four samples per pixel before it is folded into BGR.
  JSAMPARRAY scratch =
      (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, width * 4, 1);
  while (info.output_scanline < height) {
    std::uint8_t* row = dib.Pixels.data() + stride * (height - 1 - info.output_scanline);
    if (!cmyk) {
      JSAMPROW target = row;
      jpeg_read_scanlines(&info, &target, 1);
      continue;
    }
    jpeg_read_scanlines(&info, scratch, 1);
    // Adobe writes CMYK inverted; others store ink amounts.
    const bool inverted = info.saw_Adobe_marker;
    for (std::size_t x = 0; x < width; ++x) {
      const JSAMPLE* p = scratch[0] + x * 4;
      const unsigned k = inverted ? p[3] : 255u - p[3];
      for (int c = 0; c < 3; ++c) {
        const unsigned ink = inverted ? p[2 - c] : 255u - p[2 - c];
        row[x * 3 + c] = static_cast<std::uint8_t>(ink * k / 255);
      }
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

TVpDib DecodeJpeg(std::string_view bytes, std::int64_t maxPixels) {
  jpeg_decompress_struct info{};
  TVpDib dib;
  bool tooLarge = false;
  if (!Decode(info, bytes, maxPixels, dib, tooLarge)) {
    throw EVpStreamError(tooLarge ? "The picture is too large to be drawn."
                                  : "The JPEG image is damaged and cannot be drawn.");
  }
  return dib;
}
