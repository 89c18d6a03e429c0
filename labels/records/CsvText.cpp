#include "labels/records/CsvText.h"

#include <algorithm>

std::vector<std::string> SplitCsvLine(std::string_view line, std::string_view separator) {
  if (separator.empty()) return {std::string(line)};
  const char sep = separator.front();
  std::vector<std::string> values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(sep, start);
    if (end == std::string_view::npos) {
      values.emplace_back(line.substr(start));
      return values;
    }
    values.emplace_back(line.substr(start, end - start));
    start = end + 1;
  }
}

std::string CsvLine(const std::vector<std::string>& values, std::string_view separator) {
  std::string line;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) line += separator;
    line += values[i];
  }
  line += "\r\n";
  return line;
}

bool CsvLineReader::Next(std::string& line) {
  if (rest_.empty()) return false;
  const std::size_t lf = rest_.find('\n');
  const std::string_view raw = rest_.substr(0, lf);
  rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
  line.assign(raw);
  std::erase(line, '\r');
  ++lineNumber_;
  return true;
}
