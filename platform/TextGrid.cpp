#include "platform/TextGrid.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/Application.h"
#include "platform/GdiHandles.h"

namespace {

constexpr wchar_t kClassName[] = L"TextGrid";
constexpr int kBorderGrip = 3;  // pixels either side of a border that start a sizing drag
constexpr int kMinSize = 1;

void RegisterGridClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window once its wrapper is attached
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    wc.cbWndExtra = sizeof(void*);
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

template <typename T>
void MoveItem(std::vector<T>& v, std::size_t from, std::size_t to) {
  if (from < to)
    std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
  else if (to < from)
    std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

}  // namespace

void TextGrid::Create(HWND parent, int left, int top, int width, int height) {
  RegisterGridClass();
  CreateWindowed(parent, kClassName, WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_BORDER, 0, left, top,
                 width, height, L"");
  SetWindowLongPtrW(Handle(), 0, reinterpret_cast<LONG_PTR>(this));
  GetClientRect(Handle(), &client_);
  SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextGrid::ClassProc));
  SetFont(Application::Get().UiFont());
  Resize(5, 5);
  fixedCols_ = fixedRows_ = 1;
  Select(1, 1);
}

LRESULT CALLBACK TextGrid::ClassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TextGrid*>(GetWindowLongPtrW(wnd, 0));
  if (!self) return DefWindowProcW(wnd, msg, wp, lp);
  try {
    return self->Proc(msg, wp, lp);
  } catch (...) {
    Application::Get().HandleCurrentException();
    return 0;
  }
}

// Sizes and texts --------------------------------------------------------------------------

void TextGrid::Resize(int cols, int rows) {
  cols = std::max(cols, 1);
  rows = std::max(rows, 1);
  std::vector<std::wstring> cells(std::size_t(cols) * rows);
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[std::size_t(r) * cols + c] = std::move(cells_[Index(c, r)]);
  cells_ = std::move(cells);
  widths_.resize(cols, defaultWidth_);
  heights_.resize(rows, defaultHeight_);
  cols_ = cols;
  rows_ = rows;
  Select(col_, row_);
  Changed();
}

void TextGrid::SetColCount(int count) { Resize(count, rows_); }
void TextGrid::SetRowCount(int count) { Resize(cols_, count); }

void TextGrid::SetFixedCols(int count) {
  fixedCols_ = std::clamp(count, 0, 1);
  Select(col_, row_);
  Changed();
}

void TextGrid::SetFixedRows(int count) {
  fixedRows_ = std::clamp(count, 0, 1);
  Select(col_, row_);
  Changed();
}

void TextGrid::SetDefaultSizes(int colWidth, int rowHeight) {
  defaultWidth_ = colWidth;
  defaultHeight_ = rowHeight;
  std::fill(widths_.begin(), widths_.end(), colWidth);
  std::fill(heights_.begin(), heights_.end(), rowHeight);
  Changed();
}

void TextGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= cols_ || widths_[col] == std::max(width, kMinSize)) return;
  widths_[col] = std::max(width, kMinSize);
  Changed();
}

void TextGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= rows_ || heights_[row] == std::max(height, kMinSize)) return;
  heights_[row] = std::max(height, kMinSize);
  Changed();
}

void TextGrid::SetCell(int col, int row, std::wstring text) {
  if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
  cells_[Index(col, row)] = std::move(text);
  const RECT r = CellRect(col, row);
  if (Handle() && !IsRectEmpty(&r)) InvalidateRect(Handle(), &r, FALSE);
}

void TextGrid::Assign(int cols, int rows, std::vector<std::wstring> cells) {
  if (cols < 1 || rows < 1 || cells.size() != std::size_t(cols) * rows) return;
  cells_.clear();
  cols_ = rows_ = 0;
  Resize(cols, rows);
  cells_ = std::move(cells);
  Changed();
}

void TextGrid::MoveColumn(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= cols_ || to >= cols_) return;
  for (int r = 0; r < rows_; ++r) {
    auto first = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, r));
    std::vector<std::wstring> row(first, first + cols_);
    MoveItem(row, from, to);
    std::move(row.begin(), row.end(), first);
  }
  MoveItem(widths_, from, to);
  Changed();
  if (OnColumnMoved) OnColumnMoved(from, to);
}

