#pragma once
// Compressed rich text (".rtc"): a document's RTF as one zlib stream. This part needs no
// Windows API: the compressor that writes such a stream and the reader that unpacks one.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

struct z_stream_s;

// Both directions move the data in blocks of this size.
constexpr std::size_t kCompressedBlockSize = 8192;

// A source of bytes that can go back to its first byte.
class RestartableSource {
 public:
  virtual ~RestartableSource() = default;
  // Up to size bytes into buffer; 0 at the end. Throws EError when the bytes cannot be had.
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
  virtual void restart() = 0;
};

class BytesSource final : public RestartableSource {
 public:
  explicit BytesSource(std::string_view bytes) : bytes_(bytes) {}
  std::size_t read(char* buffer, std::size_t size) override;
  void restart() override { pos_ = 0; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

class BlockSink {
 public:
  virtual ~BlockSink() = default;
  // Takes all size bytes; throws EError when it cannot.
  virtual void write(const char* data, std::size_t size) = 0;
};

class StringSink final : public BlockSink {
 public:
  void write(const char* data, std::size_t size) override { bytes.append(data, size); }
  std::string bytes;
};

// Deflate at level 1, memory level 8, a 32 KiB window and the default strategy, so every
// stream starts 0x78 0x01. Compressed output reaches the sink in whole blocks as they fill;
// finish() writes the rest and the Adler-32 trailer.
class RichTextCompressor {
 public:
  explicit RichTextCompressor(BlockSink& sink);
  ~RichTextCompressor();
  RichTextCompressor(const RichTextCompressor&) = delete;
  RichTextCompressor& operator=(const RichTextCompressor&) = delete;

  void write(const char* data, std::size_t size);
  void finish();

 private:
  void deflateAll(int flush);
  void emitBlock();

  BlockSink& sink_;
  std::unique_ptr<z_stream_s> z_;
  std::string block_;
};

// Unpacks a zlib stream (window bits 15, header expected) read from the source in blocks.
// A stream that ends before its end marker yields what was decoded; a bad header, bad data
// or a wrong checksum throws EError. restart() starts again from the source's first byte.
class DecompressingReader final : public RestartableSource {
 public:
  explicit DecompressingReader(RestartableSource& compressed);
  ~DecompressingReader() override;
  DecompressingReader(const DecompressingReader&) = delete;
  DecompressingReader& operator=(const DecompressingReader&) = delete;

  std::size_t read(char* buffer, std::size_t size) override;
  void restart() override;

 private:
  bool refill();

  RestartableSource& compressed_;
  std::unique_ptr<z_stream_s> z_;
  std::string block_;
  bool sourceEnded_ = false;
  bool finished_ = false;
};
