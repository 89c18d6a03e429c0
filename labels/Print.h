#pragma once
// TfrmPrint: turns the ticked records of the main window into pages of labels. It filters the
// mode's table to the ticked numbers, lays the labels out with the label sheet component on
// its preview, draws each label's lines (and, for general records, the picture), and prints
// all pages or the current one.
#include <memory>
#include <string>

#include "engine/VpMarrowby.h"
#include "engine/VpPreview.h"
#include "engine/VpPropertyPickers.h"
#include "engine/VpThumbnails.h"
#include "labels/CustomLabelHost.h"
#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/LabelPicture.h"
#include "platform/SpinEdit.h"

class TfrmMain;
class TfrmCustomLabels;

class TfrmPrint : public LabelForm, public CustomLabelHost {
 public:
  explicit TfrmPrint(TfrmMain& main);
  ~TfrmPrint() override;
  void Create();
  void Attach(TfrmCustomLabels& customLabels) { customLabels_ = &customLabels; }

  // Copies the current mode's settings into the controls before the window is shown.
  void Prepare();
  // The picture box spins serve general printing only.
  void EnablePictureGroup(bool enabled);

  // The label type list holds the 19 built-in sheets, then the custom sheet.
  static constexpr int kLabelTypeCount = 20;
  static constexpr int kCustomLabelType = 19;

  TVpPreview& Preview() { return *preview_; }
  TVpThumbnails& Thumbnails() { return *thumbnails_; }
  TVpPropertyComboBox& Printers() { return *printers_; }
  TVpMarrowby vpMarrowby;

  TLabelText lblPrinterList, lblLabelType;
  TLabelComboBox cmbLabelType;
  TLabelButton btnCustomLabels;
  TLabelGroupBox grpCustomizeText;
  TLabelText lblStart, lblSpacing, lblTop, lblLeft;
  SpinEdit spnStart, spnSpacing, spnTop, spnLeft;
  TLabelButton btnFont, btnApply;
  TLabelGroupBox grpImage;
  TLabelText lblImageTop, lblImageLeft, lblImageBottom, lblImageRight;
  SpinEdit spnImageTop, spnImageLeft, spnImageBottom, spnImageRight;
  TLabelGroupBox grpViewOptions;
  TLabelButton btnZoomIn, btnZoomOut, btnFullPage, btnFullWidth;
  TLabelGroupBox grpPrintOptions;
  TLabelButton btnPrintCurrent, btnPrintAll;
  TLabelButton btnClose, btnCloseBottom;

  void cmbLabelTypeChange();
  void btnApplyClick();
  void btnFontClick();
  void btnCustomLabelsClick();

  // Sets the sheet of the selected label type and the start spin's limit.
  void ApplyLabelType() override;
  // Lays the ticked records out as labels from the start position on.
  void BuildPages() override;
  void ClearPreview() override;

  // CustomLabelHost
  PrintMode Mode() const override;
  TLabelSettings& SettingsRecord() override;
  RecordStore& Store() override;
  TVpLabelTemplateList& Templates() override { return vpMarrowby.Templates(); }

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormResize() override;
  void FormPaint(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateSheetControls(HWND w, int& top);
  void CreateTextGroup(HWND w, int& top);
  void CreateImageGroup(HWND w, int& top);
  void CreateViewAndPrintGroups(HWND w, int& top);
  void CreatePreview(HWND w);
  // Runs a command that rebuilds the pages: hourglass, errors in an error box.
  void Rebuild(bool applyType);
  void ReadDrawingChoices();
  void DrawLabel(int labelNum, TVpValueRect& rect, TVpCanvas& canvas);
  void DrawPicture(long double left, long double top, TVpCanvas& canvas);
  std::string AddressLine1() const;
  void StoreSettings();
  void SetFilter(bool on);
  void WheelScroll(int delta);
  RecordTable& ModeTable();

  TfrmMain& main_;
  TfrmCustomLabels* customLabels_ = nullptr;
  std::unique_ptr<TVpPreview> preview_;
  std::unique_ptr<TVpThumbnails> thumbnails_;
  std::unique_ptr<TVpPropertyComboBox> printers_;
  LabelPictureCache pictures_;
  // The boxes' values while the pages are built, in millimetres (start: a position).
  struct DrawingChoices {
    double start = 1, spacing = 1, top = 0, left = 0;
    double imageTop = 0, imageLeft = 0, imageBottom = 5, imageRight = 5;
  } drawing_;
  int tickedCount_ = 0;
  int printersTop_ = 0;
  int controlsBottom_ = 0;  // where the thumbnail strip starts
};
