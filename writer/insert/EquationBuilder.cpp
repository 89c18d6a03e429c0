#include "writer/insert/EquationBuilder.h"

#include <richedit.h>

#include <algorithm>
#include <cmath>

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "richedit/RichEditWindow.h"
#include "writer/insert/InsertClipboard.h"
#include "writer/insert/TitleBand.h"

using writer::EquationFont;

namespace writer {

void EquationEditor::Create(HWND parent, int left, int top, int width, int height) {
  CreateWindowed(
      parent, richedit::registerRichEditClass(),
      WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL, 0,
      left, top, width, height, L"");
  HWND editor = Handle();
  SendMessageW(editor, EM_SETTEXTMODE, TM_RICHTEXT | TM_MULTILEVELUNDO, 0);
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                  CFM_UNDERLINE | CFM_STRIKEOUT;
  format.yHeight = TfrmEBuilder::kDefaultPixels * 1440 / 96;
  format.bCharSet = SYMBOL_CHARSET;
  format.crTextColor = RGB(0, 0, 0);
  wcscpy_s(format.szFaceName, L"Symbol");
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(editor, EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
}

void EquationEditor::HandleCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}

bool EquationEditor::HandleNotify(const NMHDR& header, LRESULT&) {
  if (header.code != EN_SELCHANGE) return false;
  if (OnSelectionChange) OnSelectionChange();
  return true;
}

namespace {

std::vector<std::wstring> TextLines(HWND editor) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(editor)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(editor, text.data(), static_cast<int>(text.size()))));
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

MetafileHandle RecordEquationPicture(HWND editor, HDC screen) {
  const int hundredthsX = GetDeviceCaps(screen, HORZSIZE) * 100 / GetDeviceCaps(screen, HORZRES);
  const int hundredthsY = GetDeviceCaps(screen, VERTSIZE) * 100 / GetDeviceCaps(screen, VERTRES);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  FontHandle font(CreateFontW(-TfrmEBuilder::kDefaultPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                              FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH, L"Symbol"));
  const std::vector<std::wstring> lines = TextLines(editor);
  int lineHeight = 0, width = 0;
  {
    Selection keep(screen, font.get());
    SIZE size{};
    GetTextExtentPoint32W(screen, L"W", 1, &size);
    lineHeight = size.cy;
    for (const std::wstring& line : lines) {
      const std::wstring measured = line + L"WW";
      GetTextExtentPoint32W(screen, measured.c_str(), static_cast<int>(measured.size()), &size);
      width = std::max(width, static_cast<int>(size.cx));
    }
  }
  const int rows = static_cast<int>(lines.size()) + 1;
  const RECT frame{0, 0, width * hundredthsX, lineHeight * rows * hundredthsY};
  HDC recorder = CreateEnhMetaFileW(screen, nullptr, &frame, L"Tessary\0Equation\0");
  if (!recorder) throw EError("The equation cannot be made into a picture.");
  FORMATRANGE range{};
  range.hdc = range.hdcTarget = recorder;
  range.rc = RECT{7200 / dpiX, 7200 / dpiY, 892800 / dpiX, lineHeight * rows * 1440 / dpiY};
  range.rcPage = range.rc;
  range.chrg = CHARRANGE{0, GetWindowTextLengthW(editor)};
  SendMessageW(editor, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  MetafileHandle picture(CloseEnhMetaFile(recorder));
  SendMessageW(editor, EM_FORMATRANGE, 0, 0);
  if (!picture) throw EError("The equation cannot be made into a picture.");
  return picture;
}

}  // namespace writer

