#pragma once
// The table builder's texts as files: the table text format (the column count, the row count,
// then one line per cell, column by column) and comma-separated rows. Texts are bytes in the
// system code page. Readers throw EError with a sentence the user can act on; they never
// hand back a partly read table.
#include <string>
#include <string_view>
#include <vector>

namespace writer {

constexpr int kMaxTableCount = 100;
// The longest cell text a file may hold; longer lines are damage, not tables.
constexpr std::size_t kMaxCellText = 32767;

// Cell texts of a grid, row by row.
struct TableTexts {
  int columns = 0;
  int rows = 0;
  std::vector<std::string> cells;  // rows * columns

  TableTexts() = default;
  TableTexts(int columnCount, int rowCount)
      : columns(columnCount), rows(rowCount), cells(std::size_t(columnCount) * rowCount) {}
  std::string& At(int column, int row) { return cells[std::size_t(row) * columns + column]; }
  const std::string& At(int column, int row) const {
    return cells[std::size_t(row) * columns + column];
  }
  bool operator==(const TableTexts&) const = default;
};

// Lines end in CR LF. A line break inside a cell would split the cell, so it is written as a
// blank.
std::string WriteTableText(const TableTexts& table);
TableTexts ReadTableText(std::string_view bytes);

// One line per row, fields separated by commas. A field holding a blank, a control character
// (line breaks among them), a double quote or a comma is quoted with inner quotes doubled;
// a row of one empty field is written as two double quotes.
std::string WriteTableCsv(const TableTexts& table);
// Quoted fields may hold commas, doubled quotes and line breaks; short rows are filled with
// empty cells.
TableTexts ReadTableCsv(std::string_view bytes);

}  // namespace writer
