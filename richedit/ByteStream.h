#pragma once
// The byte streams EM_STREAMIN and EM_STREAMOUT move documents through. The window layer
// adapts the caller's EDITSTREAM callback to these; tests and the core use the memory forms.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace richedit {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to size bytes; returns how many (0 at the end), or -1 when the source failed.
  virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Takes all size bytes; false when the sink failed.
  virtual bool write(const char* data, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    if (n > 0) std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return static_cast<std::ptrdiff_t>(n);
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

class StringSink final : public ByteSink {
 public:
  bool write(const char* data, std::size_t size) override {
    bytes.append(data, size);
    return true;
  }
  std::string bytes;
};

}  // namespace richedit
