#pragma once
// What the window benchmarks share: the program's set-up, a scratch folder, dialogs that
// answer by themselves and the process's committed memory.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Application.h"
#include "platform/Dialogs.h"

// Answers every question with yes and every file dialog with nextFile (none when empty);
// every message is printed.
class AutoDialogs final : public Dialogs {
 public:
  std::wstring nextFile;
  DialogAnswer ShowBox(DialogKind, DialogButtons buttons, const std::wstring&,
                       const std::wstring& text) override {
    std::printf("  (message: %ls)\n", text.c_str());
    return buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Yes;
  }
  std::optional<FileDialogResult> PickFile(DialogKind, const FileDialogRequest&) override {
    if (nextFile.empty()) return std::nullopt;
    return FileDialogResult{nextFile, 1};
  }
  std::optional<unsigned> PickColor(unsigned) override { return std::nullopt; }
  std::optional<FontChoice> PickFont(const FontRequest&) override { return std::nullopt; }
  std::optional<PrintChoice> PickPrint(const PrintRequest&) override { return std::nullopt; }
  std::optional<std::wstring> InputBox(const std::wstring&, const std::wstring&,
                                       const std::wstring&) override {
    return std::nullopt;
  }
};

// Committed memory (Wine reports no private usage, but the page-file figure is the same).
inline double CommittedMegabytes() {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return static_cast<double>(pmc.PagefileUsage) / (1024.0 * 1024.0);
}

// The common controls and the program's title, as Marrowby sets them up.
inline void StartMarrowbyBench() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Application::Get().SetTitle(L"Marrowby");
}

// A fresh folder under the temporary folder, named for the benchmark and the process.
inline std::filesystem::path BenchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder =
      std::filesystem::path(temp) / (name + L"-" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  return folder;
}
