#include "writer/ParaFmt.h"

#include <cmath>
#include <iterator>
#include <utility>

#include "platform/Application.h"
#include "writer/FormatRules.h"
#include "writer/TextFormats.h"

namespace {

constexpr int kWidth = 540, kHeight = 330;
constexpr int kTabCount = 32;
constexpr int kDefaultTab = 36;

std::wstring ConversionText(double points) {
  const std::u16string text = writer::PointsConversionText(points);
  return std::wstring(text.begin(), text.end());
}

LONG Twips(const SpinEdit& box) { return static_cast<LONG>(std::lround(box.Value())) * 20; }

}  // namespace

void TParaFormatDlg::Create(HWND owner) {
  FormStyle style = FormStyle::Borderless(L"Paragraph Formatting", kWidth, kHeight);
  style.style |= WS_BORDER;
  Form::Create(style, owner);
  HWND w = Handle();
  lblTitle.Create(w, L"Current Paragraph Attributes", 0, 0, kWidth, 28, SS_CENTER | SS_CENTERIMAGE);
  titleFont_.Reset(CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, L"Arial"));
  lblTitle.SetFont(titleFont_.get());
  lblTitle.SetMessageHook([this](UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_LBUTTONDOWN) {
      BeginTitleDrag();
      return true;
    }
    if (msg == WM_MOUSEMOVE) HideHints();
    return false;
  });

  struct Row {
    Label& label;
    const wchar_t* caption;
    SpinEdit& box;
    StyledGroupBox& group;
    int top;
  };
  grpIndentation.Create(w, L" Indentation ", 8, 34, 300, 116);
  grpSpacing.Create(w, L" Spacing ", 8, 176, 300, 116);
  // The access keys of the captions are not shown: the labels draw their text as it is.
  const Row rows[] = {
      {lblFirstIndent, L"First line: ", FirstIndent, grpIndentation, 24},
      {lblLeftIndent, L"Hanging Left: ", LeftIndent, grpIndentation, 54},
      {lblRightIndent, L"Right Indent:", RightIndent, grpIndentation, 84},
      {lblSpaceBefore, L"Space before: ", SpaceBefore, grpSpacing, 24},
      {lblSpaceAfter, L"Space after: ", SpaceAfter, grpSpacing, 54},
      {lblLineSpacing, L"Line spacing: ", LineSpacing, grpSpacing, 84},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& r = rows[i];
    HWND group = r.group.Handle();
    r.label.Create(group, r.caption, 12, r.top + 3, 112, 20);
    r.box.Create(group, 128, r.top, 110, 24);
    lblUnits[i].Create(group, L"pt", 246, r.top + 3, 30, 20);
  }
  for (SpinEdit* box : {&FirstIndent, &LeftIndent, &RightIndent}) box->SetRange(-1e9, 1e9);
  for (SpinEdit* box : {&SpaceBefore, &SpaceAfter, &LineSpacing}) box->SetRange(0, 2147483647);
  LineSpacing.SetIncrement(5);
  IndentHint.Create(w, L"", 20, 152, 280, 20);
  SpacingHint.Create(w, L"", 20, 294, 280, 20);

  Alignment.Create(w, L" Alignment ", 320, 34, 212, 116);
  const wchar_t* items[] = {L"Left", L"Right", L"Center", L"Justify"};
  StyledRadioButton* radios[] = {&radLeft, &radRight, &radCenter, &radJustify};
  for (int i = 0; i < 4; ++i) {
    radios[i]->Create(Alignment.Handle(), items[i], 14 + (i % 2) * 96, 28 + (i / 2) * 40, 88, 24,
                      i == 0);
    radios[i]->OnClick = [this] {
      if (Visible()) ApplyParagraphControls();
    };
  }

  lblTabStops.Create(w, L"Tab Size In Current Paragraph:", 320, 160, 212, 20);
  TabStops.Create(w, 320, 184, 100, 24);
  TabStops.SetRange(-1e9, 1e9);
  TabStops.SetValue(kDefaultTab);
  TabHint.Create(w, L"", 426, 187, 110, 40);
  lblTabDefault.Create(w, L"Default Value: 36 Points / 0.5 Inch / 12.7 mm", 320, 232, 216, 36);

  for (StyledGroupBox* group : {&grpIndentation, &grpSpacing, &Alignment})
    group->SetMessageHook([this](UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_MOUSEMOVE) HideHints();
      return false;
    });
  for (auto [box, hint] : {std::pair{&FirstIndent, &IndentHint},
                           {&LeftIndent, &IndentHint},
                           {&RightIndent, &IndentHint},
                           {&SpaceBefore, &SpacingHint},
                           {&SpaceAfter, &SpacingHint},
                           {&LineSpacing, &SpacingHint},
                           {&TabStops, &TabHint}})
    HookBox(*box, *hint);
  HideHints();

  btnOK.Create(w, L"OK", 340, 290, 90, 28, BS_DEFPUSHBUTTON);
  btnOK.SetModalResult(mrOk);
  btnCancel.Create(w, L"Cancel", 440, 290, 90, 28);
  btnCancel.SetModalResult(mrCancel);
  SetDefaultButton(&btnOK);
  SetCancelButton(&btnCancel);
  SetFirstFocus(&FirstIndent);
}

