#include "engine/VpStream.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "engine/VpRounding.h"

namespace {

// Floats are stored as a whole number of thousandths held in 64 bits; larger magnitudes are
// refused on both sides so that whatever is read can be written again.
constexpr long double kMaxStoredFloat = 9e15L;

[[noreturn]] void Fail(const std::string& message) { throw EVpStreamError(message); }

[[noreturn]] void FailValue(std::string_view name, const char* what) {
  Fail("The stored value of \"" + std::string(name) + "\" is not a valid " + what + ".");
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Optional sign and at least one digit, nothing else; std::nullopt outside the int32 range.
std::optional<std::int32_t> ParseInt32(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > std::int64_t{1} << 31) return std::nullopt;  // stops before any overflow
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

// 10^exponent by repeated multiplication: exact up to 10^27, and it stops once infinite.
long double PowerOfTen(std::int64_t exponent) {
  long double result = 1;
  for (std::int64_t k = 0; k < exponent && std::isfinite(result); ++k) result *= 10;
  return result;
}

// Digits with an optional full stop and sign, as the writer produces them; no exponent, no
// locale. Up to 19 significant digits are kept.
std::optional<long double> ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::uint64_t mantissa = 0;
  int kept = 0;
  std::int64_t exponent = 0;
  bool anyDigit = false;
  bool seenPoint = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (!IsDigit(c)) return std::nullopt;
    anyDigit = true;
    if (kept < 19) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (mantissa != 0) ++kept;
      if (seenPoint) --exponent;
    } else if (!seenPoint) {
      ++exponent;
    }
  }
  if (!anyDigit) return std::nullopt;
  long double value = static_cast<long double>(mantissa);
  if (exponent < 0) {
    value /= PowerOfTen(-exponent);
  } else if (exponent > 0) {
    value *= PowerOfTen(exponent);
  }
  if (!(std::fabs(value) <= kMaxStoredFloat)) return std::nullopt;
  return negative ? -value : value;
}

std::string Decimal(std::int64_t value) {
  char digits[24];
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, end.ptr);
}

// Rounded thousandths, saturated to the int32 range so that the reader always accepts them.
std::string Thousandths(long double value) { return Decimal(VpRoundToInt(value * 1000)); }

// Exactly count comma-separated int32 items, read as thousandths.
std::optional<std::vector<long double>> ParseThousandths(std::string_view text, std::size_t count) {
  if (static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) != count - 1) {
    return std::nullopt;
  }
  std::vector<long double> items;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t comma = text.find(',');
    const std::optional<std::int32_t> item = ParseInt32(text.substr(0, comma));
    if (!item) return std::nullopt;
    items.push_back(static_cast<long double>(*item) / 1000);
    text.remove_prefix(comma == text.npos ? text.size() : comma + 1);
  }
  return items;
}

}  // namespace

// --- TVpMemoryStream -----------------------------------------------------------------------

void TVpMemoryStream::Seek(std::size_t position) {
  if (position > bytes_.size()) Fail("The stream position lies beyond its end.");
  position_ = position;
}

void TVpMemoryStream::Write(std::string_view bytes) {
  // A view into our own buffer would dangle once the buffer grows.
  const std::string copy(bytes);
  const std::size_t overlap = std::min(copy.size(), bytes_.size() - position_);
  bytes_.replace(position_, overlap, copy);
  position_ += copy.size();
}

void TVpMemoryStream::WriteByte(std::uint8_t value) {
  const char byte = static_cast<char>(value);
  Write(std::string_view(&byte, 1));
}

void TVpMemoryStream::WriteInt32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const char bytes[4] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                         static_cast<char>((bits >> 16) & 0xFF),
                         static_cast<char>((bits >> 24) & 0xFF)};
  Write(std::string_view(bytes, 4));
}

void TVpMemoryStream::PatchInt32(std::size_t position, std::int32_t value) {
  if (position > bytes_.size() || bytes_.size() - position < 4) {
    Fail("The stream is too short for the value to be filled in.");
  }
  const std::size_t saved = position_;
  position_ = position;
  WriteInt32(value);
  position_ = saved;
}

std::string TVpMemoryStream::Read(std::size_t count) {
  if (count > Remaining()) Fail("The stored data ends before the record is complete.");
  std::string bytes = bytes_.substr(position_, count);
  position_ += count;
  return bytes;
}

std::uint8_t TVpMemoryStream::ReadByte() { return static_cast<std::uint8_t>(Read(1)[0]); }

std::int32_t TVpMemoryStream::ReadInt32() {
  const std::string bytes = Read(4);
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<std::uint8_t>(bytes[i]);
  return static_cast<std::int32_t>(bits);
}

// --- Blocks --------------------------------------------------------------------------------

void WriteBlock(TVpMemoryStream& stream, std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    Fail("The block is too large to be stored.");
  }
  stream.WriteInt32(static_cast<std::int32_t>(bytes.size()));
  stream.Write(bytes);
}

std::string ReadBlock(TVpMemoryStream& stream) {
  const std::size_t start = stream.Position();
  const std::int32_t length = stream.ReadInt32();
  // Checked against what is there before anything is allocated; a failed read leaves the
  // position at the block's start.
  if (length < 0 || static_cast<std::size_t>(length) > stream.Remaining()) {
    stream.Seek(start);
    Fail(length < 0 ? "The stored block has a negative length."
                    : "The stored block is longer than the data that follows it.");
  }
  return stream.Read(static_cast<std::size_t>(length));
}

