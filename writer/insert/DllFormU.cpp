#include "writer/insert/DllFormU.h"

#include <algorithm>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/ModalResult.h"
#include "platform/WholeFile.h"
#include "writer/insert/TablePictures.h"
#include "writer/insert/TableSizes.h"

using namespace writer;

namespace {

constexpr int kStartFontPixels = 11;

const wchar_t kPictureFilter[] =
    L"Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg)|*.jpg|Enhanced Metafiles (*.emf)|*.emf";
const wchar_t kExportFilter[] =
    L"Table To Text File (*.txt)|*.txt|CSV - Comma Separated Values File (*.csv)|*.csv";

std::wstring LowerExtension(const std::wstring& path) {
  const std::size_t dot = path.find_last_of(L'.');
  const std::size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  std::wstring ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](wchar_t c) { return towlower(c); });
  return ext;
}

int ScreenPixelsPerInch(int index) {
  WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), index);
}

// A font of the choice; pixelHeight, when given, wins over the point size.
HFONT MakeFont(const FontChoice& choice, int pixelHeight = 0) {
  LOGFONTW lf{};
  lf.lfHeight =
      pixelHeight ? -pixelHeight : -MulDiv(choice.pointSize, ScreenPixelsPerInch(LOGPIXELSY), 72);
  lf.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = choice.italic;
  lf.lfUnderline = choice.underline;
  lf.lfStrikeOut = choice.strikeOut;
  lf.lfCharSet = static_cast<BYTE>(choice.charset);
  lstrcpynW(lf.lfFaceName, choice.face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

UINT CellTextFormat(bool headerRowCell, bool headerColumnCell, CellAlignment alignment) {
  constexpr UINT single = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (headerRowCell) return single | DT_CENTER;
  if (headerColumnCell) return single | DT_LEFT;
  const UINT align = alignment == CellAlignment::Centre  ? DT_CENTER
                     : alignment == CellAlignment::Right ? DT_RIGHT
                                                         : DT_LEFT;
  return DT_WORDBREAK | DT_NOPREFIX | align;
}

}  // namespace

const wchar_t TDllForms::kHelpText[] =
    L"This is a short help tutorial for Inserting a Table / StringGrid.\r\n"
    L"\r\n"
    L"- If you insert the table as a Bitmap image, only what is visible will be used.\r\n"
    L"  Everything outside the visible area will be cut automatically from the Bitmap. \r\n"
    L"\r\n"
    L"- If you insert the table as a Metafile, everything will be added to the image.\r\n"
    L"  Even the table cells beyond the scrolling area will be included into the image.\r\n"
    L"\r\n"
    L"- The Metafile has better text quality when printing or for viewing purposes only.\r\n"
    L"  Any of the two image formats are compatible and usable no matter what the contents "
    L"are.\r\n"
    L"\r\n"
    L"- There is a maximum of 100 rows and 100 columns available. Only the Metafile can use "
    L"them all.\r\n"
    L"\r\n"
    L"To fill a cell with text, just press on the [Enter] button and start typing.\r\n"
    L"When finished typing, press on the [Enter] button again to insert your text.\r\n"
    L"\r\n"
    L"To move around in the table, use the direction keys or [TAB] button, the mouse's "
    L"scrollwheel works too.";

void TDllForms::Create(HWND owner) {
  FormStyle style = FormStyle::DialogWithClient(L"String Grid Table", kClientWidth, kClientHeight);
  Form::Create(style, owner);
  headerChoice_ = tableChoice_ = FontChoice{L"Arial", 8};
  headerFont_.Reset(MakeFont(headerChoice_, kStartFontPixels));
  tableFont_.Reset(MakeFont(tableChoice_, kStartFontPixels));
  CreateControls();
  styles_.Rebuild(StringGrid1.ColCount(), StringGrid1.RowCount(), defaults_);
  SetFirstFocus(&StringGrid1);
  RefreshSizeBoxes();
}

void TDllForms::CreateControls() {
  HWND w = Handle();
  lblInsertText.Create(w, L"Insert Text:", 10, 14, 80, 20);
  Edit1.Create(w, 92, 10, 632, 24);
  SpeedButton1.Create(w, L"?", 740, 8, 30, 28);
  SpeedButton1.SetHint(L"Help...");
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  CreateToolRows();
  StringGrid1.Create(w, 10, 148, 760, 330);
  StringGrid1.SetFont(headerFont_.get());
  StringGrid1.SetDefaultSizes(kStartColWidth, kStartRowHeight);
  StringGrid1.OnSelectCell = [this](int c, int r) { StringGrid1SelectCell(c, r); };
  StringGrid1.OnClickCell = [this](int c, int r) { StringGrid1ClickCell(c, r); };
  StringGrid1.OnEditRequest = [this](wchar_t first) { StringGrid1EditRequest(first); };
  StringGrid1.OnDrawCell = [this](HDC dc, int c, int r, const RECT& rect, TextGrid::DrawState) {
    StringGrid1DrawCell(dc, c, r, rect);
  };
  StringGrid1.OnSizeChanged = [this] { RefreshSizeBoxes(); };
  // Texts move with a dragged column or row; the styles stay with their positions.
  StringGrid1.OnColumnMoved = StringGrid1.OnRowMoved = [this](int, int) {
    StringGrid1SelectCell(StringGrid1.Col(), StringGrid1.Row());
  };
  CreateButtons();
}

void TDllForms::CreateToolRows() {
  HWND w = Handle();
  lblColumns.Create(w, L"Columns", 10, 48, 52, 20);
  ColCount.Create(w, 64, 44, 64, 24);
  lblRows.Create(w, L"Rows", 140, 48, 36, 20);
  RowCount.Create(w, 178, 44, 64, 24);
  for (SpinEdit* count : {&ColCount, &RowCount}) {
    count->SetRange(1, kMaxTableCount);
    count->SetValue(kStartCount);
  }
  ColCount.OnChange = [this] { ColCountChange(); };
  RowCount.OnChange = [this] { RowCountChange(); };
  chkColH.Create(w, L"Show Column Header", 262, 44, 160, 24);
  chkRowH.Create(w, L"Show Row Header", 428, 44, 150, 24);
  chkAutoHeight.Create(w, L"Auto Cell Height", 584, 44, 150, 24);
  for (StyledCheckBox* box : {&chkColH, &chkRowH, &chkAutoHeight}) box->SetChecked(true);
  chkColH.OnClick = [this] { chkColHClick(); };
  chkRowH.OnClick = [this] { chkRowHClick(); };
  chkAutoHeight.OnClick = [this] { chkAutoHeightClick(); };

  lblColours.Create(w, L"Colour:", 10, 84, 48, 20);
  btnCellColour.Create(w, L"Cell", 60, 78, 58, 28);
  btnColumnColour.Create(w, L"Column", 122, 78, 58, 28);
  btnRowColour.Create(w, L"Row", 184, 78, 58, 28);
  btnHeaderColour.Create(w, L"Header", 246, 78, 58, 28);
  btnCellColour.OnClick = [this] { btnCellColourClick(); };
  btnColumnColour.OnClick = [this] { btnColumnColourClick(); };
  btnRowColour.OnClick = [this] { btnRowColourClick(); };
  btnHeaderColour.OnClick = [this] { btnHeaderColourClick(); };
  lblAlign.Create(w, L"Align:", 322, 84, 40, 20);
  btnAlignLeft.Create(w, L"Left", 362, 78, 52, 28);
  btnAlignCenter.Create(w, L"Center", 418, 78, 52, 28);
  btnAlignRight.Create(w, L"Right", 474, 78, 52, 28);
  btnAlignLeft.SetHint(L"Align Left");
  btnAlignCenter.SetHint(L"Align Center");
  btnAlignRight.SetHint(L"Align Right");
  btnAlignLeft.OnClick = [this] { btnAlignClick(CellAlignment::Left); };
  btnAlignCenter.OnClick = [this] { btnAlignClick(CellAlignment::Centre); };
  btnAlignRight.OnClick = [this] { btnAlignClick(CellAlignment::Right); };
  lblFonts.Create(w, L"Font:", 544, 84, 36, 20);
  btnTableFont.Create(w, L" Table", 582, 78, 58, 28);
  btnHeaderFont.Create(w, L"Header", 644, 78, 58, 28);
  btnTableFont.OnClick = [this] { btnTableFontClick(); };
  btnHeaderFont.OnClick = [this] { btnHeaderFontClick(); };

  lblWidth.Create(w, L"Width:", 10, 118, 44, 20);
  SetColWidth.Create(w, 56, 114, 64, 24);
  SetColWidth.SetRange(kMinColWidth, kMaxColWidth);
  SetColWidth.SetIncrement(10);
  SetColWidth.SetHint(L"Set Cell Width");
  SetColWidth.OnArrow = [this](int delta) { SetColWidthArrow(delta); };
  btnDecreaseWidth.Create(w, L"<", 124, 113, 26, 26);
  btnIncreaseWidth.Create(w, L">", 152, 113, 26, 26);
  btnDecreaseWidth.SetHint(L"Decrease Column Width");
  btnIncreaseWidth.SetHint(L"Increase Column Width");
  btnDecreaseWidth.OnClick = [this] { btnWidthStepClick(-1); };
  btnIncreaseWidth.OnClick = [this] { btnWidthStepClick(1); };
  lblHeight.Create(w, L"Height:", 194, 118, 46, 20);
  SetRowHeight.Create(w, 242, 114, 64, 24);
  SetRowHeight.SetRange(kMinRowHeight, kMaxRowHeight);
  SetRowHeight.SetIncrement(10);
  SetRowHeight.SetHint(L"Set Cell Height");
  SetRowHeight.OnArrow = [this](int delta) { SetRowHeightArrow(delta); };
  SetRowHeight.SetEnabled(false);  // automatic heights are on
  Label3.Create(w, L"", 322, 118, 440, 20);
}

void TDllForms::CreateButtons() {
  HWND w = Handle();
  const int y = 490;
  btnClearTabel.Create(w, L"Clear", 10, y, 80, 30);
  btnClearTabel.SetHint(L"Clear Table");
  btnImport.Create(w, L"Import", 96, y, 80, 30);
  btnExport.Create(w, L"Export", 182, y, 80, 30);
  btnSaveAs.Create(w, L"Save As", 268, y, 80, 30);
  btnInsert.Create(w, L"Bitmap", 500, y, 86, 30);
  btnEmf.Create(w, L"Metafile", 592, y, 86, 30);
  btnClose.Create(w, L"Close", 684, y, 86, 30);
  btnClearTabel.OnClick = [this] { btnClearTabelClick(); };
  btnImport.OnClick = [this] { btnImportClick(); };
  btnExport.OnClick = [this] { btnExportClick(); };
  btnSaveAs.OnClick = [this] { btnSaveAsClick(); };
  btnInsert.OnClick = [this] { btnInsertClick(); };
  btnEmf.OnClick = [this] { btnEmfClick(); };
  btnClose.SetModalResult(mrCancel);
  SetCancelButton(&btnClose);
}

void TDllForms::FormShow() {
  insertResult_ = false;
  Form::FormShow();
}

void TDllForms::FormActivate() {
  Application::Get().ProcessMessages();
  StringGrid1.SetFocus();
}

bool TDllForms::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
  // Enter confirms the box it is typed in; in the grid it starts editing.
  if (msg.hwnd == Edit1.Handle()) return Edit1Enter(), true;
  if (msg.hwnd == SetColWidth.Handle()) return SetColWidthEnter(), true;
  if (msg.hwnd == SetRowHeight.Handle()) return SetRowHeightEnter(), true;
  if (msg.hwnd == ColCount.Handle()) return ColCountChange(), true;
  if (msg.hwnd == RowCount.Handle()) return RowCountChange(), true;
  if (msg.hwnd == StringGrid1.Handle()) return StringGrid1EditRequest(0), true;
  return false;
}

