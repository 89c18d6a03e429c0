// The GIF writer's files, block by block, and read back by ImageMagick: frame count, size and
// delay from identify, each frame's pixels from convert, compared with the pictures we drew.
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/writer/export/ExternalReaders.h"
#include "writer/export/GifWriter.h"

using writer::RgbColor;
using writer::RgbImage;
using writer::TGIFImage;
using namespace export_tests;

namespace {

// What a walk through the file's blocks finds.
struct GifBlocks {
  int width = 0, height = 0, packed = 0, background = 0;
  std::string globalTable;
  bool looping = false;
  int repeatCount = -1;
  std::vector<int> delays;          // hundredths, from each graphic control extension
  std::vector<int> framePacked;     // each image descriptor's packed byte
  std::vector<std::string> tables;  // each frame's colour table (global for the first)
  std::vector<std::string> comments;
  bool trailerLast = false;
};

int Word(const std::string& s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}

std::vector<std::string> SubBlocks(const std::string& s, std::size_t& at) {
  std::vector<std::string> blocks;
  while (static_cast<unsigned char>(s.at(at)) != 0) {
    const int n = static_cast<unsigned char>(s[at]);
    blocks.push_back(s.substr(at + 1, n));
    at += 1 + n;
  }
  ++at;
  return blocks;
}

GifBlocks Walk(const std::string& gif) {
  GifBlocks b;
  EXPECT_EQ(gif.substr(0, 6), "GIF89a");
  b.width = Word(gif, 6);
  b.height = Word(gif, 8);
  b.packed = static_cast<unsigned char>(gif[10]);
  b.background = static_cast<unsigned char>(gif[11]);
  EXPECT_EQ(gif[12], 0) << "pixel aspect ratio";
  b.globalTable = gif.substr(13, 768);
  std::size_t at = 13 + 768;
  while (at < gif.size()) {
    const unsigned char kind = gif[at];
    if (kind == 0x3B) {
      b.trailerLast = at + 1 == gif.size();
      break;
    }
    if (kind == 0x21) {
      const unsigned char label = gif[at + 1];
      at += 2;
      const std::vector<std::string> blocks = SubBlocks(gif, at);
      if (label == 0xFF && blocks.size() == 2 && blocks[0] == "NETSCAPE2.0") {
        b.looping = true;
        EXPECT_EQ(blocks[1].size(), 3u);
        b.repeatCount = Word(blocks[1], 1);
      } else if (label == 0xF9) {
        EXPECT_EQ(blocks.size(), 1u);
        EXPECT_EQ(blocks[0].size(), 4u);
        EXPECT_EQ(blocks[0][0], 0) << "no disposal, no transparency";
        b.delays.push_back(Word(blocks[0], 1));
      } else if (label == 0xFE) {
        b.comments = blocks;
      }
    } else if (kind == 0x2C) {
      EXPECT_EQ(Word(gif, at + 1), 0);
      EXPECT_EQ(Word(gif, at + 3), 0);
      const int packed = static_cast<unsigned char>(gif[at + 9]);
      b.framePacked.push_back(packed);
      at += 10;
      if (packed & 0x80) {
        b.tables.push_back(gif.substr(at, 768));
        at += 768;
      } else {
        b.tables.push_back(b.globalTable);
      }
      EXPECT_EQ(gif[at], 8) << "LZW minimum code size";
      ++at;
      SubBlocks(gif, at);
    } else {
      ADD_FAILURE() << "unknown block " << static_cast<int>(kind) << " at " << at;
      break;
    }
  }
  return b;
}

std::string Rgb(RgbColor c) {
  return {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
}

// A page-like picture: white with a frame colour and a few "lines of text" in colour k.
RgbImage PagePicture(int width, int height, int k) {
  RgbImage image(width, height);
  const RgbColor ink{static_cast<std::uint8_t>(40 * k), 0, static_cast<std::uint8_t>(200 - 30 * k)};
  for (int y = 10; y < height - 10; y += 14)
    for (int x = 12; x < width - 12 - 7 * k; ++x)
      if ((x * 7 + y * 3) % 11 < 6) image.SetPixel(x, y + (x % 3), ink);
  for (int x = 0; x < width; ++x) image.SetPixel(x, 0, {0, 128, 192});
  return image;
}

// Every pixel its own mix: far more than 2049 colours.
RgbImage ManyColours(int width, int height) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y,
                     {static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 3),
                      static_cast<std::uint8_t>((x * y) % 256)});
  return image;
}

struct Identified {
  int frames = 0;
  std::set<std::string> sizes, delays;
};

