#include "tests/labels/MarrowbyFixture.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/Application.h"

namespace fs = std::filesystem;

MarrowbyFixture::MarrowbyFixture() {
  Application::Get().SetTitle(L"Marrowby");
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  folder_ = fs::path(temp) / (L"marrowby-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++serial));
  fs::remove_all(folder_);
  fs::create_directories(folder_);
}

MarrowbyFixture::~MarrowbyFixture() {
  if (forms_) Stop();
  if (locked_) LockFolder(false);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::wstring MarrowbyFixture::Folder() const { return folder_.wstring() + L"\\"; }

void MarrowbyFixture::Start() {
  forms_ = std::make_unique<MarrowbyForms>();
  forms_->Create(Folder());
  forms_->frmMain.Show();
  SendMessageW(forms_->frmMain.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
}

void MarrowbyFixture::Stop() {
  forms_->frmMain.Close();
  Application::Get().DestroyForms();
  forms_.reset();
  // Closing the main window ends the message loop; later tests run without one.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::string MarrowbyFixture::Read(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void MarrowbyFixture::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(File(name), std::ios::binary) << bytes;
}

void MarrowbyFixture::AddContact(const std::wstring& title, const std::wstring& name,
                                 const std::wstring& surname) {
  modals.Then<TfrmAEContact>([&](TfrmAEContact& f) {
    f.edtContactTitle.SetText(title);
    f.edtContactName.SetText(name);
    f.edtContactSurname.SetText(surname);
    f.btnSave.Click();
  });
  Main().btnNewClick();
}

void MarrowbyFixture::AddGeneral(const std::wstring& field1, const std::wstring& picture) {
  modals.Then<TfrmAEGeneral>([&](TfrmAEGeneral& f) {
    f.edtGeneralField1.SetText(field1);
    f.edtImagePath.SetText(picture);
    f.btnSave.Click();
  });
  Main().btnNewClick();
}

std::vector<std::wstring> MarrowbyFixture::Rows() {
  std::vector<std::wstring> rows;
  for (int i = 0; i < Main().lstRecords.Count(); ++i) rows.push_back(Main().lstRecords.ItemText(i));
  return rows;
}

void MarrowbyFixture::ClickCheckMark(int row) {
  HWND list = Main().lstRecords.Handle();
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(6, r.top + 10);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
}

namespace {

bool CanCreateFileIn(const fs::path& folder) {
  const fs::path probe = folder / "probe.lock-test";
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  DeleteFileW(probe.c_str());
  return true;
}

}  // namespace

bool MarrowbyFixture::LockFolder(bool locked) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return false;
  char* unixPath = toUnix(folder_.c_str());
  if (!unixPath) return false;
  std::wstring command = std::wstring(L"/usr/bin/chattr ") + (locked ? L"+i " : L"-i ");
  for (const char* c = unixPath; *c; ++c)
    command += static_cast<wchar_t>(static_cast<unsigned char>(*c));
  HeapFree(GetProcessHeap(), 0, unixPath);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  // A Unix program's handle does not tell when it is done: watch the folder instead.
  for (int i = 0; i < 200; ++i) {
    if (CanCreateFileIn(folder_) != locked) {
      locked_ = locked;
      return true;
    }
    Sleep(25);
  }
  return false;
}
