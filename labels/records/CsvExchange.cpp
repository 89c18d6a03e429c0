#include "labels/records/CsvExchange.h"

#include "labels/records/CsvText.h"
#include "platform/Error.h"

const char* const kEmptySeparatorText =
    "The separator for import / export csv file is empty, so the columns of an exported file "
    "could not be told apart. Please choose a separator in the settings (the \"...\" button).";

std::vector<int> CsvFields(const TableSchema& schema) {
  std::vector<int> fields;
  for (std::size_t i = 0; i < schema.fields.size(); ++i)
    if (schema.fields[i].type != FieldType::AutoInc) fields.push_back(static_cast<int>(i));
  return fields;
}

std::string BuildCsvExport(RecordTable& table, const std::vector<std::int32_t>& numbers,
                           std::string_view separator,
                           const std::function<void(const std::string&)>& onMissing) {
  if (separator.empty()) throw EError(kEmptySeparatorText);
  const std::vector<int> fields = CsvFields(table.Schema());
  std::vector<std::string> values;
  for (const int f : fields)
    values.push_back(table.Schema().fields[static_cast<std::size_t>(f)].name);
  std::string out = CsvLine(values, separator);
  for (const std::int32_t number : numbers) {
    try {
      table.LocateNumber(number);
    } catch (const EError& e) {
      onMissing(e.what());
      continue;
    }
    values.clear();
    for (const int f : fields) values.push_back(table.AsText(f));
    out += CsvLine(values, separator);
  }
  return out;
}

std::vector<std::string> CsvColumnNames(std::string_view bytes, std::string_view separator) {
  CsvLineReader lines(bytes);
  std::string first;
  lines.Next(first);
  return SplitCsvLine(first, separator);
}

std::vector<CsvColumnMapping> MapCsvColumns(const std::vector<std::string>& columnNames,
                                            const std::vector<CsvColumnChoice>& choices,
                                            const TextLocale& locale) {
  std::vector<CsvColumnMapping> mapping;
  for (const CsvColumnChoice& choice : choices) {
    if (!choice.column) continue;
    std::size_t i = 0;
    while (i < columnNames.size() && !locale.SameIgnoringCase(columnNames[i], *choice.column)) ++i;
    if (i == columnNames.size())
      throw EError("The file has no column " + locale.ToUtf8(*choice.column));
    mapping.push_back({choice.field, i});
  }
  return mapping;
}

std::size_t ImportCsvRecords(RecordTable& table, std::string_view bytes,
                             const std::vector<CsvColumnMapping>& mapping,
                             std::string_view separator) {
  CsvLineReader lines(bytes);
  std::string line;
  lines.Next(line);  // the header
  std::size_t stored = 0;
  while (lines.Next(line)) {
    const std::vector<std::string> values = SplitCsvLine(line, separator);
    for (const CsvColumnMapping& m : mapping)
      if (m.column >= values.size())
        throw EError("Line " + std::to_string(lines.LineNumber()) + " has " +
                     std::to_string(values.size()) + " values, too few for column " +
                     std::to_string(m.column + 1));
    table.Insert();
    try {
      for (const CsvColumnMapping& m : mapping) table.SetText(m.field, values[m.column]);
      table.Post();
    } catch (...) {
      table.Cancel();
      throw;
    }
    ++stored;
  }
  return stored;
}
