// Marrowby from outside, as a user works with it: contacts added through the form in an
// empty folder, one ticked and exported, the program ended and started again, the export
// imported back, and what the runs left on disk.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class MarrowbyRun {
 public:
  MarrowbyRun() : run(MARROWBY_EXE) { Attach(); }

  void Attach() {
    main = run.WaitForWindow(L"Marrowby");
    list = FindChildByIndex(main, L"ListBox", 0);
  }

  std::vector<std::wstring> Rows() const { return ListRows(list); }

  void WaitForRows(std::size_t n) const {
    ASSERT_TRUE(WaitUntil([&] { return Rows().size() == n; })) << Rows().size() << " rows";
  }

  // Fills the contact form's boxes top to bottom: title, name, surname, street, city,
  // postal code, country.
  void AddContact(const std::vector<std::wstring>& values) {
    const std::size_t before = Rows().size();
    ClickButton(main, L"New");
    HWND form = run.WaitForWindow(L"New Contact");
    for (std::size_t i = 0; i < values.size(); ++i)
      SetControlText(FindChildByIndex(form, L"Edit", static_cast<int>(i)), values[i]);
    ClickButton(form, L"Save");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    WaitForRows(before + 1);
  }

  void ClickCheckMark(int row) const { ClickRowCheckMark(list, row); }

  bool Ticked(int row) const { return Ask(list, LB_GETITEMDATA, static_cast<WPARAM>(row)) == 1; }

  ProgramRun run;
  HWND main = nullptr;
  HWND list = nullptr;
};

}  // namespace

TEST(MarrowbyRecords, ContactsAreAddedExportedAndImportedAcrossRuns) {
  MarrowbyRun m;
  EXPECT_TRUE(m.Rows().empty());
  m.AddContact({L"Mr", L"John", L"Smith", L"97 Oak Road", L"Boston", L"45477", L"USA"});
  m.AddContact({L"", L"Ann", L"Adams"});
  EXPECT_EQ(m.Rows(), (std::vector<std::wstring>{L"2:   Adams, Ann", L"1:   Smith, John Mr"}));
  EXPECT_FALSE(fs::exists(m.run.Folder() / "ContactList.cds")) << "written only at the end";

  m.ClickCheckMark(1);
  ASSERT_TRUE(WaitUntil([&] { return m.Ticked(1); }));
  EXPECT_FALSE(m.Ticked(0));
  EXPECT_EQ(Ask(m.list, LB_GETCURSEL), LB_ERR) << "ticking selects nothing";

  const fs::path exported = m.run.Folder() / "smith.csv";
  ClickButton(m.main, L"Export");
  m.run.ChooseFile(L"Export", exported, L"Save");
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(exported) && fs::file_size(exported) > 0; }));
  const std::string csv =
      "Contact_Title,Contact_Name,Contact_Surname,Contact_Address1,Contact_Address2,"
      "Contact_Address3,Contact_Address4\r\n"
      "Mr,John,Smith,97 Oak Road,45477,Boston,USA\r\n";
  EXPECT_EQ(Slurp(exported), csv);
  EXPECT_EQ(m.run.Close(m.main), 0u);

  const fs::path folder = m.run.Folder();
  EXPECT_TRUE(fs::exists(folder / "ContactList.cds"));
  EXPECT_TRUE(fs::exists(folder / "Settings.ini"));
  EXPECT_FALSE(fs::exists(folder / "GeneralList.cds"));
  EXPECT_FALSE(fs::exists(folder / "CustomLabel.cds"));
  const std::string table = Slurp(folder / "ContactList.cds");
  EXPECT_EQ(table.substr(0, 8), std::string("MRBYTBL\x1A", 8));

  m.run.Restart();
  m.Attach();
  m.WaitForRows(2);
  EXPECT_EQ(m.Rows(), (std::vector<std::wstring>{L"2:   Adams, Ann", L"1:   Smith, John Mr"}));

  ClickButton(m.main, L"Import");
  HWND import = m.run.WaitForWindow(L"Import Contacts");
  ClickButton(import, L"...");
  m.run.ChooseFile(L"Open", exported, L"Open");
  // The lists, in Tab order: title, name, surname, street, postal code, city, country;
  // the header names the fields in schema order, so each list takes its field's column.
  const int columnOf[] = {0, 1, 2, 3, 4, 5, 6};
  for (int i = 0; i < 7; ++i) {
    HWND combo = FindChildByIndex(import, L"ComboBox", i);
    ASSERT_TRUE(WaitUntil([&] { return Ask(combo, CB_GETCOUNT) == 7; }));
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(columnOf[i]));
  }
  ClickButton(import, L"Import");
  m.WaitForRows(3);
  EXPECT_EQ(m.Rows(), (std::vector<std::wstring>{L"2:   Adams, Ann", L"1:   Smith, John Mr",
                                                 L"3:   Smith, John Mr"}));
  EXPECT_FALSE(IsWindowVisible(import));
  EXPECT_EQ(m.run.Close(m.main), 0u);

  // The import was stored; the table grew, the export is as it was, the settings hold
  // all 22 keys.
  EXPECT_GT(Slurp(folder / "ContactList.cds").size(), table.size());
  EXPECT_EQ(Slurp(exported), csv);
  const std::string ini = Slurp(folder / "Settings.ini");
  EXPECT_EQ(std::count(ini.begin(), ini.end(), '='), 22);
  EXPECT_NE(ini.find("[CSVFile]"), std::string::npos);
  EXPECT_NE(ini.find("Separator=,"), std::string::npos);

  m.run.Restart();
  m.Attach();
  m.WaitForRows(3);
  EXPECT_EQ(m.Rows().back(), L"3:   Smith, John Mr");
  EXPECT_EQ(m.run.Close(m.main), 0u);
}

TEST(MarrowbyRecords, ADamagedTableIsReportedAndLeftOnDisk) {
  MarrowbyRun first;
  first.AddContact({L"", L"", L"Smith"});
  EXPECT_EQ(first.run.Close(first.main), 0u);
  const fs::path table = first.run.Folder() / "ContactList.cds";
  std::string bytes = Slurp(table);
  bytes.resize(bytes.size() - 3);
  std::ofstream(table, std::ios::binary | std::ios::trunc) << bytes;

  first.run.Restart();
  const MessageBoxSeen box = first.run.WaitForMessageBox();
  EXPECT_NE(box.text.find(L"ContactList.cds"), std::wstring::npos);
  EXPECT_NE(box.text.find(L"damaged"), std::wstring::npos);
  first.run.Answer(box, L"OK");
  first.Attach();
  EXPECT_TRUE(first.Rows().empty());
  EXPECT_EQ(first.run.Close(first.main), 0u);
  EXPECT_EQ(Slurp(table), bytes) << "the damaged file is kept for the user to recover";
}
