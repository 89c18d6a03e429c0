// The import windows: the header read by "...", mapping columns by name, imports that
// close the window, and bad files that keep it open with the program's message.
#include <windows.h>

#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "tests/labels/MarrowbyFixture.h"
#include "tests/support/Screenshot.h"

namespace {

const wchar_t kImportError[] =
    L"Error in trying to import file. Make sure file and fields have the right format.";

class ImportWindowsTest : public MarrowbyFixture {
 protected:
  void SetUp() override { Start(); }

  // Chooses, per list top to bottom, the column name (empty: none).
  static void Choose(ImportForm& f, const std::vector<std::wstring>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      TLabelComboBox& list = *f.columnLists[i];
      for (int item = 0; item < list.Count(); ++item)
        if (list.ItemText(item) == names[i]) list.SetSelectedIndex(item);
    }
  }

  static std::vector<std::wstring> Items(TLabelComboBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.ItemText(i));
    return items;
  }

  std::wstring CsvFile(const std::string& name, const std::string& bytes) {
    Write(name, bytes);
    return File(name).wstring();
  }
};

}  // namespace

TEST_F(ImportWindowsTest, TheHeaderFillsTheListsAndChosenColumnsAreImported) {
  const std::wstring csv =
      CsvFile("in.csv", "Name,Surname,Town\r\nAnn,Lee,York\r\nBo,\"Li\",Hull\r\n");
  modals.Then<TfrmImport>([&](TfrmImport& f) {
    EXPECT_EQ(f.Caption(), L"Import Contacts");
    EXPECT_FALSE(f.btnImport.Enabled());
    EXPECT_EQ(f.btnOpenFile.Hint(), L"Open CSV File to Import");
    dialogs.AnswerFile(csv);
    f.btnOpenFile.Click();
    EXPECT_EQ(dialogs.lastFileRequest.filter, L"Comma Separated Values File (*.csv)|*.csv");
    EXPECT_EQ(dialogs.lastFileRequest.defaultExt, L"csv");
    EXPECT_TRUE(f.btnImport.Enabled());
    for (auto& list : f.columnLists) {
      EXPECT_EQ(Items(*list), (std::vector<std::wstring>{L"Name", L"Surname", L"Town"}));
      EXPECT_EQ(list->SelectedIndex(), -1);
    }
    // Rows: Title, Name, Surname, Street Address, City, Postal Code, Country.
    Choose(f, {L"", L"Name", L"Surname", L"", L"Town"});
    f.btnImport.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  Main().btnImportClick();
  Main().mnuOrderByNumberClick();
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"1:   Lee, Ann", L"2:   \"Li\", Bo"}));
  RecordTable& t = Main().Store().cdsContact;
  t.LocateNumber(1);
  EXPECT_EQ(t.AsText(Contact_Address3), "York");
  EXPECT_TRUE(t.IsNull(Contact_Title));
  EXPECT_TRUE(t.IsNull(Contact_Address2));
}

TEST_F(ImportWindowsTest, AShortLineKeepsTheWindowOpenAndTheLinesBefore) {
  Main().Settings().record.Separator = ";";
  const std::wstring csv = std::wstring(TEST_DATA_DIR L"/csv/contacts-cp1252-semicolon.csv");
  modals.Then<TfrmImport>([&](TfrmImport& f) {
    dialogs.AnswerFile(csv);
    f.btnOpenFile.Click();
    Choose(f, {L"Title", L"Name", L"Surname", L"Street", L"City", L"Postcode", L"Country"});
    dialogs.Answer(DialogAnswer::Ok);
    f.btnImport.Click();
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
    EXPECT_EQ(dialogs.Last().text, kImportError);
    EXPECT_EQ(f.ModalResult(), mrNone) << "the window stays open";
    f.btnCancel.Click();
  });
  Main().btnImportClick();
  EXPECT_EQ(Rows().size(), 139u) << "the lines before the broken one were imported";
  RecordTable& t = Main().Store().cdsContact;
  t.LocateNumber(2);
  EXPECT_EQ(t.AsText(Contact_Name), "\x8A\xE1rka");
}

