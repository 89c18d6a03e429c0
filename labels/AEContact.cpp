#include "labels/AEContact.h"

#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"

namespace {
constexpr FieldRowLayout kRows{16, 176, 200, 60, 30};
}

void TfrmAEContact::Create() {
  LabelForm::Create(FormStyle::Dialog(L"New Contact", 408, 364));
  SetTitleBand(L"Contact Information");
  HWND w = Handle();
  const int top = edits_.CreateRows(
      w,
      {
          {lblContactTitle, edtContactTitle, L"Contact Title", Contact_Title},
          {lblContactName, edtContactName, L"Contact Name", Contact_Name},
          {lblContactSurname, edtContactSurname, L"Contact Surname", Contact_Surname},
          {lblContactAddress, edtContactAddress, L"Contact Address", Contact_Address1},
          {lblContactCity, edtContactCity, L"Contact City / Town", Contact_Address3},
          {lblContactPostalCode, edtContactPostalCode, L"Contact Postal Code", Contact_Address2},
          {lblContactCountry, edtContactCountry, L"Contact Country / County", Contact_Address4},
      },
      kRows);
  btnSave.Create(w, L"Save", kRows.editLeft, top + 12, 96, 28);
  btnCancel.Create(w, L"Cancel", kRows.editLeft + kRows.editWidth - 96, top + 12, 96, 28);
  btnSave.OnClick = [this] { btnSaveClick(); };
  btnCancel.OnClick = [this] { btnCancelClick(); };
  SetCancelButton(&btnCancel);
  SetFirstFocus(&edtContactTitle);
  // Enter goes from the street to the postal code and back up to the city.
  SetEnterOrder({{&edtContactTitle, &edtContactName},
                 {&edtContactName, &edtContactSurname},
                 {&edtContactSurname, &edtContactAddress},
                 {&edtContactAddress, &edtContactPostalCode},
                 {&edtContactPostalCode, &edtContactCity},
                 {&edtContactCity, &edtContactCountry},
                 {&edtContactCountry, &btnSave}});
}

void TfrmAEContact::FormShow() {
  edits_.Load();
  LabelForm::FormShow();
}

void TfrmAEContact::btnSaveClick() {
  if (Contacts().IsNull(Contact_Surname)) {
    ShowInformation(L"Please insert contact's surname.");
    edtContactSurname.SetFocus();
    return;
  }
  try {
    Contacts().Post();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
    edtContactTitle.SetFocus();
    return;
  }
  SetModalResult(mrOk);
}

void TfrmAEContact::btnCancelClick() {
  Contacts().Cancel();
  SetModalResult(mrCancel);
}

void TfrmAEContact::FormClose() {
  // Closed with the close box: nothing of the record may stay half edited.
  if (Contacts().IsOpen() && Contacts().State() != TableState::Browse) Contacts().Cancel();
  LabelForm::FormClose();
}
