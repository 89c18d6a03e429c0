#pragma once
// Reading a file whole, and replacing a file's content so that a crash or a full disk
// during the write leaves the previous file as it was.
#include <optional>
#include <string>
#include <string_view>

// The file's bytes; nullopt when there is no such file (or folder). Throws EError naming the
// file when it exists but cannot be read.
std::optional<std::string> ReadFileIfExists(const std::wstring& path);
// The same, but a missing file is an error too.
std::string ReadWholeFile(const std::wstring& path);

// Writes the bytes to a new temporary file in the same folder, flushes it to the disk and
// moves it over the old file in one step. Throws EError naming the file on any failure,
// after removing the temporary file; the old file is then untouched.
void ReplaceFileContents(const std::wstring& path, std::string_view bytes);
