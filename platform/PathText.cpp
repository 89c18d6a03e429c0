#include "platform/PathText.h"

std::wstring FolderOfPath(const std::wstring& path) {
  const auto last = path.find_last_of(L"\\/:");
  return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}