TEST_F(ImportWindowsTest, FilesThatCannotBeReadAreReportedAndImportNothing) {
  modals.Then<TfrmImport>([&](TfrmImport& f) {
    dialogs.AnswerFile(File("missing.csv").wstring()).Answer(DialogAnswer::Ok);
    f.btnOpenFile.Click();
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
    EXPECT_NE(dialogs.Last().text.find(L"missing.csv"), std::wstring::npos);
    EXPECT_FALSE(f.btnImport.Enabled());

    // The file goes away between reading its header and importing it.
    dialogs.AnswerFile(CsvFile("gone.csv", "Surname\r\nLee\r\n"));
    f.btnOpenFile.Click();
    Choose(f, {L"", L"", L"Surname"});
    std::filesystem::remove(File("gone.csv"));
    dialogs.Answer(DialogAnswer::Ok);
    f.btnImport.Click();
    EXPECT_EQ(dialogs.Last().text, kImportError);
    f.btnCancel.Click();
  });
  Main().btnImportClick();
  EXPECT_TRUE(Rows().empty());
}

TEST_F(ImportWindowsTest, AHeaderOnlyFileImportsNothingAndCloses) {
  const std::wstring csv = CsvFile("header.csv", "Surname\r\n");
  modals.Then<TfrmImport>([&](TfrmImport& f) {
    dialogs.AnswerFile(csv);
    f.btnOpenFile.Click();
    Choose(f, {L"", L"", L"Surname"});
    f.btnImport.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  Main().btnImportClick();
  EXPECT_TRUE(Rows().empty());

  // Shown again, the window starts empty.
  modals.Then<TfrmImport>([](TfrmImport& f) {
    EXPECT_EQ(f.columnLists[0]->Count(), 0);
    EXPECT_FALSE(f.btnImport.Enabled());
    f.btnCancel.Click();
  });
  Main().btnImportClick();
}

TEST_F(ImportWindowsTest, TheContactListsTabFromPostalCodeToCity) {
  modals.Then<TfrmImport>([](TfrmImport& f) {
    // Lists by row: Title, Name, Surname, Street Address, City, Postal Code, Country.
    const auto next = [&](std::size_t row) {
      return GetNextDlgTabItem(f.Handle(), f.columnLists[row]->Handle(), FALSE);
    };
    EXPECT_EQ(next(3), f.columnLists[5]->Handle()) << "street -> postal code";
    EXPECT_EQ(next(5), f.columnLists[4]->Handle()) << "postal code -> city";
    EXPECT_EQ(next(4), f.columnLists[6]->Handle()) << "city -> country";
    f.btnCancel.Click();
  });
  Main().btnImportClick();
}

TEST_F(ImportWindowsTest, TheGeneralWindowImportsGeneralRecordsWithAnEmptySeparator) {
  // Without a separator nothing splits: each line is one value.
  Main().Settings().record.Separator = "";
  const std::wstring csv = CsvFile("notes.csv", "Notes\r\nBuy milk, eggs\r\nCall Ann\r\n");
  Main().radGeneral.Click();
  modals.Then<TfrmImportGeneral>([&](TfrmImportGeneral& f) {
    EXPECT_EQ(f.Caption(), L"Import General Information");
    EXPECT_EQ(f.TitleBand(), L"Import Information");
    EXPECT_EQ(f.lblFieldList.Text(), L"General Field List");
    EXPECT_EQ(f.fieldCaptions[5]->Text(), L"Image Path");
    dialogs.AnswerFile(csv);
    f.btnOpenFile.Click();
    Choose(f, {L"Notes"});
    f.btnImport.Click();
  });
  Main().btnImportClick();
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"1:   Buy milk, eggs", L"2:   Call Ann"}));
}

TEST_F(ImportWindowsTest, ImportWindowScreenshot) {
  const std::wstring csv = CsvFile("in.csv", "Title,Name,Surname,Street,City,Postcode,Country\r\n");
  modals.Then<TfrmImport>([&](TfrmImport& f) {
    dialogs.AnswerFile(csv);
    f.btnOpenFile.Click();
    Choose(f, {L"Title", L"Name", L"Surname", L"Street", L"City", L"Postcode"});
    SaveWindowScreenshot(f.Handle(), L"marrowby-import-contacts");
    f.btnCancel.Click();
  });
  Main().btnImportClick();
}
