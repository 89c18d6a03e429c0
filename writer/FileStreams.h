#pragma once
// Files as the block streams of compressed rich text: read from the start again on request,
// or written from scratch. Failures throw EError naming the file.
#include <windows.h>

#include <string>

#include "writer/CompressedRichText.h"

class FileSource final : public RestartableSource {
 public:
  explicit FileSource(const std::wstring& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::size_t read(char* buffer, std::size_t size) override;
  void restart() override;

 private:
  std::wstring path_;
  HANDLE file_;
};

// Creates the file, replacing any old one.
class FileSink final : public BlockSink {
 public:
  explicit FileSink(const std::wstring& path);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  void write(const char* data, std::size_t size) override;
  void close();

 private:
  std::wstring path_;
  HANDLE file_;
};

// Deletes the file when it goes out of scope, whatever happened meanwhile.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
  ~TemporaryFile() { DeleteFileW(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};
