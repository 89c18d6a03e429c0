#include "platform/WholeFile.h"

#include <windows.h>

#include <utility>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/PathText.h"
#include "platform/SystemErrorText.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool Close() {
    if (!Valid()) return true;
    return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE h_;
};

[[noreturn]] void Fail(const char* what, const std::wstring& path, DWORD error) {
  throw EError(std::string(what) + " \"" + Utf8FromWide(path) + "\": " + SystemErrorText(error));
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<std::string> Read(const std::wstring& path, bool missingIsError) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) {
    const DWORD error = GetLastError();
    if (IsMissing(error) && !missingIsError) return std::nullopt;
    Fail("Could not read", path, error);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) Fail("Could not read", path, GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) > 0x7FFFFFFFull)
    throw EError("The file \"" + Utf8FromWide(path) + "\" is too large to read");
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                  nullptr))
      Fail("Could not read", path, GetLastError());
    if (got == 0) break;  // the file shrank while we read it
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

std::wstring TemporaryNameBeside(const std::wstring& path) {
  return path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64()) + L".tmp";
}

}  // namespace

std::optional<std::string> ReadFileIfExists(const std::wstring& path) { return Read(path, false); }

std::string ReadWholeFile(const std::wstring& path) { return *Read(path, true); }

void ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  // Windows refuses to move a file over a read-only one; Wine does not, so ask first.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    Fail("Could not write", path, ERROR_ACCESS_DENIED);
  const std::wstring temporary = TemporaryNameBeside(path);
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) Fail("Could not write", path, GetLastError());
  DWORD error = ERROR_SUCCESS;
  std::size_t done = 0;
  while (error == ERROR_SUCCESS && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written != chunk)
      error = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
    done += written;
  }
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!file.Close() && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), path.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temporary.c_str());
    Fail("Could not write", path, error);
  }
}