Identified Identify(const ScratchFolder& folder, const std::string& name) {
  const CommandResult r = RunUnix("identify -format '%wx%h %T\\n' " + folder.Unix(name));
  EXPECT_EQ(r.status, 0) << r.output;
  Identified id;
  std::istringstream lines(r.output);
  std::string size, delay;
  while (lines >> size >> delay) {
    ++id.frames;
    id.sizes.insert(size);
    id.delays.insert(delay);
  }
  return id;
}

// Frame n as ImageMagick decodes it.
RgbImage DecodedFrame(const ScratchFolder& folder, const std::string& name, int n) {
  const std::string ppm = "frame" + std::to_string(n) + ".ppm";
  const CommandResult r =
      RunUnix("convert " + folder.Unix(name) + "'[" + std::to_string(n) + "]' " + folder.Unix(ppm));
  EXPECT_EQ(r.status, 0) << r.output;
  const std::optional<RgbImage> image = ParsePpm(ReadBytes(folder.Local(ppm)));
  EXPECT_TRUE(image);
  return image ? *image : RgbImage();
}

TGIFImage PresentationOf(const std::vector<RgbImage>& pages, std::uint16_t delay) {
  TGIFImage gif;
  gif.Comments = {"Created by Tessary Express version 1.0", "", "This is a test."};
  gif.Looping = true;
  for (const RgbImage& page : pages) gif.SetDelay(gif.AddFrame(page), delay);
  return gif;
}

}  // namespace

TEST(GifWriter, OnePageHasOnlyTheGlobalTableAndNoLoopingExtension) {
  const RgbImage page = PagePicture(120, 90, 1);
  const std::string bytes = PresentationOf({page}, 5000).SaveToBytes();
  const GifBlocks b = Walk(bytes);
  EXPECT_EQ(b.width, 120);
  EXPECT_EQ(b.height, 90);
  EXPECT_EQ(b.packed, 0xF7);
  EXPECT_EQ(b.background, 0) << "white is the most frequent colour";
  EXPECT_EQ(b.globalTable.substr(0, 3), Rgb({255, 255, 255}));
  EXPECT_FALSE(b.looping);
  EXPECT_EQ(b.delays, std::vector<int>{500});
  EXPECT_EQ(b.framePacked, std::vector<int>{0});
  EXPECT_EQ(b.comments, (std::vector<std::string>{"Created by Tessary Express version 1.0",
                                                  "This is a test."}));
  EXPECT_TRUE(b.trailerLast);

  ScratchFolder folder;
  WriteBytes(folder.Local("one.gif"), bytes);
  const Identified id = Identify(folder, "one.gif");
  EXPECT_EQ(id.frames, 1);
  EXPECT_EQ(id.sizes, std::set<std::string>{"120x90"});
  EXPECT_EQ(id.delays, std::set<std::string>{"500"});
  const ImageDifference d = Compare(DecodedFrame(folder, "one.gif", 0), page, 0);
  EXPECT_EQ(d.pixelsBeyond, 0);
}

TEST(GifWriter, ThreePagesLoopForEverWithLocalTablesAfterTheFirst) {
  const std::vector<RgbImage> pages = {PagePicture(693, 950, 0), PagePicture(693, 950, 1),
                                       PagePicture(693, 950, 2)};
  const std::string bytes = PresentationOf(pages, 15000).SaveToBytes();
  const GifBlocks b = Walk(bytes);
  EXPECT_TRUE(b.looping);
  EXPECT_EQ(b.repeatCount, 0);
  EXPECT_EQ(b.delays, (std::vector<int>{1500, 1500, 1500}));
  EXPECT_EQ(b.framePacked, (std::vector<int>{0, 0x87, 0x87}));

  ScratchFolder folder;
  WriteBytes(folder.Local("three.gif"), bytes);
  const Identified id = Identify(folder, "three.gif");
  EXPECT_EQ(id.frames, 3);
  EXPECT_EQ(id.sizes, std::set<std::string>{"693x950"});
  EXPECT_EQ(id.delays, std::set<std::string>{"1500"});
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Compare(DecodedFrame(folder, "three.gif", n), pages[n], 0).pixelsBeyond, 0);
  }
}

