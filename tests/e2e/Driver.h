#pragma once
// Drives a real program from outside, as a user (or an assistive tool) would: the program
// runs in its own process in a fresh folder; the driver finds its windows and talks to them
// only with window messages.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};

class ProgramRun {
 public:
  // Files placed beside the program before it starts: name and bytes.
  using Files = std::vector<std::pair<std::wstring, std::string>>;
  // Copies the executable into a new empty temporary folder (with the files) and starts it
  // there.
  explicit ProgramRun(const std::filesystem::path& exe, const std::wstring& arguments = L"",
                      const Files& files = {});
  // Starts the program again in the same folder (after it ended).
  void Restart(const std::wstring& arguments = L"");
  ~ProgramRun();  // ends a program still running and removes the folder
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  bool Running() const;

  // A visible top-level window of the program with this caption; throws on timeout.
  HWND WaitForWindow(const std::wstring& caption,
                     std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
  // A message box (a dialog of the standard class) of the program.
  MessageBoxSeen WaitForMessageBox(
      std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
  // Presses a button of a message box by its caption ("OK", "Yes", "No", "Cancel").
  void Answer(const MessageBoxSeen& box, const std::wstring& button) const;
  // Types the path into a common file dialog with this caption, presses its button and waits
  // until the dialog is gone; throws on timeout.
  void ChooseFile(const std::wstring& dialogCaption, const std::filesystem::path& path,
                  const std::wstring& button) const;

  // Asks the main window to close and waits for the process; returns its exit code.
  DWORD Close(HWND mainWindow, std::chrono::milliseconds timeout = std::chrono::seconds(30));
  DWORD WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30));

 private:
  void Start(const std::wstring& arguments);
  std::filesystem::path exeName_;
  std::filesystem::path folder_;
  PROCESS_INFORMATION process_{};
};

// Waits until done() holds, polling; false on timeout.
template <typename F>
bool WaitUntil(F done, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(25);
  }
  return true;
}
// A message to another process's window, given up on after 5 s when that window hangs.
LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
// Clicks the check mark of a row of the label program's list, as the mouse does.
void ClickRowCheckMark(HWND list, int row);

// A whole file's bytes (empty when it cannot be read).
std::string Slurp(const std::filesystem::path& path);

// Control access across processes (all through marshalled window messages).
HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text);
HWND FindChildByIndex(HWND parent, const std::wstring& windowClass, int index);
void ClickButton(HWND parent, const std::wstring& caption);
void SetControlText(HWND control, const std::wstring& text);
std::wstring ControlText(HWND control);
std::vector<std::wstring> ListRows(HWND list);
// Text without the '&' mnemonic markers.
std::wstring WithoutMnemonic(const std::wstring& text);
