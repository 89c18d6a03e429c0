#pragma once
// File dialog filters written as "Description|*.ext|Description|*.a;*.b".
#include <string>
#include <vector>

struct FileFilterEntry {
  std::wstring description;
  std::wstring pattern;
  bool operator==(const FileFilterEntry&) const = default;
};

// Splits a filter text into its pairs. A trailing description without a pattern is kept
// with an empty pattern; empty text gives no entries.
std::vector<FileFilterEntry> ParseFileFilter(const std::wstring& filter);

// The same filter as the common dialogs want it: each field ended by a NUL, the whole list by
// a second NUL.
std::wstring ToDialogFilter(const std::wstring& filter);
