#pragma once
// TfrmSettings: the small borderless window that edits the CSV separator and saves the
// settings file.
#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/SettingsFile.h"

class TfrmSettings : public LabelForm {
 public:
  explicit TfrmSettings(SettingsFile& settings) : settings_(settings) {}
  void Create();

  TLabelText lblSeparator;
  TLabelEdit edtSeparator;
  TLabelButton btnSave, btnCancel;

  void btnSaveClick();

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;

 private:
  SettingsFile& settings_;
};
