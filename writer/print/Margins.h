#pragma once
// TMarginsForm: the borderless "Page Margins" dialog of the print preview. It shows the six
// stored margins in millimetres, tells the inch value of the box being changed or pointed at,
// and hands the values back when closed with "Apply".
#include "platform/Controls.h"
#include "platform/SpinEdit.h"
#include "writer/print/BandDialog.h"
#include "writer/print/MarginSettings.h"

class TMarginsForm : public TBandDialog {
 public:
  void Create(HWND owner);

  // The boxes from the settings; read back with Values() after an OK.
  void Load(const writer::MarginSettings& settings);
  writer::MarginSettings Values() const;

  Label lblHint, lblMillimeters;
  Label lblTop, lblLeft, lblRight, lblBottom, lblHeader, lblFooter;
  SpinEdit spnTop, spnLeft, spnRight, spnBottom, spnHeader, spnFooter;
  Button btnApply, btnClose;

  // Where FormActivate reloads the boxes from.
  const writer::MarginSettings* Source = nullptr;

 protected:
  void FormActivate() override;
  void TitleMouseMove() override { lblHint.SetVisible(false); }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowHint(const SpinEdit& box);
};
