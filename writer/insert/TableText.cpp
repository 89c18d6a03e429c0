#include "writer/insert/TableText.h"

#include <algorithm>
#include <optional>

#include "platform/Error.h"

namespace writer {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Lines ending in CR LF, LF or CR; the last line may lack its end.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : rest_(bytes) {}

  std::optional<std::string_view> Next() {
    if (rest_.empty()) return std::nullopt;
    const std::size_t end = rest_.find_first_of("\r\n");
    std::string_view line = rest_.substr(0, end);
    if (end == std::string_view::npos) {
      rest_ = {};
    } else {
      const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
      rest_.remove_prefix(end + (crlf ? 2 : 1));
    }
    ++number_;
    return line;
  }
  int Number() const { return number_; }

 private:
  std::string_view rest_;
  int number_ = 0;
};

std::string LineName(int line) { return "line " + std::to_string(line); }

void CheckCount(long long count, const char* what) {
  if (count < 1 || count > kMaxTableCount)
    throw EError("The table file asks for " + std::to_string(count) + " " + what + "s" +
                 "; a table has 1 to 100 columns and rows.");
}

// A decimal count with optional blanks around it.
int ReadCount(LineReader& lines, const char* what) {
  const std::optional<std::string_view> line = lines.Next();
  const std::string where = LineName(lines.Number());
  if (!line) throw EError(std::string("The table file ends before its ") + what + " count.");
  std::string_view s = *line;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.size() > 9 ||
      !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
    throw EError("The table file is damaged: " + where + " holds no " + what + " count.");
  const long long count = std::stoll(std::string(s));
  CheckCount(count, what);
  return static_cast<int>(count);
}

void CheckCellLength(std::size_t length, const std::string& where) {
  if (length > kMaxCellText)
    throw EError("The table file is damaged: " + where + " is longer than 32767 characters.");
}

bool NeedsQuotes(const std::string& field) {
  return std::any_of(field.begin(), field.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' || u == 127 || c == '"' || c == ',';
  });
}

std::string Quoted(const std::string& field) {
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// Comma-separated records; a quoted field may span lines.
class CsvReader {
 public:
  explicit CsvReader(std::string_view bytes) : s_(bytes) {}

  bool AtEnd() const { return pos_ >= s_.size(); }

  std::vector<std::string> Record() {
    ++line_;
    std::vector<std::string> fields;
    for (;;) {
      if (fields.size() >= kMaxTableCount)
        throw EError("Line " + std::to_string(line_) +
                     " of the CSV file holds more than 100 fields; a table has at most 100 "
                     "columns.");
      fields.push_back(Field());
      if (AtEnd()) return fields;
      const char c = s_[pos_++];
      if (c == ',') continue;
      if (c == '\r' && pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
      return fields;  // a line end
    }
  }

 private:
  std::string Field() {
    std::string field;
    if (pos_ < s_.size() && s_[pos_] == '"') QuotedPart(field);
    // Anything up to the next comma or line end belongs to the field as it stands.
    const std::size_t end = std::min(s_.find_first_of(",\r\n", pos_), s_.size());
    field.append(s_.substr(pos_, end - pos_));
    pos_ = end;
    CheckCellLength(field.size(), "a field of line " + std::to_string(line_));
    return field;
  }

  void QuotedPart(std::string& field) {
    const int start = line_;
    ++pos_;
    for (;;) {
      const std::size_t quote = s_.find('"', pos_);
      if (quote == std::string_view::npos)
        throw EError("The CSV file is damaged: a quoted field that starts on line " +
                     std::to_string(start) + " is never closed.");
      const std::string_view part = s_.substr(pos_, quote - pos_);
      line_ += static_cast<int>(std::count(part.begin(), part.end(), '\n'));
      field.append(part);
      CheckCellLength(field.size(), "a field of line " + std::to_string(start));
      pos_ = quote + 1;
      if (pos_ < s_.size() && s_[pos_] == '"') {
        field += '"';
        ++pos_;
        continue;
      }
      return;
    }
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  int line_ = 0;
};

}  // namespace

std::string WriteTableText(const TableTexts& table) {
  std::string out = std::to_string(table.columns) + "\r\n" + std::to_string(table.rows) + "\r\n";
  for (int column = 0; column < table.columns; ++column)
    for (int row = 0; row < table.rows; ++row) {
      std::string text = table.At(column, row);
      std::replace_if(
          text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
      out += text;
      out += kLineEnd;
    }
  return out;
}

TableTexts ReadTableText(std::string_view bytes) {
  LineReader lines(bytes);
  const int columns = ReadCount(lines, "column");
  const int rows = ReadCount(lines, "row");
  TableTexts table(columns, rows);
  for (int column = 0; column < columns; ++column)
    for (int row = 0; row < rows; ++row) {
      const std::optional<std::string_view> line = lines.Next();
      if (!line)
        throw EError("The table file is damaged: it ends after " +
                     std::to_string(column * rows + row) + " of its " +
                     std::to_string(columns * rows) + " cell texts.");
      CheckCellLength(line->size(), LineName(lines.Number()));
      table.At(column, row) = *line;
    }
  return table;
}

std::string WriteTableCsv(const TableTexts& table) {
  std::string out;
  for (int row = 0; row < table.rows; ++row) {
    if (table.columns == 1 && table.At(0, row).empty()) {
      out += "\"\"\r\n";
      continue;
    }
    for (int column = 0; column < table.columns; ++column) {
      if (column > 0) out += ',';
      const std::string& text = table.At(column, row);
      out += NeedsQuotes(text) ? Quoted(text) : text;
    }
    out += kLineEnd;
  }
  return out;
}

TableTexts ReadTableCsv(std::string_view bytes) {
  CsvReader reader(bytes);
  std::vector<std::vector<std::string>> records;
  while (!reader.AtEnd()) {
    if (records.size() >= kMaxTableCount)
      throw EError("The CSV file holds more than 100 lines; a table has at most 100 rows.");
    records.push_back(reader.Record());
  }
  if (records.empty()) throw EError("The CSV file is empty; there is no table to import.");
  std::size_t columns = 0;
  for (const auto& record : records) columns = std::max(columns, record.size());
  TableTexts table(static_cast<int>(columns), static_cast<int>(records.size()));
  for (int row = 0; row < table.rows; ++row)
    for (std::size_t column = 0; column < records[row].size(); ++column)
      table.At(static_cast<int>(column), row) = std::move(records[row][column]);
  return table;
}

}  // namespace writer
