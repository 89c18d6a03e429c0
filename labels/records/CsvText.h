#pragma once
// The delimited text the label program exchanges: one record per line, values separated by
// one character, no quoting. Lines read end at a line feed and carriage returns are dropped;
// lines written end with CR LF.
#include <string>
#include <string_view>
#include <vector>

// The values of a line: a,,b gives a, "" and b; a,b, gives a, b and ""; an empty line gives
// one empty value. With an empty separator nothing splits: the line is one value.
std::vector<std::string> SplitCsvLine(std::string_view line, std::string_view separator);

// The values joined by the separator, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& values, std::string_view separator);

// Reads the lines of a file's bytes in turn. A last line without a line feed counts; the
// end of the bytes after a line feed does not start another line.
class CsvLineReader {
 public:
  explicit CsvLineReader(std::string_view bytes) : rest_(bytes) {}
  bool Next(std::string& line);
  int LineNumber() const { return lineNumber_; }

 private:
  std::string_view rest_;
  int lineNumber_ = 0;
};