TableFonts TDllForms::Fonts() const {
  return {headerFont_.get(), tableFont_.get(), headerChoice_.color, tableChoice_.color};
}

// Texts and counts ---------------------------------------------------------------------------

TableTexts TDllForms::Texts() const {
  TableTexts table(StringGrid1.ColCount(), StringGrid1.RowCount());
  for (int row = 0; row < table.rows; ++row)
    for (int col = 0; col < table.columns; ++col)
      table.At(col, row) = BytesFromWide(StringGrid1.Cell(col, row));
  return table;
}

void TDllForms::LoadTexts(const TableTexts& table) {
  std::vector<std::wstring> cells;
  cells.reserve(table.cells.size());
  for (const std::string& text : table.cells) cells.push_back(WideFromBytes(text));
  StringGrid1.Assign(table.columns, table.rows, std::move(cells));
  // The boxes follow the grid; their change events must not size it back one box at a time.
  settingCounts_ = true;
  ColCount.SetValue(table.columns);
  RowCount.SetValue(table.rows);
  settingCounts_ = false;
  styles_.Rebuild(table.columns, table.rows, defaults_);
  if (chkAutoHeight.Checked()) ApplyAutomaticHeights();
  StringGrid1SelectCell(StringGrid1.Col(), StringGrid1.Row());
}

