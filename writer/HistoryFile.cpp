#include "writer/HistoryFile.h"

#include <windows.h>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"
#include "writer/DocumentHistory.h"

namespace writer {

std::optional<std::vector<std::wstring>> ReadHistoryFile(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if ((static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) >
      kLargestHistoryFile)
    return std::nullopt;
  std::optional<std::string> bytes;
  try {
    bytes = ReadFileIfExists(path);
  } catch (const EError&) {
    return std::nullopt;
  }
  if (!bytes) return std::nullopt;
  HistoryLines read = ReadHistoryLines(*bytes);
  bytes.reset();
  if (read.Unusable()) return std::nullopt;
  std::vector<std::wstring> entries;
  entries.reserve(read.lines.size());
  for (const std::string& line : read.lines) entries.push_back(WideFromBytes(line));
  return entries;
}

void WriteHistoryFile(const std::wstring& path, const std::vector<std::wstring>& entries) {
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (const std::wstring& entry : entries) lines.push_back(BytesFromWide(entry));
  ReplaceFileContents(path, HistoryFileBytes(lines));
}

}  // namespace writer
