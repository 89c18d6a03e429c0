#include "platform/ImageDecoding.h"

#include <wincodec.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>

#include <wrl/client.h>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

constexpr const char* kTooLarge = "The picture is too large to be drawn.";
constexpr const char* kNoMemory = "There is not enough memory to load it.";

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// An empty bitmap of the given size, its rows padded to four bytes.
DecodedDib BlankDib(std::size_t width, std::size_t height) {
  DecodedDib dib;
  dib.pixels.assign((width * 3 + 3) / 4 * 4 * height, 0);
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = static_cast<LONG>(width);
  dib.header.biHeight = static_cast<LONG>(height);
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 24;
  dib.header.biCompression = BI_RGB;
  dib.header.biSizeImage = static_cast<DWORD>(dib.pixels.size());
  return dib;
}

// ---- JPEG through libjpeg

// libjpeg reports fatal errors through error_exit, which must not return; it is C code, so
// the error leaves by longjmp rather than by an exception passing through its frames.
struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

enum class JpegResult { Decoded, Damaged, TooLarge, NoMemory };

// Everything with a destructor lives in the caller, so the longjmp skips none.
JpegResult DecodeJpegInto(jpeg_decompress_struct& info, std::string_view bytes,
                          std::int64_t maxPixels, DecodedDib& dib) {
  JpegErrors errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegErrorExit;
  errors.base.output_message = IgnoreJpegMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return JpegResult::Damaged;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (std::int64_t{info.image_width} * info.image_height > maxPixels) {
    jpeg_destroy_decompress(&info);
    return JpegResult::TooLarge;
  }
  jpeg_start_decompress(&info);
  const std::size_t width = info.output_width, height = info.output_height;
  try {
    dib = BlankDib(width, height);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&info);
    return JpegResult::NoMemory;
  }
  const std::size_t stride = dib.pixels.size() / height;
  // CMYK needs a row of four samples per pixel before it is folded into BGR.
  JSAMPARRAY scratch =
      (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, width * 4, 1);
  while (info.output_scanline < height) {
    std::uint8_t* row = dib.pixels.data() + stride * (height - 1 - info.output_scanline);
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
  return JpegResult::Decoded;
}

// ---- Everything else through the imaging component

using Microsoft::WRL::ComPtr;

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

// Formats the imaging component decodes, known by their first bytes. When it fails on one of
// them the bytes are called damaged, not unknown: the component says it found no decoder also
// when the decoder for the format gave up on the content.
struct KnownFormat {
  std::string_view signature;
  const char* damaged;
};
constexpr KnownFormat kKnownFormats[] = {
    {kPngSignature, "The PNG image is damaged or cut short."},
    {"GIF87a", "The GIF image is damaged or cut short."},
    {"GIF89a", "The GIF image is damaged or cut short."},
    {std::string_view("II*\0", 4), "The TIFF image is damaged or cut short."},
    {std::string_view("MM\0*", 4), "The TIFF image is damaged or cut short."},
    {std::string_view("\0\0\1\0", 4), "The icon is damaged or cut short."},
};

// nullptr for a format not in the list.
const char* DamagedText(std::string_view bytes) {
  for (const KnownFormat& format : kKnownFormats) {
    if (StartsWith(bytes, format.signature)) return format.damaged;
  }
  return nullptr;
}

std::string ImagingFailure(HRESULT result, const char* damaged) {
  if (result == E_OUTOFMEMORY) return kNoMemory;
  if (damaged) return damaged;
  if (result == WINCODEC_ERR_COMPONENTNOTFOUND || result == WINCODEC_ERR_UNKNOWNIMAGEFORMAT)
    return "It is not in a picture format this program can read.";
  char code[16];
  std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
  return std::string("It is damaged or cut short (error 0x") + code + ").";
}

void Check(HRESULT result, const char* damaged = nullptr) {
  if (FAILED(result)) throw EImageDecodeError(ImagingFailure(result, damaged));
}

