#pragma once
// Runs Marrowby's windows inside a test as the program does, in a fresh folder of its own:
// create the forms, show the main window, and end as the program ends (close, destroy,
// tables written). Dialogs and modal forms are scripted.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "labels/MarrowbyForms.h"
#include "tests/support/ScriptedDialogs.h"

class MarrowbyFixture : public testing::Test {
 protected:
  MarrowbyFixture();
  ~MarrowbyFixture() override;

  // Creates the forms (opening the tables) and shows and activates the main window.
  void Start();
  // Closes the main window and destroys the forms, as the end of the program does.
  void Stop();
  void Restart() {
    Stop();
    Start();
  }

  TfrmMain& Main() { return forms_->frmMain; }
  MarrowbyForms& Forms() { return *forms_; }
  std::filesystem::path File(const std::string& name) const { return folder_ / name; }
  std::wstring Folder() const;  // with its trailing separator
  std::string Read(const std::string& name) const;
  void Write(const std::string& name, const std::string& bytes) const;
  bool Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

  // Adds a contact through the main window's New command and the contact form.
  void AddContact(const std::wstring& title, const std::wstring& name, const std::wstring& surname);
  void AddGeneral(const std::wstring& field1, const std::wstring& picture = L"");
  std::vector<std::wstring> Rows();
  // Clicks the row's check mark as the mouse does.
  void ClickCheckMark(int row);
  // Makes the program's folder refuse every write (or accept them again), as a folder the
  // user may not write to does; false when that could not be done.
  bool LockFolder(bool locked);

  ScriptedDialogs dialogs;
  ModalScript modals;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<MarrowbyForms> forms_;
  bool locked_ = false;
};
