// The document history without its window: how the Open and Save commands record names, the
// type filters and the pictures by extension, search, opening and removing rows, and the lines
// of "WrdFileList.dat", damaged ones included.
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "writer/DocumentHistory.h"

using namespace writer;

namespace {

using Paths = std::vector<std::wstring>;

DocumentHistory Loaded(Paths entries) {
  DocumentHistory history;
  history.Load(std::move(entries));
  return history;
}

}  // namespace

TEST(DocumentHistory, RecordingOpenedAndSavedDocuments) {
  struct Step {
    enum { Open, Save, Filter } what;
    std::wstring path;
    HistoryFilter filter = HistoryFilter::AllDocuments;
  };
  struct Case {
    const char* name;
    Paths file;
    std::vector<Step> steps;
    Paths entries;
    Paths rows;
  };
  const Case cases[] = {
      {"a new document goes to the top",
       {L"C:\\b.rtf"},
       {{Step::Open, L"C:\\a.rtf"}},
       {L"C:\\a.rtf", L"C:\\b.rtf"},
       {L"C:\\a.rtf", L"C:\\b.rtf"}},
      {"the same file opened twice is listed once, at the top",
       {L"C:\\b.rtf", L"C:\\c.txt"},
       {{Step::Open, L"C:\\c.txt"}, {Step::Open, L"C:\\c.txt"}},
       {L"C:\\c.txt", L"C:\\b.rtf"},
       {L"C:\\c.txt", L"C:\\b.rtf"}},
      {"paths differing in letter case are different documents",
       {L"C:\\a.rtf"},
       {{Step::Open, L"C:\\A.rtf"}},
       {L"C:\\A.rtf", L"C:\\a.rtf"},
       {L"C:\\A.rtf", L"C:\\a.rtf"}},
      {"opening moves only the first of two occurrences",
       {L"C:\\b.rtf", L"C:\\a.rtf", L"C:\\b.rtf"},
       {{Step::Open, L"C:\\a.rtf"}},
       {L"C:\\a.rtf", L"C:\\b.rtf", L"C:\\b.rtf"},
       {L"C:\\a.rtf", L"C:\\b.rtf", L"C:\\b.rtf"}},
      {"under Plain Text an opened rich text file shows at the top of the filtered rows",
       {L"C:\\x.txt", L"C:\\a.rtf", L"C:\\y.txt"},
       {{Step::Filter, L"", HistoryFilter::PlainText}, {Step::Open, L"C:\\a.rtf"}},
       {L"C:\\a.rtf", L"C:\\x.txt", L"C:\\y.txt"},
       {L"C:\\a.rtf", L"C:\\x.txt", L"C:\\y.txt"}},
      {"an untitled document saved is added at the top; saving again changes nothing",
       {L"C:\\old.rtf"},
       {{Step::Save, L"C:\\new.rtf"}, {Step::Save, L"C:\\new.rtf"}},
       {L"C:\\new.rtf", L"C:\\old.rtf"},
       {L"C:\\new.rtf", L"C:\\old.rtf"}},
      {"Save As to an existing entry's name leaves the entry where it is",
       {L"C:\\a.rtf", L"C:\\b.rtf"},
       {{Step::Save, L"C:\\b.rtf"}},
       {L"C:\\a.rtf", L"C:\\b.rtf"},
       {L"C:\\a.rtf", L"C:\\b.rtf"}},
      {"a saved name shows in any filtered view",
       {L"C:\\a.rtf"},
       {{Step::Filter, L"", HistoryFilter::WordDocument}, {Step::Save, L"C:\\n.txt"}},
       {L"C:\\n.txt", L"C:\\a.rtf"},
       {L"C:\\n.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DocumentHistory history = Loaded(c.file);
    for (const Step& step : c.steps) {
      if (step.what == Step::Open) history.RecordOpened(step.path);
      if (step.what == Step::Save) history.RecordSaved(step.path);
      if (step.what == Step::Filter) history.SetFilter(step.filter);
    }
    EXPECT_EQ(history.Entries(), c.entries);
    EXPECT_EQ(history.Rows(), c.rows);
    EXPECT_EQ(history.FirstRow(), c.rows.front());
  }
}

TEST(DocumentHistory, FiltersAndPicturesGoByTheExactExtension) {
  struct Case {
    const wchar_t* path;
    HistoryPicture picture;
    HistoryFilter filter;  // the one filter besides All Documents that lists it
  };
  const Case cases[] = {
      {L"C:\\Docs\\letter.rtf", HistoryPicture::RichText, HistoryFilter::RichTextFormat},
      {L"C:\\Docs\\packed.rtc", HistoryPicture::CompressedRichText,
       HistoryFilter::RichTextCompressed},
      {L"C:\\Docs\\report.doc", HistoryPicture::WordDocument, HistoryFilter::WordDocument},
      {L"C:\\Docs\\notes.txt", HistoryPicture::PlainText, HistoryFilter::PlainText},
      {L"C:\\web\\index.htm", HistoryPicture::WebPage, HistoryFilter::OtherTypes},
      {L"C:\\web\\feed.xml", HistoryPicture::WebPage, HistoryFilter::OtherTypes},
      {L"C:\\src\\main.cpp", HistoryPicture::OtherFile, HistoryFilter::OtherTypes},
      {L"C:\\src\\main.h", HistoryPicture::OtherFile, HistoryFilter::OtherTypes},
      {L"C:\\src\\unit.pas", HistoryPicture::OtherFile, HistoryFilter::OtherTypes},
      {L"C:\\db\\make.sql", HistoryPicture::OtherFile, HistoryFilter::OtherTypes},
      // Drawn as a web page but not among the other types; capitals are all other files.
      {L"C:\\page.html", HistoryPicture::WebPage, HistoryFilter::AllDocuments},
      {L"C:\\A.RTF", HistoryPicture::OtherFile, HistoryFilter::AllDocuments},
      {L"C:\\notes.Txt", HistoryPicture::OtherFile, HistoryFilter::AllDocuments},
      {L"C:\\my.rtf\\readme", HistoryPicture::OtherFile, HistoryFilter::AllDocuments},
      {L"", HistoryPicture::OtherFile, HistoryFilter::AllDocuments},
  };
  Paths all;
  for (const Case& c : cases) all.push_back(c.path);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(HistoryPictureOf(c.path), c.picture);
    for (int f = 0; f < kHistoryFilterCount; ++f) {
      const auto filter = static_cast<HistoryFilter>(f);
      const bool listed = filter == HistoryFilter::AllDocuments || filter == c.filter;
      EXPECT_EQ(HistoryFilterKeeps(filter, c.path), listed) << "filter " << f;
    }
  }
  DocumentHistory history = Loaded(all);
  history.SetFilter(HistoryFilter::OtherTypes);
  EXPECT_EQ(history.Rows(),
            (Paths{L"C:\\web\\index.htm", L"C:\\web\\feed.xml", L"C:\\src\\main.cpp",
                   L"C:\\src\\main.h", L"C:\\src\\unit.pas", L"C:\\db\\make.sql"}));
  EXPECT_EQ(history.Entries(), all) << "filtering keeps the master list";
  history.SetFilter(HistoryFilter::AllDocuments);
  EXPECT_EQ(history.Rows(), all);
  EXPECT_EQ(std::wstring(HistoryFilterHint(HistoryFilter::WordDocument)), L"MS Word Doc");
}

TEST(DocumentHistory, SearchLooksAtFileNamesWithoutRegardToLatinCase) {
  const DocumentHistory history =
      Loaded({L"C:\\letter\\notes.txt", L"C:\\Docs\\plan.rtf", L"C:\\Docs\\letter.rtf",
              L"C:\\Docs\\LETTER-2.rtf", L"D:/unix/style/Letters.txt", L"C:\\\u00C9t\u00C9.txt"});
  struct Case {
    const wchar_t* text;
    std::optional<std::size_t> row;
  };
  const Case cases[] = {
      {L"LETTER", 2},  // not the folder of row 0
      {L"letter-", 3},
      {L"LETTERS.txt", 4},
      {L".rtf", 1},
      {L"notes", 0},
      {L"docs", std::nullopt},           // folders are not searched
      {L"\u00E9t\u00E9", std::nullopt},  // only A to Z are folded
      {L"\u00C9t\u00C9", 5},
      {L"", std::nullopt},
      {L"missing", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(history.FindRow(c.text), c.row);
  }
}

TEST(DocumentHistory, OpeningRemovingAndClearingRows) {
  {
    SCOPED_TRACE("open a filtered row");
    DocumentHistory history = Loaded({L"C:\\a.txt", L"C:\\b.rtf", L"C:\\c.txt"});
    history.SetFilter(HistoryFilter::PlainText);
    history.OpenRow(1);
    EXPECT_EQ(history.Rows(), (Paths{L"C:\\c.txt", L"C:\\a.txt"}));
    EXPECT_EQ(history.Entries(), (Paths{L"C:\\c.txt", L"C:\\a.txt", L"C:\\b.rtf"}));
    history.OpenRow(7);  // no such row
    EXPECT_EQ(history.Rows(), (Paths{L"C:\\c.txt", L"C:\\a.txt"}));
  }
  {
    SCOPED_TRACE("remove a row whose path is listed twice: its first occurrence goes");
    DocumentHistory history = Loaded({L"C:\\a.rtf", L"C:\\b.rtf", L"C:\\a.rtf", L"C:\\c.rtf"});
    const std::size_t rows[] = {2};
    history.RemoveRows(rows);
    EXPECT_EQ(history.Entries(), (Paths{L"C:\\b.rtf", L"C:\\a.rtf", L"C:\\c.rtf"}));
    EXPECT_EQ(history.Rows(), (Paths{L"C:\\a.rtf", L"C:\\b.rtf", L"C:\\c.rtf"}));
  }
  {
    SCOPED_TRACE("remove several rows of a filtered view, out of order and repeated");
    DocumentHistory history =
        Loaded({L"C:\\1.txt", L"C:\\2.rtf", L"C:\\3.txt", L"C:\\4.txt", L"C:\\5.txt"});
    history.SetFilter(HistoryFilter::PlainText);
    const std::size_t rows[] = {3, 0, 3, 42};
    history.RemoveRows(rows);
    EXPECT_EQ(history.Rows(), (Paths{L"C:\\3.txt", L"C:\\4.txt"}));
    EXPECT_EQ(history.Entries(), (Paths{L"C:\\2.rtf", L"C:\\3.txt", L"C:\\4.txt"}));
    EXPECT_EQ(history.Filter(), HistoryFilter::PlainText);
  }
  {
    SCOPED_TRACE("clear");
    DocumentHistory history = Loaded({L"C:\\a.rtf"});
    const auto version = history.RowsVersion();
    history.Clear();
    EXPECT_TRUE(history.Entries().empty());
    EXPECT_FALSE(history.FirstRow());
    EXPECT_NE(history.RowsVersion(), version);
  }
}

TEST(HistoryFile, LinesEndAtCrLfOrCrLfAndEmptyLinesAreEntries) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"CR LF", "C:\\a.rtf\r\nC:\\b.txt\r\n", {"C:\\a.rtf", "C:\\b.txt"}},
      {"LF", "C:\\a.rtf\nC:\\b.txt\n", {"C:\\a.rtf", "C:\\b.txt"}},
      {"CR", "C:\\a.rtf\rC:\\b.txt\r", {"C:\\a.rtf", "C:\\b.txt"}},
      {"mixed, no end on the last line", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"empty lines", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
      {"one line end", "\r\n", {""}},
      {"another code page's bytes",
       "C:\\\xC3\x9C"
       "bersicht.rtf\r\nC:\\\x82\xb1.txt",
       {"C:\\\xC3\x9C"
        "bersicht.rtf",
        "C:\\\x82\xb1.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HistoryLines read = ReadHistoryLines(c.bytes);
    EXPECT_EQ(read.lines, c.lines);
    EXPECT_EQ(read.skipped, 0u);
    EXPECT_FALSE(read.Unusable());
  }
  const std::vector<std::string> lines = {"C:\\a.rtf", "", "D:\\\xE9t\xE9.txt"};
  EXPECT_EQ(HistoryFileBytes(lines), "C:\\a.rtf\r\n\r\nD:\\\xE9t\xE9.txt\r\n");
  EXPECT_EQ(ReadHistoryLines(HistoryFileBytes(lines)).lines, lines);
  EXPECT_EQ(HistoryFileBytes({}), "");
}

TEST(HistoryFile, ADamagedFileGivesWhatItStillHolds) {
  {
    SCOPED_TRACE("control characters and NUL bytes");
    const char raw[] = "C:\\good.rtf\r\nC:\\b\0d.rtf\r\n\x01\x02\x7f\r\nC:\\ok.txt";
    const HistoryLines read = ReadHistoryLines(std::string(std::begin(raw), std::end(raw) - 1));
    EXPECT_EQ(read.lines, (std::vector<std::string>{"C:\\good.rtf", "C:\\ok.txt"}));
    EXPECT_EQ(read.skipped, 2u);
    EXPECT_FALSE(read.Unusable()) << "as many lines taken as skipped";
    EXPECT_TRUE(ReadHistoryLines(std::string(raw, 30)).Unusable()) << "one taken, two skipped";
  }
  {
    SCOPED_TRACE("a line of a megabyte");
    const std::string bytes = "C:\\a.rtf\r\n" + std::string(1 << 20, 'x') + "\r\nC:\\b.rtf\r\n";
    const HistoryLines read = ReadHistoryLines(bytes);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"C:\\a.rtf", "C:\\b.rtf"}));
    EXPECT_EQ(read.skipped, 1u);
    EXPECT_EQ(ReadHistoryLines(std::string(kLongestHistoryLine, 'y')).lines.size(), 1u);
  }
  {
    SCOPED_TRACE("100,000 lines");
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += "C:\\docs\\file" + std::to_string(i) + ".rtf\n";
    const HistoryLines read = ReadHistoryLines(bytes);
    ASSERT_EQ(read.lines.size(), 100000u);
    EXPECT_EQ(read.lines.back(), "C:\\docs\\file99999.rtf");
  }
  {
    SCOPED_TRACE("random bytes");
    std::mt19937 random(26);
    std::string bytes(64 * 1024, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    const HistoryLines read = ReadHistoryLines(bytes);
    EXPECT_TRUE(read.Unusable()) << read.lines.size() << " lines taken";
    // Every line taken is a possible path: no control character in it.
    for (const std::string& line : read.lines)
      for (char c : line) EXPECT_GE(static_cast<unsigned char>(c), 0x20);
  }
}