// Every arrow click and every key in a box applies the boxes as they stand before the key.
void TParaFormatDlg::HookBox(SpinEdit& box, Label& hint) {
  box.OnArrow = [this, &box, &hint](int) {
    ApplyParagraphControls();
    ShowHint(hint, box);
  };
  box.SetMessageHook([this, &box, &hint](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
    if (msg == WM_KEYDOWN) {
      ApplyParagraphControls();
      if (wp == VK_RETURN) ShowHint(hint, box);
    } else if (msg == WM_MOUSEMOVE) {
      if (&hint == &TabHint)
        hint.SetVisible(true);
      else
        ShowHint(hint, box);
    }
    return false;
  });
}

void TParaFormatDlg::ShowHint(Label& hint, const SpinEdit& box) {
  hint.SetText(ConversionText(box.Value()));
  hint.SetVisible(true);
}

void TParaFormatDlg::HideHints() {
  for (Label* hint : {&IndentHint, &SpacingHint, &TabHint}) hint->SetVisible(false);
}

LRESULT TParaFormatDlg::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEMOVE) HideHints();
  // The group boxes are white inside; their labels are too.
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == lblTitle.Handle()) {
    SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 21, 110));
    SetBkColor(reinterpret_cast<HDC>(wp), RGB(221, 231, 238));
    return reinterpret_cast<LRESULT>(titleBrush_.get());
  }
  if (msg == WM_CTLCOLORSTATIC) {
    HWND parent = GetParent(reinterpret_cast<HWND>(lp));
    if (parent == grpIndentation.Handle() || parent == grpSpacing.Handle()) {
      SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(groupBrush_.get());
    }
  }
  return Form::WndProc(msg, wp, lp);
}

int TParaFormatDlg::AlignmentIndex() const {
  const StyledRadioButton* radios[] = {&radLeft, &radRight, &radCenter, &radJustify};
  for (int i = 0; i < 4; ++i)
    if (radios[i]->Checked()) return i;
  return 0;
}

void TParaFormatDlg::SetAlignmentIndex(int index) {
  StyledRadioButton* radios[] = {&radLeft, &radRight, &radCenter, &radJustify};
  for (int i = 0; i < 4; ++i) radios[i]->SetChecked(i == index);
}

void TParaFormatDlg::LoadParagraphControls(const PARAFORMAT2& format) {
  LeftIndent.SetValue(format.dxOffset / 20);
  RightIndent.SetValue(format.dxRightIndent / 20);
  FirstIndent.SetValue(format.dxStartIndent / 20);
  SetAlignmentIndex(format.wAlignment >= PFA_LEFT && format.wAlignment <= PFA_JUSTIFY
                        ? format.wAlignment - 1
                        : 0);
  SpaceBefore.SetValue(format.dySpaceBefore / 20);
  SpaceAfter.SetValue(format.dySpaceAfter / 20);
  LineSpacing.SetValue(format.dyLineSpacing / 20);
  const LONG firstTab = format.cTabCount > 0 ? (format.rgxTabs[0] & 0xFFFFFF) / 20 : 0;
  TabStops.SetValue(firstTab == 0 ? kDefaultTab : firstTab);
  TabHint.SetText(ConversionText(TabStops.Value()));
}

void TParaFormatDlg::ApplyParagraphControls() {
  const writer::TextFormats formats(editor_);
  PARAFORMAT2 format = writer::EmptyParaFormat();
  format.dxOffset = Twips(LeftIndent);
  format.dxRightIndent = Twips(RightIndent);
  format.dxStartIndent = Twips(FirstIndent);
  format.wAlignment = static_cast<WORD>(AlignmentIndex() + 1);
  format.dySpaceBefore = Twips(SpaceBefore);
  format.dySpaceAfter = Twips(SpaceAfter);
  formats.SetParagraphFormat(format, PFM_OFFSET | PFM_RIGHTINDENT | PFM_STARTINDENT |
                                         PFM_ALIGNMENT | PFM_SPACEBEFORE | PFM_SPACEAFTER);
  format.bLineSpacingRule = LineSpacing.Value() <= 0 ? 0 : 3;
  format.dyLineSpacing = Twips(LineSpacing);
  formats.SetParagraphFormat(format, PFM_LINESPACING);
  format.cTabCount = kTabCount;
  for (int i = 0; i < kTabCount; ++i) format.rgxTabs[i] = (i + 1) * Twips(TabStops);
  formats.SetParagraphFormat(format, PFM_TABSTOPS);
}

bool ExecuteParaFormatDialog(HWND owner, HWND editor) {
  TParaFormatDlg dialog(editor);
  dialog.Create(owner);
  dialog.LoadParagraphControls(writer::TextFormats(editor).ParagraphFormat());
  dialog.CenterOn(owner);
  const bool ok = dialog.ShowModal() == mrOk;
  if (ok) dialog.ApplyParagraphControls();
  return ok;
}
