#pragma once
// What the grid renderer draws for each cell of a whole grid: its rectangle from the column
// widths and row heights, its outline and fill colours, its font and how its text is laid
// out. Portable, so the geometry is checked in both trees.
#include <vector>

#include "writer/insert/CellStyles.h"

namespace writer {

constexpr CellColour kHeaderPen = 0x000000;
constexpr CellColour kBodyPen = 0xC0C0C0;  // silver

// How a cell's text is placed; None draws no text.
enum class CellTextLayout { None, HeaderLeft, HeaderCentre, WrapLeft, WrapCentre, WrapRight };

struct TCellSpecs {
  int left = 0, top = 0, right = 0, bottom = 0;
  int row = 0, column = 0;
  CellColour pen = kBodyPen;
  CellAlignment alignment = CellAlignment::Left;
  CellColour brush = 0xFFFFFF;
  CellFont font = CellFont::Table;
  bool header = false;
  CellTextLayout layout = CellTextLayout::None;
};

struct GridGeometry {
  std::vector<int> widths;   // one per column, pixels
  std::vector<int> heights;  // one per row
  bool headerRow = false;
  bool headerColumn = false;
  int Width() const;
  int Height() const;
};

// The layout of a cell's text from its header flag, column and alignment: a header cell in
// column 0 is left-aligned, any other header cell centred, both on one line.
CellTextLayout TextLayoutOf(bool header, int column, CellAlignment alignment);

// Row by row, left to right. A cell without a style entry gets the defaults' body look.
std::vector<TCellSpecs> BuildCellSpecs(const GridGeometry& grid, const CellStyleList& styles);

}  // namespace writer