void TDllForms::ApplyCounts() {
  if (settingCounts_) return;
  const int columns = static_cast<int>(ColCount.Value());
  const int rows = static_cast<int>(RowCount.Value());
  if (columns == StringGrid1.ColCount() && rows == StringGrid1.RowCount()) return;
  StringGrid1.SetColCount(columns);
  StringGrid1.SetRowCount(rows);
  styles_.Resize(columns, rows, defaults_);
  RefreshSizeBoxes();
}

void TDllForms::ColCountChange() { ApplyCounts(); }
void TDllForms::RowCountChange() { ApplyCounts(); }

void TDllForms::Edit1Enter() {
  StringGrid1.SetCell(StringGrid1.Col(), StringGrid1.Row(), Edit1.Text());
  if (chkAutoHeight.Checked() && StringGrid1.Row() > 0)
    SetSelectedRowHeight(AutomaticRowHeight(StringGrid1.Row()));
  StringGrid1.SetFocus();
}

void TDllForms::StringGrid1SelectCell(int col, int row) {
  Edit1.SetText(StringGrid1.Cell(col, row));
  RefreshSizeBoxes();
}

void TDllForms::StringGrid1ClickCell(int col, int row) {
  if (!chkAutoHeight.Checked()) return;
  if (row >= 1 && col >= 1) {
    SetSelectedRowHeight(AutomaticRowHeight(row));
  } else if (row == 0 && col == 0) {
    // Only the top left cell's own text measures row 0.
    const std::wstring& text = StringGrid1.Cell(0, 0);
    RECT r{0, 0, StringGrid1.ColWidth(0), 0};
    WindowDC dc(StringGrid1.Handle());
    Selection font(dc.get(), headerFont_.get());
    if (!text.empty())
      DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    StringGrid1.SetRowHeight(0, text.empty() ? kMinAutoRowHeight : r.bottom);
  }
}

