#include "writer/insert/GridCellLayout.h"

#include <numeric>

namespace writer {

int GridGeometry::Width() const { return std::accumulate(widths.begin(), widths.end(), 0); }
int GridGeometry::Height() const { return std::accumulate(heights.begin(), heights.end(), 0); }

CellTextLayout TextLayoutOf(bool header, int column, CellAlignment alignment) {
  if (header) return column == 0 ? CellTextLayout::HeaderLeft : CellTextLayout::HeaderCentre;
  switch (alignment) {
    case CellAlignment::Left: return CellTextLayout::WrapLeft;
    case CellAlignment::Centre: return CellTextLayout::WrapCentre;
    case CellAlignment::Right: return CellTextLayout::WrapRight;
  }
  return CellTextLayout::None;
}

std::vector<TCellSpecs> BuildCellSpecs(const GridGeometry& grid, const CellStyleList& styles) {
  const int columns = static_cast<int>(grid.widths.size());
  const int rows = static_cast<int>(grid.heights.size());
  CellDefaults look;
  look.headerRow = grid.headerRow;
  look.headerColumn = grid.headerColumn;
  std::vector<TCellSpecs> specs;
  specs.reserve(std::size_t(columns) * rows);
  int top = 0;
  for (int row = 0; row < rows; ++row) {
    int left = 0;
    for (int column = 0; column < columns; ++column) {
      TCellSpecs s;
      s.left = left;
      s.top = top;
      s.right = left + grid.widths[column];
      s.bottom = top + grid.heights[row];
      s.row = row;
      s.column = column;
      s.header = CellStyleList::IsHeader(column, row, look);
      s.pen = s.header ? kHeaderPen : kBodyPen;
      const TCellStyle* style = styles.Find(column, row);
      if (style) {
        s.alignment = style->alignment;
        s.brush = style->colour;
        s.font = style->font;
      }
      s.layout = TextLayoutOf(s.header, column, s.alignment);
      specs.push_back(s);
      left = s.right;
    }
    top += grid.heights[row];
  }
  return specs;
}

}  // namespace writer
