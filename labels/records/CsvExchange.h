#pragma once
// Export of records to delimited text and import from it: the columns are the table's
// fields without the record number, in schema order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "labels/records/RecordTable.h"
#include "labels/records/TextLocale.h"

// Why nothing is exported while the separator setting is empty.
extern const char* const kEmptySeparatorText;

// The fields that travel, in column order.
std::vector<int> CsvFields(const TableSchema& schema);

// Export --------------------------------------------------------------------------------

// The whole file: the header line, then a line for each number in the given order. A number
// that cannot be located is passed to onMissing with its error text and skipped. Throws
// EError for an empty separator, which would write a header nothing can read back.
std::string BuildCsvExport(RecordTable& table, const std::vector<std::int32_t>& numbers,
                           std::string_view separator,
                           const std::function<void(const std::string&)>& onMissing);

// Import --------------------------------------------------------------------------------

// The column names of a file: its first line, split.
std::vector<std::string> CsvColumnNames(std::string_view bytes, std::string_view separator);

struct CsvColumnChoice {
  int field;
  std::optional<std::string> column;  // the chosen column name; none maps nothing
};

struct CsvColumnMapping {
  int field;
  std::size_t column;
};

// Each chosen name becomes the index of the first column with that name, case ignored.
// Throws EError for a name that is not among the columns.
std::vector<CsvColumnMapping> MapCsvColumns(const std::vector<std::string>& columnNames,
                                            const std::vector<CsvColumnChoice>& choices,
                                            const TextLocale& locale);

// Appends one record per line after the header. A line without a value for a mapped column
// stops the import with EError; the records stored before it stay. Returns the count stored.
std::size_t ImportCsvRecords(RecordTable& table, std::string_view bytes,
                             const std::vector<CsvColumnMapping>& mapping,
                             std::string_view separator);