void TDllForms::StringGrid1EditRequest(wchar_t first) {
  std::wstring text = StringGrid1.Cell(StringGrid1.Col(), StringGrid1.Row());
  if (first) text += first;  // the typed key is not lost
  Edit1.SetText(text);
  Edit1.SetFocus();
  const int end = static_cast<int>(text.size());
  SendMessageW(Edit1.Handle(), EM_SETSEL, end, end);
}

// Cell drawing and sizes ------------------------------------------------------------------

void TDllForms::StringGrid1DrawCell(HDC dc, int col, int row, const RECT& rect) {
  const TCellStyle* style = styles_.Find(col, row);
  const CellColour colour = style ? style->colour : defaults_.bodyColour;
  BrushHandle& brush = cellBrushes_[colour];
  if (!brush) brush.Reset(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
  const bool header = style && style->font == CellFont::Header;
  Selection font(dc, header ? headerFont_.get() : tableFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, header ? headerChoice_.color : tableChoice_.color);
  const std::wstring& text = StringGrid1.Cell(col, row);
  if (text.empty()) return;
  const bool headerRowCell = row == 0 && chkColH.Checked();
  const bool headerColumnCell = col == 0 && chkRowH.Checked();
  RECT r{rect.left + 2, rect.top, rect.right - 2, rect.bottom};  // clear of the grid lines
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            CellTextFormat(headerRowCell, headerColumnCell,
                           style ? style->alignment : CellAlignment::Left));
}

int TDllForms::AutomaticRowHeight(int row) const {
  WindowDC dc(StringGrid1.Handle());
  int height = kMinAutoRowHeight;
  for (int col = 1; col < StringGrid1.ColCount(); ++col) {
    const std::wstring& text = StringGrid1.Cell(col, row);
    if (text.empty()) continue;
    const TCellStyle* style = styles_.Find(col, row);
    const bool header = style && style->font == CellFont::Header;
    Selection font(dc.get(), header ? headerFont_.get() : tableFont_.get());
    RECT r{0, 0, StringGrid1.ColWidth(col) - 4, 0};  // as the cell draws its text
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    height = std::max<int>(height, r.bottom - r.top);
  }
  return height;
}

