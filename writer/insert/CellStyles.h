#pragma once
// The table builder's cell style list: one TCellStyle per grid cell, belonging to the
// cell's position. Entries are kept in a vector indexed by position, so a lookup costs the
// same in a 100 x 100 grid as in a 5 x 5 one. Portable: colours are 0x00BBGGRR numbers.
#include <cstdint>
#include <vector>

namespace writer {

using CellColour = std::uint32_t;

enum class CellAlignment : std::uint8_t { Left = 0, Right = 1, Centre = 2 };
// Which of the builder's two fonts a cell's text is drawn in.
enum class CellFont : std::uint8_t { Header, Table };

struct TCellStyle {
  int row = 0;
  int column = 0;
  CellAlignment alignment = CellAlignment::Left;
  CellColour colour = 0;
  CellFont font = CellFont::Table;
  bool operator==(const TCellStyle&) const = default;
};

// The grid's header switches and colours the defaults come from.
struct CellDefaults {
  bool headerRow = true;
  bool headerColumn = true;
  CellColour headerColour = 0x00B3EAFF;  // RGB(255, 234, 179)
  CellColour bodyColour = 0x00FFFFFF;
};

class CellStyleList {
 public:
  // The style a cell gets when the list is built or the cell is added.
  static TCellStyle DefaultStyle(int column, int row, const CellDefaults& defaults);

  // Default entries for every cell of the size.
  void Rebuild(int columns, int rows, const CellDefaults& defaults);
  // Keeps the entries of cells that remain; new cells get defaults.
  void Resize(int columns, int rows, const CellDefaults& defaults);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  std::size_t Count() const { return styles_.size(); }
  // The entry of the cell, or nullptr outside the grid.
  const TCellStyle* Find(int column, int row) const;
  TCellStyle* Find(int column, int row);

  // A header switch was turned: the cells of row 0 (or column 0) follow it. Alignment stays.
  void HeaderRowSwitched(const CellDefaults& defaults);
  void HeaderColumnSwitched(const CellDefaults& defaults);
  // Colours the body cells of a column or a row (headers excluded while shown).
  void ColourColumn(int column, CellColour colour, const CellDefaults& defaults);
  void ColourRow(int row, CellColour colour, const CellDefaults& defaults);
  // The header colour changed: every header cell takes it.
  void ColourHeaders(const CellDefaults& defaults);
  // A font changed: header cells refer to the header font, every other cell to the table font.
  void ReferFonts(const CellDefaults& defaults);

  static bool IsHeader(int column, int row, const CellDefaults& defaults) {
    return (row == 0 && defaults.headerRow) || (column == 0 && defaults.headerColumn);
  }

 private:
  void SetHeaderLook(TCellStyle& style, bool header, const CellDefaults& defaults);

  int columns_ = 0;
  int rows_ = 0;
  std::vector<TCellStyle> styles_;  // row by row
};

}  // namespace writer
