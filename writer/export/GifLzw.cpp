#include "writer/export/GifLzw.h"

#include <array>
#include <memory>

namespace writer {

namespace {

constexpr int kClear = 256;
constexpr int kEnd = 257;
constexpr int kFirstFree = 258;
constexpr int kTableLimit = 4094;  // a new table starts when the next free code reaches it
constexpr int kMostBits = 12;

// Codes packed from the least significant bit up, cut into sub-blocks of 255 bytes.
class CodeWriter {
 public:
  void Put(int code) {
    bits_ |= static_cast<std::uint32_t>(code) << used_;
    used_ += width_;
    while (used_ >= 8) {
      Byte(static_cast<char>(bits_ & 0xFF));
      bits_ >>= 8;
      used_ -= 8;
    }
    // The reader widens its codes once its next free code passes the widest of this width.
    if (code == kClear) {
      width_ = 9;
      running_ = kFirstFree;
    } else if (++running_ > (1 << width_) && width_ < kMostBits) {
      ++width_;
    }
  }
  std::string Finish() {
    if (used_ > 0) Byte(static_cast<char>(bits_ & 0xFF));
    if (!block_.empty()) Flush();
    out_ += '\0';
    return std::move(out_);
  }

 private:
  void Byte(char b) {
    block_ += b;
    if (block_.size() == 255) Flush();
  }
  void Flush() {
    out_ += static_cast<char>(block_.size());
    out_ += block_;
    block_.clear();
  }

  std::uint32_t bits_ = 0;
  int used_ = 0;
  int width_ = 9;
  int running_ = kFirstFree;
  std::string block_;
  std::string out_;
};

// The strings coded so far: (prefix code, next index) to code, open addressing.
class StringTable {
 public:
  StringTable() { Clear(); }
  void Clear() { keys_.fill(0); }
  // The slot of the pair: holds its code when Code(slot) >= 0.
  int Slot(int prefix, int index) const {
    const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8 | index) + 1;
    int slot = static_cast<int>((key * 2654435761u) >> 19);
    while (keys_[slot] != 0 && keys_[slot] != key) slot = (slot + 1) & (kSlots - 1);
    return slot;
  }
  int Code(int slot) const { return keys_[slot] ? codes_[slot] : -1; }
  void Add(int slot, int prefix, int index, int code) {
    keys_[slot] = (static_cast<std::uint32_t>(prefix) << 8 | index) + 1;
    codes_[slot] = static_cast<std::uint16_t>(code);
  }

 private:
  static constexpr int kSlots = 8192;  // a power of two, twice the codes a table holds
  std::array<std::uint32_t, kSlots> keys_;
  std::array<std::uint16_t, kSlots> codes_{};
};

}  // namespace

std::string LzwSubBlocks(const std::vector<std::uint8_t>& indices) {
  std::string out(1, '\x08');
  CodeWriter writer;
  writer.Put(kClear);
  if (indices.empty()) {
    writer.Put(kEnd);
    return out + writer.Finish();
  }
  auto table = std::make_unique<StringTable>();
  int next = kFirstFree;
  int prefix = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const int index = indices[i];
    const int slot = table->Slot(prefix, index);
    const int code = table->Code(slot);
    if (code >= 0) {
      prefix = code;
      continue;
    }
    writer.Put(prefix);
    if (next == kTableLimit) {
      writer.Put(kClear);
      table->Clear();
      next = kFirstFree;
    } else {
      table->Add(slot, prefix, index, next++);
    }
    prefix = index;
  }
  writer.Put(prefix);
  writer.Put(kEnd);
  return out + writer.Finish();
}

}  // namespace writer
