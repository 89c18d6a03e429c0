// The main window driven as a user drives it: adding, editing, ticking, deleting, sorting
// and switching modes, the messages of every command, and how the tables and the settings
// file live across runs — including damaged files, which are reported and never written.
#include <windows.h>

#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "tests/labels/MarrowbyFixture.h"
#include "tests/support/Screenshot.h"

namespace fs = std::filesystem;

namespace {

using RowTexts = std::vector<std::wstring>;

class MainWindowTest : public MarrowbyFixture {
 protected:
  void SetUp() override { Start(); }

  // Runs a command that must show exactly one information box with this text.
  template <typename F>
  void ExpectInformation(F command, const std::wstring& text) {
    dialogs.ClearCalls();
    dialogs.Answer(DialogAnswer::Ok);
    command();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
    EXPECT_EQ(dialogs.Last().text, text);
  }
};

}  // namespace

TEST_F(MainWindowTest, AFirstStartWritesItsFilesOnlyWhenTheProgramEnds) {
  EXPECT_TRUE(Rows().empty());
  AddContact(L"Mr", L"John", L"Smith");
  EXPECT_EQ(Rows(), (RowTexts{L"1:   Smith, John Mr"}));
  EXPECT_FALSE(Exists("ContactList.cds"));
  EXPECT_FALSE(Exists("Settings.ini"));

  Stop();
  EXPECT_TRUE(Exists("ContactList.cds"));
  EXPECT_TRUE(Exists("Settings.ini"));
  EXPECT_FALSE(Exists("GeneralList.cds")) << "an unchanged table writes no file";
  EXPECT_FALSE(Exists("CustomLabel.cds"));

  Start();
  EXPECT_EQ(Rows(), (RowTexts{L"1:   Smith, John Mr"}));
  AddContact(L"", L"", L"Adams");
  EXPECT_EQ(Rows(), (RowTexts{L"2:   Adams", L"1:   Smith, John Mr"}));
}

TEST_F(MainWindowTest, RowsShowTheTitleOnlyTogetherWithAName) {
  AddContact(L"Mr", L"", L"Smith");
  AddContact(L"", L"John", L"Smith");
  AddContact(L"Dr", L"Ann", L"Lee");
  EXPECT_EQ(Rows(), (RowTexts{L"3:   Lee, Ann Dr", L"1:   Smith", L"2:   Smith, John"}));
}

TEST_F(MainWindowTest, CommandsThatNeedRowsSayWhatIsMissing) {
  ExpectInformation([&] { Main().btnEditClick(); }, L"Please select contact to Edit.");
  ExpectInformation([&] { Main().btnDeleteClick(); }, L"Please check [x] contacts to Delete.");
  ExpectInformation([&] { Main().btnExportClick(); }, L"Please check [x] contacts to Export.");
  ExpectInformation([&] { Main().btnPreviewClick(); }, L"Please check [x] contacts to Preview.");

  // A ticked row is not a selected row.
  AddContact(L"", L"", L"Smith");
  ClickCheckMark(0);
  EXPECT_TRUE(Main().lstRecords.Ticked(0));
  EXPECT_EQ(Main().lstRecords.SelectedIndex(), -1);
  ExpectInformation([&] { Main().btnEditClick(); }, L"Please select contact to Edit.");
  modals.Then<TfrmPrint>([](TfrmPrint& p) { p.btnClose.Click(); });
  Main().btnPreviewClick();  // ticked: no message, the print window opens

  Main().radGeneral.Click();
  ExpectInformation([&] { Main().btnEditClick(); }, L"Please select general information to Edit.");
  ExpectInformation([&] { Main().btnDeleteClick(); },
                    L"Please check [x] general information fields to Delete.");
  ExpectInformation([&] { Main().btnExportClick(); },
                    L"Please check [x] general information fields to Export.");
  ExpectInformation([&] { Main().btnPreviewClick(); },
                    L"Please check [x] general information fields to Preview.");
}

