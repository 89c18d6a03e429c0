// Delimited text in and out: the splitting rule, line ends, the exact export bytes, column
// mapping by name, and imports that stop at a bad line keeping what came before.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "labels/records/CsvExchange.h"
#include "labels/records/CsvText.h"
#include "labels/records/TableSchemas.h"
#include "platform/Error.h"

namespace {

using Values = std::vector<std::string>;

std::string ReadTestFile(const std::string& name) {
  std::ifstream in(std::string(TEST_DATA_DIR) + "/csv/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Values Lines(std::string_view bytes) {
  CsvLineReader reader(bytes);
  Values lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

class CsvExchangeTest : public testing::Test {
 protected:
  CsvExchangeTest() { contacts.OpenEmpty(); }

  void AddContact(const Values& v)  // title, name, surname, street, postal code, city, country
  {
    contacts.Insert();
    for (std::size_t i = 0; i < v.size(); ++i) contacts.SetText(static_cast<int>(i) + 1, v[i]);
    contacts.Post();
  }

  std::vector<CsvColumnMapping> Map(const Values& header,
                                    std::initializer_list<std::pair<int, const char*>> chosen) {
    std::vector<CsvColumnChoice> choices;
    for (const auto& [field, name] : chosen)
      choices.push_back({field, name ? std::optional<std::string>(name) : std::nullopt});
    return MapCsvColumns(header, choices, locale);
  }

  Values Row(std::int32_t number) {
    contacts.LocateNumber(number);
    Values v;
    for (int f = Contact_Title; f <= Contact_Address4; ++f)
      v.push_back(contacts.IsNull(f) ? "<null>" : contacts.AsText(f));
    return v;
  }

  PlainTextLocale locale;
  RecordTable contacts{ContactSchema(), locale};
};

}  // namespace

TEST(CsvText, SplittingKeepsEveryValueAsItIs) {
  EXPECT_EQ(SplitCsvLine("a,,b", ","), (Values{"a", "", "b"}));
  EXPECT_EQ(SplitCsvLine("a,b,", ","), (Values{"a", "b", ""}));
  EXPECT_EQ(SplitCsvLine("", ","), (Values{""}));
  EXPECT_EQ(SplitCsvLine("Ann,Lee,", ","), (Values{"Ann", "Lee", ""}));
  EXPECT_EQ(SplitCsvLine(" \"Haus, Am Hang\" ;x", ";"), (Values{" \"Haus, Am Hang\" ", "x"}));
  EXPECT_EQ(SplitCsvLine("a\tb", "\t"), (Values{"a", "b"}));
  // No separator: nothing splits, the line is one value.
  EXPECT_EQ(SplitCsvLine("a,b;c", ""), (Values{"a,b;c"}));
}

TEST(CsvText, LinesEndAtLineFeedsAndCarriageReturnsAreDropped) {
  EXPECT_EQ(Lines("h\r\na\r\nb\r\n"), (Values{"h", "a", "b"}));
  EXPECT_EQ(Lines("h\na\nb"), (Values{"h", "a", "b"})) << "a last line without a line feed counts";
  EXPECT_EQ(Lines("h\n\nb\n"), (Values{"h", "", "b"}));
  EXPECT_EQ(Lines("a\rb\n"), (Values{"ab"}));
  EXPECT_EQ(Lines(""), Values{});
  EXPECT_EQ(Lines("\n"), (Values{""}));
  EXPECT_EQ(CsvLine({"a", "", "c"}, ";"), "a;;c\r\n");
}

TEST_F(CsvExchangeTest, ExportWritesTheHeaderAndTheRecordsInTheRowsOrder) {
  for (int i = 1; i <= 8; ++i)
    AddContact({i == 8 ? "" : "Mr", "N" + std::to_string(i), "S" + std::to_string(i)});
  contacts.LocateNumber(3);
  contacts.Edit();
  contacts.SetText(Contact_Address1, "1 High St");
  contacts.SetText(Contact_Address2, "AB1 2CD");
  contacts.SetText(Contact_Address3, "Leeds");
  contacts.SetText(Contact_Address4, "UK");
  contacts.Post();

  std::vector<std::string> missing;
  const std::string file =
      BuildCsvExport(contacts, {8, 3}, ";", [&](const std::string& e) { missing.push_back(e); });
  EXPECT_EQ(file,
            "Contact_Title;Contact_Name;Contact_Surname;Contact_Address1;Contact_Address2;"
            "Contact_Address3;Contact_Address4\r\n"
            ";N8;S8;;;;\r\n"
            "Mr;N3;S3;1 High St;AB1 2CD;Leeds;UK\r\n");
  EXPECT_TRUE(missing.empty());
}

TEST_F(CsvExchangeTest, ExportSkipsAndReportsRecordsThatNoLongerExist) {
  AddContact({"", "", "Kept"});
  std::vector<std::string> missing;
  const std::string file =
      BuildCsvExport(contacts, {5, 1}, ",", [&](const std::string& e) { missing.push_back(e); });
  EXPECT_EQ(missing, (Values{"Contact number 5 not found."}));
  EXPECT_EQ(Lines(file).back(), ",,Kept,,,,");
}

TEST_F(CsvExchangeTest, ExportWithoutASeparatorWritesNothing) {
  AddContact({"", "", "Smith"});
  EXPECT_THROW(BuildCsvExport(contacts, {1}, "", [](const std::string&) {}), EError);
}

TEST_F(CsvExchangeTest, ImportMapsChosenColumnsByNameAndLeavesTheRestNull) {
  const std::string file = "Name,Surname,Town\r\nAnn,Lee,York\nBo,\"Li\",\r\n";
  const Values header = CsvColumnNames(file, ",");
  EXPECT_EQ(header, (Values{"Name", "Surname", "Town"}));
  const auto mapping = Map(header, {{Contact_Title, nullptr},
                                    {Contact_Name, "name"},
                                    {Contact_Surname, "Surname"},
                                    {Contact_Address3, "TOWN"}});
  EXPECT_EQ(ImportCsvRecords(contacts, file, mapping, ","), 2u);
  EXPECT_EQ(Row(1), (Values{"<null>", "Ann", "Lee", "<null>", "<null>", "York", "<null>"}));
  EXPECT_EQ(Row(2), (Values{"<null>", "Bo", "\"Li\"", "<null>", "<null>", "<null>", "<null>"}))
      << "quotes are data, an empty value is null";
}

TEST_F(CsvExchangeTest, ASameNamedColumnMapsToTheFirstOfThem) {
  const Values header{"Name", "NAME", "Surname"};
  const auto mapping = Map(header, {{Contact_Name, "NAME"}, {Contact_Title, "Name"}});
  ASSERT_EQ(mapping.size(), 2u);
  EXPECT_EQ(mapping[0].column, 0u);
  EXPECT_EQ(mapping[1].column, 0u);
  EXPECT_THROW(Map(header, {{Contact_Name, "Street"}}), EError);
}

TEST_F(CsvExchangeTest, AHeaderOnlyOrEmptyFileImportsNothing) {
  const auto mapping = Map({"Surname"}, {{Contact_Surname, "Surname"}});
  EXPECT_EQ(ImportCsvRecords(contacts, "Surname\r\n", mapping, ","), 0u);
  EXPECT_EQ(ImportCsvRecords(contacts, "", mapping, ","), 0u);
  EXPECT_TRUE(contacts.IsEmpty());
}

TEST_F(CsvExchangeTest, AShortLineStopsTheImportAndKeepsTheLinesBefore) {
  const std::string file = "a,b,c\n1,2,3\n4,5\n7,8,9\n";
  const auto mapping = Map({"a", "b", "c"}, {{Contact_Name, "a"}, {Contact_Surname, "c"}});
  try {
    ImportCsvRecords(contacts, file, mapping, ",");
    FAIL() << "a line without column c was imported";
  } catch (const EError& e) {
    EXPECT_NE(std::string(e.what()).find("Line 3"), std::string::npos) << e.what();
  }
  EXPECT_EQ(contacts.RecordCount(), 1);
  EXPECT_EQ(contacts.State(), TableState::Browse);
}

TEST_F(CsvExchangeTest, ImportedValuesAreCutToTheirFields) {
  const auto mapping = Map({"t", "c"}, {{Contact_Title, "t"}, {Contact_Address3, "c"}});
  ImportCsvRecords(contacts, "t,c\n" + std::string(30, 'x') + "," + std::string(40, 'y'), mapping,
                   ",");
  EXPECT_EQ(Row(1)[0], std::string(20, 'x'));
  EXPECT_EQ(Row(1)[5], std::string(20, 'y'));
}

TEST_F(CsvExchangeTest, ASpreadsheetExportWithAQuotedLineBreakStopsThere) {
  // Calc quotes values holding the separator or a line break; the program does not
  // unquote, so the quoted line break on line 141 leaves that line short.
  const std::string file = ReadTestFile("contacts-cp1252-semicolon.csv");
  ASSERT_FALSE(file.empty());
  const Values header = CsvColumnNames(file, ";");
  ASSERT_EQ(header, (Values{"Title", "Name", "Surname", "Street", "City", "Postcode", "Country"}));
  const auto mapping = Map(header, {{Contact_Title, "Title"},
                                    {Contact_Name, "Name"},
                                    {Contact_Surname, "Surname"},
                                    {Contact_Address1, "Street"},
                                    {Contact_Address3, "City"},
                                    {Contact_Address2, "Postcode"},
                                    {Contact_Address4, "Country"}});
  EXPECT_THROW(ImportCsvRecords(contacts, file, mapping, ";"), EError);
  EXPECT_EQ(contacts.RecordCount(), 139);
  EXPECT_EQ(Row(1), (Values{"M.", "Grace", "Nielsen", "97 Oak Road", "45477", "Boston", "USA"}));
  EXPECT_EQ(Row(2)[1], "\x8A\xE1rka") << "code-page bytes are kept as they are";
}

TEST_F(CsvExchangeTest, ExportedRecordsImportBackUnchanged) {
  AddContact({"Dr", "Zo\xEB", "O'Neil", "Flat 2 \"Rose\"", " 0123 ", "Cork", "IE"});
  AddContact({"", "", "Only"});
  const std::string file = BuildCsvExport(contacts, {1, 2}, "|", [](const std::string&) {});
  PlainTextLocale l;
  RecordTable other(ContactSchema(), l);
  other.OpenEmpty();
  const Values header = CsvColumnNames(file, "|");
  std::vector<CsvColumnChoice> all;
  for (const int f : CsvFields(ContactSchema()))
    all.push_back({f, ContactSchema().fields[static_cast<std::size_t>(f)].name});
  ImportCsvRecords(other, file, MapCsvColumns(header, all, l), "|");
  EXPECT_EQ(other.Content().records, contacts.Content().records);
}
