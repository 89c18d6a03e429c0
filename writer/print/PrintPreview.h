#pragma once
// TfrmPrintPreview: Tessary's print preview. It lays the main window's document out on the
// pages of the engine's preview through the rich-text pagination, and lets the user choose the
// printer, paper, orientation, pages per sheet, quality, copies, margins and header and footer
// texts before printing all pages or the shown one. Quick print uses its preview and settings.
#include <functional>
#include <memory>
#include <string>

#include "engine/VpPreview.h"
#include "engine/VpPropertyPickers.h"
#include "engine/VpRtfPreview.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/SpinEdit.h"
#include "writer/print/HeaderF.h"
#include "writer/print/MarginSettings.h"
#include "writer/print/Margins.h"

// What the preview needs of the main window.
struct PrintPreviewHost {
  HWND editor = nullptr;
  // The file-name part of the document's name: the print job's title.
  std::function<std::wstring()> jobTitle;
  // The six stored margins; "Apply" in the margins dialog writes them.
  writer::MarginSettings* margins = nullptr;
};

// The zoom slider: a track bar from 20 to 400 per cent.
class ZoomSlider : public Control {
 public:
  void Create(HWND parent, int left, int top, int width, int height);
  int Position() const;
  void SetPosition(int position);
};

// The wheel's rule: ten bar positions a notch, down only while more than ten are left.
int WheelScrollTarget(int range, int position, int delta);

class TfrmPrintPreview : public Form {
 public:
  static constexpr int kPanelWidth = 297;

  explicit TfrmPrintPreview(PrintPreviewHost host);
  ~TfrmPrintPreview() override;
  void Create();

  // The main window's Print Preview button: lays the document out and shows the window.
  void Execute();
  // Clears the preview and lays the document out again from page 1.
  void Relayout();
  // Applies the six millimetre values to the preview and the pagination (no re-layout).
  void ApplyMargins(const writer::MarginSettings& margins);
  // The file-name part of the document's name becomes the print job's title.
  void SetJobTitle();

  TVpPreview& VpPreview1() { return *preview_; }
  TVpRtfPreview VpRtfPreview1;
  TMarginsForm MarginsForm;
  THeaderFooterForm HeaderFooterForm;

  Label lblTitle, Label3, Label6, Label7, Label9, Label8;
  ZoomSlider TrackBar1;
  Button btnFullWidth, btnFullPage, btnMargins, btnHeaderFooter, btnZoomIn, btnZoomOut;
  Label lblPrinter, lblPaper, lblQuality, lblCopies;
  ComboBox ComboBox2;
  SpinEdit RxSpinEdit1;
  Button btnPrintAll, btnPrintCurrent, btnClose;
  TVpPropertyGraphic& VpPropertyGraphic1() { return *pagesPicker_; }
  TVpPropertyGraphic& VpPropertyGraphic2() { return *orientationPicker_; }
  TVpPropertyComboBox& VpPropertyComboBox1() { return *printers_; }
  TVpPropertyComboBox& VpPropertyComboBox2() { return *papers_; }

  void btnMarginsClick();
  void btnHeaderFooterClick();
  void ComboBox2Change();
  void RxSpinEdit1Change();
  void btnPrintAllClick();
  void btnPrintCurrentClick();
  void TrackBar1Change();
  void ShowPageNumber();

 protected:
  void FormActivate() override;
  void FormResize() override;
  void FormMouseDown(int button, POINT) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateNavigation(HWND w, int& top);
  void CreatePickers(HWND w, int& top);
  void CreateZoomControls(HWND w, int& top);
  void CreatePrintControls(HWND w, int& top);
  void CreatePreview(HWND w);
  void BindPreviewEvents();
  void ResetPrinterDefaults();
  void LayoutAndFit();
  void Print(const std::function<void()>& print);
  HWND NewRichEdit() const;
  void AdvancedTypographyOnFirstPage();

  PrintPreviewHost host_;
  std::unique_ptr<TVpPreview> preview_;
  std::unique_ptr<TVpPropertyGraphic> pagesPicker_, orientationPicker_;
  std::unique_ptr<TVpPropertyComboBox> printers_, papers_;
  int pickersTop_ = 0, printersTop_ = 0, papersTop_ = 0;
};
