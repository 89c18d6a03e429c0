// The record store without windows: table files, orders, deletion and CSV import at the
// sizes the label program is meant for.
#include <cstdio>

#include "bench/labels/BenchData.h"
#include "labels/records/CsvExchange.h"
#include "labels/records/RecordTable.h"
#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"

using Clock = std::chrono::steady_clock;

int main() {
  PlainTextLocale locale;
  const std::string file = EncodeTable(ContactSchema(), MakeContacts(10000));
  std::printf("table file of 10,000 contacts: %zu bytes\n", file.size());

  RecordTable contacts(ContactSchema(), locale);
  auto t = Clock::now();
  contacts.Open(DecodeTable(ContactSchema(), file));
  contacts.SetOrder("Contact_Surname");
  Report("open 10,000 contacts (decode + surname order)", t);

  t = Clock::now();
  int walked = 0;
  for (contacts.First(); !contacts.Eof(); contacts.Next()) ++walked;
  Report("walk 10,000 contacts", t);

  t = Clock::now();
  contacts.SetOrder("Contact_Number");
  contacts.SetOrder("Contact_Surname");
  Report("sort by number, then by surname", t);

  t = Clock::now();
  for (int n = 2; n <= 10000; n += 2) {
    contacts.LocateNumber(n);
    contacts.Delete();
  }
  Report("delete 5,000 contacts by number", t);

  t = Clock::now();
  const std::string saved = EncodeTable(ContactSchema(), contacts.Content());
  Report("encode the remaining 5,000", t);

  const std::string csv = MakeContactsCsv(100000);
  RecordTable imported(ContactSchema(), locale);
  imported.OpenEmpty();
  imported.SetOrder("Contact_Surname");
  const auto header = CsvColumnNames(csv, ",");
  std::vector<CsvColumnChoice> choices{{Contact_Title, "Title"},     {Contact_Name, "Name"},
                                       {Contact_Surname, "Surname"}, {Contact_Address1, "Street"},
                                       {Contact_Address3, "City"},   {Contact_Address2, "Postcode"},
                                       {Contact_Address4, "Country"}};
  t = Clock::now();
  const std::size_t n =
      ImportCsvRecords(imported, csv, MapCsvColumns(header, choices, locale), ",");
  imported.First();
  Report("import 100,000 CSV lines (and sort them)", t);
  std::printf("imported %zu records, walked %d, saved %zu bytes\n", n, walked, saved.size());
  return 0;
}
