#pragma once
// TfrmAECustomLabel: the modal form that edits the custom label table's current record, new
// or existing; the Custom Labels window puts the record in insert or edit state and sets the
// caption. Save checks every box, stores the record and ends the form with mrOk; the record
// stays in edit state while anything is refused.
#include <vector>

#include "labels/LabelControls.h"
#include "labels/LabelForm.h"
#include "labels/records/RecordTable.h"

class TfrmAECustomLabel : public LabelForm {
 public:
  static const wchar_t* const kHelpText;

  explicit TfrmAECustomLabel(RecordTable& customLabels) : customLabels_(customLabels) {}
  void Create();

  TLabelText lblTemplateName, lblNumHorz, lblNumVert, lblLabelWidth, lblLabelHeight, lblSpacingHorz,
      lblSpacingVert, lblOffsetX, lblOffsetY, lblPageOrientation, lblPaperSize, lblLabelShape,
      lblCornerRadius, lblMeasurement;
  TLabelEdit edtTemplateName, edtNumHorz, edtNumVert, edtLabelWidth, edtLabelHeight, edtSpacingHorz,
      edtSpacingVert, edtOffsetX, edtOffsetY;
  // Editable drop-downs: the user may type a text of their own.
  TLabelComboBox cboPageOrientation, cboPaperSize, cboLabelShape, cboCornerRadius, cboMeasurement;
  TLabelButton btnSave, btnHelp, btnCancel;

  void btnSaveClick();
  void btnHelpClick();
  void btnCancelClick();

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  // A box of the form with the field it edits and what Save says when it is empty.
  struct FieldBox {
    Control& box;
    int field;
    const wchar_t* emptyMessage;
  };
  std::vector<FieldBox> Boxes();
  Control& BoxOf(int field);
  // Writes every box into the record; false (shown, box focused) when a number does not
  // convert.
  bool StoreBoxes();

  RecordTable& customLabels_;
};
