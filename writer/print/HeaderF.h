#pragma once
// THeaderFooterForm: the borderless "Header and Footer Titles" dialog of the print preview:
// three texts for the header and three for the footer, their font, the separator lines, their
// type and colour. Its state lasts for the run; the preview reads it after an "Apply".
#include <array>

#include "engine/VpHeaderFooter.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "writer/print/BandDialog.h"

class THeaderFooterForm : public TBandDialog {
 public:
  static constexpr int kMaxText = 40;
  static constexpr const wchar_t* kHelpText =
      L"This is a short help tutorial for Header and Footers.\r\n\r\n"
      L"Printed on: {DATE}\r\n\r\nPage: {PAGE} of {NUMPAGES}\r\n\r\nTime: {TIME}";

  THeaderFooterForm();
  void Create(HWND owner);

  Label lblHeader, lblFooter, lblLeftText, lblCenterText, lblRightText, lblLineType;
  // Header left, centre, right, then footer left, centre, right.
  std::array<Edit, 6> edtTitles;
  CheckBox chkHeaderLine, chkFooterLine;
  ComboBox ComboBox1;
  Button btnFont, btnLineColour, SpeedButton1, btnApply, btnClose;

  void btnFontClick();
  void btnLineColourClick();
  void SpeedButton1Click();

  // What "Apply" hands to the preview.
  const FontChoice& TitleFont() const { return font_; }
  COLORREF LineColour() const { return lineColour_; }
  // The pen style of the chosen line type; -1 while none is chosen.
  int LinePenStyle() const;
  std::string Text(int index) const;
  // Copies the band's ShowLine into the box of the header (or footer).
  void ShowLinesOf(const TVpHeader& header, const TVpFooter& footer);
  // Writes texts, font, lines and line type into both bands and makes them visible.
  void ApplyTo(TVpHeader& header, TVpFooter& footer) const;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ApplyFont();

  FontChoice font_;
  FontHandle screenFont_;
  COLORREF lineColour_ = RGB(0, 0, 0);
};
