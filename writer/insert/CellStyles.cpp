#include "writer/insert/CellStyles.h"

#include <utility>

namespace writer {

TCellStyle CellStyleList::DefaultStyle(int column, int row, const CellDefaults& defaults) {
  TCellStyle style{row, column, CellAlignment::Left, defaults.bodyColour, CellFont::Table};
  if (row == 0 && defaults.headerRow) {
    style.colour = defaults.headerColour;
    style.font = CellFont::Header;
    style.alignment = CellAlignment::Centre;
  } else if (column == 0 && defaults.headerColumn) {
    style.colour = defaults.headerColour;
    style.font = CellFont::Header;
  }
  return style;
}

void CellStyleList::Rebuild(int columns, int rows, const CellDefaults& defaults) {
  columns_ = rows_ = 0;
  styles_.clear();
  Resize(columns, rows, defaults);
}

void CellStyleList::Resize(int columns, int rows, const CellDefaults& defaults) {
  std::vector<TCellStyle> styles;
  styles.reserve(std::size_t(columns) * rows);
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const TCellStyle* kept = Find(column, row);
      styles.push_back(kept ? *kept : DefaultStyle(column, row, defaults));
    }
  styles_ = std::move(styles);
  columns_ = columns;
  rows_ = rows;
}

const TCellStyle* CellStyleList::Find(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return nullptr;
  return &styles_[std::size_t(row) * columns_ + column];
}

TCellStyle* CellStyleList::Find(int column, int row) {
  return const_cast<TCellStyle*>(std::as_const(*this).Find(column, row));
}

void CellStyleList::SetHeaderLook(TCellStyle& style, bool header, const CellDefaults& defaults) {
  style.colour = header ? defaults.headerColour : defaults.bodyColour;
  style.font = header ? CellFont::Header : CellFont::Table;
}

void CellStyleList::HeaderRowSwitched(const CellDefaults& defaults) {
  for (int column = 0; column < columns_; ++column)
    SetHeaderLook(*Find(column, 0), IsHeader(column, 0, defaults), defaults);
}

void CellStyleList::HeaderColumnSwitched(const CellDefaults& defaults) {
  for (int row = 0; row < rows_; ++row)
    SetHeaderLook(*Find(0, row), IsHeader(0, row, defaults), defaults);
}

void CellStyleList::ColourColumn(int column, CellColour colour, const CellDefaults& defaults) {
  if (column < 0 || column >= columns_) return;
  for (int row = defaults.headerRow ? 1 : 0; row < rows_; ++row) Find(column, row)->colour = colour;
}

void CellStyleList::ColourRow(int row, CellColour colour, const CellDefaults& defaults) {
  if (row < 0 || row >= rows_) return;
  for (int column = defaults.headerColumn ? 1 : 0; column < columns_; ++column)
    Find(column, row)->colour = colour;
}

void CellStyleList::ColourHeaders(const CellDefaults& defaults) {
  for (TCellStyle& style : styles_)
    if (IsHeader(style.column, style.row, defaults)) style.colour = defaults.headerColour;
}

void CellStyleList::ReferFonts(const CellDefaults& defaults) {
  for (TCellStyle& style : styles_)
    style.font = IsHeader(style.column, style.row, defaults) ? CellFont::Header : CellFont::Table;
}

}  // namespace writer
