#pragma once
// TfrmMain: Marrowby's main window. It owns the three tables and the settings, lists the
// records of the current mode's table with check marks, and starts every other window.
#include <functional>
#include <memory>
#include <string>

#include "labels/FolderTableStorage.h"
#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/LinkLabel.h"
#include "labels/RecordList.h"
#include "labels/SettingsFile.h"
#include "labels/SortMenu.h"
#include "labels/SystemTextLocale.h"
#include "labels/records/PrintMode.h"
#include "labels/records/RecordStore.h"

struct MarrowbyForms;

class TfrmMain : public LabelForm {
 public:
  TfrmMain();
  ~TfrmMain() override;
  // Creates the window and opens the tables kept in folder (with its trailing separator);
  // a failure to open is shown and the program goes on.
  void Create(const std::wstring& folder);
  // The other windows, created after this one.
  void Attach(MarrowbyForms& forms) { forms_ = &forms; }

  RecordStore& Store() { return store_; }
  SettingsFile& Settings() { return settings_; }
  const TextLocale& Locale() const { return locale_; }
  PrintMode Mode() const { return mode_; }
  // The table of the current mode.
  RecordTable& ModeTable();

  TLabelGroupBox grpPrintingType;
  TLabelRadioButton radAddress, radGeneral;
  TLabelButton btnNew, btnEdit, btnDelete, btnImport, btnExport, btnPreview;
  RecordList lstRecords;
  TLabelButton btnHelp, btnSettings, btnSelect, btnExit;
  LinkLabel lnkWeb;

  void btnNewClick();
  void btnEditClick();
  void btnDeleteClick();
  void btnImportClick();
  void btnExportClick();
  void btnPreviewClick();
  void btnSelectClick();
  void btnHelpClick();
  void btnSettingsClick();
  void radAddressClick();
  void radGeneralClick();
  void mnuOrderByNumberClick();
  void mnuOrderBySurnameClick();

  // Clears the list and adds one row per record of the mode's table, in its order.
  void RebuildRows();
  // The record numbers of the ticked rows, top to bottom.
  std::vector<std::int32_t> TickedNumbers() const;
  // Writes the changed tables (when the window is destroyed); each failure is shown.
  void SaveTables();

  static constexpr int kOrderByNumber = 200;
  static constexpr int kOrderBySurname = 201;
  static const wchar_t* const kWebAddress;
  static const wchar_t* const kHelpText;

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormResize() override;
  void FormDestroy() override;
  void FormPaint(HDC dc) override;
  void FormMenuCommand(int id) override;
  void FormContextMenu(HWND target, POINT screen) override;
  void FormMeasureMenuItem(MEASUREITEMSTRUCT& mis) override;
  void FormDrawMenuItem(const DRAWITEMSTRUCT& dis) override;

 private:
  void SetMode(PrintMode mode);
  void ReadSettingsOnce();
  std::int32_t RowNumberOf(int row) const;
  Form& EditForm();

  SystemTextLocale locale_;
  RecordStore store_;
  std::unique_ptr<FolderTableStorage> storage_;
  SettingsFile settings_;
  SortMenu sortMenu_;
  MarrowbyForms* forms_ = nullptr;
  PrintMode mode_ = PrintMode::Address;
  bool settingsRead_ = false;
  bool tablesSaved_ = false;
};
