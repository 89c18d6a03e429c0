#pragma once
// TfrmPresentation: the modal options of a presentation export: the page shape, the seconds
// each page stays on screen and an optional coloured frame. The choices live in the controls,
// so they carry over from one export to the next.
#include <cstdint>

#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "platform/SpinEdit.h"
#include "writer/export/PresentationShapes.h"

class TfrmPresentation : public Form {
 public:
  static constexpr int kClientWidth = 634;
  static constexpr int kClientHeight = 253;
  static constexpr COLORREF kSelected = RGB(0, 128, 192);
  static constexpr COLORREF kUnselected = RGB(255, 210, 94);

  void Create(HWND owner);

  // The choices as they stand.
  writer::PresentationChoice Choice() const { return choice_; }
  writer::PageShape Shape() const;
  std::uint16_t Delay() const;
  bool FramePages() const { return chkFrame.Checked(); }
  COLORREF FrameColour() const { return frameColour_; }

  void SelectChoice(writer::PresentationChoice choice);
  void btnLargerClick();
  void btnSmallerClick();
  void btnColourClick();

  Label Panel1, Panel2, Panel3, Panel4, Label3;
  StyledButton btnSmaller, btnLarger;
  SpinEdit RxSpinEdit1;
  Label lblSeconds;
  StyledCheckBox chkFrame;
  Label lblFrameColour, Panel5;
  StyledButton btnColour;
  StyledButton btnClose;

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;
  void FormMouseDown(int button, POINT client) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowHoverFrame(int choice);  // -1: none
  void HookChoice(Label& panel, writer::PresentationChoice choice);
  bool ColourStatic(HWND control, HDC dc, LRESULT& brush);

  writer::PresentationChoice choice_ = writer::PresentationChoice::FullPage;
  COLORREF frameColour_ = kSelected;
  int hover_ = -1;
  BrushHandle selectedBrush_, unselectedBrush_, swatchBrush_;
  FontHandle boldFont_;
};
