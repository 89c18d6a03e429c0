#include "writer/SidePanel.h"

#include <commctrl.h>

#include "platform/GdiHandles.h"
#include "writer/ToolIcons.h"

namespace writer {
namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 42, kButtonHeight = 38, kColumn = 49;
constexpr int kGlyph = 24;
// The buttons' faces run from white to a cool grey; the pictures' soft edges meet this tone.
constexpr controls::TColor kGlyphGround = controls::RGBColor(226, 231, 239);

HFONT HeadingFont() {
  static FontHandle font(CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, L"Arial"));
  return font.get();
}

int ColumnLeft(int column) { return kMargin + column * kColumn; }

}  // namespace

void SidePanelFrame::Create(HWND parent, int left, int top, int width, int height) {
  styled_ = std::make_unique<controls::TStyledPanel>(parent, left, top, width, height);
  controls::TStyledPanel& panel = *styled_;
  panel.SetCaptionPosition(controls::TCaptionPosition::cpTopCenter);
  panel.SetGradient(false);
  panel.SetColor(kColor);
  panel.SetOuterColor(RGB(255, 255, 255));
  panel.SetBorderColor(RGB(214, 218, 224));
  panel.SetCornerWidth(14);
  panel.SetAntialiased(true);
  panel.SetTextShadow(false);
  panel.SetFontColor(RGB(0, 21, 110));
  Attach(panel.Handle(), L"Text Properties");
  panel.SetFont(HeadingFont());
}

void TrackBar::Create(HWND parent, int left, int top, int width, int height) {
  CreateWindowed(parent, TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | WS_TABSTOP, 0,
                 left, top, width, height, L"");
}

void TrackBar::SetRange(int minimum, int maximum, int tickEvery) {
  SendMessageW(Handle(), TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
  SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(tickEvery), 0);
}

void TrackBar::SetPosition(int position) { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }

int TrackBar::Position() const {
  return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
}

