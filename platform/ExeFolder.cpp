#include "platform/ExeFolder.h"

#include <windows.h>

#include "platform/PathText.h"

std::wstring ExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return FolderOfPath(path);
    }
    path.resize(path.size() * 2);
  }
}
