#pragma once
// The byte layout of a table file: a fixed header (signature, format version, payload size,
// CRC-32 of the payload) followed by the payload: the table's name, its field definitions,
// the next record number and every record. Reading checks all of it, so a truncated or
// damaged file is refused as a whole instead of being half read.
//
//   header   "MRBYTBL\x1A"  u32 version  u32 payload size  u32 payload CRC-32
//   payload  str table name, u16 field count, per field: str name, u8 type, u16 max length,
//            i32 next number, u32 record count, per record and field: u8 present (0/1)
//            then the value: text str, integer and number i32, float 8-byte IEEE double
//   str      u16 length + bytes; all integers little-endian
#include <cstdint>
#include <string>
#include <string_view>

#include "labels/records/FieldTypes.h"
#include "platform/Error.h"

inline constexpr std::uint32_t kTableFileVersion = 1;

// A file that is not a readable table of the expected kind; the text says why, without the
// file's name (the caller adds it).
class ETableFileError : public EError {
 public:
  using EError::EError;
};

std::string EncodeTable(const TableSchema& schema, const TableData& data);
// Throws ETableFileError.
TableData DecodeTable(const TableSchema& schema, std::string_view bytes);
