#include "writer/FormatCommands.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <set>

#include "platform/Dialogs.h"
#include "platform/GdiHandles.h"
#include "richedit/RichEditWindow.h"
#include "writer/FormatRules.h"
#include "writer/MainCommands.h"

namespace writer {
namespace {

constexpr DWORD kStyleMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
constexpr DWORD kStyleEffects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT;

int CALLBACK AddFaceName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
  auto* list = reinterpret_cast<std::vector<std::wstring>*>(names);
  list->emplace_back(font->lfFaceName, wcsnlen(font->lfFaceName, LF_FACESIZE));
  return 1;
}

// The face names of the installed fonts of a character set, in the order reported.
std::vector<std::wstring> FontFaces(HWND window, BYTE charset) {
  std::vector<std::wstring> names;
  WindowDC dc(window);
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  EnumFontFamiliesExW(dc.get(), &wanted, AddFaceName, reinterpret_cast<LPARAM>(&names), 0);
  return names;
}

void SetButtonDown(StyledButton& button, bool down) { button.Styled().SetDown(down); }

}  // namespace

FormatCommands::FormatCommands(SidePanelControls& panel, HWND editor)
    : panel_(panel), formats_(editor) {
  AttachControls();
}

// The panel's state buttons each stand alone: they show down independently.
void FormatCommands::AttachControls() {
  int group = 100;
  for (StyledButton* b :
       {&panel_.btnBold, &panel_.btnItalic, &panel_.btnUnderline, &panel_.btnLeftAlign,
        &panel_.btnCenterAlign, &panel_.BtnRightAlign, &panel_.btnSpacing1, &panel_.btnSpacing15,
        &panel_.btnSpacing2, &panel_.btnBullet, &panel_.btnNumbering, &panel_.sbtnFormat}) {
    b->Styled().SetGroupIndex(++group);
    b->Styled().SetAllowAllUp(true);
  }
  panel_.FontSize1.SetIncrement(2);
  panel_.FontSize1.SetReadOnly(true);
  panel_.FontName.OnChange = [this] { FontNameChanged(); };
  panel_.ColorComboBox1.OnChange = [this] { FontColorChosen(); };
  panel_.FontSize1.OnChange = [this] { FontSizeChanged(); };
  panel_.FontSize1.OnArrow = [this](int delta) { FontSizeArrow(delta); };
  panel_.FontSize1.SetMessageHook([this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
      FontSizeEnter();
      return true;
    }
    return false;
  });
}

void FormatCommands::FillLists(HWND window) {
  symbolFonts_ = FontFaces(window, SYMBOL_CHARSET);
  std::set<std::wstring> faces;
  for (std::wstring& face : FontFaces(window, DEFAULT_CHARSET))
    if (!face.empty() && face[0] != L'@') faces.insert(std::move(face));
  installedFaces_.assign(faces.begin(), faces.end());
  faces.insert(L"Arial");
  ComboBox& names = panel_.FontName;
  names.Clear();
  for (const std::wstring& face : faces) names.Add(face);
  panel_.ColorComboBox1.FillStandardColors();
  ShowFaceName(L"Arial");
}

bool FormatCommands::Handles(int command) {
  switch (command) {
    case cmdBold:
    case cmdItalic:
    case cmdUnderline:
    case cmdSuperscript:
    case cmdSubscript:
    case cmdAlignLeft:
    case cmdAlignCenter:
    case cmdAlignRight:
    case cmdJustify:
    case cmdSpacing1:
    case cmdSpacing15:
    case cmdSpacing2:
    case cmdBullets:
    case cmdNumbering:
    case cmdIndentLess:
    case cmdIndentMore:
    case cmdHangingLess:
    case cmdHangingMore:
    case cmdHighlight:
    case cmdFormatPainter: return true;
    default: return false;
  }
}