void SidePanelControls::BuildSidePanel(HWND parent, std::function<void(int)> run,
                                       std::function<void(const std::wstring&)> hint) {
  pnlSide.Create(parent, 0, 0, kWidth, 400);
  pnlSide.SetMessageHook([this, hint, run](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
    if (msg == WM_MOUSEMOVE) hint(L"");
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == ZoomBar.Handle()) run(cmdZoom);
    return false;
  });
  HWND panel = pnlSide.Handle();

  struct PanelButton {
    StyledButton& button;
    int row, column;
    ToolIcon icon;
    const wchar_t* hint;
    Command command;
  };
  const PanelButton buttons[] = {
      {btnHelp, 0, 0, ToolIcon::Help, L"Help File...", cmdHelp},
      {btnLastDocument, 0, 1, ToolIcon::LastDocument, L"Open Last Active Document",
       cmdLastDocument},
      {btnEnvelope, 0, 2, ToolIcon::Envelope, L"Open Envelope Printer...", cmdEnvelope},
      {sbtnFormat, 0, 4, ToolIcon::FormatPainter, L"Format Painter", cmdFormatPainter},
      {btnParaFormat, 0, 5, ToolIcon::Paragraph, L"Paragraph Attributes...", cmdParaFormat},
      {btnBold, 1, 0, ToolIcon::Bold, L"Bold|Make Text Selection Bold", cmdBold},
      {btnItalic, 1, 1, ToolIcon::Italic, L"Italic|Make Text Selection Italic", cmdItalic},
      {btnUnderline, 1, 2, ToolIcon::Underline, L"Underline|Underline Text Selection",
       cmdUnderline},
      {btnLeftAlign, 1, 3, ToolIcon::AlignLeft, L"Align Text Left", cmdAlignLeft},
      {btnCenterAlign, 1, 4, ToolIcon::AlignCenter, L"Align Text Center", cmdAlignCenter},
      {BtnRightAlign, 1, 5, ToolIcon::AlignRight, L"Align Text Right", cmdAlignRight},
      {btnSpellCheck, 2, 0, ToolIcon::SpellCheck, L"Open Spell Checker...", cmdSpellCheck},
      {btnMailMerge, 2, 1, ToolIcon::MailMerge, L"Open Mail Merge...", cmdMailMerge},
      {btnMainIndentDec, 2, 2, ToolIcon::IndentLess, L"Decrease Indent", cmdIndentLess},
      {btnHangingIndentDec, 2, 3, ToolIcon::HangingLess, L"Decrease Hanging Indent",
       cmdHangingLess},
      {btnHangingIndentInc, 2, 4, ToolIcon::HangingMore, L"Increase Hanging Indent",
       cmdHangingMore},
      {btnMainIndentInc, 2, 5, ToolIcon::IndentMore, L"Increase Indent", cmdIndentMore},
      {btnSpacing1, 3, 0, ToolIcon::Spacing1, L"Single Line Spacing", cmdSpacing1},
      {btnSpacing15, 3, 1, ToolIcon::Spacing15, L"One and a Half Line Spacing", cmdSpacing15},
      {btnSpacing2, 3, 2, ToolIcon::Spacing2, L"Double Line Spacing", cmdSpacing2},
      {btnBullet, 3, 3, ToolIcon::Bullets, L"Round Bullets", cmdBullets},
      {btnNumbering, 3, 4, ToolIcon::Numbering, L"Numbering Bullets", cmdNumbering},
      {btnBackground, 3, 5, ToolIcon::Highlight, L"Text Highlight Colour |Text Background Colour",
       cmdHighlight},
  };
  // Row 0 sits under the heading; the font boxes come between rows 0 and 1.
  const int rowTops[] = {30, 146, 190, 234};
  for (const PanelButton& b : buttons) {
    b.button.Create(panel, L"", ColumnLeft(b.column), rowTops[b.row], kButtonWidth, kButtonHeight);
    controls::TStyledButton& styled = b.button.Styled();
    styled.SetGlyph(DrawToolIcon(b.icon, kGlyph, kGlyphGround), kGlyphGround);
    styled.SetShowFocusRect(false);
    styled.SetTabStop(false);
    b.button.SetHint(b.hint);
    b.button.SetMessageHook([this, hint, text = std::wstring(b.hint), &button = b.button,
                             command = b.command](UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_MOUSEMOVE) hint(text);
      if (msg == WM_RBUTTONUP && OnButtonDropDown) {
        RECT r{};
        GetWindowRect(button.Handle(), &r);
        OnButtonDropDown(command, r);
      }
      return false;
    });
    b.button.OnClick = [run, command = b.command] { run(command); };
    commands_.emplace_back(b.command, &b.button);
  }

  const int right = ColumnLeft(5) + kButtonWidth;
  FontName.Create(panel, kMargin, 76, right - kMargin, 300);
  FontName.Add(L"Arial");
  FontName.SetSelectedIndex(0);
  FontName.SetHint(L"Font Selection");
  ColorComboBox1.Create(panel, kMargin, 108, 180, 300);
  ColorComboBox1.FillStandardColors();
  ColorComboBox1.SetHint(L"Font Colour");
  FontSize1.Create(panel, kMargin + 190, 108, right - kMargin - 190, 24);
  FontSize1.SetRange(4, 800);
  FontSize1.SetValue(12);
  FontSize1.SetHint(L"Font Size");
  commands_.emplace_back(cmdFontName, &FontName);
  commands_.emplace_back(cmdFontColor, &ColorComboBox1);
  commands_.emplace_back(cmdFontSize, &FontSize1);

  Label4.Create(panel, L"Super-Script", kMargin, 280, 120, 18);
  Label4.SetVisible(false);
  ZoomBar.Create(panel, kMargin - 4, 302, right - kMargin + 8, 32);
  ZoomBar.SetRange(50, 200, 5);
  ZoomBar.SetPosition(100);
  commands_.emplace_back(cmdZoom, &ZoomBar);
  Label1.Create(panel, L"Zoom: 100%", kMargin, 336, 150, 18);
  Label3.Create(panel, L"Words:   0   Characters:   0", kMargin, 370, right - kMargin, 18);
}

void SidePanelControls::PlaceSidePanel(int left, int top, int height) {
  pnlSide.SetBounds(left, top, kWidth, height);
  const RECT foot = Label3.Bounds();
  Label3.SetBounds(foot.left, std::max(360, height - 30), foot.right - foot.left,
                   foot.bottom - foot.top);
}

}  // namespace writer