std::uint32_t ByteAt(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// A decoder may set aside memory for the whole picture as soon as it has read the size in
// the header, so the sizes PNG and GIF headers claim are checked before decoding.
void CheckClaimedSize(std::string_view bytes, std::int64_t maxPixels) {
  std::int64_t width = 0, height = 0;
  if (StartsWith(bytes, kPngSignature) && bytes.size() >= 24 && bytes.substr(12, 4) == "IHDR") {
    for (std::size_t i = 0; i < 4; ++i) {
      width = width << 8 | ByteAt(bytes, 16 + i);
      height = height << 8 | ByteAt(bytes, 20 + i);
    }
  } else if (StartsWith(bytes, "GIF") && bytes.size() >= 10) {
    width = ByteAt(bytes, 6) | ByteAt(bytes, 7) << 8;
    height = ByteAt(bytes, 8) | ByteAt(bytes, 9) << 8;
  }
  if (width > 0 && height > 0 && width > maxPixels / height) throw EImageDecodeError(kTooLarge);
}

// The imaging component is a COM server, so the calling thread is in an apartment while it
// decodes: it joins one if it is in none (and leaves it afterwards), or counts one more use of
// the one it is in. A thread in the multithreaded apartment can use the component as it is.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
    if (FAILED(result_) && result_ != RPC_E_CHANGED_MODE) Check(result_);
  }
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

// A transparent pixel shows the paper, a half-transparent one is mixed with it.
std::uint8_t OverWhite(std::uint32_t colour, std::uint32_t alpha) {
  return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Pixels are fetched this many bytes of rows at a time, so that a large picture is held twice
// only one band at a time.
constexpr std::size_t kBandBytes = 4u << 20;

// A source in 32bpp BGRA laid over white.
DecodedDib DibOverWhite(IWICBitmapSource& source, UINT width, UINT height, const char* damaged) {
  DecodedDib dib = BlankDib(width, height);
  const std::size_t stride = dib.pixels.size() / height;
  const std::size_t sourceStride = std::size_t{width} * 4;
  const UINT bandRows =
      static_cast<UINT>(std::clamp<std::size_t>(kBandBytes / sourceStride, 1, height));
  std::vector<BYTE> band(sourceStride * bandRows);
  for (UINT top = 0; top < height; top += bandRows) {
    const UINT rows = std::min(bandRows, height - top);
    const WICRect rect{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
    Check(source.CopyPixels(&rect, static_cast<UINT>(sourceStride),
                            static_cast<UINT>(sourceStride * rows), band.data()),
          damaged);
    for (UINT r = 0; r < rows; ++r) {
      const BYTE* from = band.data() + sourceStride * r;
      std::uint8_t* to = dib.pixels.data() + stride * (height - 1 - top - r);
      for (UINT x = 0; x < width; ++x, from += 4, to += 3) {
        for (int c = 0; c < 3; ++c) to[c] = OverWhite(from[c], from[3]);
      }
    }
  }
  return dib;
}

DecodedDib DecodeFirstFrame(std::string_view bytes, std::int64_t maxPixels) {
  CheckClaimedSize(bytes, maxPixels);
  const char* damaged = DamagedText(bytes);
  const ComApartment apartment;  // before the objects, which must be released inside it
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&factory)));
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(&stream));
  // The stream reads the bytes in place; they outlive every object made from it below.
  Check(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                     static_cast<DWORD>(bytes.size())));
  ComPtr<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                         &decoder),
        damaged);
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, &frame), damaged);
  UINT width = 0, height = 0;
  Check(frame->GetSize(&width, &height), damaged);
  if (width == 0 || height == 0) throw EImageDecodeError("It has no pixels.");
  if (std::int64_t{width} * height > maxPixels) throw EImageDecodeError(kTooLarge);
  ComPtr<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(&converter));
  Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom),
        damaged);
  return DibOverWhite(*converter.Get(), width, height, damaged);
}

}  // namespace

DecodedDib DecodeJpeg(std::string_view bytes, std::int64_t maxPixels) {
  jpeg_decompress_struct info{};
  DecodedDib dib;
  switch (DecodeJpegInto(info, bytes, maxPixels, dib)) {
    case JpegResult::Decoded: return dib;
    case JpegResult::TooLarge: throw EImageDecodeError(kTooLarge);
    case JpegResult::NoMemory: throw EImageDecodeError(kNoMemory);
    case JpegResult::Damaged: break;
  }
  throw EImageDecodeError("The JPEG image is damaged and cannot be drawn.");
}

DecodedDib DecodeWithImaging(std::string_view bytes, std::int64_t maxPixels) {
  try {
    return DecodeFirstFrame(bytes, maxPixels);
  } catch (const std::bad_alloc&) {
    throw EImageDecodeError(kNoMemory);
  }
}
