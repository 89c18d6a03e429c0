// Compressed rich text: what the compressor writes and what the reader makes of it, whole,
// cut short, damaged or read again from the start.
#include <zlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "writer/CompressedRichText.h"

namespace {

// Text that compresses only a little, so that streams span several blocks.
std::string Document(std::size_t size) {
  std::string text;
  unsigned state = 12345;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += static_cast<char>('a' + (state >> 16) % 26);
    if ((state >> 8) % 7 == 0) text += "\\par ";
  }
  text.resize(size);
  return text;
}

class BlockRecorder final : public BlockSink {
 public:
  void write(const char* data, std::size_t size) override {
    bytes.append(data, size);
    blocks.push_back(size);
  }
  std::string bytes;
  std::vector<std::size_t> blocks;
};

// Counts the requests the reader makes of the compressed bytes.
class CountingSource final : public RestartableSource {
 public:
  explicit CountingSource(const std::string& bytes) : inner_(bytes) {}
  std::size_t read(char* buffer, std::size_t size) override {
    requests.push_back(size);
    return inner_.read(buffer, size);
  }
  void restart() override {
    ++restarts;
    inner_.restart();
  }
  std::vector<std::size_t> requests;
  int restarts = 0;

 private:
  BytesSource inner_;
};

std::string Compress(const std::string& text, std::vector<std::size_t>* blocks = nullptr) {
  BlockRecorder sink;
  RichTextCompressor compressor(sink);
  // Fed in uneven pieces, as a file would deliver them.
  for (std::size_t at = 0; at < text.size(); at += 5000)
    compressor.write(text.data() + at, std::min<std::size_t>(5000, text.size() - at));
  compressor.finish();
  if (blocks) *blocks = sink.blocks;
  return sink.bytes;
}

std::string ReadAll(RestartableSource& reader, std::size_t piece = 3000) {
  std::string out(piece, '\0');
  std::string all;
  while (const std::size_t n = reader.read(out.data(), piece)) all.append(out.data(), n);
  return all;
}

std::string Inflate(const std::string& text) {
  BytesSource source(text);
  DecompressingReader reader(source);
  return ReadAll(reader);
}

TEST(CompressedRichText, RoundTripsInLevelOneStreamsOfWholeBlocks) {
  for (const std::size_t size : {0u, 1u, 8191u, 8192u, 100000u, 300000u}) {
    SCOPED_TRACE(size);
    const std::string text = Document(size);
    std::vector<std::size_t> blocks;
    const std::string packed = Compress(text, &blocks);
    ASSERT_GE(packed.size(), 6u);  // header and checksum even for nothing
    EXPECT_EQ(static_cast<unsigned char>(packed[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(packed[1]), 0x01);
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i) EXPECT_EQ(blocks[i], kCompressedBlockSize);
    EXPECT_LE(blocks.back(), kCompressedBlockSize);

    // Any zlib reader accepts it ...
    std::string other(size, '\0');
    uLongf otherSize = static_cast<uLongf>(size);
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(other.data()), &otherSize,
                         reinterpret_cast<const Bytef*>(packed.data()), packed.size()),
              Z_OK);
    EXPECT_EQ(otherSize, size);
    // ... and ours gives the text back.
    EXPECT_EQ(Inflate(packed), text);
  }
}

TEST(CompressedRichText, ReaderTakesTheSourceInBlocksAndRestartsFromItsFirstByte) {
  const std::string text = Document(200000);
  const std::string packed = Compress(text);
  CountingSource source(packed);
  DecompressingReader reader(source);
  std::string first(70000, '\0');
  ASSERT_EQ(reader.read(first.data(), first.size()), first.size());
  reader.restart();
  EXPECT_EQ(source.restarts, 1);
  EXPECT_EQ(ReadAll(reader, 9000), text);
  for (const std::size_t request : source.requests) EXPECT_EQ(request, kCompressedBlockSize);
}

TEST(CompressedRichText, ShortStreamsGiveWhatWasDecodedAndDamageFails) {
  const std::string text = Document(100000);
  const std::string packed = Compress(text);
  std::string badChecksum = packed;
  badChecksum.back() ^= 0x55;
  std::string badHeader = packed;
  badHeader[0] = 0x00;
  std::string badData = packed;
  badData[2] = static_cast<char>(0xFF);  // a reserved block type

  struct Case {
    const char* name;
    std::string bytes;
    bool fails;
  };
  const Case cases[] = {
      {"cut in half", packed.substr(0, packed.size() / 2), false},
      {"checksum cut off", packed.substr(0, packed.size() - 4), false},
      {"header only", packed.substr(0, 2), false},
      {"empty", "", false},
      {"bad checksum", badChecksum, true},
      {"bad header", badHeader, true},
      {"bad data", badData, true},
      {"not compressed", "{\\rtf1 plain}", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.fails) {
      EXPECT_THROW(Inflate(c.bytes), EError);
      continue;
    }
    const std::string decoded = Inflate(c.bytes);
    EXPECT_LE(decoded.size(), text.size());
    EXPECT_EQ(decoded, text.substr(0, decoded.size()));
  }
  EXPECT_GT(Inflate(packed.substr(0, packed.size() / 2)).size(), text.size() / 4);
  EXPECT_EQ(Inflate(packed.substr(0, packed.size() - 4)), text);
}

}  // namespace
