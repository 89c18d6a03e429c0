#include <windows.h>

#include <objbase.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "labels/LabelPicture.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "tests/support/PngWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

std::string DataFile(const char* name) {
  std::ifstream in(std::string(TEST_DATA_DIR) + "/engine/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Big32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

void PutChunk(std::string& png, const std::string& type, const std::string& data) {
  png += Big32(static_cast<std::uint32_t>(data.size()));
  const std::string typed = type + data;
  png += typed;
  png += Big32(static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

// A PNG of 8-bit RGBA pixels (0xRRGGBBAA, top row first) in rows of rowLength (by default
// width); its header may claim another size than its pixels have.
std::string RgbaPng(std::uint32_t width, std::uint32_t height,
                    const std::vector<std::uint32_t>& pixels, std::uint32_t rowLength = 0) {
  if (rowLength == 0) rowLength = width;
  std::string raw;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (i % rowLength == 0) raw += '\0';  // no filter
    raw += Big32(pixels[i]);
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
            reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6);
  packed.resize(size);
  std::string png = "\x89PNG\r\n\x1A\n";
  PutChunk(png, "IHDR", Big32(width) + Big32(height) + std::string("\x08\x06\0\0\0", 5));
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  return png;
}

std::string RgbPng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  const std::vector<std::uint8_t> png = EncodePng(width, height, rgb);
  return {png.begin(), png.end()};
}

// 2 x 2: red, blue / green, and the transparent index, whose colour is black.
constexpr char kGifBytes[] =
    "GIF89a\x02\0\x02\0\x81\0\0"
    "\xFF\0\0\0\0\xFF\0\xFF\0\0\0\0"  // global colour table
    "\x21\xF9\x04\x01\0\0\x03\0"      // transparent index 3
    "\x2C\0\0\0\0\x02\0\x02\0\0"
    "\x02\x04\x04\x43\x71\x05\0"  // 2-bit LZW: clear before each of 0, 1, 2, 3, then end
    "\x3B";
const std::string kGif(kGifBytes, sizeof kGifBytes - 1);

// The colour (0xRRGGBB) at x, y (top row 0) of a 24-bit bottom-up bitmap file.
std::uint32_t PixelAt(const TVpPicture& picture, int x, int y) {
  const auto byte = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(picture.Bytes.at(at)));
  };
  const std::size_t offset = byte(10) | byte(11) << 8 | byte(12) << 16;
  const std::size_t stride = (static_cast<std::size_t>(picture.Width) * 3 + 3) / 4 * 4;
  const std::size_t at = offset + stride * (picture.Height - 1 - y) + x * 3;
  return byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at);
}

bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 1)
      return false;
  }
  return true;
}

class LabelPictureTest : public testing::Test {
 protected:
  LabelPictureTest() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = fs::path(temp) / (L"label-picture-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~LabelPictureTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::wstring Write(const std::wstring& name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return (folder_ / name).wstring();
  }
  std::wstring PathOf(const std::wstring& name) const { return (folder_ / name).wstring(); }

  fs::path folder_;
};

struct Pixel {
  int X, Y;
  std::uint32_t Colour;
};

