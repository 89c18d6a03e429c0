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

// Root may write into any folder whatever its mode, and making a folder immutable needs a
// capability most machines lack. What works everywhere: the program folder moves aside and a
// plain file takes its name, so nothing can be written there until it moves back.
bool MarrowbyFixture::LockFolder(bool locked) {
  const fs::path aside = folder_.wstring() + L".aside";
  if (locked) {
    if (!MoveFileW(folder_.c_str(), aside.c_str())) return false;
    HANDLE h = CreateFileW(folder_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
  } else {
    if (!DeleteFileW(folder_.c_str()) || !MoveFileW(aside.c_str(), folder_.c_str())) return false;
  }
  locked_ = locked;
  return true;
}
