#pragma once
// TfrmAEGeneral: the modal form that edits the general table's current record: five label
// lines and a picture path, which can also be given to every record at once.
#include "labels/FieldEdits.h"
#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/records/RecordTable.h"

class TfrmAEGeneral : public LabelForm {
 public:
  explicit TfrmAEGeneral(RecordTable& general) : edits_(general) {}
  void Create();

  TLabelText lblGeneralField1, lblGeneralField2, lblGeneralField3, lblGeneralField4,
      lblGeneralField5, lblImagePath;
  TLabelEdit edtGeneralField1, edtGeneralField2, edtGeneralField3, edtGeneralField4,
      edtGeneralField5, edtImagePath;
  TLabelButton btnBrowseImage;
  TLabelCheckBox chkApplyImagePath;
  TLabelButton btnSave, btnCancel;

  void btnBrowseImageClick();
  void btnSaveClick();
  void btnCancelClick();

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  RecordTable& General() { return edits_.Table(); }
  FieldEdits edits_;
};