void TextGrid::MoveRow(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= rows_ || to >= rows_) return;
  std::vector<std::vector<std::wstring>> rows(rows_);
  for (int r = 0; r < rows_; ++r) {
    auto first = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, r));
    rows[r].assign(std::make_move_iterator(first), std::make_move_iterator(first + cols_));
  }
  MoveItem(rows, from, to);
  for (int r = 0; r < rows_; ++r)
    std::move(rows[r].begin(), rows[r].end(), cells_.begin() + Index(0, r));
  MoveItem(heights_, from, to);
  Changed();
  if (OnRowMoved) OnRowMoved(from, to);
}

// Selection and view ------------------------------------------------------------------------

void TextGrid::Select(int col, int row) {
  const int firstCol = cols_ > fixedCols_ ? fixedCols_ : 0;
  const int firstRow = rows_ > fixedRows_ ? fixedRows_ : 0;
  col = std::clamp(col, firstCol, std::max(cols_ - 1, 0));
  row = std::clamp(row, firstRow, std::max(rows_ - 1, 0));
  const bool moved = col != col_ || row != row_;
  if (moved) EndEdit(true);
  col_ = col;
  row_ = row;
  ShowCell(col, row);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
  if (moved && OnSelectCell) OnSelectCell(col, row);
}

void TextGrid::ScrollTo(int leftCol, int topRow) {
  EndEdit(true);
  leftCol_ = leftCol;
  topRow_ = topRow;
  ClampView();
  UpdateScrollBars();
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TextGrid::ShowCell(int col, int row) {
  if (!Handle()) return;
  if (col >= fixedCols_) {
    leftCol_ = std::min(leftCol_, col);
    while (leftCol_ < col && ColLeft(col) < 0) ++leftCol_;
  }
  if (row >= fixedRows_) {
    topRow_ = std::min(topRow_, row);
    while (topRow_ < row && RowTop(row) < 0) ++topRow_;
  }
  ClampView();
  UpdateScrollBars();
}

void TextGrid::ClampView() {
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(MaxLeftCol(), fixedCols_));
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(MaxTopRow(), fixedRows_));
}

void TextGrid::Changed() {
  if (!Handle()) return;
  ClampView();
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

// Geometry ----------------------------------------------------------------------------------

// The left edge of a column wholly inside the client area, or -1.
int TextGrid::ColLeft(int col) const {
  const RECT client = client_;
  int x = 0;
  for (int c = 0; c < fixedCols_ && c < cols_; ++c) {
    if (c == col) return x;
    x += widths_[c] + kLine;
  }
  if (col < leftCol_) return -1;
  for (int c = leftCol_; c < col; ++c) x += widths_[c] + kLine;
  return x + widths_[col] <= client.right || col == leftCol_ ? x : -1;
}

int TextGrid::RowTop(int row) const {
  const RECT client = client_;
  int y = 0;
  for (int r = 0; r < fixedRows_ && r < rows_; ++r) {
    if (r == row) return y;
    y += heights_[r] + kLine;
  }
  if (row < topRow_) return -1;
  for (int r = topRow_; r < row; ++r) y += heights_[r] + kLine;
  return y + heights_[row] <= client.bottom || row == topRow_ ? y : -1;
}

// The first column that lets the last one show whole.
int TextGrid::MaxLeftCol() const {
  const RECT client = client_;
  int room = client.right;
  for (int c = 0; c < fixedCols_ && c < cols_; ++c) room -= widths_[c] + kLine;
  int col = cols_ - 1;
  for (int used = 0; col >= fixedCols_; --col) {
    used += widths_[col] + kLine;
    if (used > room) break;
  }
  return std::min(col + 1, cols_ - 1);
}

int TextGrid::MaxTopRow() const {
  const RECT client = client_;
  int room = client.bottom;
  for (int r = 0; r < fixedRows_ && r < rows_; ++r) room -= heights_[r] + kLine;
  int row = rows_ - 1;
  for (int used = 0; row >= fixedRows_; --row) {
    used += heights_[row] + kLine;
    if (used > room) break;
  }
  return std::min(row + 1, rows_ - 1);
}

RECT TextGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return {};
  const RECT client = client_;
  int x = 0, y = 0;
  if (col < fixedCols_) {
    for (int c = 0; c < col; ++c) x += widths_[c] + kLine;
  } else {
    if (col < leftCol_) return {};
    for (int c = 0; c < fixedCols_; ++c) x += widths_[c] + kLine;
    for (int c = leftCol_; c < col && x < client.right; ++c) x += widths_[c] + kLine;
  }
  if (row < fixedRows_) {
    for (int r = 0; r < row; ++r) y += heights_[r] + kLine;
  } else {
    if (row < topRow_) return {};
    for (int r = 0; r < fixedRows_; ++r) y += heights_[r] + kLine;
    for (int r = topRow_; r < row && y < client.bottom; ++r) y += heights_[r] + kLine;
  }
  if (x >= client.right || y >= client.bottom) return {};
  return {x, y, x + widths_[col], y + heights_[row]};
}