void TDllForms::ApplyAutomaticHeights() {
  for (int row = 1; row < StringGrid1.RowCount(); ++row)
    StringGrid1.SetRowHeight(row, AutomaticRowHeight(row));
  RefreshSizeBoxes();
}

void TDllForms::RefreshSizeBoxes() {
  const int width = StringGrid1.ColWidth(StringGrid1.Col());
  SetColWidth.SetValue(width);
  SetRowHeight.SetValue(StringGrid1.RowHeight(StringGrid1.Row()));
  Label3.SetText(WideFromBytes(ColumnWidthText(width, ScreenPixelsPerInch(LOGPIXELSX))));
}

void TDllForms::SetSelectedColWidth(int width) {
  StringGrid1.SetColWidth(StringGrid1.Col(), width);
  RefreshSizeBoxes();
}

void TDllForms::SetSelectedRowHeight(int height) {
  StringGrid1.SetRowHeight(StringGrid1.Row(), height);
  RefreshSizeBoxes();
}

void TDllForms::SetColWidthArrow(int delta) {
  SetSelectedColWidth(
      std::clamp(StringGrid1.ColWidth(StringGrid1.Col()) + 10 * delta, kMinColWidth, kMaxColWidth));
}

void TDllForms::SetColWidthEnter() { SetSelectedColWidth(static_cast<int>(SetColWidth.Value())); }

void TDllForms::SetRowHeightArrow(int delta) {
  SetSelectedRowHeight(std::clamp(StringGrid1.RowHeight(StringGrid1.Row()) + 10 * delta,
                                  kMinRowHeight, kMaxRowHeight));
}

void TDllForms::SetRowHeightEnter() {
  SetSelectedRowHeight(static_cast<int>(SetRowHeight.Value()));
}

void TDllForms::btnWidthStepClick(int delta) {
  SetSelectedColWidth(
      std::clamp(StringGrid1.ColWidth(StringGrid1.Col()) + delta, kMinColWidth, kMaxColWidth));
}

void TDllForms::chkAutoHeightClick() { SetRowHeight.SetEnabled(!chkAutoHeight.Checked()); }

// Headers, colours, alignment and fonts -------------------------------------------------------

void TDllForms::chkColHClick() {
  defaults_.headerRow = chkColH.Checked();
  StringGrid1.SetFixedRows(defaults_.headerRow ? 1 : 0);
  styles_.HeaderRowSwitched(defaults_);
  Repaint();
}

void TDllForms::chkRowHClick() {
  defaults_.headerColumn = chkRowH.Checked();
  StringGrid1.SetFixedCols(defaults_.headerColumn ? 1 : 0);
  styles_.HeaderColumnSwitched(defaults_);
  Repaint();
}

TCellStyle* TDllForms::SelectedStyle() {
  return styles_.Find(StringGrid1.Col(), StringGrid1.Row());
}

void TDllForms::btnCellColourClick() {
  TCellStyle* style = SelectedStyle();
  if (const auto colour = CurrentDialogs().PickColor(style ? style->colour : defaults_.bodyColour))
    if (style) style->colour = *colour;
  Repaint();
}

void TDllForms::btnColumnColourClick() {
  const TCellStyle* style = SelectedStyle();
  if (const auto colour = CurrentDialogs().PickColor(style ? style->colour : defaults_.bodyColour))
    styles_.ColourColumn(StringGrid1.Col(), *colour, defaults_);
  Repaint();
}

void TDllForms::btnRowColourClick() {
  const TCellStyle* style = SelectedStyle();
  if (const auto colour = CurrentDialogs().PickColor(style ? style->colour : defaults_.bodyColour))
    styles_.ColourRow(StringGrid1.Row(), *colour, defaults_);
  Repaint();
}

void TDllForms::btnHeaderColourClick() {
  if (const auto colour = CurrentDialogs().PickColor(defaults_.headerColour)) {
    defaults_.headerColour = *colour;
    styles_.ColourHeaders(defaults_);
  }
  Repaint();
}

void TDllForms::btnAlignClick(CellAlignment alignment) {
  if (TCellStyle* style = SelectedStyle()) style->alignment = alignment;
  Repaint();
}

void TDllForms::SetFont(bool header, const FontChoice& choice) {
  HFONT font = MakeFont(choice);
  if (!font) throw EError("The font \"" + Utf8FromWide(choice.face) + "\" cannot be made.");
  (header ? headerFont_ : tableFont_).Reset(font);
  (header ? headerChoice_ : tableChoice_) = choice;
  styles_.ReferFonts(defaults_);
  if (header) StringGrid1.SetFont(font);
  Repaint();
}