namespace {

constexpr int kBandHeight = 30;
constexpr COLORREF kBand = RGB(0, 128, 192);
constexpr int kKey = 25;      // an insert button and the gap after it
constexpr int kWideKey = 42;  // the function and spacing buttons
constexpr int kGroupHeight = 20 + 2 * kKey + 8;

const wchar_t kHelpText[] =
    L"This is a short help tutorial.\r\n"
    L"\r\n"
    L"To copy part or all of your equations, simply make your selection and click on the\r\n"
    L"Copy button.\r\n"
    L"\r\n"
    L"Inserting equations as an image\r\n"
    L"^^^^^^^^^^^^^^^^^^^^^\r\n"
    L"When creating equations incorporating tabs to align your symbols,\r\n"
    L"make sure to add a line at the bottom of the editor that is filled with spaces\r\n"
    L"upto and a bit beyond the longest line of symbols used in your equations.\r\n"
    L"\r\n"
    L"This will ensure that your equations fit properly inside the image.";

FontHandle MakeFont(const wchar_t* face, int height, BYTE charset, int weight = FW_NORMAL) {
  return FontHandle(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, face));
}

// Where each group of the palette sits: three rows under the editor.
struct GroupPlace {
  int left, top;
};
constexpr GroupPlace kGroupPlaces[] = {
    {8, 196}, {355, 196}, {80, 280}, {528, 280}, {702, 196}, {92, 364}, {415, 364},
};

int KeyWidth(const writer::EquationButton& b) {
  return b.font == EquationFont::Symbol || b.font == EquationFont::Arial ? kKey : kWideKey;
}

}  // namespace

void TfrmEBuilder::Create(HWND owner) {
  FormStyle style = FormStyle::Borderless(L"Equation Builder", kClientWidth, kClientHeight);
  style.style |= WS_BORDER;
  style.color = RGB(243, 243, 243);
  Form::Create(style, owner);
  bandBrush_.Reset(CreateSolidBrush(kBand));
  faceBrush_.Reset(CreateSolidBrush(RGB(243, 243, 243)));
  titleFont_ = MakeFont(L"Arial", -16, DEFAULT_CHARSET, FW_BOLD);
  symbolFont_ = MakeFont(L"Symbol", -17, SYMBOL_CHARSET);
  arialFont_ = MakeFont(L"Arial", -15, ANSI_CHARSET);
  timesFont_ = MakeFont(L"Times New Roman", -15, ANSI_CHARSET);
  starFont_ = MakeFont(L"Arial", -18, DEFAULT_CHARSET, FW_BOLD);
  toggleFont_ = MakeFont(L"Times New Roman", -19, DEFAULT_CHARSET, FW_BOLD);
  smallFont_ = MakeFont(L"Times New Roman", -12, DEFAULT_CHARSET, FW_BOLD);
  LOGFONTW underlined{};
  GetObjectW(toggleFont_.get(), sizeof underlined, &underlined);
  underlined.lfUnderline = TRUE;
  underlineFont_.Reset(CreateFontIndirectW(&underlined));
  BuildEditor();
  BuildToggles();
  BuildPalette();
  BuildCommands();
  SetFirstFocus(&EQBuilder);
  SelectionChanged();
}

void TfrmEBuilder::BuildEditor() {
  grpOutput.Create(Handle(), L" Equation Output Text ", 8, 38, 665, 152);
  EQBuilder.Create(grpOutput.Handle(), 8, 24, 649, 120);
  EQBuilder.OnSelectionChange = [this] { SelectionChanged(); };
  EQBuilder.OnChange = [this] {
    const bool any = GetWindowTextLengthW(EQBuilder.Handle()) > 0;
    btnInsertText.SetEnabled(any);
    btnInsertImage.SetEnabled(any);
  };
}