bool TextGrid::CellAt(POINT p, int& col, int& row) const {
  const auto find = [](int pos, int fixed, int first, int count, const std::vector<int>& sizes,
                       int& found) {
    int edge = 0;
    for (int i = 0; i < count; ++i) {
      if (i == fixed) i = std::max(first, fixed);
      if (i >= count) break;
      edge += sizes[i] + kLine;
      if (pos < edge) {
        found = i;
        return true;
      }
    }
    return false;
  };
  return p.x >= 0 && p.y >= 0 && find(p.x, fixedCols_, leftCol_, cols_, widths_, col) &&
         find(p.y, fixedRows_, topRow_, rows_, heights_, row);
}

SIZE TextGrid::VisibleArea() const {
  const RECT client = client_;
  int width = 0, height = 0;
  for (int c = 0; c < cols_ && width < client.right; ++c)
    if (c < fixedCols_ || c >= leftCol_) width += widths_[c] + kLine;
  for (int r = 0; r < rows_ && height < client.bottom; ++r)
    if (r < fixedRows_ || r >= topRow_) height += heights_[r] + kLine;
  return {std::min<LONG>(width, client.right), std::min<LONG>(height, client.bottom)};
}

// Painting ----------------------------------------------------------------------------------

// The columns (or rows) on screen with their left (or top) edges: the fixed ones, then from
// the first scrolled one until the client area ends.
std::vector<std::pair<int, int>> TextGrid::Shown(int fixed, int first,
                                                 const std::vector<int>& sizes, int room) const {
  std::vector<std::pair<int, int>> shown;
  int edge = 0;
  const int count = static_cast<int>(sizes.size());
  for (int i = 0; i < count && edge < room; ++i) {
    if (i == fixed) i = std::max(first, fixed);
    if (i >= count) break;
    shown.emplace_back(i, edge);
    edge += sizes[i] + kLine;
  }
  return shown;
}

void TextGrid::PaintTo(HDC dc) const {
  const RECT client = client_;
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const bool focused = GetFocus() == Handle();
  PenHandle fixedLine(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  PenHandle bodyLine(CreatePen(PS_SOLID, 1, RGB(192, 192, 192)));
  const auto columns = Shown(fixedCols_, leftCol_, widths_, client.right);
  for (const auto& [row, top] : Shown(fixedRows_, topRow_, heights_, client.bottom)) {
    for (const auto& [col, left] : columns) {
      const RECT r{left, top, left + widths_[col], top + heights_[row]};
      const DrawState state{col == col_ && row == row_, focused,
                            col < fixedCols_ || row < fixedRows_};
      if (OnDrawCell) {
        OnDrawCell(dc, col, row, r, state);  // the owner paints the whole cell
      } else {
        FillRect(dc, &r,
                 GetSysColorBrush(state.fixed      ? COLOR_BTNFACE
                                  : state.selected ? COLOR_HIGHLIGHT
                                                   : COLOR_WINDOW));
        Selection selectFont(dc, font_);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(state.selected && !state.fixed ? COLOR_HIGHLIGHTTEXT
                                                                    : COLOR_WINDOWTEXT));
        RECT text{r.left + 2, r.top + 2, r.right - 2, r.bottom};
        const std::wstring& s = Cell(col, row);
        DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &text,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      }
      Selection pen(dc, (state.fixed ? fixedLine : bodyLine).get());
      MoveToEx(dc, r.right, r.top, nullptr);
      LineTo(dc, r.right, r.bottom);
      LineTo(dc, r.left - 1, r.bottom);
      if (state.selected && focused && !state.fixed) DrawFocusRect(dc, &r);
    }
  }
}

// Scrolling ---------------------------------------------------------------------------------

