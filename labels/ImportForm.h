#pragma once
// What the two import windows share: a drop-down list of the file's column names per field,
// a "..." button that reads the file's header, and the import itself.
#include <memory>
#include <string>
#include <vector>

#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/records/LabelSettings.h"
#include "labels/records/RecordTable.h"
#include "labels/records/TextLocale.h"

class ImportForm : public LabelForm {
 public:
  struct FieldRow {
    const wchar_t* caption;
    int field;
    int tabPosition;  // the order the lists are created in (the Tab order)
  };
  struct Texts {
    const wchar_t* caption;
    const wchar_t* titleBand;
    const wchar_t* fieldListCaption;
  };

  ImportForm(RecordTable& table, const TLabelSettings& settings, const TextLocale& locale)
      : table_(table), settings_(settings), locale_(locale) {}

  TLabelText lblFieldList, lblImportedList;
  TLabelButton btnOpenFile, btnImport, btnCancel;
  // One caption and one list per field, top to bottom.
  std::vector<std::unique_ptr<TLabelText>> fieldCaptions;
  std::vector<std::unique_ptr<TLabelComboBox>> columnLists;

  void btnOpenFileClick();
  void btnImportClick();
  const std::wstring& FileName() const { return fileName_; }

 protected:
  void CreateImportForm(const Texts& texts, const std::vector<FieldRow>& rows);
  void FormShow() override;

 private:
  RecordTable& table_;
  const TLabelSettings& settings_;
  const TextLocale& locale_;
  std::vector<FieldRow> rows_;
  std::wstring fileName_;
  std::vector<std::string> columnNames_;
};