TEST_F(MainWindowTest, SelectAllTicksEveryRowUntilTheNextRebuild) {
  AddContact(L"", L"", L"Smith");
  AddContact(L"", L"", L"Adams");
  Main().btnSelect.Click();
  EXPECT_EQ(Main().btnSelect.Text(), L"Deselect All");
  EXPECT_EQ(Main().lstRecords.TickedRows(), (std::vector<int>{0, 1}));
  Main().btnSelect.Click();
  EXPECT_EQ(Main().btnSelect.Text(), L"Select All");
  EXPECT_TRUE(Main().lstRecords.TickedRows().empty());

  Main().btnSelect.Click();
  Main().mnuOrderByNumberClick();
  EXPECT_EQ(Rows(), (RowTexts{L"1:   Smith", L"2:   Adams"}));
  EXPECT_TRUE(Main().lstRecords.TickedRows().empty()) << "a rebuild clears the ticks";
  EXPECT_EQ(Main().btnSelect.Text(), L"Select All");
  Main().mnuOrderBySurnameClick();
  EXPECT_EQ(Rows(), (RowTexts{L"2:   Adams", L"1:   Smith"}));
}

TEST_F(MainWindowTest, DeleteAsksOnceAndDeletesEveryTickedRecord) {
  for (const wchar_t* s : {L"Adams", L"Brown", L"Clark"}) AddContact(L"", L"", s);
  ClickCheckMark(0);
  ClickCheckMark(2);
  dialogs.Answer(DialogAnswer::No);
  Main().btnDeleteClick();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Confirmation);
  EXPECT_EQ(dialogs.Last().buttons, DialogButtons::YesNo);
  EXPECT_EQ(dialogs.Last().text, L"Delete checked [x] contact(s)?");
  EXPECT_EQ(Rows().size(), 3u);

  dialogs.Answer(DialogAnswer::Yes);
  Main().btnDeleteClick();
  EXPECT_EQ(Rows(), (RowTexts{L"2:   Brown"}));
  Restart();
  EXPECT_EQ(Rows(), (RowTexts{L"2:   Brown"}));
  AddContact(L"", L"", L"Davis");
  EXPECT_EQ(Rows().back(), L"4:   Davis") << "deleted numbers are not handed out again";
}

TEST_F(MainWindowTest, EditSelectsTheRowAtTheSamePlaceAfterwards) {
  for (const wchar_t* s : {L"Adams", L"Brown", L"Young"}) AddContact(L"", L"", s);
  Main().lstRecords.SetSelectedIndex(0);
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    EXPECT_EQ(f.Caption(), L"Edit Contact");
    EXPECT_EQ(f.edtContactSurname.Text(), L"Adams");
    f.edtContactSurname.SetText(L"Zed");
    f.btnSave.Click();
  });
  Main().btnEditClick();
  EXPECT_EQ(Rows(), (RowTexts{L"2:   Brown", L"3:   Young", L"1:   Zed"}));
  EXPECT_EQ(Main().lstRecords.SelectedIndex(), 0);
  EXPECT_EQ(Main().Store().cdsContact.Number(), 2) << "the record at the old place is current";

  // A double-click edits too; Cancel leaves the record as it was.
  modals.Then<TfrmAEContact>([](TfrmAEContact& f) {
    f.edtContactSurname.SetText(L"Changed");
    f.btnCancel.Click();
  });
  SendMessageW(Main().Handle(), WM_COMMAND, MAKEWPARAM(Main().lstRecords.Id(), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(Main().lstRecords.Handle()));
  EXPECT_EQ(Rows()[0], L"2:   Brown");
}

TEST_F(MainWindowTest, TheGeneralModeListsGeneralRecords) {
  AddContact(L"", L"", L"Smith");
  Main().radGeneral.Click();
  EXPECT_EQ(Main().Mode(), PrintMode::General);
  EXPECT_TRUE(Rows().empty());
  modals.Then<TfrmAEGeneral>([](TfrmAEGeneral& f) {
    EXPECT_EQ(f.Caption(), L"New General Information");
    f.edtGeneralField1.SetText(L"Invoice 2044");
    f.btnSave.Click();
  });
  Main().btnNewClick();
  AddGeneral(L"a note");
  EXPECT_EQ(Rows(), (RowTexts{L"2:   a note", L"1:   Invoice 2044"}));
  Main().mnuOrderByNumberClick();
  EXPECT_EQ(Rows(), (RowTexts{L"1:   Invoice 2044", L"2:   a note"}));
  Main().radAddress.Click();
  EXPECT_EQ(Rows(), (RowTexts{L"1:   Smith"}));
}