void TextGrid::UpdateScrollBars() {
  if (!Handle()) return;
  const auto set = [&](int bar, int first, int last, int pos, int maxPos) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = first;
    si.nMax = last;
    si.nPage = static_cast<UINT>(std::max(last - maxPos + 1, 1));
    si.nPos = pos;
    // Setting a scroll bar repaints it; a scroll step changes only the position.
    SCROLLINFO& shown = bar == SB_HORZ ? hBar_ : vBar_;
    if (shown.nMin == si.nMin && shown.nMax == si.nMax && shown.nPage == si.nPage &&
        shown.nPos == si.nPos)
      return;
    shown = si;
    SetScrollInfo(Handle(), bar, &si, TRUE);
  };
  set(SB_HORZ, fixedCols_, cols_ - 1, leftCol_, MaxLeftCol());
  set(SB_VERT, fixedRows_, rows_ - 1, topRow_, MaxTopRow());
}

void TextGrid::Scroll(int bar, WORD code) {
  int& pos = bar == SB_HORZ ? leftCol_ : topRow_;
  int next = pos;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &si);
  switch (code) {
    case SB_LINEUP: --next; break;
    case SB_LINEDOWN: ++next; break;
    case SB_PAGEUP: next -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: next += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: next = si.nTrackPos; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = bar == SB_HORZ ? cols_ : rows_; break;
    default: return;
  }
  if (bar == SB_HORZ)
    ScrollTo(next, topRow_);
  else
    ScrollTo(leftCol_, next);
}

// Editing in place ------------------------------------------------------------------------

void TextGrid::EditCell(wchar_t first) {
  if (OnEditRequest) return OnEditRequest(first);
  const RECT r = CellRect(col_, row_);
  if (IsRectEmpty(&r)) return;
  if (!editor_.Handle()) {
    editor_.Create(Handle(), 0, 0, 10, 10, ES_AUTOHSCROLL);
    editor_.SetMessageHook([this](UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
      if (msg == WM_GETDLGCODE) {
        result = DLGC_WANTALLKEYS | DLGC_HASSETSEL;
        return true;
      }
      if (msg == WM_KEYDOWN && (wp == VK_RETURN || wp == VK_ESCAPE)) {
        EndEdit(wp == VK_RETURN);
        return true;
      }
      if (msg == WM_CHAR && (wp == L'\r' || wp == 27)) return true;  // no beep
      if (msg == WM_KILLFOCUS && Editing()) EndEdit(true);
      return false;
    });
  }
  editor_.SetFont(font_);
  editCol_ = col_;
  editRow_ = row_;
  std::wstring text = Cell(col_, row_);
  if (first) text = first;  // typing replaces the text, as in a spreadsheet
  editor_.SetText(text);
  editor_.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  editor_.SetVisible(true);
  editor_.SetFocus();
  SendMessageW(editor_.Handle(), EM_SETSEL, text.size(), text.size());
}

bool TextGrid::Editing() const { return editCol_ >= 0; }

void TextGrid::EndEdit(bool store) {
  if (!Editing()) return;
  const int col = editCol_, row = editRow_;
  editCol_ = editRow_ = -1;
  if (store) SetCell(col, row, editor_.Text());
  editor_.SetVisible(false);
  if (GetFocus() == editor_.Handle()) SetFocus();
}

// Keyboard and mouse ------------------------------------------------------------------------

void TextGrid::KeyDown(WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (key) {
    case VK_LEFT: Select(col_ - 1, row_); break;
    case VK_RIGHT: Select(col_ + 1, row_); break;
    case VK_UP: Select(col_, row_ - 1); break;
    case VK_DOWN: Select(col_, row_ + 1); break;
    case VK_HOME: Select(0, row_); break;
    case VK_END: Select(cols_ - 1, row_); break;
    case VK_PRIOR: Select(col_, row_ - 10); break;
    case VK_NEXT: Select(col_, row_ + 10); break;
    case VK_TAB: {
      // Tab walks the cells row by row, Shift+Tab back.
      const int firstCol = cols_ > fixedCols_ ? fixedCols_ : 0;
      int col = col_ + (shift ? -1 : 1), row = row_;
      if (col >= cols_) {
        col = firstCol;
        ++row;
      } else if (col < firstCol) {
        col = cols_ - 1;
        --row;
      }
      if (row >= fixedRows_ && row < rows_) Select(col, row);
      break;
    }
    case VK_RETURN: EditCell(0); break;
    default: break;
  }
}

