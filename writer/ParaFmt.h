#pragma once
// TParaFormatDlg: the paragraph dialog. It edits the indents, spacing, alignment and tab size
// of the selection's paragraphs and applies every change at once, so the document shows it
// while the dialog is open; the caller restores the paragraphs when it is cancelled.
#include <windows.h>

#include <richedit.h>

#include <string>

#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "platform/SpinEdit.h"

class TParaFormatDlg : public Form {
 public:
  explicit TParaFormatDlg(HWND editor) : editor_(editor) {}
  void Create(HWND owner);

  Label lblTitle;
  StyledGroupBox grpIndentation, grpSpacing, Alignment;
  Label lblFirstIndent, lblLeftIndent, lblRightIndent, lblSpaceBefore, lblSpaceAfter,
      lblLineSpacing, lblTabStops, lblTabDefault;
  Label lblUnits[6];  // "pt" beside each indentation and spacing box
  SpinEdit FirstIndent, LeftIndent, RightIndent, SpaceBefore, SpaceAfter, LineSpacing, TabStops;
  StyledRadioButton radLeft, radRight, radCenter, radJustify;
  // The conversions of a value in points, shown while a box is in use.
  Label IndentHint, SpacingHint, TabHint;
  Button btnOK, btnCancel;

  void LoadParagraphControls(const PARAFORMAT2& format);
  void ApplyParagraphControls();
  int AlignmentIndex() const;
  void SetAlignmentIndex(int index);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void HookBox(SpinEdit& box, Label& hint);
  void ShowHint(Label& hint, const SpinEdit& box);
  void HideHints();
  HWND editor_;
  BrushHandle groupBrush_{CreateSolidBrush(RGB(255, 255, 255))};
  BrushHandle titleBrush_{CreateSolidBrush(RGB(221, 231, 238))};
  FontHandle titleFont_;
};

// Opens the dialog on the editor's paragraph format; true when it closed with OK (which
// applies the controls once more).
bool ExecuteParaFormatDialog(HWND owner, HWND editor);
