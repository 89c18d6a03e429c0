#pragma once
// The side panel "Text Properties": a light grey rounded frame with three rows of picture
// buttons, the font boxes, the zoom bar and the count label. Every button carries one main
// window command and reports its hint when the mouse moves over it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/StyledPanel.h"
#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/SpinEdit.h"
#include "writer/MainCommands.h"
#include "writer/PanelComboBoxes.h"

namespace writer {

class SidePanelFrame : public Control {
 public:
  static constexpr COLORREF kColor = RGB(243, 243, 243);
  void Create(HWND parent, int left, int top, int width, int height);
  controls::TStyledPanel& Styled() { return *styled_; }

 private:
  std::unique_ptr<controls::TStyledPanel> styled_;
};

class TrackBar : public Control {
 public:
  void Create(HWND parent, int left, int top, int width, int height);
  void SetRange(int minimum, int maximum, int tickEvery);
  void SetPosition(int position);
  int Position() const;
};

class SidePanelControls {
 public:
  static constexpr int kWidth = 304;

  SidePanelFrame pnlSide;
  StyledButton btnHelp, btnLastDocument, btnEnvelope, sbtnFormat, btnParaFormat;
  FontComboBox FontName;
  ColorComboBox ColorComboBox1;
  SpinEdit FontSize1;
  StyledButton btnBold, btnItalic, btnUnderline, btnLeftAlign, btnCenterAlign, BtnRightAlign;
  StyledButton btnSpellCheck, btnMailMerge, btnMainIndentDec, btnHangingIndentDec,
      btnHangingIndentInc, btnMainIndentInc;
  StyledButton btnSpacing1, btnSpacing15, btnSpacing2, btnBullet, btnNumbering, btnBackground;
  Label Label4, Label1, Label3;
  TrackBar ZoomBar;

  // Builds the panel on parent; run receives the command of a clicked button, hint the text
  // to show when the mouse moves over a button (empty over the panel itself).
  void BuildSidePanel(HWND parent, std::function<void(int)> run,
                      std::function<void(const std::wstring&)> hint);
  // Places the frame and the foot label for the panel's new height.
  void PlaceSidePanel(int left, int top, int height);
  // The right mouse button released over a panel button: its drop-down, if it has one, opens
  // under the button (screen coordinates).
  std::function<void(int command, RECT screen)> OnButtonDropDown;
  // Every control that carries a command, with its command.
  const std::vector<std::pair<int, Control*>>& CommandControls() const { return commands_; }

 private:
  std::vector<std::pair<int, Control*>> commands_;
};

}  // namespace writer
