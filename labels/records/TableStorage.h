#pragma once
// Where the record store keeps its files: the program's folder on Windows, memory in tests.
#include <optional>
#include <string>

class TableStorage {
 public:
  virtual ~TableStorage() = default;
  // The file's bytes; nullopt when there is no such file. Throws EError when the file is
  // there but cannot be read.
  virtual std::optional<std::string> Load(const std::string& fileName) = 0;
  // Replaces the file's content in one step: on failure (EError) the old file is intact.
  virtual void Save(const std::string& fileName, const std::string& bytes) = 0;
  // The file as the user should read it in a message (its full path), in UTF-8.
  virtual std::string Describe(const std::string& fileName) const = 0;
};
