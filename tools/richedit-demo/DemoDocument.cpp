#include "tools/richedit-demo/DemoDocument.h"

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Error.h"
#include "platform/WholeFile.h"

namespace demo {
namespace {

struct Reading {
  std::string_view rest;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* reading = reinterpret_cast<Reading*>(cookie);
  const std::size_t n =
      std::min<std::size_t>(reading->rest.size(), static_cast<std::size_t>(wanted));
  std::memcpy(buffer, reading->rest.data(), n);
  reading->rest.remove_prefix(n);
  *given = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
  try {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<std::size_t>(count));
  } catch (...) {
    return 1;  // out of memory: the control stops and the save reports the failure
  }
  *taken = count;
  return 0;
}

bool StartsWith(const std::string& bytes, std::string_view prefix) {
  return bytes.compare(0, prefix.size(), prefix) == 0;
}

// Converts UTF-8 to UTF-16 bytes; false when the bytes are not UTF-8.
bool Utf8AsUtf16(std::string_view utf8, std::string& utf16) {
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);
  utf16.assign(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  return true;
}

}  // namespace

StreamInput PrepareForControl(std::string bytes) {
  if (StartsWith(bytes, "{\\rtf")) return {SF_RTF, std::move(bytes)};
  if (StartsWith(bytes, "\xFF\xFE")) return {SF_TEXT | SF_UNICODE, bytes.substr(2)};
  const std::string_view utf8 =
      StartsWith(bytes, "\xEF\xBB\xBF") ? std::string_view(bytes).substr(3) : bytes;
  std::string utf16;
  if (!utf8.empty() && Utf8AsUtf16(utf8, utf16)) return {SF_TEXT | SF_UNICODE, std::move(utf16)};
  return {SF_TEXT, utf8.size() < bytes.size() ? std::string(utf8) : std::move(bytes)};
}

void LoadIntoControl(HWND edit, const std::wstring& path) {
  const StreamInput input = PrepareForControl(ReadWholeFile(path));
  Reading reading{input.bytes};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reading), 0, ReadChunk};
  SendMessageW(edit, EM_STREAMIN, input.format, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
}

void SaveFromControl(HWND edit, const std::wstring& path) {
  std::string rtf;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0, WriteChunk};
  SendMessageW(edit, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (stream.dwError != 0 || rtf.empty())
    throw EError("There is not enough memory to save the document");
  ReplaceFileContents(path, rtf);
  SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
}

}  // namespace demo