TEST_F(MainWindowTest, HelpShowsTheTutorial) {
  dialogs.Answer(DialogAnswer::Ok);
  Main().btnHelp.Click();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
  EXPECT_EQ(dialogs.Last().caption, L"Marrowby");
  EXPECT_EQ(
      dialogs.Last().text,
      L"This is a short help tutorial.\r\n\r\n"
      L"- The New button adds a new contact to the list.\r\n\r\n"
      L"- The Edit button lets you edit a selected contact.\r\n\r\n"
      L"- The Delete button is for deleting checked contact(s).\r\n\r\n"
      L"- The Import button imports a csv (comma separated values)\r\n   contact list.\r\n\r\n"
      L"- The Export button exports all the checked contacts to a csv file.\r\n\r\n"
      L"- The Preview button opens the print preview for checked contact(s).");
}

TEST_F(MainWindowTest, ExportWritesTheTickedRecordsWithTheSeparator) {
  AddContact(L"", L"Ann", L"Lee");
  AddContact(L"Mr", L"Bo", L"Adams");
  Main().Settings().record.Separator = ";";
  Main().btnSelect.Click();
  const std::wstring path = File("out.csv").wstring();
  dialogs.AnswerFile(path);
  Main().btnExportClick();
  EXPECT_EQ(dialogs.lastFileRequest.title, L"Export");
  EXPECT_EQ(dialogs.lastFileRequest.filter, L"Comma Separated Values (*.csv)|*.csv");
  EXPECT_EQ(dialogs.lastFileRequest.defaultExt, L"csv");
  EXPECT_EQ(Read("out.csv"),
            "Contact_Title;Contact_Name;Contact_Surname;Contact_Address1;Contact_Address2;"
            "Contact_Address3;Contact_Address4\r\n"
            "Mr;Bo;Adams;;;;\r\n"
            ";Ann;Lee;;;;\r\n");

  // Cancelling the dialog writes nothing; an empty separator does not even ask.
  dialogs.Cancel();
  fs::remove(File("out.csv"));
  Main().btnExportClick();
  EXPECT_FALSE(Exists("out.csv"));
  Main().Settings().record.Separator = "";
  ExpectInformation([&] { Main().btnExportClick(); },
                    L"The separator for import / export csv file is empty, so the columns of an "
                    L"exported file could not be told apart. Please choose a separator in the "
                    L"settings (the \"...\" button).");
}

TEST_F(MainWindowTest, AFailedExportIsShownAndTheFileIsNotTouched) {
  AddContact(L"", L"", L"Lee");
  Main().btnSelect.Click();
  dialogs.AnswerFile(File("no folder\\out.csv").wstring()).Answer(DialogAnswer::Ok);
  Main().btnExportClick();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_NE(dialogs.Last().text.find(L"out.csv"), std::wstring::npos)
      << Narrow(dialogs.Last().text);
}

