#include "writer/insert/CharMaps.h"

#include <algorithm>

#include "platform/Application.h"
#include "writer/insert/InsertClipboard.h"
#include "writer/insert/TitleBand.h"

using writer::GridCell;

namespace writer {

int CharacterCode(GridCell cell) { return (20 * cell.row + cell.column) % 256; }

std::wstring AltCodeText(int code) { return L"ALT + 0" + std::to_wstring(code); }

}  // namespace writer

namespace {

constexpr int kBandHeight = 30;
constexpr COLORREF kBand = RGB(0, 128, 192);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kGridLine = RGB(200, 208, 220);
constexpr COLORREF kSelected = RGB(255, 210, 94);
constexpr int kGridLeft = 12, kGridTop = 72;
constexpr int kGridWidth = TDLLForm::kColumns * TDLLForm::kCell + 1;
constexpr int kGridHeight = TDLLForm::kRows * TDLLForm::kCell + 1;
constexpr int kPreviewLeft = kGridLeft + kGridWidth + 14;
constexpr int kPreviewWidth = 121, kPreviewHeight = 129;

int PixelsOfPoints(int points) { return -MulDiv(points, 96, 72); }

FontHandle MakeFont(const std::wstring& face, int height, BYTE charset, int weight = FW_NORMAL) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = charset;
  lf.lfQuality = DEFAULT_QUALITY;
  wcsncpy_s(lf.lfFaceName, face.c_str(), _TRUNCATE);
  return FontHandle(CreateFontIndirectW(&lf));
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto& faces = *reinterpret_cast<std::map<std::wstring, BYTE>*>(data);
  const std::wstring face = font->lfFaceName;
  if (face.empty() || face[0] == L'@') return 1;
  // A face that also comes in a text character set is a text font.
  auto [at, added] = faces.emplace(face, font->lfCharSet);
  if (!added && font->lfCharSet != SYMBOL_CHARSET) at->second = font->lfCharSet;
  return 1;
}

// Control codes other than the tab have no place in a document's text.
bool Insertable(int code) { return code >= 32 || code == 9; }

}  // namespace

void TDLLForm::Create(HWND owner) {
  FormStyle style = FormStyle::Borderless(L"Character Map", kClientWidth, kClientHeight);
  style.style |= WS_BORDER;
  style.color = RGB(255, 255, 255);
  Form::Create(style, owner);
  HWND w = Handle();
  bandBrush_.Reset(CreateSolidBrush(kBand));
  titleFont_ = MakeFont(L"Arial", -16, DEFAULT_CHARSET, FW_BOLD);
  codeFont_ = MakeFont(L"Arial", -15, DEFAULT_CHARSET, FW_BOLD);

  lblFont.Create(w, L"Font:", kGridLeft, 44, 44, 20);
  FontComboBox1.Create(w, 58, 40, 260, 320, CBS_DROPDOWNLIST | WS_VSCROLL);
  FontComboBox1.OnChange = [this] { FontChange(); };
  StringGrid1.Create(w, kGridLeft, kGridTop, kGridWidth, kGridHeight, true);
  StringGrid1.OnPaint = [this](HDC dc, const RECT&) { PaintGrid(dc); };
  StringGrid1.OnMouseDown = [this](POINT p) {
    const GridCell cell{std::clamp<int>(p.y / kCell, 0, kRows - 1),
                        std::clamp<int>(p.x / kCell, 0, kColumns - 1)};
    SelectCell(cell);
  };
  StringGrid1.OnKeyDown = [this](WPARAM key) { return GridKey(key); };
  Image1.Create(w, kPreviewLeft, kGridTop, kPreviewWidth, kPreviewHeight, false);
  Image1.OnPaint = [this](HDC dc, const RECT& area) { PaintPreview(dc, area); };
  lblCode.Create(w, L"", kPreviewLeft, kGridTop + kPreviewHeight + 8, kPreviewWidth, 22, SS_CENTER);
  lblCode.SetFont(codeFont_.get());

  btnInsert.Create(w, L"  Insert", kPreviewLeft, 246, kPreviewWidth, 32);
  btnInsert.SetHint(L"Insert Selected Character");
  btnInsert.OnClick = [this] { btnInsertClick(); };
  btnClose.Create(w, L"  Close", kPreviewLeft, kGridTop + kGridHeight - 32, kPreviewWidth, 32);
  btnClose.SetHint(L"Close");
  btnClose.OnClick = [this] { btnCloseClick(); };

  const int lineTop = kGridTop + kGridHeight + 12;
  lblLine.Create(w, L"Line:", kGridLeft, lineTop + 6, 44, 20);
  Edit1.Create(w, 58, lineTop, 344, 30, ES_AUTOHSCROLL);
  Edit1.OnChange = [this] { UpdateButtons(); };
  btnAdd.Create(w, L"Add", 408, lineTop, kGridLeft + kGridWidth - 408, 30);
  btnAdd.OnClick = [this] { btnAddClick(); };
  btnInsertLine.Create(w, L"Insert Line", kPreviewLeft, lineTop, kPreviewWidth, 30);
  btnInsertLine.OnClick = [this] { btnInsertLineClick(); };
  SetCancelButton(&btnClose);
  SetFirstFocus(&StringGrid1);

  FillFontBox();
  SetFontName(face_);
  FontChange();
}

void TDLLForm::FillFontBox() {
  HDC screen = GetDC(nullptr);
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(screen, &query, CollectFace, reinterpret_cast<LPARAM>(&charsets_), 0);
  ReleaseDC(nullptr, screen);
  for (const auto& [face, charset] : charsets_) FontComboBox1.Add(face);
}

