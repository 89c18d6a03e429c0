#include "labels/records/RowText.h"

#include <charconv>

#include "labels/records/TableSchemas.h"
#include "platform/Error.h"

namespace {
constexpr std::string_view kAfterNumber = ":   ";
}

std::string ContactRowText(const RecordTable& contacts) {
  std::string row = std::to_string(contacts.Number());
  row += kAfterNumber;
  row += contacts.AsText(Contact_Surname);
  if (!contacts.IsNull(Contact_Name)) {
    row += ", ";
    row += contacts.AsText(Contact_Name);
    if (!contacts.IsNull(Contact_Title)) {
      row += ' ';
      row += contacts.AsText(Contact_Title);
    }
  }
  return row;
}

std::string GeneralRowText(const RecordTable& general) {
  return std::to_string(general.Number()) + std::string(kAfterNumber) +
         general.AsText(General_Field1);
}

std::int32_t RowNumber(std::string_view rowText) {
  const std::string_view digits = rowText.substr(0, rowText.find(':'));
  std::int32_t n = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
    throw EError("'" + std::string(digits) + "' is not a valid record number");
  return n;
}