TEST(GifWriter, FewColoursAreKeptExactlyByFallingCountWithGreyFillers) {
  // Counted from the bottom row up: green and white (two each) before red and blue (two
  // each), then black once.
  RgbImage image(4, 3);
  const RgbColor red{255, 0, 0}, blue{0, 0, 255}, green{0, 255, 0}, white{255, 255, 255},
      black{0, 0, 0};
  const RgbColor rows[3][4] = {
      {red, red, blue, blue}, {black, white, white, white}, {green, green, white, white}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) image.SetPixel(x, y, rows[y][x]);
  TGIFImage gif;
  gif.AddFrame(image);
  const std::string bytes = gif.SaveToBytes();
  const GifBlocks b = Walk(bytes);
  std::string expected = Rgb(white) + Rgb(green) + Rgb(red) + Rgb(blue) + Rgb(black);
  while (expected.size() < 768) expected += Rgb({128, 128, 128});
  EXPECT_EQ(b.globalTable, expected);
  EXPECT_EQ(b.background, 0);
  EXPECT_TRUE(b.comments.empty());

  ScratchFolder folder;
  WriteBytes(folder.Local("few.gif"), bytes);
  EXPECT_EQ(Compare(DecodedFrame(folder, "few.gif", 0), image, 0).pixelsBeyond, 0);
}

TEST(GifWriter, ManyColoursLoseLowBitsAndTakeTheNearestEntry) {
  // A picture of 256 frequent colours and one rare colour: the rare one takes the nearest.
  RgbImage image(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const int k = (y / 4) * 16 + x / 4;  // 256 blocks of 16 pixels
      image.SetPixel(x, y, {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(255 - k), 77});
    }
  // Nearest: colour 102 (102, 153, 77) at 4 + 9 + 16; colour 100 (100, 155, 77) is at 41.
  image.SetPixel(5, 5, {100, 150, 81});
  const RgbImage many = ManyColours(200, 150);

  ScratchFolder folder;
  TGIFImage gif;
  gif.AddFrame(image);
  gif.AddFrame(many);
  WriteBytes(folder.Local("many.gif"), gif.SaveToBytes());
  const RgbImage decoded = DecodedFrame(folder, "many.gif", 0);
  EXPECT_EQ(decoded.Pixel(5, 5), (RgbColor{102, 153, 77}));
  RgbImage expected = image;
  expected.SetPixel(5, 5, {102, 153, 77});
  EXPECT_EQ(Compare(decoded, expected, 0).pixelsBeyond, 0);

  // Thousands of colours: bits are dropped until 2049 fit, then 256 are kept; the picture
  // comes back close, and the table sizes and LZW restarts are exercised.
  const GifBlocks b = Walk(ReadBytes(folder.Local("many.gif")));
  ASSERT_EQ(b.tables.size(), 2u);
  const RgbImage second = DecodedFrame(folder, "many.gif", 1);
  ASSERT_EQ(second.Width(), 200);
  long total = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      const RgbColor p = second.Pixel(x, y), q = many.Pixel(x, y);
      total += std::abs(p.red - q.red) + std::abs(p.green - q.green) + std::abs(p.blue - q.blue);
    }
  EXPECT_LT(total / (200 * 150), 60) << "average difference per pixel";
}

TEST(GifWriter, MoreThan2049ColoursDropBlueThenRedThenGreenBits) {
  // Colours (2k + 1, 4j + 3, 255): 2049 of them fit the count. 2050 stay distinct after
  // blue, red and green each lose a bit; the next round (blue, then red) merges red pairs, and
  // green keeps seven bits, so its values end in binary 10.
  struct Case {
    int colours;
    RgbColor masks;
  };
  const Case cases[] = {{2049, {255, 255, 255}}, {2050, {252, 254, 252}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colours);
    RgbImage image(c.colours, 1);
    for (int x = 0; x < c.colours; ++x)
      image.SetPixel(x, 0,
                     {static_cast<std::uint8_t>(2 * (x % 64) + 1),
                      static_cast<std::uint8_t>(4 * (x / 64) + 3), 255});
    TGIFImage gif;
    gif.AddFrame(image);
    const GifBlocks b = Walk(gif.SaveToBytes());
    std::set<std::string> palette;
    for (int i = 0; i < 256; ++i) palette.insert(b.globalTable.substr(3 * i, 3));
    std::set<std::string> expected;
    for (int x = 0; x < c.colours; ++x) {
      const RgbColor p = image.Pixel(x, 0);
      expected.insert(Rgb({static_cast<std::uint8_t>(p.red & c.masks.red),
                           static_cast<std::uint8_t>(p.green & c.masks.green),
                           static_cast<std::uint8_t>(p.blue & c.masks.blue)}));
    }
    for (const std::string& entry : palette)
      EXPECT_TRUE(expected.count(entry))
          << int(entry[0] & 0xFF) << " " << int(entry[1] & 0xFF) << " " << int(entry[2] & 0xFF);
  }
}

TEST(GifWriter, APresentationWithoutPagesIsRefused) {
  TGIFImage gif;
  EXPECT_THROW(gif.SaveToBytes(), std::exception);
}
