// The three tables' life across runs of the program: first start, numbering after a
// restart, files written only when changed, and damaged or unreadable files that stop the
// opening, are reported by name and are never overwritten.
#include <gtest/gtest.h>

#include "labels/records/RecordStore.h"
#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"
#include "tests/labels/MemoryStorage.h"

namespace {

class RecordStoreTest : public testing::Test {
 protected:
  std::string OpenError(RecordStore& store) {
    try {
      store.Open(storage);
    } catch (const EError& e) {
      return e.what();
    }
    return "";
  }

  static void AddContact(RecordStore& store, const std::string& surname) {
    store.cdsContact.Insert();
    store.cdsContact.SetText(Contact_Surname, surname);
    store.cdsContact.Post();
  }

  static std::string NotOpenText(RecordTable& table) {
    try {
      table.First();
    } catch (const EError& e) {
      return e.what();
    }
    return "(open)";
  }

  PlainTextLocale locale;
  MemoryStorage storage;
};

}  // namespace

TEST_F(RecordStoreTest, AFirstStartHasThreeEmptyTablesAndWritesOnlyWhatChanged) {
  RecordStore store(locale);
  store.Open(storage);
  EXPECT_TRUE(store.cdsContact.IsEmpty());
  EXPECT_TRUE(store.cdsGeneral.IsEmpty());
  EXPECT_TRUE(store.cdsCustomLabel.IsEmpty());
  EXPECT_TRUE(storage.files.empty());
  AddContact(store, "Smith");
  EXPECT_EQ(store.cdsContact.Number(), 1);
  EXPECT_TRUE(storage.files.empty()) << "nothing is written while the program runs";

  EXPECT_TRUE(store.SaveChanged(storage).empty());
  EXPECT_EQ(storage.saves, (std::map<std::string, int>{{"ContactList.cds", 1}}));

  // A run that changes nothing writes nothing.
  RecordStore again(locale);
  again.Open(storage);
  EXPECT_TRUE(again.SaveChanged(storage).empty());
  EXPECT_EQ(storage.saves["ContactList.cds"], 1);
}

TEST_F(RecordStoreTest, NumbersKeepRisingAcrossRestarts) {
  {
    RecordStore store(locale);
    store.Open(storage);
    for (const char* s : {"A", "B", "C"}) AddContact(store, s);
    store.cdsContact.LocateNumber(3);
    store.cdsContact.Delete();
    store.SaveChanged(storage);
  }
  RecordStore store(locale);
  store.Open(storage);
  AddContact(store, "D");
  EXPECT_EQ(store.cdsContact.Number(), 4);
}

TEST_F(RecordStoreTest, TablesStartInTheirFirstOrder) {
  {
    RecordStore store(locale);
    store.Open(storage);
    for (const char* s : {"Young", "Adams", "Morris"}) AddContact(store, s);
    store.cdsContact.SetOrder("Contact_Number");
    store.SaveChanged(storage);
  }
  RecordStore store(locale);
  store.Open(storage);
  EXPECT_EQ(store.cdsContact.Order(), "Contact_Surname");
  EXPECT_EQ(store.cdsGeneral.Order(), "General_Field1");
  EXPECT_EQ(store.cdsContact.AsText(Contact_Surname), "Adams") << "on the first record";
}

TEST_F(RecordStoreTest, ADamagedFileStopsTheOpeningAndIsNeverWritten) {
  {
    RecordStore store(locale);
    store.Open(storage);
    AddContact(store, "Smith");
    store.cdsGeneral.Insert();
    store.cdsGeneral.SetText(General_Field1, "Invoice");
    store.cdsGeneral.Post();
    store.SaveChanged(storage);
  }
  const std::string general = storage.files["GeneralList.cds"];
  storage.files["ContactList.cds"].resize(30);
  const std::string damaged = storage.files["ContactList.cds"];

  RecordStore store(locale);
  const std::string error = OpenError(store);
  EXPECT_EQ(error.find("Could not open \"C:\\Labels\\ContactList.cds\": the file is damaged"), 0u)
      << error;
  EXPECT_TRUE(store.cdsCustomLabel.IsOpen());
  EXPECT_FALSE(store.cdsContact.IsOpen());
  EXPECT_FALSE(store.cdsGeneral.IsOpen()) << "the tables after the failing one stay closed";
  EXPECT_EQ(NotOpenText(store.cdsContact),
            "The contacts are not available: \"C:\\Labels\\ContactList.cds\" could not be opened");
  EXPECT_EQ(NotOpenText(store.cdsGeneral),
            "The general records are not available: they were not opened because "
            "\"C:\\Labels\\ContactList.cds\" could not be opened");

  // The custom labels still work and are saved; the other two files stay as they were.
  store.cdsCustomLabel.Insert();
  store.cdsCustomLabel.SetText(TemplateName, "Mine");
  store.cdsCustomLabel.Post();
  EXPECT_TRUE(store.SaveChanged(storage).empty());
  EXPECT_EQ(storage.files["ContactList.cds"], damaged);
  EXPECT_EQ(storage.files["GeneralList.cds"], general);
  EXPECT_EQ(storage.saves["CustomLabel.cds"], 1);
}

TEST_F(RecordStoreTest, AFailingFirstTableKeepsAllThreeClosed) {
  storage.files["CustomLabel.cds"] = "";
  RecordStore store(locale);
  EXPECT_EQ(OpenError(store),
            "Could not open \"C:\\Labels\\CustomLabel.cds\": the file is "
            "empty. The file is left as it is");
  EXPECT_FALSE(store.cdsCustomLabel.IsOpen());
  EXPECT_FALSE(store.cdsContact.IsOpen());
  EXPECT_TRUE(store.SaveChanged(storage).empty());
  EXPECT_EQ(storage.files.size(), 1u);
  EXPECT_TRUE(storage.saves.empty());
}

TEST_F(RecordStoreTest, AnUnreadableFileIsReportedWithTheSystemsReason) {
  storage.unreadable.insert("GeneralList.cds");
  RecordStore store(locale);
  EXPECT_EQ(OpenError(store),
            "Could not open \"C:\\Labels\\GeneralList.cds\": Access is "
            "denied. The file is left as it is");
  EXPECT_TRUE(store.cdsContact.IsOpen());
}

TEST_F(RecordStoreTest, AFailedSaveIsReportedAndTheOtherTablesAreStillWritten) {
  RecordStore store(locale);
  store.Open(storage);
  AddContact(store, "Smith");
  store.cdsGeneral.Insert();
  store.cdsGeneral.SetText(General_Field1, "x");
  store.cdsGeneral.Post();
  storage.unwritable.insert("ContactList.cds");
  const auto failures = store.SaveChanged(storage);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0],
            "The contacts could not be saved to \"C:\\Labels\\ContactList.cds\": "
            "The disk is full. The previous file is unchanged");
  EXPECT_EQ(storage.saves["GeneralList.cds"], 1);
  EXPECT_TRUE(store.cdsContact.Changed()) << "still to be saved";
}

TEST_F(RecordStoreTest, TemplatesAreLocatedByExactName) {
  RecordStore store(locale);
  store.Open(storage);
  store.cdsCustomLabel.Insert();
  store.cdsCustomLabel.SetText(TemplateName, "Big labels");
  store.cdsCustomLabel.Post();
  store.LocateTemplate("Big labels");
  try {
    store.LocateTemplate("big labels");
    FAIL();
  } catch (const EError& e) {
    EXPECT_STREQ(e.what(), "Could not find template big labels");
  }
}
