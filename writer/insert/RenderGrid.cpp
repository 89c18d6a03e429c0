#include "writer/insert/RenderGrid.h"

#include <map>

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/GdiHandles.h"
#include "platform/TextGrid.h"

namespace writer {

// The application and the picture's title, as enhanced metafiles name them.
const wchar_t TRenderGrid::kDescription[] = L"Ombrel Tessary\0Table from the table builder\0";

namespace {

UINT TextFormat(CellTextLayout layout) {
  constexpr UINT header = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  constexpr UINT body = DT_WORDBREAK | DT_NOPREFIX;
  switch (layout) {
    case CellTextLayout::HeaderLeft: return header | DT_LEFT;
    case CellTextLayout::HeaderCentre: return header | DT_CENTER;
    case CellTextLayout::WrapLeft: return body | DT_LEFT;
    case CellTextLayout::WrapCentre: return body | DT_CENTER;
    case CellTextLayout::WrapRight: return body | DT_RIGHT;
    case CellTextLayout::None: break;
  }
  return 0;
}

}  // namespace

GridContent GridContent::Of(const TextGrid& grid) {
  GridContent content;
  content.geometry.widths = grid.ColWidths();
  content.geometry.heights = grid.RowHeights();
  content.geometry.headerRow = grid.FixedRows() > 0;
  content.geometry.headerColumn = grid.FixedCols() > 0;
  content.texts.reserve(std::size_t(grid.ColCount()) * grid.RowCount());
  for (int row = 0; row < grid.RowCount(); ++row)
    for (int col = 0; col < grid.ColCount(); ++col) content.texts.push_back(grid.Cell(col, row));
  return content;
}

TRenderGrid::TRenderGrid(const GridContent* grid, const CellStyleList* styles,
                         const TableFonts& fonts)
    : grid_(grid), styles_(styles), fonts_(fonts) {}

bool TRenderGrid::Render() {
  metafile_.reset();
  if (!grid_ || !styles_) {
    ShowError(L"String Grid or Alignment List was not assigned.");
    return false;
  }
  try {
    cells_ = BuildCellSpecs(grid_->geometry, *styles_);
    metafile_ = Draw();
    return true;
  } catch (const std::exception& e) {
    metafile_.reset();
    ShowError(ErrorText(e));
    return false;
  }
}

GridMetafile TRenderGrid::Draw() const {
  const int width = grid_->geometry.Width(), height = grid_->geometry.Height();
  WindowDC screen(nullptr);
  // The frame is in hundredths of a millimetre: the grid's pixels at the screen's own size
  // per pixel, so the metafile plays back one to one on its reference device.
  const int mm = GetDeviceCaps(screen.get(), HORZSIZE), px = GetDeviceCaps(screen.get(), HORZRES);
  const int mmY = GetDeviceCaps(screen.get(), VERTSIZE), pxY = GetDeviceCaps(screen.get(), VERTRES);
  if (mm <= 0 || px <= 0 || mmY <= 0 || pxY <= 0)
    throw EError("The screen does not tell its size, so the table picture cannot be sized.");
  const RECT frame{0, 0, MulDiv(width, mm * 100, px), MulDiv(height, mmY * 100, pxY)};
  HDC dc = CreateEnhMetaFileW(screen.get(), nullptr, &frame, kDescription);
  if (!dc) throw EError("The table picture could not be created.");
  try {
    DrawCells(dc, false);
    DrawCells(dc, true);  // black header outlines over the silver ones
    DrawTexts(dc);
  } catch (...) {
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    throw;
  }
  GridMetafile metafile(CloseEnhMetaFile(dc));
  if (!metafile) throw EError("The table picture could not be finished.");
  return metafile;
}

void TRenderGrid::DrawCells(HDC dc, bool headers) const {
  // One pen and brush per colour, selected only when it changes: a 100 x 100 grid would
  // otherwise record twenty thousand objects.
  std::map<CellColour, PenHandle> pens;
  std::map<CellColour, BrushHandle> brushes;
  const auto pen = [&](CellColour c) -> HGDIOBJ {
    PenHandle& h = pens[c];
    if (!h) h.Reset(CreatePen(PS_SOLID, 1, c));
    return h.get();
  };
  const auto brush = [&](CellColour c) -> HGDIOBJ {
    BrushHandle& h = brushes[c];
    if (!h) h.Reset(CreateSolidBrush(c));
    return h.get();
  };
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  HGDIOBJ currentPen = nullptr, currentBrush = nullptr;
  for (const TCellSpecs& cell : cells_) {
    if (cell.header != headers) continue;
    if (HGDIOBJ p = pen(cell.pen); p != currentPen) SelectObject(dc, currentPen = p);
    if (HGDIOBJ b = brush(cell.brush); b != currentBrush) SelectObject(dc, currentBrush = b);
    Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
  }
  // Deselected before the maps free them.
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void TRenderGrid::DrawTexts(HDC dc) const {
  SetBkMode(dc, TRANSPARENT);
  const int columns = static_cast<int>(grid_->geometry.widths.size());
  for (const TCellSpecs& cell : cells_) {
    const std::wstring& text = grid_->texts[std::size_t(cell.row) * columns + cell.column];
    const UINT format = TextFormat(cell.layout);
    if (text.empty() || format == 0) continue;
    const bool header = cell.font == CellFont::Header;
    Selection font(dc, header ? fonts_.header : fonts_.table);
    SetTextColor(dc, header ? fonts_.headerColour : fonts_.tableColour);
    RECT r{cell.left + 1, cell.top, cell.right - 1, cell.bottom + 2};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  }
}

}  // namespace writer
