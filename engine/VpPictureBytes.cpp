// Recognises a picture from its file bytes. The bytes may come from any file the user names or
// from a stored page, so every offset and length is checked against the size before it is
// read, and a picture whose pixels would not fit in the file is refused here rather than
// being read past its end when it is drawn.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/VpResource.h"
#include "engine/VpStream.h"

namespace {

constexpr const char* kNotAPicture =
    "The picture is not a bitmap, a JPEG image or an enhanced metafile.";
constexpr const char* kBadBitmap = "The bitmap is damaged or cut short.";
constexpr const char* kBadJpeg = "The JPEG image is damaged or cut short.";
constexpr const char* kBadMetafile = "The enhanced metafile is damaged or cut short.";
constexpr const char* kTooLarge = "The picture is too large to be drawn.";

// Decoded pictures are held in memory as 24 or 32-bit pixels; beyond this many pixels a
// hostile or absurd header could make drawing allocate gigabytes.
constexpr std::int64_t kMaxPixels = 100'000'000;

// Pixel-format ordinals of the platform's bitmaps.
enum : std::int32_t {
  kPf1Bit = 1,
  kPf4Bit = 2,
  kPf8Bit = 3,
  kPf15Bit = 4,
  kPf16Bit = 5,
  kPf24Bit = 6,
  kPf32Bit = 7,
  kPfCustom = 8,
};

// Little-endian reads that throw the given message when the field is not wholly inside.
class TReader {
 public:
  TReader(std::string_view bytes, const char* damaged) : bytes_(bytes), damaged_(damaged) {}

  std::size_t Size() const { return bytes_.size(); }
  bool Fits(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  void Require(std::uint64_t offset, std::uint64_t count) const {
    if (!Fits(offset, count)) throw EVpStreamError(damaged_);
  }
  std::uint32_t U8(std::uint64_t at) const {
    Require(at, 1);
    return static_cast<unsigned char>(bytes_[at]);
  }
  std::uint32_t U16(std::uint64_t at) const {
    Require(at, 2);
    return Byte(at) | Byte(at + 1) << 8;
  }
  std::uint16_t U16BigEndian(std::uint64_t at) const {
    Require(at, 2);
    return static_cast<std::uint16_t>(Byte(at) << 8 | Byte(at + 1));
  }
  std::uint32_t U32(std::uint64_t at) const {
    Require(at, 4);
    return Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16 | Byte(at + 3) << 24;
  }
  std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }
  [[noreturn]] void Fail() const { throw EVpStreamError(damaged_); }

