#pragma once
// Starting a real program from a benchmark: the time until its main window shows and until it
// then answers a message, after which the window is closed and the process waited for.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The visible top-level window of the process with this caption; FindWindowEx compares the
// caption the window manager holds, so a busy program does not hold the search up.
inline HWND FindShown(DWORD pid, const std::wstring& caption) {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, caption.c_str()));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

struct ProgramStart {
  double visible = 0;    // milliseconds until the window with the caption is visible
  double answering = 0;  // until it then answers a message
};

// Runs exe in its own folder with the command-line arguments and waits for the window with
// the caption; a program that cannot be started ends the benchmark.
inline ProgramStart StartProgram(const std::filesystem::path& exe, const std::wstring& arguments,
                                 const std::wstring& caption) {
  using Clock = std::chrono::steady_clock;
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const auto t0 = Clock::now();
  const auto ms = [t0] {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  };
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().c_str(), &si, &pi)) {
    std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
    std::exit(1);
  }
  ProgramStart result;
  HWND found = nullptr;
  while (!(found = FindShown(pi.dwProcessId, caption)) && ms() < 30000) Sleep(1);
  result.visible = ms();
  DWORD_PTR ignored = 0;
  if (found) SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
  result.answering = ms();
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

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