void TfrmEBuilder::BuildToggles() {
  HWND w = Handle();
  struct Toggle {
    writer::DrawnButton& button;
    Label& star;
    const wchar_t* caption;
    const wchar_t* hint;
    void (TfrmEBuilder::*click)();
  };
  const Toggle toggles[] = {
      {btnSuperscript, starSuperscript, L"x2", L"Superscript", &TfrmEBuilder::btnSuperscriptClick},
      {btnSubscript, starSubscript, L"x2", L"Subscript", &TfrmEBuilder::btnSubscriptClick},
      {btnUnderline, starUnderline, L"U", L"Underline Script", &TfrmEBuilder::btnUnderlineClick},
  };
  int left = 684;
  for (const Toggle& t : toggles) {
    t.button.Create(w, t.caption, left, 46, 36, 30);
    t.button.OnDraw = [this](const DRAWITEMSTRUCT& item, bool hot) { DrawToggle(item, hot); };
    t.button.SetHint(t.hint);
    t.button.OnClick = [this, click = t.click] { (this->*click)(); };
    t.star.Create(w, L"*", left + 38, 46, 12, 20);
    t.star.SetFont(starFont_.get());
    t.star.SetVisible(false);
    left += 54;
  }
  lblFontSize.Create(w, L"Font Size:", 684, 96, 76, 20);
  RxSpinEdit1.Create(w, 764, 92, 74, 26);
  RxSpinEdit1.SetRange(8, 100);
  RxSpinEdit1.SetValue(14);
  RxSpinEdit1.OnArrow = [this](int) { FontSizeEnter(); };
  RxSpinEdit1.SetMessageHook([this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
      FontSizeEnter();
      return true;
    }
    return msg == WM_CHAR && wp == VK_RETURN;  // no beep
  });
  btnPlainText.Create(w, L"Plain Text", 684, 134, 154, 30);
  btnPlainText.OnClick = [this] { btnPlainTextClick(); };
}

void TfrmEBuilder::BuildPalette() {
  const std::vector<writer::EquationGroup> groupList = writer::EquationGroups();
  for (std::size_t g = 0; g < groupList.size(); ++g) {
    const writer::EquationGroup& group = groupList[g];
    const int keyWidth = KeyWidth(group.buttons.front());
    const int width = group.columns * keyWidth + 15;
    auto box = std::make_unique<StyledGroupBox>();
    box->Create(Handle(), std::wstring(L" ") + group.title + L" ", kGroupPlaces[g].left,
                kGroupPlaces[g].top, width, kGroupHeight);
    for (std::size_t i = 0; i < group.buttons.size(); ++i) {
      const writer::EquationButton& key = group.buttons[i];
      auto button = std::make_unique<Button>();
      const int column = static_cast<int>(i) % group.columns;
      const int row = static_cast<int>(i) / group.columns;
      button->Create(box->Handle(), key.caption, 8 + column * keyWidth, 22 + row * kKey,
                     keyWidth - 1, kKey - 1);
      button->SetFont(ButtonFont(key.font));
      const std::size_t index = inserts_.size();
      button->OnClick = [this, index] { InsertClick(index); };
      inserts_.push_back({key, std::move(button)});
    }
    groups.push_back(std::move(box));
  }
}

void TfrmEBuilder::BuildCommands() {
  HWND w = Handle();
  const int top = kClientHeight - 46;
  const struct {
    StyledButton& button;
    const wchar_t* caption;
    int left, width;
    void (TfrmEBuilder::*click)();
  } commands[] = {
      {btnCopy, L"   Copy", 8, 96, &TfrmEBuilder::btnCopyClick},
      {btnPaste, L"  Paste", 110, 96, &TfrmEBuilder::btnPasteClick},
      {btnClear, L"   Clear", 212, 96, &TfrmEBuilder::btnClearClick},
      {btnInsertText, L"   Insert As Text", 438, 150, &TfrmEBuilder::btnInsertTextClick},
      {btnInsertImage, L"   Insert As Image", 594, 150, &TfrmEBuilder::btnInsertImageClick},
      {btnClose, L"Close", 750, 90, nullptr},
  };
  for (const auto& c : commands) {
    c.button.Create(w, c.caption, c.left, top, c.width, 36);
    if (c.click) c.button.OnClick = [this, click = c.click] { (this->*click)(); };
  }
  btnClose.SetModalResult(mrCancel);
  SetCancelButton(&btnClose);
  SpeedButton1.Create(w, L"?", kClientWidth - 34, 3, 28, 24);
  SpeedButton1.SetHint(L"Help...");
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  btnInsertText.SetEnabled(false);
  btnInsertImage.SetEnabled(false);
}

HFONT TfrmEBuilder::ButtonFont(EquationFont font) const {
  switch (font) {
    case EquationFont::Symbol: return symbolFont_.get();
    case EquationFont::Arial: return arialFont_.get();
    case EquationFont::TimesNewRoman: return timesFont_.get();
    case EquationFont::Unchanged: break;
  }
  return reinterpret_cast<HFONT>(SendMessageW(btnCopy.Handle(), WM_GETFONT, 0, 0));
}

