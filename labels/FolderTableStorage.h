#pragma once
// Table files in one folder (the program's), replaced whole when saved.
#include "labels/records/TableStorage.h"

class FolderTableStorage final : public TableStorage {
 public:
  explicit FolderTableStorage(std::wstring folder) : folder_(std::move(folder)) {}
  std::optional<std::string> Load(const std::string& fileName) override;
  void Save(const std::string& fileName, const std::string& bytes) override;
  std::string Describe(const std::string& fileName) const override;

 private:
  std::wstring PathOf(const std::string& fileName) const;
  std::wstring folder_;
};
