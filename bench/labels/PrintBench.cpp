// The print window at scale, under Wine: 10,000 ticked contacts previewed on L7159_Address
// (417 pages) until the first page and the thumbnails are painted, the label type changed
// (every page rebuilt), the memory the pages take, and 1,000 of them (42 pages) printed with
// "Print All" until EndDoc. Run it with the test printer, then collect the job:
//   tools/print-server.sh start && eval "$(tools/print-server.sh env)"
//   tools/wine-run build/mingw/bench/labels/labels_print_bench.exe
//   tools/print-output.sh wait 60
#include <windows.h>

#include <psapi.h>

#include <filesystem>
#include <functional>

#include "bench/labels/BenchData.h"
#include "bench/labels/BenchDialogs.h"
#include "labels/MarrowbyForms.h"
#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/WholeFile.h"

using Clock = std::chrono::steady_clock;

namespace {

// Shows every message on the console and answers it; no other dialog is expected.
// What the user waits for before the window is usable: the messages the build left behind
// (maximizing, sizing) handled, then every pending paint of the window and its children,
// which draws the preview's first page and the thumbnails in view.
void ShowFully(TfrmPrint& print) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  RedrawWindow(print.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Rebuilds the pages with "Apply" and tells where the time went: the label sheet component's
// layout, the window's drawing of each label's content, the paint afterwards.
void ProfileRebuild(TfrmPrint& print) {
  TVpMarrowby& sheet = print.vpMarrowby;
  const TVpMarrowby::DrawLabelEvent draw = sheet.OnDrawLabel;
  double inLabels = 0;
  sheet.OnDrawLabel = [&](TVpMarrowby& m, int n, TVpValueRect& r, TVpCanvas& c) {
    const auto from = Clock::now();
    draw(m, n, r, c);
    inLabels += Milliseconds(from, Clock::now());
  };
  const auto start = Clock::now();
  print.btnApplyClick();
  const auto built = Clock::now();
  ShowFully(print);
  const auto shown = Clock::now();
  sheet.OnDrawLabel = draw;
  std::printf(
      "  of which: %.0f ms drawing the labels' content, %.0f ms the rest of the build, "
      "%.0f ms painting\n",
      inLabels, Milliseconds(start, built) - inLabels, Milliseconds(built, shown));
}

// Opens the print window with "Preview" and runs step while it is shown; then closes it as the
// user does.
void WithPrintWindow(TfrmMain& main, TfrmPrint& print, const std::function<void()>& step) {
  Form::SetModalHandler([&](Form&) {
    step();
    print.Close();
  });
  main.btnPreviewClick();
  Form::SetModalHandler(nullptr);
}

}  // namespace

int wmain() {
  StartMarrowbyBench();
  AutoDialogs dialogs;
  InstallDialogs(&dialogs);

  const std::filesystem::path folder = BenchFolder(L"marrowby-print-bench");
  const std::wstring dir = folder.wstring() + L"\\";
  ReplaceFileContents(dir + L"ContactList.cds", EncodeTable(ContactSchema(), MakeContacts(10000)));

  auto forms = std::make_unique<MarrowbyForms>();
  forms->Create(dir);
  TfrmMain& main = forms->frmMain;
  TfrmPrint& print = forms->frmPrint;
  main.Show();
  main.btnSelectClick();  // all 10,000 ticked
  const double memoryBefore = CommittedMegabytes();
  double memoryShown = 0;
  int pagesShown = 0, pagesRebuilt = 0;

  auto t = Clock::now();
  WithPrintWindow(main, print, [&] {
    ShowFully(print);
    Report("Preview of 10,000 labels: first page, thumbnails", t);
    pagesShown = print.Preview().PageCount();
    memoryShown = CommittedMegabytes();

    print.cmbLabelType.SetSelectedIndex(1);  // L7160_Address, 21 a sheet
    t = Clock::now();
    print.cmbLabelTypeChange();
    ShowFully(print);
    Report("another label type: 10,000 labels again", t);
    pagesRebuilt = print.Preview().PageCount();
    ProfileRebuild(print);
    // The next preview starts on the default sheet again.
    print.cmbLabelType.SetSelectedIndex(0);
  });
  std::printf("  pages: %d on L7159_Address, %d on L7160_Address\n", pagesShown, pagesRebuilt);
  std::printf("committed memory: %.1f MB before the preview, %.1f MB with it shown\n", memoryBefore,
              memoryShown);
  std::printf("  about %.0f bytes per label\n", (memoryShown - memoryBefore) * 1024 * 1024 / 10000);
  std::printf("  %.1f MB after the window closed\n", CommittedMegabytes());

  main.btnSelectClick();  // none ticked
  for (int row = 0; row < 1000; ++row) main.lstRecords.SetTicked(row, true);
  WithPrintWindow(main, print, [&] {
    ShowFully(print);
    std::printf("%d pages to print\n", print.Preview().PageCount());
    std::vector<Clock::time_point> pagesDrawn;
    print.Preview().OnPrintProgress = [&](TVpPreview&, int, int) {
      pagesDrawn.push_back(Clock::now());
    };
    t = Clock::now();
    print.btnPrintAll.Click();
    const auto end = Clock::now();
    Report("Print All of 1,000 labels, until EndDoc", t);
    print.Preview().OnPrintProgress = nullptr;
    if (pagesDrawn.size() > 1) {
      std::printf(
          "  of which: %.0f ms the job's start and page 1, %.0f ms a page after it, "
          "%.0f ms EndDoc\n",
          Milliseconds(t, pagesDrawn.front()),
          Milliseconds(pagesDrawn.front(), pagesDrawn.back()) /
              static_cast<double>(pagesDrawn.size() - 1),
          Milliseconds(pagesDrawn.back(), end));
    }
  });

  main.Close();
  Application::Get().DestroyForms();
  forms.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
