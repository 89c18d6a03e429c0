#include "tests/e2e/Driver.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/CodePage.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kSendTimeoutMs = 5000;

std::wstring ClassOf(HWND w) {
  wchar_t cls[64] = {};
  GetClassNameW(w, cls, 64);
  return cls;
}

struct TopSearch {
  DWORD pid;
  std::wstring caption;  // empty with dialogsOnly
  bool dialogsOnly;
  HWND found;
};

BOOL CALLBACK MatchTop(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<TopSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
  if (s->dialogsOnly ? ClassOf(w) == L"#32770" : ControlText(w) == s->caption) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

template <typename F>
auto Poll(std::chrono::milliseconds timeout, F probe) -> decltype(probe()) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto r = probe()) return r;
    if (std::chrono::steady_clock::now() > end) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}

struct ChildSearch {
  std::wstring cls;
  std::wstring text;
  int index;  // -1: match by text
  HWND found;
};

BOOL CALLBACK MatchChild(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (!s->cls.empty() && _wcsicmp(ClassOf(w).c_str(), s->cls.c_str()) != 0) return TRUE;
  if (s->index < 0) {
    if (WithoutMnemonic(ControlText(w)) == s->text) {
      s->found = w;
      return FALSE;
    }
    return TRUE;
  }
  if (s->index-- == 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::wstring WithoutMnemonic(const std::wstring& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

ProgramRun::ProgramRun(const fs::path& exe, const std::wstring& arguments, const Files& files)
    : exeName_(exe.filename()) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  folder_ = fs::path(temp) / (L"e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()));
  fs::create_directories(folder_);
  fs::copy_file(exe, folder_ / exeName_);
  for (const auto& [name, bytes] : files)
    std::ofstream(folder_ / name, std::ios::binary | std::ios::trunc) << bytes;
  Start(arguments);
}

void ProgramRun::Start(const std::wstring& arguments) {
  std::wstring command = L"\"" + (folder_ / exeName_).wstring() + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                      &si, &process_))
    throw std::runtime_error("cannot start " + Utf8FromWide(exeName_.wstring()));
  WaitForInputIdle(process_.hProcess, 20000);
}

void ProgramRun::Restart(const std::wstring& arguments) {
  if (Running()) throw std::logic_error("the program is still running");
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  Start(arguments);
}

ProgramRun::~ProgramRun() {
  if (process_.hProcess) {
    if (Running()) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

bool ProgramRun::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ProgramRun::WaitForWindow(const std::wstring& caption,
                               std::chrono::milliseconds timeout) const {
  HWND w = Poll(timeout, [&] {
    TopSearch s{process_.dwProcessId, caption, false, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
  });
  if (!w) throw std::runtime_error("no window \"" + Utf8FromWide(caption) + "\" appeared");
  return w;
}

MessageBoxSeen ProgramRun::WaitForMessageBox(std::chrono::milliseconds timeout) const {
  HWND w = Poll(timeout, [&] {
    TopSearch s{process_.dwProcessId, L"", true, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
  });
  if (!w) throw std::runtime_error("no message box appeared");
  // The message text is the static control with id 0xFFFF.
  return {w, ControlText(w), ControlText(GetDlgItem(w, 0xFFFF))};
}

void ProgramRun::Answer(const MessageBoxSeen& box, const std::wstring& button) const {
  ClickButton(box.window, button);
}

void ProgramRun::ChooseFile(const std::wstring& dialogCaption, const fs::path& path,
                            const std::wstring& button) const {
  HWND dialog = WaitForWindow(dialogCaption);
  HWND name = GetDlgItem(dialog, 0x480);  // the file name box
  if (!name) name = FindChildByIndex(dialog, L"Edit", 0);
  SetControlText(name, path.wstring());
  ClickButton(dialog, button);
  if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
    throw std::runtime_error("the \"" + Utf8FromWide(dialogCaption) + "\" dialog stayed open");
}

DWORD ProgramRun::Close(HWND mainWindow, std::chrono::milliseconds timeout) {
  PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  return WaitForExit(timeout);
}

DWORD ProgramRun::WaitForExit(std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    throw std::runtime_error("the program did not end");
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text) {
  ChildSearch s{windowClass, text, -1, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
  if (!s.found) throw std::runtime_error("no control \"" + Utf8FromWide(text) + "\"");
  return s.found;
}

HWND FindChildByIndex(HWND parent, const std::wstring& windowClass, int index) {
  ChildSearch s{windowClass, L"", index, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
  if (!s.found)
    throw std::runtime_error("no control " + Utf8FromWide(windowClass) + " #" +
                             std::to_string(index));
  return s.found;
}

void ClickButton(HWND parent, const std::wstring& caption) {
  // Posted, not sent: the click may open a modal window that we then have to answer.
  PostMessageW(FindChild(parent, L"", caption), BM_CLICK, 0, 0);
}

void SetControlText(HWND control, const std::wstring& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

std::wstring ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::vector<std::wstring> ListRows(HWND list) {
  std::vector<std::wstring> rows;
  DWORD_PTR count = 0;
  SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
    std::wstring row(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &copied);
    row.resize(copied);
    rows.push_back(row);
  }
  return rows;
}

LRESULT Ask(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ClickRowCheckMark(HWND list, int row) {
  RECT r{};
  Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(6, r.top + 10);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}