void FormatCommands::Run(int command) {
  switch (command) {
    case cmdBold:
    case cmdItalic:
    case cmdUnderline: ToggleStyle(command); break;
    case cmdSuperscript:
    case cmdSubscript: ToggleScript(command); break;
    case cmdAlignLeft:
    case cmdAlignCenter:
    case cmdAlignRight: Align(command); break;
    case cmdJustify: Justify(); break;
    case cmdSpacing1:
    case cmdSpacing15:
    case cmdSpacing2: Spacing(command); break;
    case cmdBullets: Bullets(); break;
    case cmdNumbering: Numbering(); break;
    case cmdIndentLess:
    case cmdIndentMore:
    case cmdHangingLess:
    case cmdHangingMore: Indent(command); break;
    case cmdHighlight: HighlightColor(); break;
    case cmdFormatPainter: PainterClick(); break;
    default: break;
  }
}

// Refresh --------------------------------------------------------------------------------------

void FormatCommands::RefreshControls() {
  updating_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{updating_};
  // With nothing selected the selection's format is the caret's, the word's own format.
  const CHARFORMAT2W current = formats_.SelectionFormat();
  ShowColor(current);
  bold_ = current.dwEffects & CFE_BOLD;
  italic_ = current.dwEffects & CFE_ITALIC;
  underline_ = current.dwEffects & CFE_UNDERLINE;
  SetButtonDown(panel_.btnBold, bold_);
  SetButtonDown(panel_.btnItalic, italic_);
  SetButtonDown(panel_.btnUnderline, underline_);
  const PARAFORMAT2 paragraph = formats_.ParagraphFormat();
  SetButtonDown(panel_.btnNumbering, paragraph.wNumbering == PFN_ARABIC);
  SetButtonDown(panel_.btnBullet, paragraph.wNumbering == PFN_BULLET);
  SetButtonDown(panel_.btnSpacing1, paragraph.bLineSpacingRule == 0);
  SetButtonDown(panel_.btnSpacing15, paragraph.bLineSpacingRule == 3);
  SetButtonDown(panel_.btnSpacing2, paragraph.bLineSpacingRule == 5);
  ShowScript(current.dwEffects);
  panel_.FontSize1.SetValue(current.yHeight / 20);
  ShowFaceName(current.szFaceName);
  ShowAlignment(paragraph.wAlignment);
}

void FormatCommands::ShowColor(const CHARFORMAT2W& format) {
  panel_.ColorComboBox1.SelectColor((format.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0)
                                                                       : format.crTextColor);
}

void FormatCommands::ShowScript(DWORD effects) {
  superscript_ = effects & CFE_SUPERSCRIPT;
  subscript_ = effects & CFE_SUBSCRIPT;
  if (OnScriptTicks) {
    OnScriptTicks(cmdSuperscript, superscript_);
    OnScriptTicks(cmdSubscript, subscript_);
  }
  if (superscript_) panel_.Label4.SetText(L"Super-Script");
  if (subscript_) panel_.Label4.SetText(L"Sub-Script");
  panel_.Label4.SetVisible(superscript_ || subscript_);
}

void FormatCommands::ShowFaceName(const std::wstring& face) {
  ComboBox& box = panel_.FontName;
  if (face.empty()) {
    box.SetSelectedIndex(-1);
    return;
  }
  auto index =
      static_cast<int>(SendMessageW(box.Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(face.c_str())));
  // A face the document names but the system lacks is still shown.
  if (index == CB_ERR) index = box.Add(face);
  if (box.SelectedIndex() != index) box.SetSelectedIndex(index);
}

void FormatCommands::ShowAlignment(WORD alignment) {
  const bool justify = alignment == PFA_JUSTIFY;
  SetButtonDown(panel_.btnLeftAlign, justify || alignment == PFA_LEFT);
  SetButtonDown(panel_.btnCenterAlign, justify || alignment == PFA_CENTER);
  SetButtonDown(panel_.BtnRightAlign, justify || alignment == PFA_RIGHT);
}

