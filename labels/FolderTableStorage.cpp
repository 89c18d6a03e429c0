#include "labels/FolderTableStorage.h"

#include <string_view>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"

namespace {

// The platform's texts name the file; the record store names it itself, so keep the reason.
std::string Reason(const std::exception& e, const std::wstring& path) {
  std::string text = e.what();
  const std::string named = "\"" + Utf8FromWide(path) + "\": ";
  const std::size_t at = text.find(named);
  return at == std::string::npos ? text : text.substr(at + named.size());
}

}  // namespace

std::wstring FolderTableStorage::PathOf(const std::string& fileName) const {
  return folder_ + WideFromBytes(fileName);
}

std::optional<std::string> FolderTableStorage::Load(const std::string& fileName) {
  const std::wstring path = PathOf(fileName);
  try {
    return ReadFileIfExists(path);
  } catch (const std::exception& e) {
    throw EError(Reason(e, path));
  }
}

void FolderTableStorage::Save(const std::string& fileName, const std::string& bytes) {
  const std::wstring path = PathOf(fileName);
  try {
    ReplaceFileContents(path, bytes);
  } catch (const std::exception& e) {
    throw EError(Reason(e, path));
  }
}

std::string FolderTableStorage::Describe(const std::string& fileName) const {
  return Utf8FromWide(PathOf(fileName));
}
