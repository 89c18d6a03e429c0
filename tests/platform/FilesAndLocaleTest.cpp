// The file and locale services of the record store and the settings: ini files through the
// private-profile functions, whole-file reads, replacing a file without ever leaving it half
// written, and locale sort keys.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/LocaleText.h"
#include "platform/PrivateProfile.h"
#include "platform/WholeFile.h"

namespace fs = std::filesystem;

namespace {

class TempFolder {
 public:
  TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = fs::path(temp) / (L"files-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }
  std::size_t Entries() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
  }

 private:
  fs::path path_;
};

std::string Slurp(const std::wstring& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Put(const std::wstring& path, const std::string& bytes) {
  std::ofstream(fs::path(path), std::ios::binary) << bytes;
}

std::string ErrorOf(void (*f)(const std::wstring&), const std::wstring& path) {
  try {
    f(path);
  } catch (const EError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(PrivateProfile, MissingFilesSectionsAndKeysGiveTheDefaultButEmptyValuesStayEmpty) {
  TempFolder folder;
  PrivateProfile ini(folder.File(L"Settings.ini"));
  EXPECT_EQ(ini.ReadString(L"CSVFile", L"Separator", L","), L",");
  Put(ini.Path(), "[CSVFile]\r\nSeparator=\r\nOther=;x\r\n");
  EXPECT_EQ(ini.ReadString(L"CSVFile", L"Separator", L","), L"");
  EXPECT_EQ(ini.ReadString(L"CSVFile", L"Other", L","), L";x");
  EXPECT_EQ(ini.ReadString(L"CSVFile", L"Missing", L"d"), L"d");
  EXPECT_EQ(ini.ReadString(L"Nowhere", L"Separator", L"d"), L"d");
}

TEST(PrivateProfile, WritingKeepsTheFilesOtherContentAndAddsSectionsInOrder) {
  TempFolder folder;
  PrivateProfile ini(folder.File(L"Settings.ini"));
  Put(ini.Path(), "; kept comment\r\n[Mine]\r\nKey=1\r\n[CSVFile]\r\nSeparator=,\r\n");
  ini.WriteString(L"FontSettings", L"FontNameAddress", L"Arial");
  ini.WriteString(L"LabelSettings", L"TypeAddress", L"0");
  ini.WriteString(L"CSVFile", L"Separator", L";");
  ini.WriteString(L"FontSettings", L"FontSizeAddress", L"8");
  const std::string text = Slurp(ini.Path());
  EXPECT_NE(text.find("; kept comment"), std::string::npos) << text;
  EXPECT_NE(text.find("Key=1"), std::string::npos);
  const auto at = [&](const char* s) { return text.find(s); };
  EXPECT_LT(at("[Mine]"), at("[CSVFile]"));
  EXPECT_LT(at("[CSVFile]"), at("[FontSettings]")) << "existing sections keep their places";
  EXPECT_LT(at("[FontSettings]"), at("[LabelSettings]"));
  EXPECT_LT(at("FontNameAddress"), at("FontSizeAddress"));
  EXPECT_NE(at("Separator=;"), std::string::npos);
  EXPECT_EQ(at("Separator=,"), std::string::npos);
}

TEST(PrivateProfile, ValuesWithOuterBlanksOrQuotesReadBackUnchanged) {
  TempFolder folder;
  PrivateProfile ini(folder.File(L"Settings.ini"));
  for (const std::wstring value : {L" ", L"\t", L" Arial", L"\"", L"'x'", L"\"quoted\"", L"a b"}) {
    ini.WriteString(L"S", L"K", value);
    EXPECT_EQ(ini.ReadString(L"S", L"K", L"default"), value);
  }
}

TEST(PrivateProfile, AFailedWriteNamesTheFile) {
  TempFolder folder;
  PrivateProfile ini(folder.File(L"no folder\\Settings.ini"));
  try {
    ini.WriteString(L"S", L"K", L"v");
    FAIL() << "wrote into a folder that does not exist";
  } catch (const EError& e) {
    EXPECT_NE(std::string(e.what()).find("Settings.ini"), std::string::npos) << e.what();
  }
}

TEST(WholeFile, ReadsWholeFilesAndTellsMissingFromUnreadable) {
  TempFolder folder;
  EXPECT_FALSE(ReadFileIfExists(folder.File(L"none.cds")));
  EXPECT_FALSE(ReadFileIfExists(folder.File(L"no folder\\none.cds")));
  const std::string bytes("a\0b\r\n\xFF", 6);
  Put(folder.File(L"x.cds"), bytes);
  EXPECT_EQ(ReadFileIfExists(folder.File(L"x.cds")), bytes);
  EXPECT_EQ(ReadWholeFile(folder.File(L"x.cds")), bytes);
  const std::string error =
      ErrorOf([](const std::wstring& p) { ReadWholeFile(p); }, folder.File(L"gone.csv"));
  EXPECT_NE(error.find("Could not read \""), std::string::npos) << error;
  EXPECT_NE(error.find("gone.csv\": "), std::string::npos) << error;
  // A folder is there but cannot be read as a file.
  fs::create_directory(fs::path(folder.File(L"dir.cds")));
  EXPECT_THROW(ReadFileIfExists(folder.File(L"dir.cds")), EError);
}

TEST(WholeFile, ReplacingWritesTheNewContentAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::wstring path = folder.File(L"ContactList.cds");
  ReplaceFileContents(path, "first");
  EXPECT_EQ(Slurp(path), "first");
  ReplaceFileContents(path, std::string(3'000'000, 'x'));
  EXPECT_EQ(Slurp(path).size(), 3'000'000u);
  ReplaceFileContents(path, "");
  EXPECT_EQ(Slurp(path), "");
  EXPECT_EQ(folder.Entries(), 1u);
}

TEST(WholeFile, AFailedReplaceLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  // The target is a folder: the new content cannot take its place.
  const std::wstring blocked = folder.File(L"blocked.cds");
  fs::create_directory(fs::path(blocked));
  Put(folder.File(L"blocked.cds\\inside.txt"), "keep");
  EXPECT_THROW(ReplaceFileContents(blocked, "new"), EError);
  EXPECT_EQ(Slurp(folder.File(L"blocked.cds\\inside.txt")), "keep");

  // A read-only file is not replaced.
  const std::wstring locked = folder.File(L"locked.cds");
  Put(locked, "old");
  SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(ReplaceFileContents(locked, "new"), EError);
  SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Slurp(locked), "old");

  // The folder is gone.
  const std::string error = ErrorOf([](const std::wstring& p) { ReplaceFileContents(p, "x"); },
                                    folder.File(L"gone\\x.cds"));
  EXPECT_NE(error.find("Could not write \""), std::string::npos) << error;
  EXPECT_EQ(folder.Entries(), 2u) << "no temporary file left behind";
}

TEST(LocaleText, SortKeysOrderTextsAsTheLocaleDoesIgnoringCase) {
  const auto before = [](const wchar_t* a, const wchar_t* b) {
    return LocaleSortKey(a) < LocaleSortKey(b);
  };
  EXPECT_TRUE(before(L"apple", L"Banana"));
  EXPECT_TRUE(before(L"Banana", L"cherry"));
  EXPECT_TRUE(before(L"\u00C4rger", L"Bauer")) << "a letter with an accent sorts with its letter";
  EXPECT_TRUE(before(L"", L"a"));
  EXPECT_TRUE(before(L"Smith", L"Smithson"));
  EXPECT_EQ(LocaleSortKey(L"Smith"), LocaleSortKey(L"SMITH"));
  EXPECT_NE(LocaleSortKey(L"Smith"), LocaleSortKey(L"Smyth"));
  EXPECT_TRUE(SameTextIgnoringCase(L"NAME", L"name"));
  EXPECT_FALSE(SameTextIgnoringCase(L"Name", L"Names"));
}