// An "x" with a raised or lowered "2", or an underlined "U"; a toggle that is on is tinted.
void TfrmEBuilder::DrawToggle(const DRAWITEMSTRUCT& item, bool hot) const {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool super = item.hwndItem == btnSuperscript.Handle();
  const bool sub = item.hwndItem == btnSubscript.Handle();
  const bool on = super ? superscript_ : sub ? subscript_ : underline_;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  BrushHandle face(CreateSolidBrush(pressed ? RGB(255, 210, 94)
                                    : on    ? RGB(255, 236, 178)
                                    : hot   ? RGB(229, 241, 251)
                                            : RGB(255, 255, 255)));
  PenHandle edge(CreatePen(PS_SOLID, 1, hot ? RGB(60, 127, 177) : RGB(150, 160, 175)));
  {
    Selection pen(dc, edge.get());
    Selection brush(dc, face.get());
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 6, 6);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 21, 110));
  const int middle = (r.top + r.bottom) / 2;
  if (!super && !sub) {
    Selection font(dc, underlineFont_.get());
    RECT all = r;
    DrawTextW(dc, L"U", 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  const int left = (r.left + r.right) / 2 - 9;
  {
    Selection font(dc, toggleFont_.get());
    RECT x{left, r.top, left + 12, r.bottom};
    DrawTextW(dc, L"x", 1, &x, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  Selection font(dc, smallFont_.get());
  RECT two{left + 12, super ? middle - 12 : middle - 1, left + 20,
           super ? middle + 1 : middle + 12};
  DrawTextW(dc, L"2", 1, &two, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TfrmEBuilder::FocusEditor() { EQBuilder.SetFocus(); }

void TfrmEBuilder::InsertClick(std::size_t index) {
  const writer::EquationButton& key = inserts_.at(index).key;
  HWND editor = EQBuilder.Handle();
  if (key.font != EquationFont::Unchanged) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE;
    wcscpy_s(format.szFaceName, writer::EquationFaceName(key.font));
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    format.dwMask = CFM_CHARSET;
    format.bCharSet = writer::EquationCharset(key.font);
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }
  writer::ClipboardPutText(Handle(), key.text);
  SendMessageW(editor, WM_PASTE, 0, 0);
  FocusEditor();
}

void TfrmEBuilder::SetEffect(DWORD mask, DWORD effects) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = mask;
  format.dwEffects = effects;
  SendMessageW(EQBuilder.Handle(), EM_SETCHARFORMAT, SCF_SELECTION,
               reinterpret_cast<LPARAM>(&format));
  SelectionChanged();
  FocusEditor();
}

// CFM_SUPERSCRIPT and CFM_SUBSCRIPT are one mask: turning one script on turns the other off,
// turning it off turns both off.
void TfrmEBuilder::btnSuperscriptClick() {
  SetEffect(CFM_SUPERSCRIPT, superscript_ ? 0 : CFE_SUPERSCRIPT);
}

void TfrmEBuilder::btnSubscriptClick() { SetEffect(CFM_SUBSCRIPT, subscript_ ? 0 : CFE_SUBSCRIPT); }

void TfrmEBuilder::btnUnderlineClick() { SetEffect(CFM_UNDERLINE, underline_ ? 0 : CFE_UNDERLINE); }

void TfrmEBuilder::SetSize(int points) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_SIZE;
  format.yHeight = points * 20;
  SendMessageW(EQBuilder.Handle(), EM_SETCHARFORMAT, SCF_SELECTION,
               reinterpret_cast<LPARAM>(&format));
}

void TfrmEBuilder::FontSizeEnter() {
  SetSize(static_cast<int>(std::lround(RxSpinEdit1.Value())));
  FocusEditor();
}

void TfrmEBuilder::btnPlainTextClick() {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE;
  wcscpy_s(format.szFaceName, L"Arial");
  SendMessageW(EQBuilder.Handle(), EM_SETCHARFORMAT, SCF_SELECTION,
               reinterpret_cast<LPARAM>(&format));
  SetSize(static_cast<int>(std::lround(RxSpinEdit1.Value())));
  FocusEditor();
}

void TfrmEBuilder::btnCopyClick() {
  CHARRANGE selection{};
  SendMessageW(EQBuilder.Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (selection.cpMax > selection.cpMin) SendMessageW(EQBuilder.Handle(), WM_COPY, 0, 0);
}

void TfrmEBuilder::btnPasteClick() {
  if (IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT))
    SendMessageW(EQBuilder.Handle(), WM_PASTE, 0, 0);
}

void TfrmEBuilder::btnClearClick() {
  CHARRANGE all{0, -1};
  SendMessageW(EQBuilder.Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  SendMessageW(EQBuilder.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  FocusEditor();
}

// All of the formula but the editor's final paragraph mark, which would put a line break after
// the formula in the document.
void TfrmEBuilder::btnInsertTextClick() {
  GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto length = static_cast<LONG>(
      SendMessageW(EQBuilder.Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
  CHARRANGE all{0, length};
  SendMessageW(EQBuilder.Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  SendMessageW(EQBuilder.Handle(), WM_COPY, 0, 0);
  textResult_ = true;
  SetModalResult(mrOk);
}

// A formula that cannot be drawn leaves the clipboard and the document alone: the window stays
// open and the general handler shows why.
void TfrmEBuilder::btnInsertImageClick() {
  WindowDC screen(Handle());
  const writer::MetafileHandle picture =
      writer::RecordEquationPicture(EQBuilder.Handle(), screen.get());
  writer::ClipboardPutMetafile(Handle(), picture.get());
  pictureResult_ = true;
  SetModalResult(mrOk);
}

void TfrmEBuilder::SpeedButton1Click() { ShowPlainMessage(kHelpText); }

void TfrmEBuilder::SelectionChanged() {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  SendMessageW(EQBuilder.Handle(), EM_GETCHARFORMAT, SCF_SELECTION,
               reinterpret_cast<LPARAM>(&format));
  superscript_ = (format.dwEffects & CFE_SUPERSCRIPT) != 0;
  subscript_ = (format.dwEffects & CFE_SUBSCRIPT) != 0;
  underline_ = (format.dwEffects & CFE_UNDERLINE) != 0;
  starSuperscript.SetVisible(superscript_);
  starSubscript.SetVisible(subscript_);
  starUnderline.SetVisible(underline_);
  for (writer::DrawnButton* toggle : {&btnSuperscript, &btnSubscript, &btnUnderline})
    toggle->Invalidate();
  if (format.dwMask & CFM_SIZE) RxSpinEdit1.SetValue(format.yHeight / 20);
}

void TfrmEBuilder::FormShow() {
  if (HWND owner = GetWindow(Handle(), GW_OWNER)) CenterOn(owner);
  textResult_ = pictureResult_ = false;
  HWND editor = EQBuilder.Handle();
  CHARRANGE selection{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const LONG at = selection.cpMax - selection.cpMin;
  CHARRANGE caret{at, at};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  SendMessageW(editor, EM_SCROLLCARET, 0, 0);
  Form::FormShow();
}

void TfrmEBuilder::FormPaint(HDC dc) {
  writer::PaintTitleBand(dc, bandBrush_.get(), titleFont_.get(), {0, 0, kClientWidth, kBandHeight},
                         L"Equation Builder");
}

void TfrmEBuilder::FormMouseDown(int button, POINT client) {
  if (button == 0 && client.y < kBandHeight) BeginTitleDrag();
}

LRESULT TfrmEBuilder::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLORSTATIC) {
    HWND control = reinterpret_cast<HWND>(lp);
    HDC dc = reinterpret_cast<HDC>(wp);
    const bool star = control == starSuperscript.Handle() || control == starSubscript.Handle() ||
                      control == starUnderline.Handle();
    SetTextColor(dc, star ? RGB(200, 30, 30) : RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(faceBrush_.get());
  }
  return Form::WndProc(msg, wp, lp);
}
