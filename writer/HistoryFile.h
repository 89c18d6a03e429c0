#pragma once
// "WrdFileList.dat" on disk: the history's paths, one a line in the system code page. It is
// read whole at start and replaced whole at the end, through a new file beside it moved over
// the old one, so a crash or a full disk while the program ends leaves the old list whole.
#include <optional>
#include <string>
#include <vector>

namespace writer {

inline constexpr wchar_t kHistoryFileName[] = L"WrdFileList.dat";
// A larger file is no history the program wrote: it is not read.
inline constexpr unsigned long long kLargestHistoryFile = 64ull << 20;

// The paths the file holds, as much of a damaged file as can be taken; nothing when the file
// is missing, cannot be read, is larger than any history, or is mostly not lines of paths.
std::optional<std::vector<std::wstring>> ReadHistoryFile(const std::wstring& path);
// Throws EError naming the file when it cannot be written; the old file is then as it was.
void WriteHistoryFile(const std::wstring& path, const std::vector<std::wstring>& entries);

}  // namespace writer
