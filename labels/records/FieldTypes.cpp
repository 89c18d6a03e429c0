#include "labels/records/FieldTypes.h"

int TableSchema::NumberField() const {
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].type == FieldType::AutoInc) return static_cast<int>(i);
  return -1;
}

int TableSchema::FieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].name == name) return static_cast<int>(i);
  return -1;
}