TextGrid::Drag TextGrid::BorderAt(POINT p, int& index) const {
  int col = 0, row = 0;
  if (!CellAt(p, col, row)) return Drag::None;
  const RECT r = CellRect(col, row);
  const auto onBorder = [](int pos, int border) { return std::abs(pos - border) <= kBorderGrip; };
  // The border just before a cell belongs to the column or row before it.
  if (row < fixedRows_) {
    if (onBorder(p.x, r.right))
      index = col;
    else if (col > 0 && onBorder(p.x, r.left - kLine))
      index = col - 1;
    else
      index = -1;
    if (index >= 0) return Drag::ColSize;
  }
  if (col < fixedCols_) {
    if (onBorder(p.y, r.bottom))
      index = row;
    else if (row > 0 && onBorder(p.y, r.top - kLine))
      index = row - 1;
    else
      index = -1;
    if (index >= 0) return Drag::RowSize;
  }
  return Drag::None;
}

void TextGrid::MouseDown(POINT p) {
  SetFocus();
  int index = 0;
  drag_ = BorderAt(p, index);
  int col = 0, row = 0;
  if (drag_ == Drag::None && CellAt(p, col, row)) {
    if (row < fixedRows_ && col >= fixedCols_) {
      drag_ = Drag::ColMove;
      index = col;
    } else if (col < fixedCols_ && row >= fixedRows_) {
      drag_ = Drag::RowMove;
      index = row;
    } else if (col >= fixedCols_ && row >= fixedRows_) {
      Select(col, row);
      if (OnClickCell) OnClickCell(col, row);
    }
  }
  if (drag_ == Drag::None) return;
  dragIndex_ = index;
  const RECT r = CellRect(drag_ == Drag::RowSize || drag_ == Drag::RowMove ? 0 : index,
                          drag_ == Drag::RowSize || drag_ == Drag::RowMove ? index : 0);
  dragOrigin_ = drag_ == Drag::ColSize ? r.left : r.top;
  SetCapture(Handle());
}

void TextGrid::MouseMove(POINT p) {
  if (drag_ == Drag::ColSize) SetColWidth(dragIndex_, p.x - dragOrigin_);
  if (drag_ == Drag::RowSize) SetRowHeight(dragIndex_, p.y - dragOrigin_);
}

void TextGrid::MouseUp(POINT p) {
  const Drag drag = drag_;
  drag_ = Drag::None;
  if (GetCapture() == Handle()) ReleaseCapture();
  int col = 0, row = 0;
  const bool onCell = CellAt(p, col, row);
  switch (drag) {
    case Drag::ColSize:
    case Drag::RowSize:
      if (OnSizeChanged) OnSizeChanged();
      break;
    case Drag::ColMove:
      if (onCell && col >= fixedCols_) MoveColumn(dragIndex_, col);
      break;
    case Drag::RowMove:
      if (onCell && row >= fixedRows_) MoveRow(dragIndex_, row);
      break;
    case Drag::None: break;
  }
}

LRESULT TextGrid::Proc(UINT msg, WPARAM wp, LPARAM lp) {
  const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      const RECT client = client_;
      // Drawn off screen first, so a repaint does not flicker.
      MemoryDC memory(dc);
      BitmapHandle bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
      {
        Selection select(memory.get(), bitmap.get());
        PaintTo(memory.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      }
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
      GetClientRect(Handle(), &client_);
      Changed();
      return 0;
    case WM_GETDLGCODE: {
      // Arrows, Tab and Enter move and edit; Escape is left to the dialog.
      const auto* m = reinterpret_cast<const MSG*>(lp);
      const bool enter = m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN;
      return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(Handle(), nullptr, FALSE); return 0;
    case WM_KEYDOWN: KeyDown(wp); return 0;
    case WM_CHAR:
      if (wp >= L' ') EditCell(static_cast<wchar_t>(wp));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(p); return 0;
    case WM_MOUSEMOVE: MouseMove(p); return 0;
    case WM_LBUTTONUP: MouseUp(p); return 0;
    case WM_CAPTURECHANGED: drag_ = Drag::None; return 0;
    case WM_SETCURSOR: {
      POINT at;
      GetCursorPos(&at);
      ScreenToClient(Handle(), &at);
      int index = 0;
      const Drag border = drag_ != Drag::None ? drag_ : BorderAt(at, index);
      if (border == Drag::ColSize || border == Drag::RowSize) {
        SetCursor(LoadCursorW(nullptr, border == Drag::ColSize ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
      }
      break;
    }
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wp)); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wp)); return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(leftCol_, topRow_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3);
      return 0;
    default: break;
  }
  return DefWindowProcW(Handle(), msg, wp, lp);
}
