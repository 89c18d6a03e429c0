// The contact and general forms: bound boxes, the focus on show and the Enter order,
// validation that keeps the form open, Cancel and the close box dropping the record, and
// applying one picture path to every general record.
#include <windows.h>

#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "tests/labels/MarrowbyFixture.h"
#include "tests/support/Screenshot.h"

namespace {

class EditFormsTest : public MarrowbyFixture {
 protected:
  void SetUp() override { Start(); }

  // Presses Enter in a control as the message loop delivers it.
  static bool PressEnter(Form& form, Control& control) {
    MSG msg{control.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    return form.PreTranslateMessage(msg);
  }

  static HWND Focused() { return GetFocus(); }
};

}  // namespace

TEST_F(EditFormsTest, TheContactFormStartsOnTheTitleAndEnterJumpsFromStreetToPostalCode) {
  std::vector<HWND> visited;
  modals.Then<TfrmAEContact>([&](TfrmAEContact& f) {
    EXPECT_EQ(f.Caption(), L"New Contact");
    EXPECT_EQ(f.TitleBand(), L"Contact Information");
    visited.push_back(Focused());
    Control* order[] = {&f.edtContactTitle,   &f.edtContactName,       &f.edtContactSurname,
                        &f.edtContactAddress, &f.edtContactPostalCode, &f.edtContactCity,
                        &f.edtContactCountry};
    for (Control* c : order) {
      c->SetFocus();
      EXPECT_TRUE(PressEnter(f, *c));
      visited.push_back(Focused());
    }
    EXPECT_EQ(visited[0], f.edtContactTitle.Handle());
    EXPECT_EQ(visited[1], f.edtContactName.Handle());
    EXPECT_EQ(visited[4], f.edtContactPostalCode.Handle()) << "street -> postal code";
    EXPECT_EQ(visited[5], f.edtContactCity.Handle()) << "postal code -> city";
    EXPECT_EQ(visited[6], f.edtContactCountry.Handle());
    EXPECT_EQ(visited[7], f.btnSave.Handle());
    // The Tab order is the order on the form: the city before the postal code.
    EXPECT_EQ(GetNextDlgTabItem(f.Handle(), f.edtContactAddress.Handle(), FALSE),
              f.edtContactCity.Handle());
    f.btnCancel.Click();
  });
  Main().btnNewClick();
}

TEST_F(EditFormsTest, SavingWithoutASurnameSaysSoAndKeepsTheFormOpen) {
  modals.Then<TfrmAEContact>([&](TfrmAEContact& f) {
    f.edtContactName.SetText(L"John");
    dialogs.Answer(DialogAnswer::Ok);
    f.btnSave.Click();
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
    EXPECT_EQ(dialogs.Last().text, L"Please insert contact's surname.");
    EXPECT_EQ(f.ModalResult(), mrNone) << "the form stays open";
    EXPECT_EQ(Focused(), f.edtContactSurname.Handle());
    EXPECT_EQ(Main().Store().cdsContact.State(), TableState::Insert);
    f.edtContactSurname.SetText(L"Smith");
    f.btnSave.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  Main().btnNewClick();
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"1:   Smith, John"}));
}

TEST_F(EditFormsTest, BoxesWriteTheirFieldsCutToLength) {
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    f.edtContactTitle.SetText(std::wstring(25, L'T'));
    f.edtContactSurname.SetText(L"Lee");
    f.edtContactAddress.SetText(L"1 High Street");
    f.edtContactPostalCode.SetText(L"LS1 4AP");
    f.edtContactCity.SetText(L"Leeds, West Yorkshire, England");
    f.edtContactCountry.SetText(L"United Kingdom");
    f.btnSave.Click();
  });
  Main().btnNewClick();
  RecordTable& t = Main().Store().cdsContact;
  t.LocateNumber(1);
  EXPECT_EQ(t.AsText(Contact_Title), std::string(20, 'T'));
  EXPECT_EQ(t.AsText(Contact_Address1), "1 High Street");
  EXPECT_EQ(t.AsText(Contact_Address2), "LS1 4AP") << "the postal code is field 6";
  EXPECT_EQ(t.AsText(Contact_Address3), "Leeds, West Yorkshir") << "the city holds 20";
  EXPECT_EQ(t.AsText(Contact_Address4), "United Kingdom");
}

