#pragma once
// Splits an RTF byte stream into groups, control words, control symbols, \'hh bytes and runs
// of text, reading the source in blocks. Control words longer than 32 letters come back with
// an empty name; numbers are clamped to 32 bits; CR and LF between tokens are dropped.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "richedit/ByteStream.h"

namespace richedit {

enum class RtfTokenKind { GroupStart, GroupEnd, Word, Symbol, Hex, Text, End };

struct RtfToken {
  RtfTokenKind kind = RtfTokenKind::End;
  std::string_view word;  // Word: the control word's name
  bool hasParam = false;
  std::int32_t param = 0;
  char symbol = 0;        // Symbol: the character after the backslash
  unsigned char hex = 0;  // Hex: the byte of \'hh
  std::string_view text;  // Text: raw bytes, valid until the next call
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(ByteSource& source, std::size_t blockSize = 64 * 1024);

  RtfToken next();
  // Hands the next count raw bytes (the data of \binN) to sink in pieces; returns how many
  // there were before the stream ended.
  template <typename Sink>
  std::size_t readBinary(std::size_t count, Sink sink);
  // Skips leading white space and tells whether the stream starts with "{\rtf" or "{\urtf".
  bool startsLikeRtf();

  bool sourceFailed() const { return failed_; }
  std::size_t bytesRead() const { return consumed_ + pos_; }

 private:
  bool fill();
  int peekAt(std::size_t ahead);
  int get();
  RtfToken controlToken();

  ByteSource& source_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::size_t consumed_ = 0;  // bytes dropped from the front of the buffer
  bool eof_ = false;
  bool failed_ = false;
  char word_[33] = {};
};

template <typename Sink>
std::size_t RtfTokenizer::readBinary(std::size_t count, Sink sink) {
  std::size_t done = 0;
  while (done < count) {
    if (pos_ >= end_ && !fill()) break;
    const std::size_t n = std::min(count - done, end_ - pos_);
    sink(std::string_view(buffer_.data() + pos_, n));
    pos_ += n;
    done += n;
  }
  return done;
}

}  // namespace richedit