TEST_F(LabelPictureTest, EachFormatIsRecognisedByItsContent) {
  const auto redOverBlue = [] {  // 1024 x 1100, red down to row 1029
    std::vector<std::uint32_t> pixels(1024 * 1100, 0x0000FFFF);
    std::fill_n(pixels.begin(), 1024 * 1030, 0xFF0000FF);
    return RgbaPng(1024, 1100, pixels);
  };
  struct Row {
    const char* what;
    const wchar_t* name;  // extensions that lie on purpose
    std::string bytes;
    TVpPictureKind kind;
    int width, height;
    std::vector<Pixel> pixels;  // decoded formats only; the others keep their bytes
  };
  const std::vector<Row> rows = {
      {"bitmap", L"a.jpg", DataFile("halves.bmp"), TVpPictureKind::Bitmap, 8, 8, {}},
      {"jpeg", L"b.png", DataFile("halves.jpg"), TVpPictureKind::Jpeg, 16, 8, {}},
      {"png",
       L"c.bmp",
       RgbPng(2, 2, {255, 0, 0, 0, 0, 255, 0, 255, 0, 10, 20, 30}),
       TVpPictureKind::Bitmap,
       2,
       2,
       {{0, 0, kRed}, {1, 0, kBlue}, {0, 1, kGreen}, {1, 1, 0x0A141E}}},
      // Pixels are copied a band of rows at a time; this one needs two bands.
      {"png taller than a band",
       L"f.png",
       redOverBlue(),
       TVpPictureKind::Bitmap,
       1024,
       1100,
       {{0, 0, kRed}, {1023, 1029, kRed}, {5, 1030, kBlue}, {1023, 1099, kBlue}}},
      {"png with transparency",
       L"d.png",
       RgbaPng(3, 1, {0xFF0000FF, 0x00000000, 0x0000FF80}),
       TVpPictureKind::Bitmap,
       3,
       1,
       {{0, 0, kRed}, {1, 0, kWhite}, {2, 0, 0x7F7FFF}}},
      {"gif with a transparent colour",
       L"e.gif",
       kGif,
       TVpPictureKind::Bitmap,
       2,
       2,
       {{0, 0, kRed}, {1, 0, kBlue}, {0, 1, kGreen}, {1, 1, kWhite}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::optional<TVpPicture> picture = LoadLabelPicture(Write(row.name, row.bytes));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Kind, row.kind);
    EXPECT_EQ(picture->Width, row.width);
    EXPECT_EQ(picture->Height, row.height);
    if (row.pixels.empty()) {
      EXPECT_EQ(picture->Bytes, row.bytes);
    }
    for (const Pixel& p : row.pixels) {
      EXPECT_PRED2(Near, PixelAt(*picture, p.X, p.Y), p.Colour) << "at " << p.X << ", " << p.Y;
    }
  }
}

TEST_F(LabelPictureTest, NoPathOrNoFileIsNoPicture) {
  for (const std::wstring& path : {std::wstring(), PathOf(L"missing.png"),
                                   PathOf(L"no folder\\logo.png"), folder_.wstring()}) {
    EXPECT_FALSE(LoadLabelPicture(path)) << Utf8FromWide(path);
  }
}

TEST_F(LabelPictureTest, DamagedFilesAreErrorsNamingTheFile) {
  const std::string jpeg = DataFile("halves.jpg");
  const std::size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  const std::string png = RgbPng(64, 64, std::vector<std::uint8_t>(64 * 64 * 3, 0x55));
  struct Row {
    const char* what;
    std::string bytes;
    const char* reason;  // a part of the message's reason
  };
  const std::vector<Row> rows = {
      {"empty", "", "empty"},
      {"bitmap cut short", DataFile("halves.bmp").substr(0, 100), "damaged"},
      // Its header is whole up to the frame size; only decoding finds the rest missing.
      {"jpeg cut before its scan", jpeg.substr(0, frame + 2 + 17), "damaged"},
      {"png cut short", png.substr(0, png.size() / 2), "damaged"},
      {"garbage after a png signature", "\x89PNG\r\n\x1A\n" + std::string(300, '\x5A'), "damaged"},
      {"no known format", "This is a text file, not a picture.", "format"},
      {"png claiming 60000 x 60000 pixels", RgbaPng(60000, 60000, {0xFFFFFFFF}, 1), "too large"},
  };
  int serial = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::wstring path = Write(L"bad-\u00E9\u4E2D-" + std::to_wstring(++serial), row.bytes);
    try {
      LoadLabelPicture(path);
      ADD_FAILURE() << "no error";
    } catch (const EError& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find("\"" + Utf8FromWide(path) + "\""), std::string::npos) << text;
      EXPECT_NE(text.find(row.reason), std::string::npos) << text;
      EXPECT_EQ(text.back(), '.') << text;
    }
  }
}

// The picture may be loaded on a thread that never joined a COM apartment or one that joined
// the multithreaded apartment.
TEST_F(LabelPictureTest, DecodesOnThreadsInAnyApartment) {
  const std::wstring path = Write(L"logo.png", RgbPng(1, 1, {0, 255, 0}));
  for (const bool multithreaded : {false, true}) {
    std::optional<TVpPicture> picture;
    std::string failure;
    std::thread([&] {
      if (multithreaded) CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      try {
        picture = LoadLabelPicture(path);
      } catch (const EError& e) {
        failure = e.what();
      }
      if (multithreaded) CoUninitialize();
    }).join();
    ASSERT_TRUE(picture) << failure;
    EXPECT_EQ(PixelAt(*picture, 0, 0), kGreen);
  }
}

TEST_F(LabelPictureTest, TheCacheReadsEachPathOnceUntilCleared) {
  const std::wstring logo = Write(L"logo.png", RgbPng(1, 1, {255, 0, 0}));
  const std::wstring later = PathOf(L"later.png");
  LabelPictureCache cache;
  const TVpPicture* first = cache.Find(logo);
  ASSERT_TRUE(first);
  EXPECT_EQ(cache.Find(later), nullptr);

  Write(L"logo.png", RgbPng(1, 1, {0, 0, 255}));
  Write(L"later.png", RgbPng(1, 1, {0, 0, 255}));
  EXPECT_EQ(cache.Find(logo), first);
  EXPECT_EQ(PixelAt(*first, 0, 0), kRed);
  EXPECT_EQ(cache.Find(later), nullptr);

  cache.Clear();
  ASSERT_TRUE(cache.Find(logo));
  EXPECT_EQ(PixelAt(*cache.Find(logo), 0, 0), kBlue);
  EXPECT_TRUE(cache.Find(later));
}

}  // namespace
