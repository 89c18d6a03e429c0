#include "labels/AEGeneral.h"

#include "labels/records/AssignToAll.h"
#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"

namespace {
constexpr FieldRowLayout kRows{16, 140, 236, 60, 30};
}

void TfrmAEGeneral::Create() {
  LabelForm::Create(FormStyle::Dialog(L"New General Information", 440, 370));
  SetTitleBand(L"General Information");
  HWND w = Handle();
  int top = edits_.CreateRows(
      w,
      {
          {lblGeneralField1, edtGeneralField1, L"General Field 1", General_Field1},
          {lblGeneralField2, edtGeneralField2, L"General Field 2", General_Field2},
          {lblGeneralField3, edtGeneralField3, L"General Field 3", General_Field3},
          {lblGeneralField4, edtGeneralField4, L"General Field 4", General_Field4},
          {lblGeneralField5, edtGeneralField5, L"General Field 5", General_Field5},
          {lblImagePath, edtImagePath, L"Image Path", General_Field6},
      },
      kRows);
  btnBrowseImage.Create(w, L"...", kRows.editLeft + kRows.editWidth + 6, top - kRows.step, 30, 23);
  chkApplyImagePath.Create(w, L"Apply Image Path To All Records", kRows.editLeft, top,
                           kRows.editWidth, 20);
  top += 32;
  btnSave.Create(w, L"Save", kRows.editLeft, top, 96, 28);
  btnCancel.Create(w, L"Cancel", kRows.editLeft + kRows.editWidth - 96, top, 96, 28);
  btnBrowseImage.OnClick = [this] { btnBrowseImageClick(); };
  btnSave.OnClick = [this] { btnSaveClick(); };
  btnCancel.OnClick = [this] { btnCancelClick(); };
  SetCancelButton(&btnCancel);
  SetFirstFocus(&edtGeneralField1);
  SetEnterOrder({{&edtGeneralField1, &edtGeneralField2},
                 {&edtGeneralField2, &edtGeneralField3},
                 {&edtGeneralField3, &edtGeneralField4},
                 {&edtGeneralField4, &edtGeneralField5},
                 {&edtGeneralField5, &btnSave},
                 {&edtImagePath, &btnSave}});
}

void TfrmAEGeneral::FormShow() {
  edits_.Load();
  LabelForm::FormShow();
}

void TfrmAEGeneral::btnBrowseImageClick() {
  FileDialogRequest request;
  request.filter =
      L"All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
      L"JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";
  if (const auto chosen = OpenFileDialog(request)) edtImagePath.SetText(chosen->path);
}

void TfrmAEGeneral::btnSaveClick() {
  if (General().IsNull(General_Field1)) {
    ShowInformation(L"Please insert Field 1.");
    edtGeneralField1.SetFocus();
    return;
  }
  try {
    General().Post();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
    edtGeneralField1.SetFocus();
    return;
  }
  if (chkApplyImagePath.Checked()) {
    AssignToAll(General(), General_Field6, BytesFromWide(edtImagePath.Text()),
                [](const std::string& error) { ShowError(WideFromUtf8(error)); });
    chkApplyImagePath.SetChecked(false);
  }
  SetModalResult(mrOk);
}

void TfrmAEGeneral::btnCancelClick() {
  chkApplyImagePath.SetChecked(false);
  General().Cancel();
  SetModalResult(mrCancel);
}

void TfrmAEGeneral::FormClose() {
  if (General().IsOpen() && General().State() != TableState::Browse) {
    chkApplyImagePath.SetChecked(false);
    General().Cancel();
  }
  LabelForm::FormClose();
}
