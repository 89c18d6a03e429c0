#pragma once
// The custom-drawn controls behind the standard wrappers' interface: a window switches to
// the programs' own look by changing a control's type, and everything else (clicks through
// BM_CLICK, BN_CLICKED routing, check state, modal results, hints) stays as it was.
#include <memory>

#include "controls/StyledButton.h"
#include "controls/StyledCheckBox.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"
#include "platform/Controls.h"

class StyledButton : public Button {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height);
  controls::TStyledButton& Styled() { return *styled_; }

 private:
  std::unique_ptr<controls::TStyledButton> styled_;
};

class StyledCheckBox : public CheckBox {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height);
  controls::TStyledCheckBox& Styled() { return *styled_; }

 private:
  std::unique_ptr<controls::TStyledCheckBox> styled_;
};

class StyledRadioButton : public RadioButton {
 public:
  // Styled radio buttons are exclusive among the radio buttons of their parent window, so
  // firstOfGroup has no effect; give each group a parent of its own.
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height,
              bool firstOfGroup);
  controls::TStyledRadioButton& Styled() { return *styled_; }

 private:
  std::unique_ptr<controls::TStyledRadioButton> styled_;
};

// A white rounded panel with its caption on the border. Unlike a standard group box it is the
// parent of the controls it groups, so nothing overlaps and each group's radio buttons are
// exclusive among themselves.
class StyledGroupBox : public Control {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height);
  controls::TStyledPanel& Styled() { return *styled_; }

 private:
  std::unique_ptr<controls::TStyledPanel> styled_;
};
