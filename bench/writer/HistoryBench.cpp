// Figures for a document history of 10,000 entries under Wine:
// - the real Tessary.exe started until its window shows and answers, with an empty history and
//   with 10,000 entries (aim: within 50 ms of each other);
// - in the real main window: the history window opened with its rows painted (aim < 200 ms), a
//   search for a name near the end (aim < 50 ms), a type filter and All Documents again, and the
//   file written when the window is destroyed at the end (aim < 100 ms).
// Run it under Wine with a warm prefix:
//   tools/wine-run build/mingw/bench/writer/writer_history_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/writer/ProgramStart.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "writer/HistoryFile.h"
#include "writer/Main.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace writer;

namespace {

constexpr int kEntries = 10000;
const std::wstring kCaption = L"Ombrel Tessary Express";

double Ms(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Paths as a user collects them: several folders, every kind, names of a few words.
std::string HistoryOf(int entries) {
  const char* kinds[] = {".rtf", ".rtf", ".txt", ".rtc", ".doc", ".rtf", ".html", ".cpp"};
  const char* folders[] = {"Letters", "Reports\\2023", "Notes", "Projects\\Harbour office",
                           "Archive\\Minutes"};
  std::string bytes;
  for (int i = 0; i < entries; ++i)
    bytes += std::string("C:\\Users\\Ada\\Documents\\") + folders[i % 5] + "\\document number " +
             std::to_string(i) + kinds[i % 8] + "\r\n";
  return bytes;
}

// The real program ------------------------------------------------------------------------------

// Milliseconds from starting the process until its window shows and answers.
double StartOnce(const fs::path& exe) { return StartProgram(exe, {}, kCaption).answering; }

void StartupFigures(const fs::path& root, int runs) {
  const fs::path empty = root / L"empty", full = root / L"full";
  for (const fs::path& folder : {empty, full}) {
    fs::create_directories(folder);
    fs::copy_file(TESSARY_EXE, folder / L"Tessary.exe", fs::copy_options::overwrite_existing);
  }
  std::ofstream(empty / L"WrdFileList.dat", std::ios::binary);
  std::ofstream(full / L"WrdFileList.dat", std::ios::binary) << HistoryOf(kEntries);
  StartOnce(empty / L"Tessary.exe");  // warms the prefix and the file cache
  StartOnce(full / L"Tessary.exe");
  std::vector<double> without, with;
  for (int i = 0; i < runs; ++i) {
    without.push_back(StartOnce(empty / L"Tessary.exe"));
    with.push_back(StartOnce(full / L"Tessary.exe"));
  }
  const auto size = fs::file_size(full / L"WrdFileList.dat");
  std::printf("Tessary.exe start until its window answers (%d runs, median / max ms):\n", runs);
  std::printf("  empty history        %7.1f / %7.1f\n", Median(without),
              *std::max_element(without.begin(), without.end()));
  std::printf("  %d entries (%zu KB) %7.1f / %7.1f   difference %+.1f ms (aim < 50)\n", kEntries,
              static_cast<std::size_t>(size / 1024), Median(with),
              *std::max_element(with.begin(), with.end()), Median(with) - Median(without));
}

// The window in this process ---------------------------------------------------------------------

// Answers the search box with a name and every other question with OK.
class BenchDialogs final : public Dialogs {
 public:
  std::wstring search;
  DialogAnswer ShowBox(DialogKind, DialogButtons, const std::wstring&,
                       const std::wstring&) override {
    return DialogAnswer::Ok;
  }
  std::optional<FileDialogResult> PickFile(DialogKind, const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<unsigned> PickColor(unsigned) override { return std::nullopt; }
  std::optional<FontChoice> PickFont(const FontRequest&) override { return std::nullopt; }
  std::optional<PrintChoice> PickPrint(const PrintRequest&) override { return std::nullopt; }
  std::optional<std::wstring> InputBox(const std::wstring&, const std::wstring&,
                                       const std::wstring&) override {
    return search;
  }
};

void Settle(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application::Get().ProcessMessages();
}

void WindowFigures(const fs::path& root, int runs) {
  const fs::path folder = root / L"window";
  fs::create_directories(folder);
  const std::string history = HistoryOf(kEntries);
  BenchDialogs dialogs;
  InstallDialogs(&dialogs);
  std::vector<double> read, createEmpty, create, open, search, filter, all, write;
  for (int run = 0; run < runs; ++run) {
    std::ofstream(folder / L"WrdFileList.dat", std::ios::binary | std::ios::trunc) << history;
    auto t1 = Clock::now();
    if (ReadHistoryFile((folder / L"WrdFileList.dat").wstring())->size() != kEntries) std::exit(1);
    read.push_back(Ms(t1));
    std::ofstream(folder / L"WrdFileList.dat", std::ios::binary | std::ios::trunc);
    auto t0 = Clock::now();
    {
      TFrmMain empty;
      empty.SetDataFolder(folder.wstring() + L"\\");
      empty.Create();
      createEmpty.push_back(Ms(t0));
    }
    std::ofstream(folder / L"WrdFileList.dat", std::ios::binary | std::ios::trunc) << history;
    t0 = Clock::now();
    auto form = std::make_unique<TFrmMain>();
    form->SetDataFolder(folder.wstring() + L"\\");
    form->Create();
    create.push_back(Ms(t0));
    form->Show();
    Application::Get().ProcessMessages();

    THistoryForm& window = form->History();
    const auto previous = Form::SetModalHandler([&](Form& shown) {
      Settle(shown.Handle());
      open.push_back(Ms(t0));
      // A name near the end of the list.
      dialogs.search = L"number " + std::to_wstring(kEntries - 7) + L".";
      t0 = Clock::now();
      window.btnSearchClick();
      Settle(window.ListBox1.Handle());
      search.push_back(Ms(t0));
      t0 = Clock::now();
      window.FilterClick(HistoryFilter::PlainText);
      Settle(window.ListBox1.Handle());
      filter.push_back(Ms(t0));
      t0 = Clock::now();
      window.FilterClick(HistoryFilter::AllDocuments);
      Settle(window.ListBox1.Handle());
      all.push_back(Ms(t0));
      window.btnCloseClick();
    });
    t0 = Clock::now();
    form->RunCommand(cmdHistory);
    Form::SetModalHandler(previous);

    t0 = Clock::now();
    window.Destroy();  // the end of the program: the whole list is written
    write.push_back(Ms(t0));
    form->Destroy();
    form.reset();
  }
  InstallDialogs(nullptr);
  std::printf("The history window with %d entries (%d runs, median / max ms):\n", kEntries, runs);
  const auto line = [](const char* what, const std::vector<double>& v, const char* aim) {
    std::printf("  %-40s %7.1f / %7.1f   %s\n", what, Median(v),
                *std::max_element(v.begin(), v.end()), aim);
  };
  line("the file read on its own", read, "");
  line("main window created, empty history", createEmpty, "");
  line("main window created, history read", create, "");
  line("history window opened and painted", open, "(aim < 200)");
  line("search for a name near the end", search, "(aim < 50)");
  line("filter Plain Text ANSI", filter, "(aim < 50)");
  line("All Documents again", all, "(aim < 50)");
  line("file written when the window ends", write, "(aim < 100)");
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const fs::path root =
      fs::temp_directory_path() / (L"tessary-history-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(root);
  StartupFigures(root, runs);
  WindowFigures(root, runs);
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
