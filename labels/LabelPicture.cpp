#include "labels/LabelPicture.h"

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

#include <wrl/client.h>

#include "engine/VpGdiPictureCache.h"
#include "engine/VpJpegDecode.h"
#include "engine/VpStream.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"

namespace {

using Microsoft::WRL::ComPtr;

// The engine draws nothing larger; refusing it here names the file.
constexpr std::int64_t kMaxPixels = TVpGdiPictureCache::kMaxPixels;

constexpr const char* kTooLarge = "The picture is too large to be drawn.";
constexpr const char* kNoMemory = "There is not enough memory to load it.";

// Why the bytes cannot be loaded, as a sentence; the caller adds the file's name.
class EUnreadable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
  throw EError("The picture \"" + path + "\" could not be read. " + WithFullStop(reason));
}

// False for a path that names nothing, or names a folder. Other failures to look (a folder
// that may not be listed, say) are left to the read, which reports them.
bool NamesFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return false;
    default: return true;
  }
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

bool IsJpeg(std::string_view bytes) { return StartsWith(bytes, "\xFF\xD8\xFF"); }

// The other formats the engine keeps as they are: a bitmap file, an enhanced metafile.
bool IsKeptAsItIs(std::string_view bytes) {
  return StartsWith(bytes, "BM") || (StartsWith(bytes, std::string_view("\1\0\0\0", 4)) &&
                                     bytes.size() >= 44 && bytes.substr(40, 4) == " EMF");
}

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

// Formats the imaging component decodes, known by their first bytes. When it fails on one of
// them the file is called damaged, not unknown: the component says it found no decoder also
// when the decoder for the format gave up on the file's content.
struct TKnownFormat {
  std::string_view Signature;
  const char* Damaged;
};
constexpr TKnownFormat kKnownFormats[] = {
    {kPngSignature, "The PNG image is damaged or cut short."},
    {"GIF87a", "The GIF image is damaged or cut short."},
    {"GIF89a", "The GIF image is damaged or cut short."},
    {std::string_view("II*\0", 4), "The TIFF image is damaged or cut short."},
    {std::string_view("MM\0*", 4), "The TIFF image is damaged or cut short."},
    {std::string_view("\0\0\1\0", 4), "The icon is damaged or cut short."},
};

// nullptr for a format not in the list.
const char* DamagedText(std::string_view bytes) {
  for (const TKnownFormat& format : kKnownFormats) {
    if (StartsWith(bytes, format.Signature)) return format.Damaged;
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
  if (FAILED(result)) throw EUnreadable(ImagingFailure(result, damaged));
}

std::uint32_t ByteAt(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// A decoder may set aside memory for the whole picture as soon as it has read the size in
// the header, so the sizes PNG and GIF headers claim are checked before decoding.
void CheckClaimedSize(std::string_view bytes) {
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
  if (width > 0 && height > 0 && width > kMaxPixels / height) throw EUnreadable(kTooLarge);
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

// Labels are printed on white paper: a transparent pixel shows the paper, a half-transparent
// one is mixed with it.
std::uint8_t OverWhite(std::uint32_t colour, std::uint32_t alpha) {
  return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Pixels are fetched this many bytes of rows at a time, so that a large picture is held twice
// only one band at a time.
constexpr std::size_t kBandBytes = 4u << 20;

// The bytes of a 24-bit bottom-up .bmp file of a source in 32bpp BGRA.
std::string BitmapFileOverWhite(IWICBitmapSource& source, UINT width, UINT height,
                                const char* damaged) {
  constexpr std::size_t kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const std::size_t stride = (std::size_t{width} * 3 + 3) / 4 * 4;
  const std::size_t imageSize = stride * height;
  std::string file(kHeaders + imageSize, '\0');

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfSize = static_cast<DWORD>(file.size());
  fileHeader.bfOffBits = kHeaders;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = static_cast<LONG>(width);
  info.biHeight = static_cast<LONG>(height);
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageSize);
  std::memcpy(file.data(), &fileHeader, sizeof fileHeader);
  std::memcpy(file.data() + sizeof fileHeader, &info, sizeof info);

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
      auto* to = reinterpret_cast<BYTE*>(file.data() + kHeaders + stride * (height - 1 - top - r));
      for (UINT x = 0; x < width; ++x, from += 4, to += 3) {
        for (int c = 0; c < 3; ++c) to[c] = OverWhite(from[c], from[3]);
      }
    }
  }
  return file;
}

// Decodes the first frame of anything the imaging component knows into a .bmp file's bytes.
std::string DecodeToBitmapFile(const std::string& bytes) {
  CheckClaimedSize(bytes);
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
  if (width == 0 || height == 0) throw EUnreadable("It has no pixels.");
  if (std::int64_t{width} * height > kMaxPixels) throw EUnreadable(kTooLarge);
  ComPtr<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(&converter));
  Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom),
        damaged);
  return BitmapFileOverWhite(*converter.Get(), width, height, damaged);
}

TVpPicture PictureFromContent(std::string bytes) {
  if (bytes.empty()) throw EUnreadable("The file is empty.");
  if (IsJpeg(bytes)) {
    TVpPicture picture = PictureFromFileBytes(std::move(bytes));
    // The header walk stops at the frame size; damage further on shows only when decoded.
    DecodeJpeg(picture.Bytes, kMaxPixels);
    return picture;
  }
  if (IsKeptAsItIs(bytes)) return PictureFromFileBytes(std::move(bytes));
  return PictureFromFileBytes(DecodeToBitmapFile(bytes));
}

}  // namespace

std::optional<TVpPicture> LoadLabelPicture(const std::wstring& path) {
  if (path.empty() || !NamesFile(path)) return std::nullopt;
  std::optional<std::string> bytes;
  try {
    bytes = ReadFileIfExists(path);
  } catch (const EError& e) {
    throw EError(WithFullStop(e.what()));
  }
  if (!bytes) return std::nullopt;  // removed since it was looked at
  try {
    return PictureFromContent(std::move(*bytes));
  } catch (const EUnreadable& e) {
    Refuse(Utf8FromWide(path), e.what());
  } catch (const EVpStreamError& e) {
    Refuse(Utf8FromWide(path), e.what());
  } catch (const std::bad_alloc&) {
    Refuse(Utf8FromWide(path), kNoMemory);
  }
}

const TVpPicture* LabelPictureCache::Find(const std::wstring& path) {
  auto found = pictures_.find(path);
  if (found == pictures_.end()) found = pictures_.emplace(path, LoadLabelPicture(path)).first;
  return found->second ? &*found->second : nullptr;
}