// --- TVpValueList --------------------------------------------------------------------------

TVpValueList TVpValueList::FromText(std::string_view text) {
  TVpValueList list;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == text.npos) {
      list.lines_.emplace_back(text.substr(start));
      break;
    }
    list.lines_.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return list;
}

std::string TVpValueList::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TVpValueList::SaveToStream(TVpMemoryStream& stream) const { WriteBlock(stream, Text()); }

TVpValueList TVpValueList::LoadFromStream(TVpMemoryStream& stream) {
  return FromText(ReadBlock(stream));
}

const std::string* TVpValueList::Find(std::string_view name) const {
  for (const std::string& line : lines_) {
    const std::size_t equals = line.find('=');
    if (equals != line.npos && SameNameAscii(std::string_view(line).substr(0, equals), name)) {
      return &line;
    }
  }
  return nullptr;
}

bool TVpValueList::Has(std::string_view name) const { return Find(name) != nullptr; }

void TVpValueList::Set(std::string_view name, std::string value) {
  // A name with '=' would never be found again and a line break would split the line into
  // others on reading, so neither is stored.
  if (name.find('=') != name.npos || HasLineBreak(name)) {
    Fail("The name \"" + std::string(name) +
         "\" cannot be stored because it contains an equals sign or a line break.");
  }
  if (HasLineBreak(value)) {
    Fail("The value of \"" + std::string(name) +
         "\" cannot be stored because it contains a line break.");
  }
  for (std::string& line : lines_) {
    const std::size_t equals = line.find('=');
    if (equals != line.npos && SameNameAscii(std::string_view(line).substr(0, equals), name)) {
      line.replace(equals + 1, line.npos, value);
      return;
    }
  }
  lines_.push_back(std::string(name) + "=" + value);
}

std::int32_t TVpValueList::ReadInteger(std::string_view name, std::int32_t fallback) const {
  const std::string* line = Find(name);
  if (!line) return fallback;
  const std::optional<std::int32_t> value = ParseInt32(line->substr(line->find('=') + 1));
  if (!value) FailValue(name, "whole number");
  return *value;
}

void TVpValueList::WriteInteger(std::string_view name, std::int32_t value) {
  Set(name, Decimal(value));
}

long double TVpValueList::ReadFloat(std::string_view name, long double fallback) const {
  const std::string* line = Find(name);
  if (!line) return fallback;
  const std::optional<long double> value = ParseDecimal(line->substr(line->find('=') + 1));
  if (!value) FailValue(name, "number");
  return *value;
}

void TVpValueList::WriteFloat(std::string_view name, long double value) {
  if (!(std::fabs(value) <= kMaxStoredFloat)) {
    Fail("The value of \"" + std::string(name) + "\" is too large to be stored.");
  }
  // Integer arithmetic on rounded thousandths: no locale can change the separator.
  const auto thousandths = static_cast<std::int64_t>(VpRound(value * 1000));
  const std::uint64_t magnitude =
      thousandths < 0 ? 0 - static_cast<std::uint64_t>(thousandths) : thousandths;
  std::string text = thousandths < 0 ? "-" : "";
  text += Decimal(static_cast<std::int64_t>(magnitude / 1000));
  const unsigned fraction = static_cast<unsigned>(magnitude % 1000);
  text += '.';
  text += static_cast<char>('0' + fraction / 100);
  text += static_cast<char>('0' + fraction / 10 % 10);
  text += static_cast<char>('0' + fraction % 10);
  Set(name, std::move(text));
}

std::string TVpValueList::ReadText(std::string_view name, std::string_view fallback) const {
  const std::string* line = Find(name);
  if (!line) return std::string(fallback);
  return line->substr(line->find('=') + 1);
}

void TVpValueList::WriteText(std::string_view name, std::string_view value) {
  if (!value.empty()) {
    Set(name, std::string(value));
    return;
  }
  // Every line with the name goes, so that the name is absent afterwards.
  std::erase_if(lines_, [name](const std::string& line) {
    const std::size_t equals = line.find('=');
    return equals != line.npos && SameNameAscii(std::string_view(line).substr(0, equals), name);
  });
}

TVpPoint TVpValueList::ReadPoint(std::string_view name, TVpPoint fallback) const {
  const std::string* line = Find(name);
  if (!line) return fallback;
  const auto items = ParseThousandths(std::string_view(*line).substr(line->find('=') + 1), 2);
  if (!items) FailValue(name, "point");
  return TVpPoint{(*items)[0], (*items)[1]};
}

void TVpValueList::WritePoint(std::string_view name, TVpPoint value) {
  Set(name, Thousandths(value.X) + "," + Thousandths(value.Y));
}

TVpRect TVpValueList::ReadRect(std::string_view name, TVpRect fallback) const {
  const std::string* line = Find(name);
  if (!line) return fallback;
  const std::string_view text = std::string_view(*line).substr(line->find('=') + 1);
  if (text.empty()) return TVpRect{};
  const auto items = ParseThousandths(text, 4);
  if (!items) FailValue(name, "rectangle");
  return TVpRect{(*items)[0], (*items)[1], (*items)[2], (*items)[3]};
}

void TVpValueList::WriteRect(std::string_view name, const TVpRect& value) {
  Set(name, Thousandths(value.Left) + "," + Thousandths(value.Top) + "," +
                Thousandths(value.Right) + "," + Thousandths(value.Bottom));
}
