// Screenshots must be real PNG files: check the structure and the pixels after inflating.
#include <zlib.h>

#include <gtest/gtest.h>

#include "tests/support/PngWriter.h"

namespace {
std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
         (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}
}  // namespace

TEST(PngWriter, WritesHeaderAndFilteredRowsThatInflateToThePixels) {
  const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
  const auto png = EncodePng(2, 2, rgb);
  ASSERT_GT(png.size(), 8u + 25u + 12u + 12u);
  EXPECT_EQ(png[1], 'P');
  EXPECT_EQ(Big32(png, 8), 13u);  // IHDR length
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(Big32(png, 16), 2u);
  EXPECT_EQ(Big32(png, 20), 2u);
  EXPECT_EQ(png[24], 8);  // bit depth
  EXPECT_EQ(png[25], 2);  // RGB
  // The IHDR checksum covers type and data.
  EXPECT_EQ(Big32(png, 29), static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));

  const std::size_t idat = 33;
  const std::uint32_t len = Big32(png, idat);
  ASSERT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
  std::vector<std::uint8_t> raw(2 * (1 + 6));
  uLongf rawSize = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &rawSize, png.data() + idat + 8, len), Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  const std::vector<std::uint8_t> expected = {0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 10, 20, 30};
  EXPECT_EQ(raw, expected);
  EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

TEST(PngWriter, RefusesPixelsThatDoNotMatchTheSize) {
  EXPECT_THROW(EncodePng(2, 2, std::vector<std::uint8_t>(11)), std::invalid_argument);
  EXPECT_THROW(EncodePng(0, 1, {}), std::invalid_argument);
}