void TDllForms::btnTableFontClick() {
  FontRequest request;
  request.initial = tableChoice_;
  const auto choice = CurrentDialogs().PickFont(request);
  if (!choice) return;
  SetFont(false, *choice);
  if (chkAutoHeight.Checked()) ApplyAutomaticHeights();
}

void TDllForms::btnHeaderFontClick() {
  FontRequest request;
  request.initial = headerChoice_;
  if (const auto choice = CurrentDialogs().PickFont(request)) SetFont(true, *choice);
}

// Clear, files and pictures ----------------------------------------------------------------

void TDllForms::btnClearTabelClick() {
  if (!ConfirmYesNo(L"Clear Table and Reset Cell Sizes?")) return;
  LoadTexts(TableTexts(kStartCount, kStartCount));
  StringGrid1.SetDefaultSizes(kStartColWidth, kStartRowHeight);
  RefreshSizeBoxes();
}

void TDllForms::btnImportClick() {
  FileDialogRequest request;
  request.title = L"Open Text File";
  // The comma-separated files that Export writes can be read back too.
  request.filter = kExportFilter;
  const auto file = OpenFileDialog(request);
  if (!file) return;
  const std::string bytes = ReadWholeFile(file->path);
  // Read whole before the grid changes: a damaged file leaves the table as it was.
  const TableTexts table =
      LowerExtension(file->path) == L".csv" ? ReadTableCsv(bytes) : ReadTableText(bytes);
  LoadTexts(table);
}

void TDllForms::btnExportClick() {
  FileDialogRequest request;
  request.title = L"Save Table to Text or CSV";
  request.filter = kExportFilter;
  request.defaultExt = L"txt";
  if (const auto file = SaveFileDialog(request)) WriteExport(file->path);
}

void TDllForms::WriteExport(const std::wstring& path) {
  const std::wstring extension = LowerExtension(path);
  if (extension == L".txt")
    ReplaceFileContents(path, WriteTableText(Texts()));
  else if (extension == L".csv")
    ReplaceFileContents(path, WriteTableCsv(Texts()));
  else
    ShowInformation(L"A table is exported to a \".txt\" or a \".csv\" file; nothing was written.");
}

void TDllForms::btnSaveAsClick() {
  FileDialogRequest request;
  request.filter = kPictureFilter;
  request.defaultExt = L"bmp";
  try {
    BitmapHandle bitmap = VisibleGridBitmap(StringGrid1, chkRowH.Checked(), chkColH.Checked());
    const auto file = CurrentDialogs().PickFile(DialogKind::SaveFile, request);
    if (!file) return;
    switch (file->filterIndex) {
      case 2: ReplaceFileContents(file->path, JpegFileBytes(bitmap.get(), 100)); break;
      case 3: {
        const GridContent content = GridContent::Of(StringGrid1);
        TRenderGrid renderer(&content, &styles_, Fonts());
        if (!renderer.Render()) return;  // the renderer has said why
        ReplaceFileContents(file->path, EmfFileBytes(renderer.TakeMetafile().get()));
        break;
      }
      default: ReplaceFileContents(file->path, BmpFileBytes(bitmap.get())); break;
    }
  } catch (const std::exception&) {
    ShowError(L"Error in Creating Image File");
  }
}

void TDllForms::btnInsertClick() {
  // No focus mark in the picture.
  Edit1.SetFocus();
  Application::Get().ProcessMessages();
  try {
    BitmapHandle bitmap = VisibleGridBitmap(StringGrid1, chkRowH.Checked(), chkColH.Checked());
    PutBitmapOnClipboard(Handle(), bitmap.get());
    insertResult_ = true;
  } catch (const std::exception&) {
    ShowError(L"Error in Creating Image");
  }
  SetModalResult(insertResult_ ? mrOk : mrCancel);
}

void TDllForms::btnEmfClick() {
  const GridContent content = GridContent::Of(StringGrid1);
  TRenderGrid renderer(&content, &styles_, Fonts());
  if (!renderer.Render()) return;
  PutTableMetafileOnClipboard(Handle(), renderer.TakeMetafile().release());
  insertResult_ = true;
  SetModalResult(mrOk);
}

void TDllForms::SpeedButton1Click() { ShowInformation(kHelpText); }