void FormatCommands::ShowStoredFont(int size, const std::wstring& face) {
  {
    updating_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{updating_};
    panel_.FontSize1.SetValue(size);
    const auto installed = std::find_if(
        installedFaces_.begin(), installedFaces_.end(),
        [&](const std::wstring& name) { return _wcsicmp(name.c_str(), face.c_str()) == 0; });
    if (installed != installedFaces_.end()) ShowFaceName(*installed);
  }
  CHARFORMAT2W format = EmptyCharFormat();
  format.yHeight = static_cast<LONG>(panel_.FontSize1.Value()) * 20;
  DWORD mask = CFM_SIZE;
  const int index = panel_.FontName.SelectedIndex();
  if (index >= 0) {
    wcsncpy_s(format.szFaceName, panel_.FontName.ItemText(index).c_str(), _TRUNCATE);
    format.bCharSet = IsSymbolFont() ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    mask |= CFM_FACE | CFM_CHARSET;
  }
  formats_.SetCharFormat(SCF_DEFAULT, format, mask);
}

// Character commands ---------------------------------------------------------------------------

void FormatCommands::ToggleStyle(int command) {
  const CHARFORMAT2W current = formats_.SelectionFormat();
  const DWORD effect = command == cmdBold     ? CFE_BOLD
                       : command == cmdItalic ? CFE_ITALIC
                                              : CFE_UNDERLINE;
  bool& state = command == cmdBold ? bold_ : command == cmdItalic ? italic_ : underline_;
  StyledButton& button = command == cmdBold     ? panel_.btnBold
                         : command == cmdItalic ? panel_.btnItalic
                                                : panel_.btnUnderline;
  CHARFORMAT2W format = EmptyCharFormat();
  format.dwEffects = current.dwEffects & kStyleEffects;
  format.dwEffects = state ? (format.dwEffects & ~effect) : (format.dwEffects | effect);
  state = !state;
  formats_.SetCurrentText(format, kStyleMask);
  SetButtonDown(button, state);
}

void FormatCommands::ToggleScript(int command) {
  const bool super = command == cmdSuperscript;
  bool& tick = super ? superscript_ : subscript_;
  CHARFORMAT2W format = EmptyCharFormat();
  if (tick) {
    tick = false;
  } else {
    format.dwEffects = super ? CFE_SUPERSCRIPT : CFE_SUBSCRIPT;
    superscript_ = super;
    subscript_ = !super;
  }
  formats_.SetCurrentText(format, CFM_SUPERSCRIPT | CFM_SUBSCRIPT);
  if (OnScriptTicks) {
    OnScriptTicks(cmdSuperscript, superscript_);
    OnScriptTicks(cmdSubscript, subscript_);
  }
}

void FormatCommands::FontNameChanged() {
  if (updating_) return;
  const int index = panel_.FontName.SelectedIndex();
  if (index < 0) return;
  const std::wstring face = panel_.FontName.ItemText(index);
  CHARFORMAT2W format = EmptyCharFormat();
  wcsncpy_s(format.szFaceName, face.c_str(), _TRUNCATE);
  formats_.SetCurrentText(format, CFM_FACE);
  format.bCharSet = IsSymbolFont() ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  formats_.SetCurrentText(format, CFM_CHARSET);
  FocusEditor();
}

bool FormatCommands::IsSymbolFont() const {
  const int index = panel_.FontName.SelectedIndex();
  if (index < 0) return false;
  const std::wstring face = panel_.FontName.ItemText(index);
  return std::find(symbolFonts_.begin(), symbolFonts_.end(), face) != symbolFonts_.end();
}

void FormatCommands::SetFontSize(int points) {
  CHARFORMAT2W format = EmptyCharFormat();
  format.yHeight = points * 20;
  formats_.SetSelection(format, CFM_SIZE);
}

void FormatCommands::FontSizeChanged() {
  if (updating_) return;
  const int value = static_cast<int>(panel_.FontSize1.Value());
  if (EvenFontSize(value) != value) {
    // Setting the even value reports a change of its own, which writes it.
    panel_.FontSize1.SetValue(EvenFontSize(value));
    return;
  }
  if (value > 3) SetFontSize(value);
  FocusEditor();
}

void FormatCommands::FontSizeArrow(int delta) {
  if (updating_ || delta <= 0) return;
  const int value = EvenFontSize(static_cast<int>(panel_.FontSize1.Value()));
  if (value > 7) SetFontSize(value);
  FocusEditor();
}

void FormatCommands::FontSizeEnter() {
  if (updating_) return;
  const int value = static_cast<int>(panel_.FontSize1.Value());
  if (value > 7) SetFontSize(value);
  FocusEditor();
}

