#pragma once
// TfrmAEContact: the modal form that edits the contacts table's current record, new or
// existing; the main window puts the record in insert or edit state and sets the caption.
#include "labels/FieldEdits.h"
#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/records/RecordTable.h"

class TfrmAEContact : public LabelForm {
 public:
  explicit TfrmAEContact(RecordTable& contacts) : edits_(contacts) {}
  void Create();

  TLabelText lblContactTitle, lblContactName, lblContactSurname, lblContactAddress, lblContactCity,
      lblContactPostalCode, lblContactCountry;
  TLabelEdit edtContactTitle, edtContactName, edtContactSurname, edtContactAddress, edtContactCity,
      edtContactPostalCode, edtContactCountry;
  TLabelButton btnSave, btnCancel;

  void btnSaveClick();
  void btnCancelClick();

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  RecordTable& Contacts() { return edits_.Table(); }
  FieldEdits edits_;
};
