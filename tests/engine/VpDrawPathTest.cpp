#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpDrawTarget.h"
#include "engine/VpResource.h"

namespace {

using S = TVpPathStep;

TEST(VpDrawPath, EllipseOfOddWidthEndsOnePixelRightOfItsStart) {
  // w = 101, h = 60: e = 50, f = 30, kx = rounded(22.70) = 23, ky = rounded(13.48) = 13.
  const TVpPath expected = {
      {S::MoveTo, {{60, 5}}},
      {S::BezierTo, {{33, 5}, {10, 18}, {10, 35}}},
      {S::BezierTo, {{10, 52}, {33, 65}, {60, 65}}},
      {S::BezierTo, {{88, 65}, {111, 52}, {111, 35}}},
      {S::BezierTo, {{111, 18}, {88, 5}, {61, 5}}},
  };
  EXPECT_EQ(EllipsePath({10, 5, 111, 65}), expected);
}

TEST(VpDrawPath, RoundRectCornerWiderThanTheRectUsesTheWidth) {
  // w = 20, cw = 100: g = min(50, 20) = 20; ch = 8: l = 4, ky = rounded(2) - 1 = 1;
  // kx = rounded(25) - 1 = 24.
  const TVpPath expected = {
      {S::MoveTo, {{30, 10}}}, {S::BezierTo, {{34, 10}, {10, 11}, {10, 14}}},
      {S::LineTo, {{10, 36}}}, {S::BezierTo, {{10, 39}, {34, 40}, {30, 40}}},
      {S::LineTo, {{10, 40}}}, {S::BezierTo, {{6, 40}, {30, 39}, {30, 36}}},
      {S::LineTo, {{30, 14}}}, {S::BezierTo, {{30, 11}, {6, 10}, {10, 10}}},
      {S::LineTo, {{30, 10}}},
  };
  EXPECT_EQ(RoundRectPath({10, 10, 30, 40}, 100, 8), expected);
}

TEST(VpDrawPath, RectangleClosesOverItsFirstCornerAndDeviceSidesRoundToEven) {
  const TVpIntRect device = DeviceRect(MakeRect(1, 1, 2, 2), 600, 600);
  EXPECT_EQ(device, (TVpIntRect{600, 600, 1200, 1200}));
  EXPECT_EQ(
      RectanglePath(device),
      (TVpPath{{S::Polygon,
                {{600, 600}, {1200, 600}, {1200, 1200}, {600, 1200}, {600, 600}, {1200, 600}}}}));
  // 2.5 -> 2, 3.5 -> 4, -2.5 -> -2 at two pixels per inch.
  EXPECT_EQ(DeviceRect(MakeRect(1.25L, 1.75L, -1.25L, 0.25L), 2, 2), (TVpIntRect{2, 4, -2, 0}));
  EXPECT_EQ(DevicePoint(MakePoint(1.25L, 1.75L), 2, 2), (TVpIntPoint{2, 4}));
  // Different resolutions per axis.
  EXPECT_EQ(DevicePoint(MakePoint(1, 1), 300, 600), (TVpIntPoint{300, 600}));
}

// --- Pictures from file bytes ---------------------------------------------------------------

// Writes value as n little-endian bytes at at, growing s as needed.
void Put(std::string& s, std::size_t at, std::uint32_t value, std::size_t n = 4) {
  if (s.size() < at + n) s.resize(at + n);
  for (std::size_t i = 0; i < n; ++i) s[at + i] = static_cast<char>(value >> 8 * i);
}

struct BitmapSpec {
  std::int32_t width, height;
  std::uint32_t bits;
  std::uint32_t compression = 0;
  std::uint32_t red = 0, green = 0, blue = 0;  // BI_BITFIELDS masks
  bool core = false;
};

std::string Bitmap(const BitmapSpec& b) {
  const std::size_t header = b.core ? 12 : 40, field = b.core ? 2 : 4;
  const std::uint32_t masks = b.compression == 3 ? 12 : 0;
  const std::uint32_t colors = b.bits <= 8 ? (1u << b.bits) * (b.core ? 3 : 4) : 0;
  const std::uint32_t offset = 14 + header + masks + colors;
  const std::uint32_t size = offset + (b.width * b.bits + 31) / 32 * 4 * std::abs(b.height);
  std::string s(size, '\x7F');
  s.replace(0, 2, "BM");
  for (std::size_t at = 2; at < 14 + header; at += 2) Put(s, at, 0, 2);
  Put(s, 2, size);
  Put(s, 10, offset);
  Put(s, 14, header);
  Put(s, 18, b.width, field);
  Put(s, 18 + field, b.height, field);
  Put(s, 18 + 2 * field, 1, 2);
  Put(s, 20 + 2 * field, b.bits, 2);
  if (!b.core) Put(s, 30, b.compression);
  if (masks) {
    Put(s, 54, b.red);
    Put(s, 58, b.green);
    Put(s, 62, b.blue);
  }
  return s;
}

// SOI, an APP0 segment, a table (not a frame), a fill byte, the frame header and EOI.
std::string Jpeg(char frameMarker, std::uint16_t width, std::uint16_t height) {
  std::string s("\xFF\xD8\xFF\xE0\x00\x04JF\xFF\xC4\x00\x04\x00\x00\xFF\xFF", 16);
  s += frameMarker;
  s += std::string("\x00\x0B\x08", 3);
  for (std::uint16_t v : {height, width}) s += {static_cast<char>(v >> 8), static_cast<char>(v)};
  return s + std::string("\x01\x01\x11\x00\xFF\xD9", 6);
}

// The header with its bounds, then the end record.
std::string Metafile(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  std::string s(108, '\0');
  Put(s, 0, 1);
  Put(s, 4, 88);
  Put(s, 8, left);
  Put(s, 12, top);
  Put(s, 16, right);
  Put(s, 20, bottom);
  s.replace(40, 4, " EMF");
  Put(s, 88, 14);
  Put(s, 92, 20);
  return s;
}

struct PictureRow {
  const char* name;
  std::string bytes;
  TVpPictureKind kind;
  std::int32_t width, height, pixelFormat;
};

std::vector<PictureRow> GoodPictures() {
  using K = TVpPictureKind;
  return {
      {"1 bit", Bitmap({9, 3, 1}), K::Bitmap, 9, 3, 1},
      {"4 bit", Bitmap({5, 2, 4}), K::Bitmap, 5, 2, 2},
      {"8 bit", Bitmap({3, 3, 8}), K::Bitmap, 3, 3, 3},
      {"16 bit plain", Bitmap({3, 2, 16}), K::Bitmap, 3, 2, 4},
      {"16 bit 565", Bitmap({3, 2, 16, 3, 0xF800, 0x07E0, 0x1F}), K::Bitmap, 3, 2, 5},
      {"16 bit 555", Bitmap({3, 2, 16, 3, 0x7C00, 0x03E0, 0x1F}), K::Bitmap, 3, 2, 4},
      {"16 bit odd masks", Bitmap({3, 2, 16, 3, 0xF000, 0x0F00, 0xF0}), K::Bitmap, 3, 2, 8},
      {"24 bit top-down", Bitmap({7, -4, 24}), K::Bitmap, 7, 4, 6},
      {"32 bit", Bitmap({2, 2, 32}), K::Bitmap, 2, 2, 7},
      {"core 24 bit", Bitmap({6, 5, 24, 0, 0, 0, 0, true}), K::Bitmap, 6, 5, 6},
      {"core 8 bit", Bitmap({6, 5, 8, 0, 0, 0, 0, true}), K::Bitmap, 6, 5, 3},
      {"baseline JPEG", Jpeg('\xC0', 640, 480), K::Jpeg, 640, 480, 0},
      {"progressive JPEG", Jpeg('\xC2', 3, 65535), K::Jpeg, 3, 65535, 0},
      {"metafile", Metafile(10, 20, 109, 69), K::Metafile, 100, 50, 0},
      {"empty metafile", Metafile(0, 0, -1, -1), K::Metafile, 0, 0, 0},
  };
}

TEST(VpPictureBytes, RecognisesKindSizeAndPixelFormat) {
  for (const PictureRow& row : GoodPictures()) {
    SCOPED_TRACE(row.name);
    const TVpPicture picture = PictureFromFileBytes(row.bytes);
    EXPECT_EQ(picture.Kind, row.kind);
    EXPECT_EQ(picture.Width, row.width);
    EXPECT_EQ(picture.Height, row.height);
    EXPECT_EQ(picture.PixelFormat, row.pixelFormat);
    EXPECT_EQ(picture.Bytes, row.bytes);
  }
}

std::string Patched(std::string s, std::size_t at, std::uint32_t value) {
  Put(s, at, value);
  return s;
}

TEST(VpPictureBytes, HostileBytesAreRefusedWithASentence) {
  const std::string bmp = Bitmap({4, 4, 24});
  const std::string bmp8 = Bitmap({4, 4, 8});
  const std::string emf = Metafile(0, 0, 9, 9);
  const std::string jpeg = Jpeg('\xC0', 8, 8);
  const std::vector<std::pair<const char*, std::string>> rows = {
      {"empty", ""},
      {"GIF", "GIF89a\x01\x00\x01\x00"},
      {"BM alone", "BM"},
      {"pixels cut short", bmp.substr(0, bmp.size() - 1)},
      {"pixel offset past the end", Patched(bmp, 10, 0xFFFFFFF0u)},
      {"pixel offset inside the header", Patched(bmp, 10, 20)},
      {"header size past the end", Patched(bmp, 14, 0x7FFFFFFF)},
      {"unknown header size", Patched(bmp, 14, 30)},
      {"zero width", Patched(bmp, 18, 0)},
      {"negative width", Patched(bmp, 18, 0xFFFFFFFFu)},
      {"height of INT_MIN", Patched(bmp, 22, 0x80000000u)},
      {"huge size", Patched(Patched(bmp, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF)},
      {"odd bit count", Patched(bmp, 28, 7)},
      {"more colours than bits allow", Patched(bmp8, 46, 257)},
      {"run lengths without a size", Patched(Patched(bmp8, 30, 1), 34, 0)},
      {"run lengths past the end", Patched(Patched(bmp8, 30, 1), 34, 1u << 30)},
      {"PNG inside", Patched(bmp, 30, 5)},
      {"JPEG start only", "\xFF\xD8\xFF"},
      {"JPEG scan before frame", std::string("\xFF\xD8\xFF\xDA\x00\x02", 6)},
      {"JPEG segment past the end", std::string("\xFF\xD8\xFF\xE0\xFF\xFF\x00", 7)},
      {"JPEG segment length 0", std::string("\xFF\xD8\xFF\xE0\x00\x00", 6)},
      {"JPEG zero height", Jpeg('\xC0', 8, 0)},
      {"JPEG garbage between markers", jpeg.substr(0, 8) + "xyz" + jpeg.substr(8)},
      {"metafile record of size 0", Patched(emf, 92, 0)},
      {"metafile without its end record", emf.substr(0, 88)},
      {"metafile record past the end", Patched(emf, 92, 400)},
      {"metafile header too short", Patched(emf, 4, 40)},
      {"metafile bounds reversed", Patched(emf, 16, 0xFFFFFF00u)},
  };
  for (const auto& [name, bytes] : rows) {
    SCOPED_TRACE(name);
    try {
      PictureFromFileBytes(bytes);
      ADD_FAILURE() << "accepted";
    } catch (const EVpStreamError& error) {
      const std::string text = error.what();
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(text.back(), '.');
    }
  }
}

TEST(VpPictureBytes, EveryPrefixOfAGoodPictureIsRefusedOrReadAlike) {
  for (const PictureRow& row : GoodPictures()) {
    SCOPED_TRACE(row.name);
    for (std::size_t size = 0; size < row.bytes.size(); ++size) {
      try {
        const TVpPicture picture = PictureFromFileBytes(row.bytes.substr(0, size));
        EXPECT_EQ(picture.Width, row.width) << size;
        EXPECT_EQ(picture.Height, row.height) << size;
      } catch (const EVpStreamError&) {
      }
    }
  }
}

}  // namespace
