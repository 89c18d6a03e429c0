#pragma once
// The stored forms of page objects and resource lists: a seekable byte stream, length-prefixed
// blocks and value lists of name=value lines. Integers are 32-bit little-endian; text is in the
// program's single-byte code page; lengths are stored in thousandths of an inch.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpTypes.h"

// A stored record that cannot be read: truncated, a length that does not fit, a value that is
// not a number. The text is a sentence for the user.
class EVpStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Bytes in memory with a position. Writing at the position overwrites and extends; reading
// past the end throws EVpStreamError and leaves the position where it was.
class TVpMemoryStream {
 public:
  TVpMemoryStream() = default;
  explicit TVpMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

  const std::string& Bytes() const { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }
  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  // A position beyond the end throws EVpStreamError.
  void Seek(std::size_t position);

  void Write(std::string_view bytes);
  void WriteByte(std::uint8_t value);
  void WriteInt32(std::int32_t value);
  // Writes value at position without moving the stream's position (the size must allow it).
  void PatchInt32(std::size_t position, std::int32_t value);

  std::string Read(std::size_t count);
  std::uint8_t ReadByte();
  std::int32_t ReadInt32();

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

// A block: int32 n, then n bytes. Reading a negative n, or an n larger than what follows,
// throws EVpStreamError; n = 0 reads as empty.
void WriteBlock(TVpMemoryStream& stream, std::string_view bytes);
std::string ReadBlock(TVpMemoryStream& stream);

// Lines of the form name=value. A line without '=' has no name and never matches. Names are
// matched without regard to ASCII case.
class TVpValueList {
 public:
  TVpValueList() = default;
  // Split at CR LF, LF or CR.
  static TVpValueList FromText(std::string_view text);
  // Every line followed by CR LF, the last one too.
  std::string Text() const;

  // As one block.
  void SaveToStream(TVpMemoryStream& stream) const;
  static TVpValueList LoadFromStream(TVpMemoryStream& stream);

  const std::vector<std::string>& Lines() const { return lines_; }
  // Appends a line as it is (the stored records start with two empty lines).
  void AddLine(std::string line) { lines_.push_back(std::move(line)); }
  bool Has(std::string_view name) const;

  // Readers return the default when the name is absent and throw EVpStreamError when the
  // value is present but malformed. Writers set the value of the first line with the name or
  // append name=value; WriteText of an empty text removes the name.
  std::int32_t ReadInteger(std::string_view name, std::int32_t fallback) const;
  void WriteInteger(std::string_view name, std::int32_t value);
  // Three decimals and a full stop, whatever the locale ("0.000").
  long double ReadFloat(std::string_view name, long double fallback) const;
  void WriteFloat(std::string_view name, long double value);
  std::string ReadText(std::string_view name, std::string_view fallback) const;
  void WriteText(std::string_view name, std::string_view value);
  // X,Y and Left,Top,Right,Bottom as rounded thousandths (ties to even); a present but empty
  // rectangle reads as all 0.
  TVpPoint ReadPoint(std::string_view name, TVpPoint fallback) const;
  void WritePoint(std::string_view name, TVpPoint value);
  TVpRect ReadRect(std::string_view name, TVpRect fallback) const;
  void WriteRect(std::string_view name, const TVpRect& value);

 private:
  const std::string* Find(std::string_view name) const;
  void Set(std::string_view name, std::string value);

  std::vector<std::string> lines_;
};
