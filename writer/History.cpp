#include "writer/History.h"

#include <algorithm>
#include <exception>

#include "controls/DrawGradientBand.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/HourglassCursor.h"
#include "writer/HistoryFile.h"
#include "writer/PopupMenus.h"
#include "writer/ToolIcons.h"

namespace writer {
namespace {

constexpr UINT kRowClickedMessage = WM_APP + 1;

// The window's parts, in client pixels.
constexpr int kMargin = 12;
constexpr int kFilterSize = 56, kFilterStep = 60;
constexpr int kFilterGlyph = 48;
constexpr int kListLeft = kMargin + kFilterSize + 10;
constexpr int kBottomBand = 50;
constexpr int kButtonHeight = 30;

constexpr COLORREF kBandTop = RGB(47, 116, 192);
constexpr COLORREF kBandBottom = RGB(0, 70, 132);
constexpr COLORREF kColumn = RGB(243, 243, 243);
constexpr COLORREF kRule = RGB(214, 218, 224);
// The buttons' faces run from white to a cool grey; the pictures' soft edges meet this tone.
constexpr controls::TColor kGlyphGround = controls::RGBColor(226, 231, 239);

const wchar_t kMissing[] = L"Document does not exist or has been moved.";

bool IsExistingFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FontHandle ArialFont(int height, int weight) {
  return FontHandle(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

std::wstring DocumentsText(std::size_t count) {
  return std::to_wstring(count) + (count == 1 ? L" document" : L" documents");
}

}  // namespace

// The list ----------------------------------------------------------------------------------

void HistoryListBox::Create(HWND parent, int left, int top, int width, int height) {
  CreateWindowed(parent, WC_LISTBOXW,
                 LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                     LBS_EXTENDEDSEL | WS_VSCROLL | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, left, top, width, height, L"");
}

void HistoryListBox::Fill(const std::vector<std::wstring>& rows) {
  HWND list = Handle();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  std::size_t characters = 0;
  for (const std::wstring& row : rows) characters += row.size() + 1;
  SendMessageW(list, LB_INITSTORAGE, rows.size(), characters * sizeof(wchar_t));
  for (const std::wstring& row : rows)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::size_t> HistoryListBox::SelectedRows() const {
  const auto count = SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> rows(static_cast<std::size_t>(count));
  const auto got =
      SendMessageW(Handle(), LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
  rows.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
  std::vector<std::size_t> result(rows.begin(), rows.end());
  std::sort(result.begin(), result.end());
  return result;
}

std::optional<std::size_t> HistoryListBox::FocusedRow() const {
  const int count = Count();
  if (count <= 0) return std::nullopt;
  const auto caret = SendMessageW(Handle(), LB_GETCARETINDEX, 0, 0);
  if (caret < 0) return std::nullopt;
  return static_cast<std::size_t>(std::min<LRESULT>(caret, count - 1));
}

void HistoryListBox::SetFocusedRow(std::size_t row) {
  SendMessageW(Handle(), LB_SETCARETINDEX, row, FALSE);
}

bool HistoryListBox::IsSelected(std::size_t row) const {
  return SendMessageW(Handle(), LB_GETSEL, row, 0) > 0;
}

void HistoryListBox::SetSelected(std::size_t row, bool selected) {
  SendMessageW(Handle(), LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(row));
}

void HistoryListBox::DeselectAll() { SendMessageW(Handle(), LB_SETSEL, FALSE, -1); }

// The window ---------------------------------------------------------------------------------

void THistoryForm::Create(HWND owner, const std::wstring& filePath) {
  FormStyle style = FormStyle::Borderless(L"Document History", kClientWidth + 2, kClientHeight + 2);
  style.style |= WS_BORDER;
  style.color = RGB(255, 255, 255);
  Form::Create(style, owner);
  rowFont_ = ArialFont(16, FW_NORMAL);
  titleFont_ = ArialFont(24, FW_BOLD);
  countFont_ = ArialFont(13, FW_NORMAL);
  BuildControls();

  // Loading: the file's entries are the rows, and the master list a copy of them.
  filePath_ = filePath;
  std::vector<std::wstring> entries;
  if (!filePath_.empty()) {
    if (std::optional<std::vector<std::wstring>> read = ReadHistoryFile(filePath_))
      entries = std::move(*read);
    else
      ShowPlainMessage(L"File not Found!");
  }
  history_.Load(std::move(entries));
  firstShow_ = true;
  ShowFilterButtons();
}

void THistoryForm::BuildControls() {
  HWND w = Handle();
  for (int i = 0; i < kHistoryFilterCount; ++i) {
    const auto filter = static_cast<HistoryFilter>(i);
    StyledButton& button = imgFilters[static_cast<std::size_t>(i)];
    button.Create(w, L"", kMargin, kBandHeight + 8 + i * kFilterStep, kFilterSize, kFilterSize);
    controls::TStyledButton& styled = button.Styled();
    styled.SetGlyph(DrawHistoryFilter(filter, kFilterGlyph, kGlyphGround), kGlyphGround);
    styled.SetShowFocusRect(false);
    styled.SetTabStop(false);
    styled.SetGroupIndex(1);
    button.SetHint(HistoryFilterHint(filter));
    button.OnClick = [this, filter] { FilterClick(filter); };
  }

  const int listTop = kBandHeight + 8;
  const int listBottom = kClientHeight - kBottomBand - 6;
  ListBox1.Create(w, kListLeft, listTop, kClientWidth - kMargin - kListLeft, listBottom - listTop);
  ListBox1.SetFont(rowFont_.get());
  ListBox1.SetItemHeight(kRowHeight);
  ListBox1.OnDrawItem = [this](const DRAWITEMSTRUCT& item) { DrawRow(item); };
  ListBox1.OnDblClick = [this] { btnOpenClick(); };
  ListBox1.SetMessageHook([this](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
    // A click on a row reports a missing document once the click is over.
    if (msg == WM_LBUTTONUP) {
      const auto hit = SendMessageW(ListBox1.Handle(), LB_ITEMFROMPOINT, 0, lp);
      if (HIWORD(hit) == 0) PostMessageW(Handle(), kRowClickedMessage, 0, 0);
    }
    return false;
  });
  SetFirstFocus(&ListBox1);

  struct Bottom {
    StyledButton& button;
    const wchar_t* caption;
    int left, width;
    void (THistoryForm::*click)();
  };
  const int top = kClientHeight - kBottomBand + (kBottomBand - kButtonHeight) / 2;
  const int right = kClientWidth - kMargin;
  const Bottom buttons[] = {
      {btnClear, L"Clear List", kListLeft, 100, &THistoryForm::btnClearClick},
      {btnRemove, L"Remove From List", kListLeft + 108, 140, &THistoryForm::btnRemoveClick},
      {btnSearch, L"Search", right - 3 * 100 - 2 * 8, 100, &THistoryForm::btnSearchClick},
      {btnOpen, L"Open", right - 2 * 100 - 8, 100, &THistoryForm::btnOpenClick},
      {btnClose, L"Close", right - 100, 100, &THistoryForm::btnCloseClick},
  };
  for (const Bottom& b : buttons) {
    b.button.Create(w, b.caption, b.left, top, b.width, kButtonHeight);
    b.button.OnClick = [this, click = b.click] { (this->*click)(); };
  }
  btnClose.Styled().SetCancel(true);
  SetCancelButton(&btnClose);
}

void THistoryForm::Execute() {
  pending_.reset();
  ShowModal();
  if (!pending_) return;
  const std::wstring path = *std::exchange(pending_, std::nullopt);
  bool failed = false;
  {
    HourglassCursor hourglass;
    try {
      if (host_.openDocument) host_.openDocument(path);
    } catch (const std::exception&) {
      failed = true;
    }
  }
  if (failed) ShowInformation(kMissing);
}

void THistoryForm::RecordOpenedDocument(const std::wstring& path) { history_.RecordOpened(path); }

void THistoryForm::RecordSavedDocument(const std::wstring& path) { history_.RecordSaved(path); }

void THistoryForm::SyncList() {
  if (listVersion_ == history_.RowsVersion()) return;
  ListBox1.Fill(history_.Rows());
  listVersion_ = history_.RowsVersion();
  const int band = kBandHeight;
  RECT r{kClientWidth / 2, 0, kClientWidth, band};
  InvalidateRect(Handle(), &r, FALSE);
}

void THistoryForm::SelectFirstRow() {
  if (!history_.Rows().empty() && ListBox1.FocusedRow()) {
    ListBox1.SetFocusedRow(0);
    ListBox1.SetSelected(0, true);
  }
  ListBox1.SetFocus();
}

void THistoryForm::ShowFilterButtons() {
  const auto active = static_cast<std::size_t>(history_.Filter());
  imgFilters[active].Styled().SetDown(true);
  // The warm frame around the filter in effect.
  const RECT column{0, kBandHeight, kListLeft - 4, kClientHeight - kBottomBand};
  InvalidateRect(Handle(), &column, TRUE);
}

void THistoryForm::FormShow() {
  CenterOn(GetWindow(Handle(), GW_OWNER));
  SyncList();
  if (firstShow_) {
    if (!history_.Rows().empty()) ListBox1.SetSelected(0, true);
    firstShow_ = false;
  }
  ListBox1.DeselectAll();
  SelectFirstRow();
}

void THistoryForm::FilterClick(HistoryFilter filter) {
  try {
    history_.SetFilter(filter);
  } catch (const std::exception&) {
    ShowPlainMessage(L"File not Found!");
  }
  SyncList();
  ShowFilterButtons();
  SelectFirstRow();
}

void THistoryForm::btnOpenClick() {
  if (host_.modified && host_.modified() && host_.confirmSaveChanges && !host_.confirmSaveChanges())
    return;
  const std::vector<std::size_t> selected = ListBox1.SelectedRows();
  if (selected.size() != 1 || selected.front() >= history_.Rows().size()) {
    ShowInformation(L"Please select only one document to open.");
    return;
  }
  const std::wstring path = history_.Rows()[selected.front()];
  if (!IsExistingFile(path)) {
    ShowInformation(kMissing);
    return;
  }
  history_.OpenRow(selected.front());
  SyncList();
  pending_ = path;
  SetModalResult(mrOk);
  Hide();
}

void THistoryForm::ListBox1Enter() {
  if (!ListBox1.FocusedRow()) {
    ShowInformation(L"Please make a selection first.");
    return;
  }
  btnOpenClick();
}

void THistoryForm::ListBox1Click() {
  const std::optional<std::size_t> focused = ListBox1.FocusedRow();
  if (!focused || *focused >= history_.Rows().size()) return;
  if (!IsExistingFile(history_.Rows()[*focused]))
    ShowInformation(std::wstring(kMissing) +
                    L"\r\n\r\nPlease remove this listing from document history.");
}

void THistoryForm::btnSearchClick() {
  const std::optional<std::wstring> text = CurrentDialogs().InputBox(
      L"Search for a Document", L"Enter a document name to search for:", L"Document Name");
  if (!text) return;
  if (text->empty()) {
    ShowInformation(L"Please enter a valid document name to search for.");
    return;
  }
  const std::optional<std::size_t> found = history_.FindRow(*text);
  if (!found) return;
  if (const std::optional<std::size_t> focused = ListBox1.FocusedRow())
    ListBox1.SetSelected(*focused, false);
  ListBox1.SetFocusedRow(*found);
  ListBox1.SetSelected(*found, true);
  ListBox1.SetFocus();
}

void THistoryForm::btnRemoveClick() {
  const bool yes = ConfirmYesNo(L"Remove Selected Document(s)?");
  if (yes && !history_.Rows().empty()) {
    if (const std::optional<std::size_t> focused = ListBox1.FocusedRow()) {
      history_.RemoveRows(ListBox1.SelectedRows());
      SyncList();
      if (!history_.Rows().empty())
        ListBox1.SetFocusedRow(std::min(*focused, history_.Rows().size() - 1));
    }
  }
  if (const std::optional<std::size_t> focused = ListBox1.FocusedRow())
    ListBox1.SetSelected(*focused, true);
  ListBox1.SetFocus();
}

void THistoryForm::btnClearClick() {
  if (ConfirmYesNo(L"Clear All of List?")) {
    history_.Clear();
    SyncList();
  }
  ListBox1.SetFocus();
}

void THistoryForm::btnCloseClick() {
  Application::Get().ProcessMessages();
  Close();
}

void THistoryForm::FormDestroy() { SaveFile(); }

// Saving: the whole master list, whatever filter is in effect; a failed write is not reported
// and leaves the old file as it was.
void THistoryForm::SaveFile() {
  if (filePath_.empty()) return;
  try {
    WriteHistoryFile(filePath_, history_.Entries());
  } catch (const std::exception&) {
  }
}

bool THistoryForm::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd == ListBox1.Handle()) {
    ListBox1Enter();
    return true;
  }
  return Form::PreTranslateMessage(msg);
}

void THistoryForm::FormMouseDown(int button, POINT client) {
  if (button == 0 && client.y < kBandHeight) BeginTitleDrag();
}

LRESULT THistoryForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRowClickedMessage) {
    ListBox1Click();
    return 0;
  }
  return Form::WndProc(msg, wp, lp);
}

// Drawing -----------------------------------------------------------------------------------

void THistoryForm::FormPaint(HDC dc) {
  const RECT band{0, 0, kClientWidth, kBandHeight};
  controls::DrawGradientBand(dc, band, {kBandTop, kBandBottom},
                             controls::TBandDirection::TopToBottom);
  // The toolbar's history picture beside the title.
  controls::TDibSurface icon(32, 32);
  if (icon.Valid()) {
    icon.Pixels().Fill(controls::RGBColor(32, 100, 172));
    BitBlt(icon.DC(), 0, 0, 32, 32, dc, 14, (kBandHeight - 32) / 2, SRCCOPY);
    BlendToolIcon(icon.Pixels(), 0, 0, ToolIcon::History, 32);
    icon.CopyTo(dc, 14, (kBandHeight - 32) / 2);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  {
    Selection font(dc, titleFont_.get());
    RECT title{56, 0, kClientWidth / 2 + 60, kBandHeight};
    DrawTextW(dc, L"Document History", -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  {
    // Which filter is in effect and how much of the history it shows.
    Selection font(dc, countFont_.get());
    const std::size_t shown = history_.Rows().size(), all = history_.Entries().size();
    const std::wstring count = history_.Filter() == HistoryFilter::AllDocuments
                                   ? DocumentsText(all)
                                   : std::to_wstring(shown) + L" of " + DocumentsText(all);
    const std::wstring text = std::wstring(HistoryFilterHint(history_.Filter())) + L"\n" + count;
    RECT r{kClientWidth / 2, 10, kClientWidth - 16, kBandHeight - 6};
    SetTextColor(dc, RGB(222, 235, 250));
    DrawTextW(dc, text.c_str(), -1, &r, DT_RIGHT | DT_NOPREFIX);
  }

  // The filters' column and the band of buttons along the bottom.
  const RECT column{0, kBandHeight, kListLeft - 4, kClientHeight - kBottomBand};
  BrushHandle grey(CreateSolidBrush(kColumn));
  FillRect(dc, &column, grey.get());
  RECT active = imgFilters[static_cast<std::size_t>(history_.Filter())].Bounds();
  InflateRect(&active, 4, 3);
  DrawHighlight(dc, active);
  const RECT bottom{0, kClientHeight - kBottomBand, kClientWidth, kClientHeight};
  controls::DrawGradientBand(dc, bottom, {RGB(248, 248, 248), RGB(226, 231, 239)},
                             controls::TBandDirection::TopToBottom);
  PenHandle rule(CreatePen(PS_SOLID, 1, kRule));
  Selection pen(dc, rule.get());
  MoveToEx(dc, 0, bottom.top, nullptr);
  LineTo(dc, kClientWidth, bottom.top);
  MoveToEx(dc, column.right, column.top, nullptr);
  LineTo(dc, column.right, column.bottom);
}

void THistoryForm::DrawRow(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  if (!rowSurface_.Resize(width, height)) {
    FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return;
  }
  // Drawn whole off screen and copied, so a row never flickers.
  HDC dc = rowSurface_.DC();
  RECT local{0, 0, width, height};
  FillRect(dc, &local, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const auto row = static_cast<std::size_t>(item.itemID);
  if (item.itemID != static_cast<UINT>(-1) && row < history_.Rows().size()) {
    const std::wstring& path = history_.Rows()[row];
    if (item.itemState & ODS_SELECTED) DrawHighlight(dc, local);
    pictures_.Blend(rowSurface_.Pixels(), 2, 1, HistoryPictureOf(path));
    Selection font(dc, rowFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT text{40, 8, width - 4, height};
    DrawTextW(dc, path.c_str(), static_cast<int>(path.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus{1, 1, width - 1, height - 1};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
  rowSurface_.CopyTo(item.hDC, r.left, r.top);
}

}  // namespace writer
