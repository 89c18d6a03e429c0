#include "richedit/RtfTokenizer.h"

#include <algorithm>
#include <cstring>

namespace richedit {

namespace {

bool isLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
int hexValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtfTokenizer::RtfTokenizer(ByteSource& source, std::size_t blockSize)
    : source_(source), buffer_(std::max<std::size_t>(blockSize, 64)) {}

bool RtfTokenizer::fill() {
  if (eof_) return pos_ < end_;
  if (pos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    consumed_ += pos_;
    end_ -= pos_;
    pos_ = 0;
  }
  while (end_ < buffer_.size()) {
    const std::ptrdiff_t n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0) failed_ = true;
    if (n <= 0) {
      eof_ = true;
      break;
    }
    end_ += static_cast<std::size_t>(n);
    break;  // one block at a time keeps the reader streaming
  }
  return pos_ < end_;
}

int RtfTokenizer::peekAt(std::size_t ahead) {
  while (pos_ + ahead >= end_) {
    if (eof_) return -1;
    const std::size_t before = end_ - pos_;
    fill();
    if (end_ - pos_ == before && eof_) return -1;
  }
  return static_cast<unsigned char>(buffer_[pos_ + ahead]);
}

int RtfTokenizer::get() {
  const int c = peekAt(0);
  if (c >= 0) ++pos_;
  return c;
}

bool RtfTokenizer::startsLikeRtf() {
  while (true) {
    const int c = peekAt(0);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++pos_;
      continue;
    }
    break;
  }
  static const char rtf[] = "{\\rtf";
  static const char urtf[] = "{\\urtf";
  auto matches = [this](const char* s) {
    for (std::size_t i = 0; s[i]; ++i) {
      if (peekAt(i) != static_cast<unsigned char>(s[i])) return false;
    }
    return true;
  };
  return matches(rtf) || matches(urtf);
}

RtfToken RtfTokenizer::next() {
  while (true) {
    const int c = peekAt(0);
    RtfToken t;
    if (c < 0) return t;
    if (c == '\r' || c == '\n') {
      ++pos_;
      continue;
    }
    if (c == '{') {
      ++pos_;
      t.kind = RtfTokenKind::GroupStart;
      return t;
    }
    if (c == '}') {
      ++pos_;
      t.kind = RtfTokenKind::GroupEnd;
      return t;
    }
    if (c == '\\') {
      ++pos_;
      return controlToken();
    }
    std::size_t stop = pos_;
    while (stop < end_) {
      const char b = buffer_[stop];
      if (b == '{' || b == '}' || b == '\\' || b == '\r' || b == '\n') break;
      ++stop;
    }
    t.kind = RtfTokenKind::Text;
    t.text = std::string_view(buffer_.data() + pos_, stop - pos_);
    pos_ = stop;
    return t;
  }
}

RtfToken RtfTokenizer::controlToken() {
  RtfToken t;
  const int c = get();
  if (c < 0) return t;  // a backslash at the very end
  if (isLetter(c)) {
    std::size_t n = 0;
    bool tooLong = false;
    word_[n++] = static_cast<char>(c);
    while (isLetter(peekAt(0))) {
      const int d = get();
      if (n < 32) {
        word_[n++] = static_cast<char>(d);
      } else {
        tooLong = true;
      }
    }
    t.kind = RtfTokenKind::Word;
    t.word = tooLong ? std::string_view() : std::string_view(word_, n);
    bool negative = false;
    if (peekAt(0) == '-' && isDigit(peekAt(1))) {
      negative = true;
      ++pos_;
    }
    if (isDigit(peekAt(0))) {
      std::int64_t v = 0;
      while (isDigit(peekAt(0))) {
        const int d = get() - '0';
        if (v <= 0x7FFFFFFF) v = v * 10 + d;
      }
      if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
      t.hasParam = true;
      t.param = static_cast<std::int32_t>(negative ? -v : v);
    }
    if (peekAt(0) == ' ') ++pos_;
    return t;
  }
  if (c == '\'') {
    const int h = hexValue(peekAt(0));
    const int l = h < 0 ? -1 : hexValue(peekAt(1));
    if (h < 0 || l < 0) {
      t.kind = RtfTokenKind::Symbol;
      t.symbol = '\'';
      return t;
    }
    pos_ += 2;
    t.kind = RtfTokenKind::Hex;
    t.hex = static_cast<unsigned char>(h * 16 + l);
    return t;
  }
  if (c == '\r' || c == '\n') {  // a backslash before a line end is a paragraph end
    t.kind = RtfTokenKind::Word;
    t.word = "par";
    return t;
  }
  t.kind = RtfTokenKind::Symbol;
  t.symbol = static_cast<char>(c);
  return t;
}

}  // namespace richedit
