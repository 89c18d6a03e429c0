// The label program's windows at scale, under Wine: 10,000 contacts opened, listed, sorted,
// all ticked, half deleted and saved; then 100,000 CSV lines imported through the import
// window. Prints each step's time and the memory per record.
#include <windows.h>

#include <psapi.h>

#include <filesystem>

#include "bench/labels/BenchData.h"
#include "bench/labels/BenchDialogs.h"
#include "labels/MarrowbyForms.h"
#include "labels/SystemTextLocale.h"
#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/WholeFile.h"

using Clock = std::chrono::steady_clock;

namespace {

void Choose(TLabelComboBox& list, const std::wstring& name) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.ItemText(i) == name) list.SetSelectedIndex(i);
}

}  // namespace

int wmain() {
  StartMarrowbyBench();
  AutoDialogs dialogs;
  InstallDialogs(&dialogs);

  const std::filesystem::path folder = BenchFolder(L"marrowby-bench");
  const std::wstring dir = folder.wstring() + L"\\";
  ReplaceFileContents(dir + L"ContactList.cds", EncodeTable(ContactSchema(), MakeContacts(10000)));
  const double memoryAtStart = CommittedMegabytes();

  {
    SystemTextLocale locale;
    RecordStore store(locale);
    FolderTableStorage storage(dir);
    const auto t = Clock::now();
    store.Open(storage);
    Report("open 10,000 contacts (read, check, surname order)", t);
  }

  auto forms = std::make_unique<MarrowbyForms>();
  auto t = Clock::now();
  forms->Create(dir);
  forms->frmMain.Show();
  Report("create the windows, open the tables, show the rows", t);
  TfrmMain& main = forms->frmMain;

  t = Clock::now();
  main.RebuildRows();
  Report("rebuild 10,000 rows", t);
  const double memoryLoaded = CommittedMegabytes();

  t = Clock::now();
  main.mnuOrderByNumberClick();
  Report("order by number (with the rows)", t);
  t = Clock::now();
  main.mnuOrderBySurnameClick();
  Report("order by surname (with the rows)", t);

  t = Clock::now();
  main.btnSelectClick();
  Report("Select All", t);
  main.btnSelectClick();
  for (int row = 0; row < main.lstRecords.Count(); row += 2) main.lstRecords.SetTicked(row, true);
  t = Clock::now();
  main.btnDeleteClick();
  Report("delete 5,000 ticked contacts (with the rows)", t);
  std::printf("  rows left: %d\n", main.lstRecords.Count());

  t = Clock::now();
  main.SaveTables();
  Report("save the changed table at exit", t);

  // The import window, driven as a user would.
  const std::wstring csv = dir + L"contacts-100k.csv";
  ReplaceFileContents(csv, MakeContactsCsv(100000));
  dialogs.nextFile = csv;
  Form::SetModalHandler([](Form& f) {
    auto& import = dynamic_cast<TfrmImport&>(f);
    import.btnOpenFile.Click();
    const wchar_t* names[] = {L"Title", L"Name",     L"Surname", L"Street",
                              L"City",  L"Postcode", L"Country"};
    for (int i = 0; i < 7; ++i) Choose(*import.columnLists[static_cast<std::size_t>(i)], names[i]);
    const auto start = Clock::now();
    import.btnImport.Click();
    Report("  of which the import itself", start);
  });
  t = Clock::now();
  main.btnImportClick();
  Report("import 100,000 CSV lines (window, rows rebuilt)", t);
  std::printf("  rows: %d\n", main.lstRecords.Count());
  const double memoryImported = CommittedMegabytes();

  std::printf(
      "committed memory: %.1f MB at start, %.1f MB with 10,000 contacts listed, "
      "%.1f MB with %d\n",
      memoryAtStart, memoryLoaded, memoryImported, main.lstRecords.Count());
  std::printf(
      "  about %.0f bytes per contact for the first 10,000, %.0f for the 100,000 imported\n",
      (memoryLoaded - memoryAtStart) * 1024 * 1024 / 10000,
      (memoryImported - memoryLoaded) * 1024 * 1024 / 100000);

  t = Clock::now();
  main.Close();
  Application::Get().DestroyForms();
  Report("end of the program (settings, 105,000 contacts saved)", t);
  Form::SetModalHandler(nullptr);
  forms.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
