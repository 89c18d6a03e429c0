#pragma once
// The building blocks of a table's schema and of its records' values.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

enum class FieldType : std::uint8_t { AutoInc = 1, Text = 2, Integer = 3, Float = 4 };

struct FieldDef {
  std::string name;
  FieldType type;
  int maxLength = 0;  // characters, text fields only
  bool operator==(const FieldDef&) const = default;
};

// A field's value: null (monostate), text in the system code page, a 32-bit integer (also the
// record number) or a double.
using FieldValue = std::variant<std::monostate, std::string, std::int32_t, double>;

struct TableSchema {
  std::string tableName;  // as stored in the table file
  std::vector<FieldDef> fields;
  std::string numberText;   // "Contact number"; empty for a table without numbers
  std::string recordsText;  // "contacts": what the records are called in messages

  // The index of the auto-increment number field, or -1.
  int NumberField() const;
  // The index of the named field, or -1.
  int FieldIndex(std::string_view name) const;
};

// A table's whole content as it is stored: the records in insertion order and the number the
// next stored record gets.
struct TableData {
  std::vector<std::vector<FieldValue>> records;
  std::int32_t nextNumber = 1;
};
