#include "labels/records/TableFile.h"

#include <zlib.h>

#include <bit>
#include <limits>
#include <unordered_set>

namespace {

constexpr std::string_view kSignature{"MRBYTBL\x1A", 8};
constexpr std::size_t kHeaderSize = 8 + 4 + 4 + 4;
constexpr std::size_t kMaxString = std::numeric_limits<std::uint16_t>::max();

std::uint32_t Crc32(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk = static_cast<uInt>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + done), chunk);
    done += chunk;
  }
  return static_cast<std::uint32_t>(crc);
}

class Writer {
 public:
  void U8(std::uint8_t v) { out_ += static_cast<char>(v); }
  void U16(std::uint16_t v) { Le(v, 2); }
  void U32(std::uint32_t v) { Le(v, 4); }
  void I32(std::int32_t v) { Le(static_cast<std::uint32_t>(v), 4); }
  void F64(double v) { Le(std::bit_cast<std::uint64_t>(v), 8); }
  void Str(std::string_view s) {
    if (s.size() > kMaxString)
      throw EError("A text of " + std::to_string(s.size()) + " characters is too long to store");
    U16(static_cast<std::uint16_t>(s.size()));
    out_ += s;
  }
  std::string& Bytes() { return out_; }

 private:
  void Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  std::string out_;
};

[[noreturn]] void Damaged(const std::string& detail) {
  throw ETableFileError("the file is damaged (" + detail + ")");
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : in_(bytes) {}
  std::uint8_t U8() { return static_cast<std::uint8_t>(Le(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Le(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Le(4)); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  double F64() { return std::bit_cast<double>(Le(8)); }
  std::string Str() {
    const std::size_t n = U16();
    Need(n);
    std::string s(in_.substr(pos_, n));
    pos_ += n;
    return s;
  }
  bool AtEnd() const { return pos_ == in_.size(); }

 private:
  void Need(std::size_t n) const {
    if (in_.size() - pos_ < n) Damaged("it ends too early");
  }
  std::uint64_t Le(int n) {
    Need(static_cast<std::size_t>(n));
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i)
      v |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[pos_ + i])) << (8 * i);
    pos_ += static_cast<std::size_t>(n);
    return v;
  }
  std::string_view in_;
  std::size_t pos_ = 0;
};

void WriteValue(Writer& w, const FieldDef& def, const FieldValue& value) {
  if (std::holds_alternative<std::monostate>(value)) {
    w.U8(0);
    return;
  }
  w.U8(1);
  switch (def.type) {
    case FieldType::Text: w.Str(std::get<std::string>(value)); break;
    case FieldType::AutoInc:
    case FieldType::Integer: w.I32(std::get<std::int32_t>(value)); break;
    case FieldType::Float: w.F64(std::get<double>(value)); break;
  }
}

FieldValue ReadValue(Reader& r, const FieldDef& def) {
  const std::uint8_t present = r.U8();
  if (present == 0) return std::monostate{};
  if (present != 1) Damaged("a value marker is wrong");
  switch (def.type) {
    case FieldType::Text: {
      std::string s = r.Str();
      if (s.empty() || s.size() > static_cast<std::size_t>(def.maxLength))
        Damaged("a text of " + def.name + " has a wrong length");
      return s;
    }
    case FieldType::AutoInc:
    case FieldType::Integer: return r.I32();
    case FieldType::Float: return r.F64();
  }
  Damaged("a field has an unknown type");
}

void CheckSchema(const TableSchema& schema, Reader& r) {
  const std::string name = r.Str();
  if (name != schema.tableName)
    throw ETableFileError("it holds the table " + name + ", not " + schema.tableName);
  const std::size_t count = r.U16();
  bool same = count == schema.fields.size();
  for (std::size_t i = 0; i < count; ++i) {
    FieldDef def;
    def.name = r.Str();
    def.type = static_cast<FieldType>(r.U8());
    def.maxLength = r.U16();
    same = same && def == schema.fields[i];
  }
  if (!same) throw ETableFileError("its fields are not those of the table " + schema.tableName);
}

}  // namespace

std::string EncodeTable(const TableSchema& schema, const TableData& data) {
  Writer payload;
  payload.Str(schema.tableName);
  payload.U16(static_cast<std::uint16_t>(schema.fields.size()));
  for (const FieldDef& f : schema.fields) {
    payload.Str(f.name);
    payload.U8(static_cast<std::uint8_t>(f.type));
    payload.U16(static_cast<std::uint16_t>(f.type == FieldType::Text ? f.maxLength : 0));
  }
  payload.I32(data.nextNumber);
  payload.U32(static_cast<std::uint32_t>(data.records.size()));
  for (const auto& record : data.records)
    for (std::size_t i = 0; i < schema.fields.size(); ++i)
      WriteValue(payload, schema.fields[i], record.at(i));

  Writer file;
  file.Bytes() += kSignature;
  file.U32(kTableFileVersion);
  file.U32(static_cast<std::uint32_t>(payload.Bytes().size()));
  file.U32(Crc32(payload.Bytes()));
  file.Bytes() += payload.Bytes();
  return std::move(file.Bytes());
}

TableData DecodeTable(const TableSchema& schema, std::string_view bytes) {
  if (bytes.empty()) throw ETableFileError("the file is empty");
  if (bytes.size() < kSignature.size() || bytes.substr(0, kSignature.size()) != kSignature)
    throw ETableFileError("it is not a table file of this program");
  if (bytes.size() < kHeaderSize) Damaged("it ends too early");
  Reader header(bytes.substr(kSignature.size(), kHeaderSize - kSignature.size()));
  const std::uint32_t version = header.U32();
  const std::uint32_t size = header.U32();
  const std::uint32_t crc = header.U32();
  if (version != kTableFileVersion)
    throw ETableFileError("it is in format version " + std::to_string(version) +
                          ", which this program cannot read (it reads version " +
                          std::to_string(kTableFileVersion) + ")");
  const std::string_view payload = bytes.substr(kHeaderSize);
  if (payload.size() < size) Damaged("it ends too early");
  if (payload.size() > size) Damaged("it is longer than its header says");
  if (Crc32(payload) != crc) Damaged("its checksum does not match");

  Reader r(payload);
  CheckSchema(schema, r);
  TableData data;
  data.nextNumber = r.I32();
  const std::uint32_t count = r.U32();
  const int numberField = schema.NumberField();
  // Every record takes at least one byte per field: a count beyond that is damage, not a
  // reason to reserve memory.
  if (count > payload.size() / std::max<std::size_t>(schema.fields.size(), 1))
    Damaged("its record count is wrong");
  data.records.reserve(count);
  std::unordered_set<std::int32_t> numbers;
  for (std::uint32_t n = 0; n < count; ++n) {
    std::vector<FieldValue> record;
    record.reserve(schema.fields.size());
    for (const FieldDef& f : schema.fields) record.push_back(ReadValue(r, f));
    if (numberField >= 0) {
      const auto* number =
          std::get_if<std::int32_t>(&record[static_cast<std::size_t>(numberField)]);
      if (!number || *number < 1 || *number >= data.nextNumber || !numbers.insert(*number).second)
        Damaged("a record number is wrong");
    }
    data.records.push_back(std::move(record));
  }
  if (!r.AtEnd()) Damaged("it has bytes after the last record");
  if (numberField >= 0 && data.nextNumber < 1) Damaged("its next record number is wrong");
  return data;
}
