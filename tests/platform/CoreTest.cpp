// The platform helpers that need no Windows API.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/FileFilter.h"
#include "platform/PathText.h"

TEST(ErrorText, GetsOneFullStop) {
  EXPECT_EQ(WithFullStop("Cannot open file"), "Cannot open file.");
  EXPECT_EQ(WithFullStop("Cannot open file."), "Cannot open file.");
  EXPECT_EQ(WithFullStop("Really?"), "Really?.");
  EXPECT_EQ(WithFullStop(""), ".");
}

TEST(FolderOfPath, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(FolderOfPath(L"C:\\Program Files\\Marrowby\\Marrowby.exe"),
            L"C:\\Program Files\\Marrowby\\");
  EXPECT_EQ(FolderOfPath(L"Z:/work/a.exe"), L"Z:/work/");
  EXPECT_EQ(FolderOfPath(L"C:a.exe"), L"C:");
  EXPECT_EQ(FolderOfPath(L"a.exe"), L"");
  EXPECT_EQ(FolderOfPath(L"C:\\dir\\"), L"C:\\dir\\");
}

TEST(FileFilter, SplitsDescriptionAndPatternPairs) {
  const auto entries = ParseFileFilter(L"Rich Text|*.rtf|Text|*.txt;*.asc");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], (FileFilterEntry{L"Rich Text", L"*.rtf"}));
  EXPECT_EQ(entries[1], (FileFilterEntry{L"Text", L"*.txt;*.asc"}));
  EXPECT_TRUE(ParseFileFilter(L"").empty());
  const auto odd = ParseFileFilter(L"All|*.*|Dangling");
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[1], (FileFilterEntry{L"Dangling", L""}));
}

TEST(FileFilter, BecomesTheDoubleNulListOfTheCommonDialogs) {
  const std::wstring expected(L"CSV\0*.csv\0All\0*.*\0\0", 19);
  EXPECT_EQ(ToDialogFilter(L"CSV|*.csv|All|*.*"), expected);
  EXPECT_EQ(ToDialogFilter(L""), std::wstring(1, L'\0'));
}
