#include "writer/CompressedRichText.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "platform/Error.h"

namespace {

constexpr int kLevel = 1;
constexpr int kWindowBits = 15;
constexpr int kMemoryLevel = 8;
// zlib counts its buffers in 32-bit lengths.
constexpr std::size_t kLargestPiece = 1u << 30;

Bytef* Bytes(const char* data) { return reinterpret_cast<Bytef*>(const_cast<char*>(data)); }

}  // namespace

std::size_t BytesSource::read(char* buffer, std::size_t size) {
  const std::size_t n = std::min(size, bytes_.size() - pos_);
  if (n > 0) std::memcpy(buffer, bytes_.data() + pos_, n);
  pos_ += n;
  return n;
}

RichTextCompressor::RichTextCompressor(BlockSink& sink)
    : sink_(sink), z_(std::make_unique<z_stream>()), block_(kCompressedBlockSize, '\0') {
  if (deflateInit2(z_.get(), kLevel, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    z_.reset();
    throw EError("Could not start compressing the document");
  }
  z_->next_out = Bytes(block_.data());
  z_->avail_out = static_cast<uInt>(block_.size());
}

RichTextCompressor::~RichTextCompressor() {
  if (z_) deflateEnd(z_.get());
}

void RichTextCompressor::write(const char* data, std::size_t size) {
  while (size > 0) {
    const std::size_t piece = std::min(size, kLargestPiece);
    z_->next_in = Bytes(data);
    z_->avail_in = static_cast<uInt>(piece);
    deflateAll(Z_NO_FLUSH);
    data += piece;
    size -= piece;
  }
}

void RichTextCompressor::finish() {
  z_->next_in = nullptr;
  z_->avail_in = 0;
  deflateAll(Z_FINISH);
  const std::size_t rest = block_.size() - z_->avail_out;
  if (rest > 0) sink_.write(block_.data(), rest);
  z_->next_out = Bytes(block_.data());
  z_->avail_out = static_cast<uInt>(block_.size());
}

// Runs deflate until it has taken all input (and, when finishing, written its end),
// handing each full block to the sink.
void RichTextCompressor::deflateAll(int flush) {
  for (;;) {
    const int result = deflate(z_.get(), flush);
    if (result == Z_STREAM_ERROR) throw EError("Could not compress the document");
    if (z_->avail_out == 0) {
      emitBlock();
      continue;
    }
    if (flush == Z_FINISH ? result == Z_STREAM_END : z_->avail_in == 0) return;
  }
}

void RichTextCompressor::emitBlock() {
  sink_.write(block_.data(), block_.size());
  z_->next_out = Bytes(block_.data());
  z_->avail_out = static_cast<uInt>(block_.size());
}

DecompressingReader::DecompressingReader(RestartableSource& compressed)
    : compressed_(compressed),
      z_(std::make_unique<z_stream>()),
      block_(kCompressedBlockSize, '\0') {
  if (inflateInit2(z_.get(), kWindowBits) != Z_OK) {
    z_.reset();
    throw EError("Could not start reading the compressed document");
  }
}

DecompressingReader::~DecompressingReader() {
  if (z_) inflateEnd(z_.get());
}

bool DecompressingReader::refill() {
  if (sourceEnded_) return false;
  const std::size_t got = compressed_.read(block_.data(), block_.size());
  sourceEnded_ = got == 0;
  z_->next_in = Bytes(block_.data());
  z_->avail_in = static_cast<uInt>(got);
  return got > 0;
}

std::size_t DecompressingReader::read(char* buffer, std::size_t size) {
  size = std::min(size, kLargestPiece);
  if (finished_ || size == 0) return 0;
  z_->next_out = reinterpret_cast<Bytef*>(buffer);
  z_->avail_out = static_cast<uInt>(size);
  while (z_->avail_out > 0) {
    // Inflate may still hold output from input it has taken, so it runs before a refill.
    const int result = inflate(z_.get(), Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      finished_ = true;
      break;
    }
    if (result != Z_OK && result != Z_BUF_ERROR) throw EError("The compressed document is damaged");
    if (z_->avail_in == 0 && !refill()) {
      // The file ended before the stream did: what was decoded is all there is.
      finished_ = true;
      break;
    }
  }
  return size - z_->avail_out;
}

void DecompressingReader::restart() {
  compressed_.restart();
  inflateReset(z_.get());
  z_->next_in = nullptr;
  z_->avail_in = 0;
  sourceEnded_ = false;
  finished_ = false;
}