void FormatCommands::FontColorChosen() {
  if (updating_) return;
  const std::optional<COLORREF> chosen = panel_.ColorComboBox1.SelectedColor();
  if (!chosen) return;
  CHARFORMAT2W format = EmptyCharFormat();
  if (*chosen == ColorComboBox::kAutomatic || *chosen == GetSysColor(COLOR_WINDOWTEXT))
    format.dwEffects = CFE_AUTOCOLOR;
  else
    format.crTextColor = *chosen;
  formats_.SetSelection(format, CFM_COLOR);
  FocusEditor();
}

void FormatCommands::HighlightColor() {
  const CHARFORMAT2W current = formats_.SelectionFormat();
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF initial = (current.dwEffects & CFE_AUTOBACKCOLOR) ? window : current.crBackColor;
  const std::optional<unsigned> chosen = CurrentDialogs().PickColor(initial);
  if (!chosen) return;
  CHARFORMAT2W format = EmptyCharFormat();
  if (*chosen == window)
    format.dwEffects = CFE_AUTOBACKCOLOR;
  else
    format.crBackColor = *chosen;
  formats_.SetSelection(format, CFM_BACKCOLOR);
}

// Paragraph commands ---------------------------------------------------------------------------

void FormatCommands::Align(int command) {
  for (StyledButton* b : {&panel_.btnLeftAlign, &panel_.btnCenterAlign, &panel_.BtnRightAlign})
    SetButtonDown(*b, false);
  panel_.Label4.SetVisible(false);
  PARAFORMAT2 format = EmptyParaFormat();
  format.wAlignment = command == cmdAlignLeft    ? PFA_LEFT
                      : command == cmdAlignRight ? PFA_RIGHT
                                                 : PFA_CENTER;
  SetButtonDown(command == cmdAlignLeft    ? panel_.btnLeftAlign
                : command == cmdAlignRight ? panel_.BtnRightAlign
                                           : panel_.btnCenterAlign,
                true);
  formats_.SetParagraphFormat(format, PFM_ALIGNMENT);
}

void FormatCommands::Justify() {
  SendMessageW(formats_.Editor(), EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY,
               TO_ADVANCEDTYPOGRAPHY);
  PARAFORMAT2 format = EmptyParaFormat();
  format.wAlignment = PFA_JUSTIFY;
  formats_.SetParagraphFormat(format, PFM_ALIGNMENT);
  ShowAlignment(PFA_JUSTIFY);
  FocusEditor();
}

void FormatCommands::Spacing(int command) {
  PARAFORMAT2 format = formats_.ParagraphFormat();
  format.bLineSpacingRule = command == cmdSpacing1 ? 0 : command == cmdSpacing15 ? 3 : 5;
  formats_.SetParagraphFormat(format, PFM_LINESPACING);
  if (command != cmdSpacing1) {
    format = formats_.ParagraphFormat();
    format.dyLineSpacing =
        command == cmdSpacing15
            ? OneAndAHalfSpacing(static_cast<int>(formats_.SelectionFormat().yHeight / 20)) * 20
            : 2 * 20;
    formats_.SetParagraphFormat(format, PFM_LINESPACING);
  }
  SetButtonDown(panel_.btnSpacing1, command == cmdSpacing1);
  SetButtonDown(panel_.btnSpacing15, command == cmdSpacing15);
  SetButtonDown(panel_.btnSpacing2, command == cmdSpacing2);
}

// A list needs room for its numbers: numbering on raises the hanging offset to 10 points,
// numbering off takes it away.
void FormatCommands::SetNumbering(WORD numbering) {
  PARAFORMAT2 format = formats_.ParagraphFormat();
  if (numbering == 0) {
    format.dxOffset = 0;
    formats_.SetParagraphFormat(format, PFM_OFFSET);
  } else if (format.dxOffset < 10 * 20) {
    format.dxOffset = 10 * 20;
    formats_.SetParagraphFormat(format, PFM_OFFSET);
  }
  format = EmptyParaFormat();
  format.wNumbering = numbering;
  formats_.SetParagraphFormat(format, PFM_NUMBERING);
}

