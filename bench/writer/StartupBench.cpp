// Figures for starting Tessary (aim: under 0.5 s each): from starting the process until its
// main window is visible, has the caption that names the document and answers a message,
// with no document, the 160 KB sample and a generated 1 MB document as the argument. The
// first paint itself cannot be seen from another process; a window that answers has
// handled the paint queued by its showing. Run it under Wine with a warm prefix:
//   tools/wine-run build/mingw/bench/writer/writer_startup_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/writer/GeneratedRtf.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const std::wstring kCaption = L"Ombrel Tessary Express";

// The visible top-level window of the process with this caption; FindWindowEx compares the
// caption the window manager holds, so a busy program does not hold the search up.
HWND FindShown(DWORD pid, const std::wstring& caption) {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, caption.c_str()));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

struct Start {
  double visible = 0;    // seconds until the window with the caption is visible
  double answering = 0;  // until it then answers a message
};

double Since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

Start StartOnce(const fs::path& exe, const fs::path& document) {
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  if (!document.empty()) command += L" \"" + document.wstring() + L"\"";
  const std::wstring caption =
      document.empty() ? kCaption : kCaption + L" >>  [" + document.wstring() + L"]";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const auto t0 = Clock::now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().c_str(), &si, &pi)) {
    std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
    std::exit(1);
  }
  Start result;
  HWND found = nullptr;
  while (!(found = FindShown(pi.dwProcessId, caption)) && Since(t0) < 30) Sleep(1);
  result.visible = Since(t0);
  DWORD_PTR ignored = 0;
  if (found) SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
  result.answering = Since(t0);
  if (found) PostMessageW(found, WM_CLOSE, 0, 0);
  if (!found || WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "the window did not appear or the program did not end\n");
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path folder =
      fs::temp_directory_path() / (L"tessary-startup-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(folder);
  const fs::path exe = folder / L"Tessary.exe";
  fs::copy_file(TESSARY_EXE, exe);
  // A program that ran before: a first run stops at "File not Found!" for its history.
  std::ofstream(folder / L"WrdFileList.dat", std::ios::binary);
  const fs::path sample = folder / L"lo-long-document.rtf";
  fs::copy_file(fs::path(TEST_DATA_DIR) / "rtf" / "lo-long-document.rtf", sample);
  const fs::path generated = folder / L"generated.rtf";
  std::ofstream(generated, std::ios::binary) << GeneratedRtf(1024 * 1024);

  StartOnce(exe, {});  // warms the prefix and the file cache
  struct Case {
    const char* name;
    fs::path document;
  };
  const Case cases[] = {
      {"no document", {}}, {"160 KB sample", sample}, {"1 MB generated", generated}};
  std::printf(
      "Tessary start until the main window shows and answers (%d runs, median/max s; "
      "aim < 0.5 s):\n",
      runs);
  for (const Case& c : cases) {
    std::vector<double> visible, answering;
    for (int i = 0; i < runs; ++i) {
      const Start s = StartOnce(exe, c.document);
      visible.push_back(s.visible);
      answering.push_back(s.answering);
    }
    std::printf("  %-15s visible %.3f / %.3f   answering %.3f / %.3f\n", c.name, Median(visible),
                *std::max_element(visible.begin(), visible.end()), Median(answering),
                *std::max_element(answering.begin(), answering.end()));
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
