#pragma once
// A grid of text cells with an optional fixed header row and column: selection by mouse,
// arrow keys and Tab, scrolling by whole cells, column and row sizing by dragging a border in
// the header, moving whole columns and rows by dragging their header cell, and an owner-draw
// hook that paints each cell. Enter or typing edits the selected cell in place, unless
// the owner takes editing over (OnEditRequest).
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"

class TextGrid : public Control {
 public:
  static constexpr int kLine = 1;  // grid line width, right of and below each cell

  void Create(HWND parent, int left, int top, int width, int height);

  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  // Texts, widths and heights of remaining cells are kept; new ones are empty and default.
  void SetColCount(int count);
  void SetRowCount(int count);
  // 0 or 1 header columns and rows, drawn fixed at the left and the top.
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  void SetFixedCols(int count);
  void SetFixedRows(int count);
  void SetDefaultSizes(int colWidth, int rowHeight);
  int ColWidth(int col) const { return widths_[col]; }
  int RowHeight(int row) const { return heights_[row]; }
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  const std::vector<int>& ColWidths() const { return widths_; }
  const std::vector<int>& RowHeights() const { return heights_; }

  const std::wstring& Cell(int col, int row) const { return cells_[Index(col, row)]; }
  void SetCell(int col, int row, std::wstring text);
  // A new size with all its texts at once (row by row); widths and heights of remaining
  // columns and rows are kept.
  void Assign(int cols, int rows, std::vector<std::wstring> cells);

  // The selected cell; outside the headers whenever the grid has other cells.
  int Col() const { return col_; }
  int Row() const { return row_; }
  void Select(int col, int row);
  int LeftCol() const { return leftCol_; }
  int TopRow() const { return topRow_; }
  void ScrollTo(int leftCol, int topRow);

  // The cell's rectangle in client coordinates (grid line excluded); empty when the cell is
  // scrolled out of view.
  RECT CellRect(int col, int row) const;
  // The cell under a client point: false outside every cell.
  bool CellAt(POINT p, int& col, int& row) const;
  // Width and height of the cells shown, cut at the client area.
  SIZE VisibleArea() const;
  // Paints the grid as the screen shows it.
  void PaintTo(HDC dc) const;

  struct DrawState {
    bool selected = false;
    bool focused = false;
    bool fixed = false;
  };
  // Paints a cell in place of its default look (background and text); the grid lines and
  // the focus mark are drawn after it.
  std::function<void(HDC, int col, int row, const RECT&, DrawState)> OnDrawCell;
  // The selection moved (by the user or by Select).
  std::function<void(int col, int row)> OnSelectCell;
  // The user clicked a cell that is not a header.
  std::function<void(int col, int row)> OnClickCell;
  // Enter (0) or a typed character starts editing the selected cell; without this handler
  // the grid edits it in place (Enter stores the text, Escape drops it).
  std::function<void(wchar_t first)> OnEditRequest;
  // Starts editing the selected cell as Enter (0) or a typed character does.
  void EditCell(wchar_t first);
  bool Editing() const;
  const Edit& InPlaceEditor() const { return editor_; }
  std::function<void(int from, int to)> OnColumnMoved;
  std::function<void(int from, int to)> OnRowMoved;
  // A column or row border was dragged.
  std::function<void()> OnSizeChanged;

  // Moves a column's or row's texts and size as dragging its header does.
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);

 private:
  enum class Drag { None, ColSize, RowSize, ColMove, RowMove };

  static LRESULT CALLBACK ClassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp);
  std::size_t Index(int col, int row) const { return std::size_t(row) * cols_ + col; }
  void Resize(int cols, int rows);
  std::vector<std::pair<int, int>> Shown(int fixed, int first, const std::vector<int>& sizes,
                                         int room) const;
  int ColLeft(int col) const;  // -1 when scrolled out of view
  int RowTop(int row) const;
  int MaxLeftCol() const;
  int MaxTopRow() const;
  void ClampView();
  void UpdateScrollBars();
  void Scroll(int bar, WORD code);
  void KeyDown(WPARAM key);
  void MouseDown(POINT p);
  void MouseMove(POINT p);
  void MouseUp(POINT p);
  Drag BorderAt(POINT p, int& index) const;
  void ShowCell(int col, int row);
  void EndEdit(bool store);
  void Changed();

  int cols_ = 0, rows_ = 0;
  int fixedCols_ = 0, fixedRows_ = 0;
  int defaultWidth_ = 64, defaultHeight_ = 24;
  std::vector<int> widths_, heights_;
  std::vector<std::wstring> cells_;
  int col_ = 0, row_ = 0;
  int leftCol_ = 0, topRow_ = 0;
  Drag drag_ = Drag::None;
  int dragIndex_ = 0;
  int dragOrigin_ = 0;
  HFONT font_ = nullptr;
  RECT client_{};               // kept from WM_SIZE: every geometry question needs it
  SCROLLINFO hBar_{}, vBar_{};  // what the scroll bars were last given
  Edit editor_;
  int editCol_ = -1, editRow_ = -1;
};
