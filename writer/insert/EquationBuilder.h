#pragma once
// TfrmEBuilder, the equation builder: a small rich-text editor of its own and a palette of
// insert buttons (Greek letters, operators, relations, arrows, pieces of large brackets and
// integrals, digits, fractions, function names). The formula goes to the clipboard as rich
// text or as an enhanced metafile; the main window pastes it. The editor keeps its content for
// the whole run.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "platform/SpinEdit.h"
#include "writer/insert/DrawnButton.h"
#include "writer/insert/EquationButtons.h"
#include "writer/insert/InsertClipboard.h"

namespace writer {

// Our rich-edit control as the builder's editor, reporting selection and text changes.
class EquationEditor : public Control {
 public:
  void Create(HWND parent, int left, int top, int width, int height);
  std::function<void()> OnSelectionChange;
  std::function<void()> OnChange;
  void HandleCommand(WORD code) override;
  bool HandleNotify(const NMHDR& header, LRESULT& result) override;
};

// The picture of a formula: an enhanced metafile of the editor's text, one line-height of the
// default font taller than its lines, drawn by the editor itself. Throws EError on failure.
MetafileHandle RecordEquationPicture(HWND editor, HDC screen);

}  // namespace writer

class TfrmEBuilder : public Form {
 public:
  static constexpr int kClientWidth = 848;
  static constexpr int kClientHeight = 526;
  // The editor's default font: Symbol, 19 pixels high.
  static constexpr int kDefaultPixels = 19;

  void Create(HWND owner);

  bool TextResult() const { return textResult_; }
  bool PictureResult() const { return pictureResult_; }
  bool Superscript() const { return superscript_; }
  bool Subscript() const { return subscript_; }
  bool Underlined() const { return underline_; }

  // The insert buttons in palette order, and what each inserts.
  std::size_t InsertButtonCount() const { return inserts_.size(); }
  Button& InsertButton(std::size_t index) { return *inserts_[index].button; }
  const writer::EquationButton& InsertKey(std::size_t index) const { return inserts_[index].key; }

  void InsertClick(std::size_t index);
  void btnSuperscriptClick();
  void btnSubscriptClick();
  void btnUnderlineClick();
  void FontSizeEnter();
  void btnPlainTextClick();
  void btnCopyClick();
  void btnPasteClick();
  void btnClearClick();
  void btnInsertTextClick();
  void btnInsertImageClick();
  void SpeedButton1Click();

  writer::EquationEditor EQBuilder;
  StyledGroupBox grpOutput;
  std::vector<std::unique_ptr<StyledGroupBox>> groups;
  writer::DrawnButton btnSuperscript, btnSubscript, btnUnderline;
  Label starSuperscript, starSubscript, starUnderline, lblFontSize;
  SpinEdit RxSpinEdit1;
  StyledButton btnPlainText, btnCopy, btnPaste, btnClear, btnInsertText, btnInsertImage, btnClose,
      SpeedButton1;

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;
  void FormMouseDown(int button, POINT client) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Insert {
    writer::EquationButton key;
    std::unique_ptr<Button> button;
  };
  void BuildEditor();
  void BuildToggles();
  void BuildPalette();
  void BuildCommands();
  void SetEffect(DWORD mask, DWORD effects);
  void SetSize(int points);
  void SelectionChanged();
  void FocusEditor();
  HFONT ButtonFont(writer::EquationFont font) const;
  void DrawToggle(const DRAWITEMSTRUCT& item, bool hot) const;

  std::vector<Insert> inserts_;
  bool textResult_ = false, pictureResult_ = false;
  bool superscript_ = false, subscript_ = false, underline_ = false;
  FontHandle symbolFont_, arialFont_, timesFont_, titleFont_, starFont_, toggleFont_, smallFont_,
      underlineFont_;
  BrushHandle bandBrush_, faceBrush_;
};