void FormatCommands::Bullets() {
  if (formats_.ParagraphFormat().wNumbering == PFN_BULLET) {
    SetButtonDown(panel_.btnBullet, false);
    SetNumbering(0);
  } else {
    SetButtonDown(panel_.btnBullet, true);
    SetButtonDown(panel_.btnNumbering, false);
    SetNumbering(PFN_BULLET);
  }
}

void FormatCommands::Numbering() {
  if (formats_.ParagraphFormat().wNumbering == PFN_ARABIC) {
    SetButtonDown(panel_.btnNumbering, false);
    SetNumbering(0);
    return;
  }
  PARAFORMAT2 style = EmptyParaFormat();
  style.wNumberingStyle = PFNS_PERIOD;
  formats_.SetParagraphFormat(style, PFM_NUMBERINGSTYLE);
  SetNumbering(PFN_ARABIC);
  SetButtonDown(panel_.btnNumbering, true);
  SetButtonDown(panel_.btnBullet, false);
}

void FormatCommands::Indent(int command) {
  const bool main = command == cmdIndentLess || command == cmdIndentMore;
  const bool increase = command == cmdIndentMore || command == cmdHangingMore;
  int& counter = main ? mainIndent_ : hangingIndent_;
  const std::optional<int> next =
      IndentStep(counter, increase, main ? kHighestMainIndent : kHighestHangingIndent);
  if (!next) {
    ShowInformation(
        main ? (increase ? L"Maximum Indentation." : L"Minimum Indentation.")
             : (increase ? L"Maximum Hanging Indentation." : L"Minimum Hanging Indentation."));
    return;
  }
  counter = *next;
  PARAFORMAT2 format = EmptyParaFormat();
  if (main)
    format.dxStartIndent = counter * 20;
  else
    format.dxOffset = counter * 20;
  formats_.SetParagraphFormat(format, main ? PFM_STARTINDENT : PFM_OFFSET);
}

// Format painter -------------------------------------------------------------------------------

void FormatCommands::PainterClick() {
  if (painterArmed_) {
    ApplyPainter();
    return;
  }
  painterArmed_ = true;
  SetButtonDown(panel_.sbtnFormat, true);
  painterFormat_ = formats_.SelectionFormat();
}

void FormatCommands::ApplyPainter() {
  if (!painterArmed_) return;
  painterArmed_ = false;
  SetButtonDown(panel_.sbtnFormat, false);
  HWND editor = formats_.Editor();
  // The writes below are one step for Undo.
  SendMessageW(editor, richedit::EM_BEGINUNDOGROUP, 0, 0);
  struct EndGroup {
    HWND editor;
    ~EndGroup() { SendMessageW(editor, richedit::EM_ENDUNDOGROUP, 0, 0); }
  } endGroup{editor};
  const WPARAM target = formats_.CurrentTextTarget();
  CHARFORMAT2W format = EmptyCharFormat();
  formats_.SetCharFormat(target, format, kStyleMask);
  if (ProcessMessages) ProcessMessages();
  for (DWORD bit :
       {DWORD{CFE_BOLD}, DWORD{CFE_ITALIC}, DWORD{CFE_UNDERLINE}, DWORD{CFE_STRIKEOUT}}) {
    if (!(painterFormat_.dwEffects & bit)) continue;
    format.dwEffects = bit;
    formats_.SetCharFormat(target, format, bit);  // the mask bits equal the effect bits
  }
  const CHARFORMAT2W& p = painterFormat_;
  format = p;
  format.dwEffects = p.dwEffects & (CFE_AUTOBACKCOLOR | CFE_AUTOCOLOR);
  for (DWORD field : {DWORD{CFM_CHARSET}, DWORD{CFM_BACKCOLOR}, DWORD{CFM_COLOR}, DWORD{CFM_FACE},
                      DWORD{CFM_SIZE}})
    formats_.SetCharFormat(target, format, field);
  painterFormat_.dwEffects &= ~kStyleEffects;
}

void FormatCommands::FocusEditor() {
  HWND editor = formats_.Editor();
  if (IsWindowVisible(editor) && IsWindowEnabled(editor)) ::SetFocus(editor);
}

}  // namespace writer