TEST_F(MainWindowTest, TheSortMenuIsOwnerDrawnWithItsTwoOrders) {
  AddContact(L"", L"", L"Smith");
  AddContact(L"", L"", L"Adams");
  SendMessageW(Main().Handle(), WM_COMMAND, TfrmMain::kOrderByNumber, 0);
  EXPECT_EQ(Rows()[0], L"1:   Smith");
  SendMessageW(Main().Handle(), WM_COMMAND, TfrmMain::kOrderBySurname, 0);
  EXPECT_EQ(Rows()[0], L"2:   Adams");

  // Items are measured from their bold caption (no hint) and the picture column.
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = TfrmMain::kOrderByNumber;
  SendMessageW(Main().Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_GE(mis.itemHeight, 13u + 13u);
  EXPECT_GT(mis.itemWidth, 26u + 8u + 150u);
}

TEST_F(MainWindowTest, ExitStaysAHundredAndTenPixelsFromTheRightEdge) {
  for (const int width : {640, 900}) {
    Main().SetBounds(10, 10, width, 500);
    const RECT window = Main().Bounds();
    EXPECT_EQ(Main().btnExit.Bounds().left, (window.right - window.left) - 110);
  }
}

TEST_F(MainWindowTest, TheLinkOpensTheWebAddress) {
  std::wstring opened;
  Main().lnkWeb.OnOpen = [&](const std::wstring& a) { opened = a; };
  SendMessageW(Main().Handle(), WM_COMMAND, MAKEWPARAM(Main().lnkWeb.Id(), STN_CLICKED),
               reinterpret_cast<LPARAM>(Main().lnkWeb.Handle()));
  EXPECT_EQ(opened, Main().lnkWeb.Address());
  SendMessageW(Main().lnkWeb.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(Main().lnkWeb.Hot()) << "underlined while the mouse is over it";
  SendMessageW(Main().lnkWeb.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Main().lnkWeb.Hot());
}

// Files across runs -------------------------------------------------------------------------

TEST_F(MainWindowTest, ARunThatChangesNothingLeavesEveryFileAsItWas) {
  AddContact(L"", L"", L"Smith");
  Main().radGeneral.Click();
  AddGeneral(L"x");
  Stop();
  const auto contactsTime = fs::last_write_time(File("ContactList.cds"));
  const std::string contacts = Read("ContactList.cds");
  Sleep(30);
  Start();
  Main().mnuOrderByNumberClick();  // orders are not data
  Main().btnSelect.Click();
  Stop();
  EXPECT_EQ(Read("ContactList.cds"), contacts);
  EXPECT_EQ(fs::last_write_time(File("ContactList.cds")), contactsTime);
}

TEST_F(MainWindowTest, ADamagedTableIsReportedAndSurvivesTheRun) {
  AddContact(L"", L"", L"Smith");
  Stop();
  std::string damaged = Read("ContactList.cds");
  damaged[damaged.size() / 2] ^= 0x55;
  Write("ContactList.cds", damaged);
  Write("GeneralList.cds", "");

  dialogs.Answer(DialogAnswer::Ok);
  Start();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  const std::wstring shown = dialogs.Last().text;
  EXPECT_NE(shown.find(File("ContactList.cds").wstring()), std::wstring::npos) << Narrow(shown);
  EXPECT_NE(shown.find(L"damaged"), std::wstring::npos) << Narrow(shown);
  EXPECT_TRUE(Rows().empty());

  // Commands on the closed tables say so instead of failing.
  dialogs.Answer(DialogAnswer::Ok);
  Main().btnNewClick();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_NE(dialogs.Last().text.find(L"The contacts are not available"), std::wstring::npos);
  dialogs.Answer(DialogAnswer::Ok);
  Main().btnImport.Click();
  EXPECT_EQ(dialogs.Last().text, L"The contacts are not available: \"" +
                                     File("ContactList.cds").wstring() +
                                     L"\" could not be opened.");
  Main().radGeneral.Click();
  EXPECT_TRUE(Rows().empty()) << "the general table was not opened either";
  dialogs.Answer(DialogAnswer::Ok);
  Main().btnEditClick();
  EXPECT_NE(dialogs.Last().text.find(L"they were not opened because"), std::wstring::npos);

  Stop();
  EXPECT_EQ(Read("ContactList.cds"), damaged);
  EXPECT_EQ(Read("GeneralList.cds"), "");
}

TEST_F(MainWindowTest, TheSettingsAreReadAtTheFirstActivationAndWrittenAtClose) {
  Stop();
  Write("Settings.ini",
        "[Mine]\r\nKeep=1\r\n[FontSettings]\r\nFontSizeAddress=abc\r\n"
        "FontSizeGeneral=12\r\n[CSVFile]\r\nSeparator=;x\r\n");
  Start();
  EXPECT_EQ(Main().Settings().record.Separator, ";");
  EXPECT_EQ(Main().Settings().record.FontSizeAddress, 8);
  EXPECT_EQ(Main().Settings().record.FontSizeGeneral, 12);
  Stop();
  const std::string ini = Read("Settings.ini");
  EXPECT_NE(ini.find("Keep=1"), std::string::npos) << "other contents stay";
  EXPECT_NE(ini.find("FontSizeAddress=8"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Separator=;\r\n"), std::string::npos) << ini;
  int keys = 0;
  for (std::size_t at = 0; (at = ini.find('=', at)) != std::string::npos; ++at) ++keys;
  EXPECT_EQ(keys, 22 + 1);
}

TEST_F(MainWindowTest, ATableFileThatCannotBeReplacedAtExitIsReportedAndKept) {
  AddContact(L"", L"", L"Smith");
  Stop();
  const std::string before = Read("ContactList.cds");
  Start();
  AddContact(L"", L"", L"Jones");
  // The table file becomes read-only: it cannot be replaced.
  SetFileAttributesW(File("ContactList.cds").c_str(), FILE_ATTRIBUTE_READONLY);
  dialogs.Answer(DialogAnswer::Ok);
  Stop();
  SetFileAttributesW(File("ContactList.cds").c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_FALSE(dialogs.Calls().empty());
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_NE(dialogs.Last().text.find(L"The contacts could not be saved to \"" +
                                     File("ContactList.cds").wstring()),
            std::wstring::npos)
      << Narrow(dialogs.Last().text);
  EXPECT_EQ(Read("ContactList.cds"), before);
  std::size_t entries = 0;
  for (const auto& e : fs::directory_iterator(File("")))
    entries += e.path().extension() == ".tmp" ? 100 : 1;
  EXPECT_EQ(entries, 2u) << "the table and the settings, nothing half written";
}

TEST_F(MainWindowTest, AnUnwritableProgramFolderAtExitIsReportedAndNothingIsHalfWritten) {
  AddContact(L"", L"", L"Smith");
  Stop();
  const std::string before = Read("ContactList.cds");
  Start();
  AddContact(L"", L"", L"Jones");
  Main().radGeneral.Click();
  AddGeneral(L"a new table file");
  ASSERT_TRUE(LockFolder(true)) << "the program folder could not be made unwritable";
  // The settings and each table that cannot be saved are reported once.
  dialogs.Answer(DialogAnswer::Ok).Answer(DialogAnswer::Ok).Answer(DialogAnswer::Ok);
  Stop();
  ASSERT_TRUE(LockFolder(false));
  std::vector<std::wstring> errors;
  for (const DialogCall& call : dialogs.Calls())
    if (call.kind == DialogKind::Error) errors.push_back(call.text);
  ASSERT_EQ(errors.size(), 3u);
  const auto mentions = [&](const std::wstring& text) {
    return std::any_of(errors.begin(), errors.end(),
                       [&](const std::wstring& e) { return e.find(text) != std::wstring::npos; });
  };
  EXPECT_TRUE(
      mentions(L"The contacts could not be saved to \"" + File("ContactList.cds").wstring()));
  EXPECT_TRUE(mentions(L"The general records could not be saved to"));
  EXPECT_TRUE(mentions(L"Could not write the settings to \"" + File("Settings.ini").wstring()));
  EXPECT_EQ(Read("ContactList.cds"), before);
  EXPECT_FALSE(Exists("GeneralList.cds"));
  for (const auto& e : fs::directory_iterator(File("")))
    EXPECT_NE(e.path().extension(), ".tmp") << "a temporary file was left behind";
}

// Screenshots ---------------------------------------------------------------------------------

TEST_F(MainWindowTest, Screenshots) {
  for (const auto& [title, name, surname] :
       {std::tuple{L"Mr", L"John", L"Smith"},
        {L"Dr", L"Ann", L"Lee"},
        {L"", L"", L"Brown"},
        {L"Ms", L"Zo\u00EB", L"M\u00FCller-Westernhagen von Hohenlohe-Langenburg"}})
    AddContact(title, name, surname);
  Main().SetBounds(40, 40, 640, 500);
  ClickCheckMark(1);
  ClickCheckMark(3);
  Main().lstRecords.SetSelectedIndex(2);
  SaveWindowScreenshot(Main().Handle(), L"marrowby-main-address");

  // The sort menu, opened with its first item highlighted, captured from inside its loop.
  static HWND mainWindow;
  mainWindow = Main().Handle();
  SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    keybd_event(VK_DOWN, 0, 0, 0);
    keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR id2, DWORD) {
      KillTimer(nullptr, id2);
      SaveWindowScreenshot(mainWindow, L"marrowby-sort-menu");
      EndMenu();
    });
  });
  RECT list = Main().lstRecords.Bounds();
  POINT at{list.left + 120, list.top + 40};
  ClientToScreen(Main().Handle(), &at);
  SendMessageW(Main().Handle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(Main().lstRecords.Handle()), MAKELPARAM(at.x, at.y));

  Main().radGeneral.Click();
  AddGeneral(L"Invoice 2044");
  AddGeneral(L"Parcel for the stock room");
  Main().lstRecords.SetSelectedIndex(0);
  SaveWindowScreenshot(Main().Handle(), L"marrowby-main-general");
}
