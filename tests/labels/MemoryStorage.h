#pragma once
// Table files kept in memory, with a count of writes per file and failures on demand.
#include <map>
#include <set>
#include <string>

#include "labels/records/TableStorage.h"
#include "platform/Error.h"

class MemoryStorage final : public TableStorage {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, int> saves;
  std::set<std::string> unreadable;
  std::set<std::string> unwritable;

  std::optional<std::string> Load(const std::string& name) override {
    if (unreadable.count(name)) throw EError("Access is denied");
    const auto f = files.find(name);
    if (f == files.end()) return std::nullopt;
    return f->second;
  }
  void Save(const std::string& name, const std::string& bytes) override {
    if (unwritable.count(name)) throw EError("The disk is full");
    files[name] = bytes;
    ++saves[name];
  }
  std::string Describe(const std::string& name) const override { return "C:\\Labels\\" + name; }
};