void TDLLForm::SetFontName(const std::wstring& face) {
  const LRESULT index =
      SendMessageW(FontComboBox1.Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(face.c_str()));
  if (index == CB_ERR) return;
  FontComboBox1.SetSelectedIndex(static_cast<int>(index));
  FontChange();
}

bool TDLLForm::SymbolFont() const {
  const auto at = charsets_.find(face_);
  return at != charsets_.end() && at->second == SYMBOL_CHARSET;
}

LOGFONTW TDLLForm::GridFont() const {
  LOGFONTW lf{};
  GetObjectW(gridFont_.get(), sizeof lf, &lf);
  return lf;
}

void TDLLForm::FontChange() {
  const int index = FontComboBox1.SelectedIndex();
  if (index >= 0) face_ = FontComboBox1.ItemText(index);
  const BYTE charset = SymbolFont() ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  gridFont_ = MakeFont(face_, PixelsOfPoints(12), charset);
  previewFont_ = MakeFont(face_, PixelsOfPoints(70), charset);
  Edit1.SetFont(gridFont_.get());
  StringGrid1.Invalidate();
  Image1.Invalidate();
}

std::wstring TDLLForm::CharacterOf(int code) const {
  if (SymbolFont()) return std::wstring(1, static_cast<wchar_t>(code));
  const char byte = static_cast<char>(code);
  wchar_t c = 0;
  MultiByteToWideChar(CP_ACP, 0, &byte, 1, &c, 1);
  return std::wstring(1, c);
}

void TDLLForm::SelectCell(GridCell cell) {
  current_ = cell;
  lblCode.SetText(writer::AltCodeText(SelectedCode()));
  StringGrid1.Invalidate();
  Image1.Invalidate();
  UpdateButtons();
}

void TDLLForm::UpdateButtons() {
  const bool insertable = Insertable(SelectedCode());
  btnInsert.SetEnabled(insertable);
  btnAdd.SetEnabled(insertable);
  btnInsertLine.SetEnabled(GetWindowTextLengthW(Edit1.Handle()) > 0);
}

bool TDLLForm::GridKey(WPARAM key) {
  GridCell cell = current_;
  switch (key) {
    case VK_LEFT: cell.column = std::max(0, cell.column - 1); break;
    case VK_RIGHT: cell.column = std::min(kColumns - 1, cell.column + 1); break;
    case VK_UP: cell.row = std::max(0, cell.row - 1); break;
    case VK_DOWN: cell.row = std::min(kRows - 1, cell.row + 1); break;
    case VK_HOME: cell.column = 0; break;
    case VK_END: cell.column = kColumns - 1; break;
    default: return false;
  }
  SelectCell(cell);
  return true;
}

void TDLLForm::btnInsertClick() {
  if (!Insertable(SelectedCode())) return;
  writer::ClipboardPutText(Handle(), CharacterOf(SelectedCode()));
  SetModalResult(mrOk);
}

void TDLLForm::btnAddClick() {
  if (!Insertable(SelectedCode())) return;
  Edit1.SetText(Edit1.Text() + CharacterOf(SelectedCode()));
  UpdateButtons();
}

void TDLLForm::btnInsertLineClick() {
  const std::wstring line = Edit1.Text();
  if (line.empty()) return;
  writer::ClipboardPutText(Handle(), line);
  SetModalResult(mrOk);
}

// The current cell stays for the next opening.
void TDLLForm::btnCloseClick() { SetModalResult(mrCancel); }

void TDLLForm::FormShow() {
  if (HWND owner = GetWindow(Handle(), GW_OWNER)) CenterOn(owner);
  SelectCell(current_);
  Edit1.SetText(L"");
  UpdateButtons();
  Form::FormShow();
}

void TDLLForm::PaintGrid(HDC dc) const {
  PenHandle line(CreatePen(PS_SOLID, 1, kGridLine));
  BrushHandle selected(CreateSolidBrush(kSelected));
  Selection pen(dc, line.get());
  Selection font(dc, gridFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kNavy);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      RECT cell{column * kCell, row * kCell, (column + 1) * kCell + 1, (row + 1) * kCell + 1};
      const GridCell here{row, column};
      if (here == current_) {
        FillRect(dc, &cell, selected.get());
        if (GetFocus() == StringGrid1.Handle()) {
          RECT inner{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
          DrawFocusRect(dc, &inner);
        }
      }
      Selection hollow(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
      const int code = writer::CharacterCode(here);
      if (code < 32) continue;
      const std::wstring text = CharacterOf(code);
      DrawTextW(dc, text.c_str(), 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
}

void TDLLForm::PaintPreview(HDC dc, const RECT& area) const {
  FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const int code = SelectedCode();
  if (code < 32) return;
  Selection font(dc, previewFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kNavy);
  RECT inside{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
  const std::wstring text = CharacterOf(code);
  DrawTextW(dc, text.c_str(), 1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TDLLForm::FormPaint(HDC dc) {
  writer::PaintTitleBand(dc, bandBrush_.get(), titleFont_.get(), {0, 0, kClientWidth, kBandHeight},
                         L"Character Map");
}

void TDLLForm::FormMouseDown(int button, POINT client) {
  if (button == 0 && client.y < kBandHeight) BeginTitleDrag();
}

LRESULT TDLLForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, reinterpret_cast<HWND>(lp) == lblCode.Handle() ? kNavy : RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  return Form::WndProc(msg, wp, lp);
}