TEST_F(EditFormsTest, CancelAndTheCloseBoxDropTheRecord) {
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    f.edtContactSurname.SetText(L"Dropped");
    f.btnCancel.Click();
  });
  Main().btnNewClick();
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    f.edtContactSurname.SetText(L"Closed");
    SendMessageW(f.Handle(), WM_CLOSE, 0, 0);
  });
  Main().btnNewClick();
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Main().Store().cdsContact.State(), TableState::Browse);
  AddContact(L"", L"", L"Kept");
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"1:   Kept"}));

  // Editing and closing leaves the stored record as it was; the next form shows it again.
  Main().lstRecords.SetSelectedIndex(0);
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    f.edtContactSurname.SetText(L"Changed");
    SendMessageW(f.Handle(), WM_CLOSE, 0, 0);
  });
  Main().btnEditClick();
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    EXPECT_EQ(f.edtContactSurname.Text(), L"Kept");
    EXPECT_EQ(f.edtContactTitle.Text(), L"");
    f.btnCancel.Click();
  });
  Main().lstRecords.SetSelectedIndex(0);
  Main().btnEditClick();
}

TEST_F(EditFormsTest, TheGeneralFormAsksForField1AndBrowsesForAPicture) {
  Main().radGeneral.Click();
  modals.Then<TfrmAEGeneral>([&](TfrmAEGeneral& f) {
    EXPECT_EQ(f.TitleBand(), L"General Information");
    EXPECT_EQ(Focused(), f.edtGeneralField1.Handle());
    dialogs.Answer(DialogAnswer::Ok);
    f.btnSave.Click();
    EXPECT_EQ(dialogs.Last().text, L"Please insert Field 1.");
    EXPECT_EQ(Focused(), f.edtGeneralField1.Handle());

    dialogs.AnswerFile(L"C:\\pictures\\logo.bmp");
    f.btnBrowseImage.Click();
    EXPECT_EQ(dialogs.Last().kind, DialogKind::OpenFile);
    EXPECT_EQ(dialogs.lastFileRequest.filter,
              L"All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
              L"JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(f.edtImagePath.Text(), L"C:\\pictures\\logo.bmp");

    for (Control* c :
         {static_cast<Control*>(&f.edtGeneralField5), static_cast<Control*>(&f.edtImagePath)}) {
      c->SetFocus();
      PressEnter(f, *c);
      EXPECT_EQ(Focused(), f.btnSave.Handle());
    }
    f.edtGeneralField1.SetText(L"Invoice 2044");
    f.btnSave.Click();
  });
  Main().btnNewClick();
  RecordTable& t = Main().Store().cdsGeneral;
  t.LocateNumber(1);
  EXPECT_EQ(t.AsText(General_Field6), "C:\\pictures\\logo.bmp");
}

TEST_F(EditFormsTest, ApplyingAnEmptyImagePathClearsEveryRecordsPicture) {
  Main().radGeneral.Click();
  AddGeneral(L"one", L"C:\\a.bmp");
  AddGeneral(L"two", L"C:\\b.jpg");
  Main().lstRecords.SetSelectedIndex(0);
  modals.Then<TfrmAEGeneral>([](TfrmAEGeneral& f) {
    f.edtImagePath.SetText(L"");
    f.chkApplyImagePath.SetChecked(true);
    f.btnSave.Click();
    EXPECT_FALSE(f.chkApplyImagePath.Checked()) << "unticked after applying";
  });
  Main().btnEditClick();
  RecordTable& t = Main().Store().cdsGeneral;
  for (t.First(); !t.Eof(); t.Next()) EXPECT_TRUE(t.IsNull(General_Field6)) << t.Number();

  // Cancel unticks the box, and a path is applied to every record.
  Main().lstRecords.SetSelectedIndex(0);
  modals.Then<TfrmAEGeneral>([](TfrmAEGeneral& f) {
    f.chkApplyImagePath.SetChecked(true);
    f.btnCancel.Click();
  });
  Main().btnEditClick();
  Main().lstRecords.SetSelectedIndex(1);
  modals.Then<TfrmAEGeneral>([](TfrmAEGeneral& f) {
    EXPECT_FALSE(f.chkApplyImagePath.Checked());
    f.edtImagePath.SetText(L"D:\\logo.jpg");
    f.chkApplyImagePath.SetChecked(true);
    f.btnSave.Click();
  });
  Main().btnEditClick();
  for (t.First(); !t.Eof(); t.Next()) EXPECT_EQ(t.AsText(General_Field6), "D:\\logo.jpg");
}

TEST_F(EditFormsTest, ContactFormScreenshot) {
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    f.edtContactTitle.SetText(L"Mr");
    f.edtContactName.SetText(L"John");
    f.edtContactSurname.SetText(L"Smith");
    f.edtContactAddress.SetText(L"97 Oak Road");
    f.edtContactCity.SetText(L"Boston");
    f.edtContactPostalCode.SetText(L"45477");
    f.edtContactCountry.SetText(L"USA");
    SaveWindowScreenshot(f.Handle(), L"marrowby-contact-form");
    f.btnSave.Click();
  });
  Main().btnNewClick();
}
