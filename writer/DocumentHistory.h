#pragma once
// The document history without its window: the master list of paths (most recent first), the
// view the history window shows (all of it or the entries of one file type), the recording
// rules of the Open and Save commands, search, removal, and the lines of "WrdFileList.dat".
// Paths and extensions are compared exactly, letter case included. No Windows API, so the rules
// are tested in both trees.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace writer {

// The six type filters, in the order of their pictures.
enum class HistoryFilter {
  AllDocuments,
  RichTextFormat,
  RichTextCompressed,
  WordDocument,
  PlainText,
  OtherTypes,
};
inline constexpr int kHistoryFilterCount = 6;
// "All Documents", "Rich Text Format", ...: the picture's hint.
const wchar_t* HistoryFilterHint(HistoryFilter filter);
// Whether a path belongs to the filter's view by its extension.
bool HistoryFilterKeeps(HistoryFilter filter, const std::wstring& path);

// The row pictures by their place in the image list (5 is not used).
enum class HistoryPicture {
  PlainText = 0,
  OtherFile = 1,
  RichText = 2,
  WordDocument = 3,
  WebPage = 4,
  CompressedRichText = 6,
};
HistoryPicture HistoryPictureOf(const std::wstring& path);

class DocumentHistory {
 public:
  // The file's entries: the view shows them all and the master list is a copy of it.
  void Load(std::vector<std::wstring> entries);
  // HistoryList, what is written to the file.
  const std::vector<std::wstring>& Entries() const { return master_; }
  // The rows the window shows.
  const std::vector<std::wstring>& Rows() const { return rows_; }
  HistoryFilter Filter() const { return filter_; }
  // Changes whenever the rows change, so the window knows when to fill its list again.
  std::uint64_t RowsVersion() const { return version_; }

  // A path chosen in the Open dialog: its first occurrence moves to the top of the master list
  // and of the rows, or it is inserted at the top of each (whatever the filter).
  void RecordOpened(const std::wstring& path);
  // A path chosen in a Save dialog: inserted at the top of both when the master list lacks it;
  // otherwise nothing changes.
  void RecordSaved(const std::wstring& path);
  // The first row shown (Open Last Active Document).
  std::optional<std::wstring> FirstRow() const;

  // Empties the rows and fills them from the master list with the filter's entries.
  void SetFilter(HistoryFilter filter);
  // The window's Open of one row: the path goes to the top of the rows, its first occurrence in
  // the master list to the top of that, and the opened row itself leaves the rows.
  void OpenRow(std::size_t row);
  // For each row, from the top, the first equal entry leaves the master list; then the rows go.
  // Rows out of range and repeated rows are ignored.
  void RemoveRows(std::span<const std::size_t> rows);
  void Clear();
  // The first row whose file-name part contains the text, A to Z compared as a to z; nothing
  // for an empty text or no match.
  std::optional<std::size_t> FindRow(const std::wstring& text) const;

 private:
  void Changed() { ++version_; }

  std::vector<std::wstring> master_;
  std::vector<std::wstring> rows_;
  HistoryFilter filter_ = HistoryFilter::AllDocuments;
  std::uint64_t version_ = 0;
};

// "WrdFileList.dat": 8-bit text, one path a line. Reading, a line ends at CR, LF or CR LF and
// the end of the file ends the last line; an empty line is an empty entry. A line that cannot
// be a path (a control character or NUL in it, or longer than any path) is skipped, so a
// damaged file gives what it still holds.
inline constexpr std::size_t kLongestHistoryLine = 65535;
struct HistoryLines {
  std::vector<std::string> lines;
  std::size_t skipped = 0;
  // More lines skipped than taken: the file is no list of paths (random bytes, a program, a
  // picture) and is treated as unreadable rather than giving rows of garbage.
  bool Unusable() const { return skipped > lines.size(); }
};
HistoryLines ReadHistoryLines(std::string_view bytes);
// Each line followed by CR LF.
std::string HistoryFileBytes(std::span<const std::string> lines);

}  // namespace writer
