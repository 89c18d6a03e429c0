#pragma once
// TRenderGrid: a whole text grid, every row and column whether shown on screen or not, drawn
// into an enhanced metafile: cell backgrounds and borders first (header outlines over the
// others), then the texts with their fonts and alignments. The metafile keeps the texts as
// text, so it prints sharply at any size.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "writer/insert/CellStyles.h"
#include "writer/insert/GridCellLayout.h"

class TextGrid;

namespace writer {

struct GridMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using GridMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, GridMetafileDeleter>;

// What the renderer draws: the grid's sizes, header switches and texts (row by row).
struct GridContent {
  GridGeometry geometry;
  std::vector<std::wstring> texts;
  static GridContent Of(const TextGrid& grid);
};

// The builder's two fonts with their text colours.
struct TableFonts {
  HFONT header = nullptr;
  HFONT table = nullptr;
  COLORREF headerColour = RGB(0, 0, 0);
  COLORREF tableColour = RGB(0, 0, 0);
};

class TRenderGrid {
 public:
  // The grid and the style list must be given; the styles refer to the two fonts.
  TRenderGrid(const GridContent* grid, const CellStyleList* styles, const TableFonts& fonts);

  // Builds the cell entries and draws the metafile. A failure (or a missing grid or style
  // list) is shown as an error message; the result is then false and no metafile is kept.
  bool Render();
  const std::vector<TCellSpecs>& Cells() const { return cells_; }
  // The finished metafile, handed to the caller.
  GridMetafile TakeMetafile() { return std::move(metafile_); }

  static const wchar_t kDescription[];

 private:
  GridMetafile Draw() const;
  void DrawCells(HDC dc, bool headers) const;
  void DrawTexts(HDC dc) const;

  const GridContent* grid_;
  const CellStyleList* styles_;
  TableFonts fonts_;
  std::vector<TCellSpecs> cells_;
  GridMetafile metafile_;
};

}  // namespace writer
