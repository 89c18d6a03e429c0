#pragma once
// The settings record and its file "Settings.ini" in the program's folder.
#include <string>

#include "labels/records/LabelSettings.h"

class SettingsFile {
 public:
  // The file in this folder (with its trailing separator).
  void SetFolder(const std::wstring& folder);
  const std::wstring& Path() const { return path_; }

  TLabelSettings record;

  // Reads every key into the record (defaults for what is missing).
  void Read();
  // Writes every key from the record; throws EError naming the file.
  void Write() const;

 private:
  std::wstring path_;
};
