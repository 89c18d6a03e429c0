#include "writer/FileStreams.h"

#include <algorithm>
#include <utility>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/SystemErrorText.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::wstring& path) {
  const DWORD error = GetLastError();
  throw EError(std::string(what) + " \"" + Utf8FromWide(path) + "\": " + SystemErrorText(error));
}

constexpr std::size_t kLargestTransfer = 1u << 24;

}  // namespace

FileSource::FileSource(const std::wstring& path)
    : path_(path),
      file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
  if (file_ == INVALID_HANDLE_VALUE) Fail("Could not read", path_);
}

FileSource::~FileSource() { CloseHandle(file_); }

std::size_t FileSource::read(char* buffer, std::size_t size) {
  DWORD got = 0;
  if (!ReadFile(file_, buffer, static_cast<DWORD>(std::min(size, kLargestTransfer)), &got, nullptr))
    Fail("Could not read", path_);
  return got;
}

void FileSource::restart() {
  if (!SetFilePointerEx(file_, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) Fail("Could not read", path_);
}

FileSink::FileSink(const std::wstring& path)
    : path_(path),
      file_(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (file_ == INVALID_HANDLE_VALUE) Fail("Could not write", path_);
}

FileSink::~FileSink() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void FileSink::write(const char* data, std::size_t size) {
  while (size > 0) {
    const auto piece = static_cast<DWORD>(std::min(size, kLargestTransfer));
    DWORD written = 0;
    if (!WriteFile(file_, data, piece, &written, nullptr)) Fail("Could not write", path_);
    if (written != piece) {
      SetLastError(ERROR_DISK_FULL);
      Fail("Could not write", path_);
    }
    data += piece;
    size -= piece;
  }
}

void FileSink::close() {
  if (file_ == INVALID_HANDLE_VALUE) return;
  if (!CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE))) Fail("Could not write", path_);
}
