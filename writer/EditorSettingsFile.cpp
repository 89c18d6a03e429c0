#include "writer/EditorSettingsFile.h"

#include <windows.h>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/PrivateProfile.h"
#include "platform/SystemErrorText.h"
#include "platform/WholeFile.h"

namespace writer {
namespace {

// The ini file's text is the system code page's, as the settings hold it.
class ProfileStore final : public SettingsStore {
 public:
  explicit ProfileStore(const std::wstring& path) : profile_(path) {}
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& defaultValue) override {
    return BytesFromWide(profile_.ReadString(WideFromBytes(section), WideFromBytes(key),
                                             WideFromBytes(defaultValue)));
  }
  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    profile_.WriteString(WideFromBytes(section), WideFromBytes(key), WideFromBytes(value));
  }

 private:
  PrivateProfile profile_;
};

// Far more than the program ever writes: a larger file is not its settings.
constexpr unsigned long long kLargestSettingsFile = 1ull << 20;

// Whether the file may be handed to the profile functions: text of a settings file's size.
enum class FileState { Missing, Unreadable, Damaged, Usable };

FileState StateOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileState::Missing
                                                                          : FileState::Unreadable;
  }
  if ((static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) >
      kLargestSettingsFile)
    return FileState::Damaged;
  try {
    const std::optional<std::string> bytes = ReadFileIfExists(path);
    if (!bytes) return FileState::Missing;
    return IsDamagedSettingsText(*bytes) ? FileState::Damaged : FileState::Usable;
  } catch (const EError&) {
    return FileState::Unreadable;
  }
}

[[noreturn]] void Fail(const std::wstring& path, DWORD error) {
  throw EError("Could not write the settings to \"" + Utf8FromWide(path) +
               "\": " + SystemErrorText(error));
}

// The profile functions keep no handle open; the copy reaches the disk before it is moved.
DWORD FlushToDisk(const std::wstring& path) {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  const DWORD error = FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
  CloseHandle(file);
  return error;
}

}  // namespace

EditorSettings ReadEditorSettingsFile(const std::wstring& path) {
  if (StateOf(path) != FileState::Usable) return EditorSettings{};
  ProfileStore store(path);
  return ReadEditorSettings(store);
}

void WriteEditorSettingsFile(const std::wstring& path, const EditorSettings& settings) {
  // Windows refuses to move a file over a read-only one; Wine does not, so ask first.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    Fail(path, ERROR_ACCESS_DENIED);
  const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount64()) + L".tmp";
  // The copy starts as the old file, so its other sections and keys stay; a damaged file is
  // not handed to the profile functions to rewrite.
  switch (StateOf(path)) {
    case FileState::Missing:
    case FileState::Damaged: break;
    case FileState::Unreadable: Fail(path, ERROR_READ_FAULT);
    case FileState::Usable:
      if (!CopyFileW(path.c_str(), temporary.c_str(), TRUE)) Fail(path, GetLastError());
      break;
  }
  DWORD error = ERROR_SUCCESS;
  try {
    ProfileStore store(temporary);
    WriteEditorSettings(settings, store);
    error = FlushToDisk(temporary);
  } catch (...) {
    DeleteFileW(temporary.c_str());
    throw;
  }
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), path.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temporary.c_str());
    Fail(path, error);
  }
}

}  // namespace writer
