// Figures for formatting in Tessary's real main window under Wine, with a 1 MB document open:
// a typed character painted with the side panel's refresh, the count and the caret position
// (aim < 5 ms); Replace All of 10,000 hits (aim < 1 s); a zoom step repainted (aim < 50 ms);
// Bold on the whole document selected (aim < 100 ms). Run it under Wine:
//   tools/wine-run build/mingw/bench/writer/writer_formatting_bench.exe
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/writer/GeneratedRtf.h"
#include "platform/Application.h"
#include "writer/Main.h"
#include "writer/WordCount.h"

using Clock = std::chrono::steady_clock;
using namespace writer;

namespace {

double MillisecondsSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void Load(HWND editor, const std::string& rtf) {
  SETTEXTEX how{ST_DEFAULT, CP_ACP};
  SendMessageW(editor, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
               reinterpret_cast<LPARAM>(rtf.c_str()));
  SendMessageW(editor, EM_SETSEL, 0, 0);
}

// Paragraphs of about 100 characters, each with one "needle": about 1 MB for 10,000 hits.
std::string NeedleRtf(int hits) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 ";
  for (int i = 0; i < hits; ++i)
    rtf += "Some words before the needle and quite a few after it, to fill the line up " +
           std::to_string(i) + ".\\par\n";
  return rtf + "}";
}

void Settle(HWND editor) {
  UpdateWindow(editor);
  Application::Get().ProcessMessages();
}

// The thread's processor time: on a machine shared with other work the wall clock also counts
// the waits for a processor.
double CpuMilliseconds() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto ticks = [](FILETIME t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Wall-clock times of the runs, and the processor time they took together since cpuStart.
void Print(const char* name, std::vector<double> ms, double aim, double cpuStart) {
  const double cpuPerRun = (CpuMilliseconds() - cpuStart) / static_cast<double>(ms.size());
  std::sort(ms.begin(), ms.end());
  std::printf("%-40s median %8.2f ms  max %8.2f ms  processor %8.2f ms  (aim < %g ms)\n", name,
              ms[ms.size() / 2], ms.back(), cpuPerRun, aim);
}

}  // namespace

int wmain() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  InstallControlErrorHandler();
  TFrmMain form;
  form.SetArguments({});
  form.Create();
  form.Show();
  Application::Get().ProcessMessages();
  HWND editor = form.Editor.Handle();

  Load(editor, GeneratedRtf(1024 * 1024));
  Settle(editor);
  std::printf("1 MB document: %d characters\n", GetWindowTextLengthW(editor));

  // Typing in the middle: the character, the notifications and their refresh, and the paint.
  form.Editor.SetFocus();
  const LONG middle = GetWindowTextLengthW(editor) / 2;
  SendMessageW(editor, EM_SETSEL, middle, middle);
  Settle(editor);
  const auto typeSome = [&] {
    std::vector<double> typed;
    for (int i = 0; i < 200; ++i) {
      const auto t0 = Clock::now();
      SendMessageW(editor, WM_CHAR, static_cast<WPARAM>('a' + i % 26), 1);
      UpdateWindow(editor);
      typed.push_back(MillisecondsSince(t0));
    }
    return typed;
  };
  double cpu = CpuMilliseconds();
  std::vector<double> typed = typeSome();
  Print("typed character, refreshed and painted", typed, 5, cpu);
  // The control on its own, for comparison: no notifications reach the window.
  const LRESULT events = SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
  cpu = CpuMilliseconds();
  typed = typeSome();
  Print("typed character, the control alone", typed, 5, cpu);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);
  {
    // What the pause after typing costs once: the whole count.
    const double cpuStart = CpuMilliseconds();
    const auto t0 = Clock::now();
    const std::wstring text = form.Editor.Text();
    CountWords({reinterpret_cast<const char16_t*>(text.data()), text.size()});
    Print("word count after typing pauses (once)", {MillisecondsSince(t0)}, 1000, cpuStart);
  }

  double cpuStart = CpuMilliseconds();
  std::vector<double> zoom;
  for (int position : {110, 120, 130, 150, 200, 100, 90, 70, 50, 100}) {
    form.ZoomBar.SetPosition(position);
    const auto t0 = Clock::now();
    SendMessageW(form.pnlSide.Handle(), WM_HSCROLL, TB_THUMBPOSITION,
                 reinterpret_cast<LPARAM>(form.ZoomBar.Handle()));
    UpdateWindow(editor);
    zoom.push_back(MillisecondsSince(t0));
  }
  Print("zoom step repainted", zoom, 50, cpuStart);
  zoom.clear();
  cpuStart = CpuMilliseconds();
  for (int numerator : {11, 12, 13, 15, 20, 10, 9, 7, 5, 10}) {
    const auto t0 = Clock::now();
    SendMessageW(editor, EM_SETZOOM, static_cast<WPARAM>(numerator), 10);
    UpdateWindow(editor);
    zoom.push_back(MillisecondsSince(t0));
  }
  Print("zoom step, the control alone", zoom, 50, cpuStart);

  std::vector<double> bold;
  double boldCpu = 0;  // the commands' own processor time, without the selecting between them
  for (int i = 0; i < 4; ++i) {
    form.Editor.Select(0, -1);
    Settle(editor);
    const double cpu0 = CpuMilliseconds();
    const auto t0 = Clock::now();
    form.RunCommand(cmdBold);
    UpdateWindow(editor);
    bold.push_back(MillisecondsSince(t0));
    boldCpu += CpuMilliseconds() - cpu0;
  }
  Print("Bold on the whole 1 MB selection", bold, 100, CpuMilliseconds() - boldCpu);

  Load(editor, NeedleRtf(10000));
  Settle(editor);
  form.Search().OpenReplace();
  HWND dialog = form.Search().ReplaceDialog();
  SetDlgItemTextW(dialog, 0x480, L"needle");
  SetDlgItemTextW(dialog, 0x481, L"thread");
  cpuStart = CpuMilliseconds();
  const auto t0 = Clock::now();
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(0x401, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 0x401)));
  UpdateWindow(editor);
  Print("Replace All, 10,000 hits in 1 MB", {MillisecondsSince(t0)}, 1000, cpuStart);
  const std::wstring text = form.Editor.Text();
  std::printf("  hits left: %zu\n", text.find(L"needle") == std::wstring::npos ? 0u : 1u);
  DestroyWindow(dialog);
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  form.Documents().SetModifiedState(false);
  return 0;
}