 private:
  std::uint32_t Byte(std::uint64_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  std::string_view bytes_;
  const char* damaged_;
};

void CheckPixelCount(std::int64_t width, std::int64_t height) {
  if (width > 0 && height > 0 && width > kMaxPixels / height) throw EVpStreamError(kTooLarge);
}

std::int32_t SixteenBitFormat(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  if (red == 0xF800 && green == 0x07E0 && blue == 0x001F) return kPf16Bit;
  if (red == 0x7C00 && green == 0x03E0 && blue == 0x001F) return kPf15Bit;
  return kPfCustom;
}

void ReadBitmap(std::string_view bytes, TVpPicture& picture) {
  const TReader in(bytes, kBadBitmap);
  constexpr std::uint64_t kFileHeader = 14;
  const std::uint64_t pixelOffset = in.U32(10);
  const std::uint64_t headerSize = in.U32(kFileHeader);
  std::int64_t width = 0, height = 0;
  std::uint32_t bitCount = 0, compression = 0, colorsUsed = 0, imageSize = 0;
  std::uint64_t colorEntry = 4;
  std::uint64_t masksSize = 0;  // BI_BITFIELDS masks that follow a plain info header
  const bool core = headerSize == 12;
  if (core) {
    width = in.U16(kFileHeader + 4);
    height = in.U16(kFileHeader + 6);
    bitCount = in.U16(kFileHeader + 10);
    colorEntry = 3;
  } else if (headerSize >= 40) {
    in.Require(kFileHeader, headerSize);
    width = in.I32(kFileHeader + 4);
    height = in.I32(kFileHeader + 8);
    bitCount = in.U16(kFileHeader + 14);
    compression = in.U32(kFileHeader + 16);
    imageSize = in.U32(kFileHeader + 20);
    colorsUsed = in.U32(kFileHeader + 32);
    if (compression == 3 && headerSize == 40) masksSize = 12;
  } else {
    in.Fail();
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0) in.Fail();
  CheckPixelCount(width, height);

  switch (bitCount) {
    case 1:
    case 4:
    case 8:
      if (colorsUsed > (1u << bitCount)) in.Fail();
      if (colorsUsed == 0 || core) colorsUsed = 1u << bitCount;
      break;
    case 16:
    case 24:
    case 32: break;
    default: in.Fail();
  }
  // Bit fields only for 16 and 32 bits, run lengths only for 8 and 4 bits and bottom-up.
  const bool validCompression = compression == 0 || (compression == 3 && bitCount % 16 == 0) ||
                                (compression == 1 && bitCount == 8 && !topDown) ||
                                (compression == 2 && bitCount == 4 && !topDown);
  if (!validCompression) in.Fail();

  const std::uint64_t headerEnd = kFileHeader + headerSize + masksSize;
  const std::uint64_t tableEnd = headerEnd + colorEntry * colorsUsed;
  in.Require(0, tableEnd);
  if (pixelOffset < headerEnd) in.Fail();
  if (compression == 1 || compression == 2) {
    if (imageSize == 0) in.Fail();
    in.Require(pixelOffset, imageSize);
  } else {
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    in.Require(pixelOffset, stride * static_cast<std::uint64_t>(height));
  }

  switch (bitCount) {
    case 1: picture.PixelFormat = kPf1Bit; break;
    case 4: picture.PixelFormat = kPf4Bit; break;
    case 8: picture.PixelFormat = kPf8Bit; break;
    case 16: {
      if (compression != 3) {
        picture.PixelFormat = kPf15Bit;
        break;
      }
      const std::uint64_t masks = kFileHeader + 40;
      picture.PixelFormat = SixteenBitFormat(in.U32(masks), in.U32(masks + 4), in.U32(masks + 8));
      break;
    }
    case 24: picture.PixelFormat = kPf24Bit; break;
    default: picture.PixelFormat = kPf32Bit; break;
  }
  picture.Kind = TVpPictureKind::Bitmap;
  picture.Width = static_cast<std::int32_t>(width);
  picture.Height = static_cast<std::int32_t>(height);
}

bool IsFrameMarker(std::uint32_t marker) {
  // SOF0 to SOF15 except DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

void ReadJpeg(std::string_view bytes, TVpPicture& picture) {
  const TReader in(bytes, kBadJpeg);
  std::uint64_t at = 2;  // after SOI
  // Each step advances by at least two bytes, so the walk ends within the size.
  for (;;) {
    if (in.U8(at) != 0xFF) in.Fail();
    while (in.U8(at) == 0xFF) ++at;  // fill bytes
    const std::uint32_t marker = in.U8(at);
    ++at;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || marker == 0x00) in.Fail();
    const std::uint32_t length = in.U16BigEndian(at);
    if (length < 2) in.Fail();
    in.Require(at, length);
    if (IsFrameMarker(marker)) {
      if (length < 8) in.Fail();
      const std::int32_t height = in.U16BigEndian(at + 3);
      const std::int32_t width = in.U16BigEndian(at + 5);
      // A height of 0 defers it to a later marker that this reader does not follow.
      if (width == 0 || height == 0) in.Fail();
      CheckPixelCount(width, height);
      picture.Kind = TVpPictureKind::Jpeg;
      picture.Width = width;
      picture.Height = height;
      picture.PixelFormat = 0;
      return;
    }
    at += length;
  }
}

void ReadMetafile(std::string_view bytes, TVpPicture& picture) {
  const TReader in(bytes, kBadMetafile);
  constexpr std::uint32_t kHeaderMin = 88;  // ENHMETAHEADER up to szlMillimeters
  constexpr std::uint32_t kEndOfFile = 14;
  const std::uint32_t headerSize = in.U32(4);
  if (headerSize < kHeaderMin || headerSize % 4 != 0) in.Fail();
  in.Require(0, headerSize);
  // Playing a metafile walks its records by their sizes; a chain that runs past the end or
  // never reaches its end record is refused here.
  std::uint64_t at = 0;
  for (;;) {
    const std::uint32_t type = in.U32(at);
    const std::uint32_t size = in.U32(at + 4);
    if (size < 8 || size % 4 != 0) in.Fail();
    in.Require(at, size);
    at += size;
    if (type == kEndOfFile) break;
  }
  const std::int64_t width = std::int64_t{in.I32(16)} - in.I32(8) + 1;
  const std::int64_t height = std::int64_t{in.I32(20)} - in.I32(12) + 1;
  if (width < 0 || height < 0 || width > INT32_MAX || height > INT32_MAX) in.Fail();
  picture.Kind = TVpPictureKind::Metafile;
  picture.Width = static_cast<std::int32_t>(width);
  picture.Height = static_cast<std::int32_t>(height);
  picture.PixelFormat = 0;
}

}  // namespace

TVpPicture PictureFromFileBytes(std::string bytes) {
  const std::string_view view(bytes);
  TVpPicture picture;
  if (view.size() >= 2 && view.substr(0, 2) == "BM") {
    ReadBitmap(view, picture);
  } else if (view.size() >= 3 && view.substr(0, 3) == "\xFF\xD8\xFF") {
    ReadJpeg(view, picture);
  } else if (view.size() >= 44 && view.substr(0, 4) == std::string_view("\1\0\0\0", 4) &&
             view.substr(40, 4) == " EMF") {
    ReadMetafile(view, picture);
  } else {
    throw EVpStreamError(kNotAPicture);
  }
  picture.Bytes = std::move(bytes);
  return picture;
}
