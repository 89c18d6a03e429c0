#include "writer/DocumentHistory.h"

#include <algorithm>
#include <iterator>

#include "writer/DocumentNames.h"

namespace writer {
namespace {

// Moves the first occurrence of path to the front; false when there is none.
bool MoveFirstToFront(std::vector<std::wstring>& list, const std::wstring& path) {
  const auto at = std::find(list.begin(), list.end(), path);
  if (at == list.end()) return false;
  std::rotate(list.begin(), at, std::next(at));
  return true;
}

void InsertAtFront(std::vector<std::wstring>& list, const std::wstring& path) {
  list.insert(list.begin(), path);
}

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& c : text) c = LowerAscii(c);
  return text;
}

bool IsUsableLine(std::string_view line) {
  if (line.size() > kLongestHistoryLine) return false;
  return std::none_of(line.begin(), line.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

const wchar_t* HistoryFilterHint(HistoryFilter filter) {
  switch (filter) {
    case HistoryFilter::AllDocuments: return L"All Documents";
    case HistoryFilter::RichTextFormat: return L"Rich Text Format";
    case HistoryFilter::RichTextCompressed: return L"Rich Text Compressed";
    case HistoryFilter::WordDocument: return L"MS Word Doc";
    case HistoryFilter::PlainText: return L"Plain Text ANSI";
    case HistoryFilter::OtherTypes: return L"Other Document Types";
  }
  return L"";
}

bool HistoryFilterKeeps(HistoryFilter filter, const std::wstring& path) {
  const std::wstring extension = ExtensionOf(path);
  switch (filter) {
    case HistoryFilter::AllDocuments: return true;
    case HistoryFilter::RichTextFormat: return extension == L".rtf";
    case HistoryFilter::RichTextCompressed: return extension == L".rtc";
    case HistoryFilter::WordDocument: return extension == L".doc";
    case HistoryFilter::PlainText: return extension == L".txt";
    case HistoryFilter::OtherTypes:
      // ".html" is drawn as a web page but is not among the other types.
      return extension == L".xml" || extension == L".htm" || extension == L".sql" ||
             extension == L".cpp" || extension == L".pas" || extension == L".h";
  }
  return false;
}

HistoryPicture HistoryPictureOf(const std::wstring& path) {
  const std::wstring extension = ExtensionOf(path);
  if (extension == L".txt") return HistoryPicture::PlainText;
  if (extension == L".rtf") return HistoryPicture::RichText;
  if (extension == L".doc") return HistoryPicture::WordDocument;
  if (extension == L".rtc") return HistoryPicture::CompressedRichText;
  if (extension == L".htm" || extension == L".html" || extension == L".xml")
    return HistoryPicture::WebPage;
  return HistoryPicture::OtherFile;
}

void DocumentHistory::Load(std::vector<std::wstring> entries) {
  rows_ = std::move(entries);
  master_ = rows_;
  filter_ = HistoryFilter::AllDocuments;
  Changed();
}

void DocumentHistory::RecordOpened(const std::wstring& path) {
  if (!MoveFirstToFront(master_, path)) InsertAtFront(master_, path);
  if (!MoveFirstToFront(rows_, path)) InsertAtFront(rows_, path);
  Changed();
}

void DocumentHistory::RecordSaved(const std::wstring& path) {
  if (std::find(master_.begin(), master_.end(), path) != master_.end()) return;
  InsertAtFront(master_, path);
  InsertAtFront(rows_, path);
  Changed();
}

std::optional<std::wstring> DocumentHistory::FirstRow() const {
  if (rows_.empty()) return std::nullopt;
  return rows_.front();
}

void DocumentHistory::SetFilter(HistoryFilter filter) {
  filter_ = filter;
  rows_.clear();
  std::copy_if(master_.begin(), master_.end(), std::back_inserter(rows_),
               [filter](const std::wstring& path) { return HistoryFilterKeeps(filter, path); });
  Changed();
}

void DocumentHistory::OpenRow(std::size_t row) {
  if (row >= rows_.size()) return;
  const std::wstring path = rows_[row];
  InsertAtFront(rows_, path);
  MoveFirstToFront(master_, path);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row) + 1);
  Changed();
}

void DocumentHistory::RemoveRows(std::span<const std::size_t> rows) {
  std::vector<std::size_t> chosen(rows.begin(), rows.end());
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  chosen.erase(std::remove_if(chosen.begin(), chosen.end(),
                              [this](std::size_t row) { return row >= rows_.size(); }),
               chosen.end());
  if (chosen.empty()) return;
  for (std::size_t row : chosen) {
    const auto at = std::find(master_.begin(), master_.end(), rows_[row]);
    if (at != master_.end()) master_.erase(at);
  }
  std::vector<std::wstring> kept;
  kept.reserve(rows_.size() - chosen.size());
  std::size_t next = 0;
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (next < chosen.size() && chosen[next] == row) {
      ++next;
      continue;
    }
    kept.push_back(std::move(rows_[row]));
  }
  rows_ = std::move(kept);
  Changed();
}

void DocumentHistory::Clear() {
  master_.clear();
  rows_.clear();
  Changed();
}

std::optional<std::size_t> DocumentHistory::FindRow(const std::wstring& text) const {
  if (text.empty()) return std::nullopt;
  const std::wstring wanted = LowerAscii(text);
  for (std::size_t row = 0; row < rows_.size(); ++row)
    if (LowerAscii(FileNamePart(rows_[row])).find(wanted) != std::wstring::npos) return row;
  return std::nullopt;
}

HistoryLines ReadHistoryLines(std::string_view bytes) {
  HistoryLines result;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    if (IsUsableLine(line))
      result.lines.emplace_back(line);
    else
      ++result.skipped;
    if (end == bytes.size()) break;
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return result;
}

std::string HistoryFileBytes(std::span<const std::string> lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace writer
