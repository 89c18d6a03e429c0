// The table at the heart of the label program: numbering, text fields, orders, the number
// filter, the edit cycle and the cursor, including the bookkeeping that keeps large tables
// fast (lazy sorting, dead rows compacted away).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "labels/records/AssignToAll.h"
#include "labels/records/RecordTable.h"
#include "labels/records/TableSchemas.h"
#include "platform/Error.h"

namespace {

class RecordTableTest : public testing::Test {
 protected:
  RecordTableTest() { contacts.OpenEmpty(); }

  std::int32_t AddContact(const std::string& surname, const std::string& name = "",
                          const std::string& title = "") {
    contacts.Insert();
    contacts.SetText(Contact_Surname, surname);
    contacts.SetText(Contact_Name, name);
    contacts.SetText(Contact_Title, title);
    contacts.Post();
    return contacts.Number();
  }

  // Numbers in walking order.
  std::vector<std::int32_t> Walk(RecordTable& t) {
    std::vector<std::int32_t> seen;
    for (t.First(); !t.Eof(); t.Next()) seen.push_back(t.Number());
    return seen;
  }

  PlainTextLocale locale;
  RecordTable contacts{ContactSchema(), locale};
};

using Numbers = std::vector<std::int32_t>;

}  // namespace

TEST_F(RecordTableTest, NumbersStartAtOneAndAreNeverHandedOutTwice) {
  EXPECT_TRUE(contacts.IsEmpty());
  EXPECT_EQ(AddContact("Smith"), 1);
  EXPECT_EQ(AddContact("Jones"), 2);
  EXPECT_EQ(AddContact("Brown"), 3);
  contacts.LocateNumber(3);
  contacts.Delete();
  EXPECT_EQ(AddContact("Green"), 4);

  // A cancelled insert does not use up a number.
  contacts.Insert();
  contacts.SetText(Contact_Surname, "Dropped");
  contacts.Cancel();
  EXPECT_EQ(AddContact("White"), 5);
  EXPECT_EQ(contacts.Content().nextNumber, 6);
}

TEST_F(RecordTableTest, TextIsCutToTheFieldLengthAndEmptyTextIsNull) {
  contacts.Insert();
  contacts.SetText(Contact_Title, std::string(25, 'T'));
  contacts.SetText(Contact_Address3, "Llanfairpwllgwyngyllgogerych");  // 28, city holds 20
  contacts.SetText(Contact_Address2, "SW1A 1AA");
  contacts.SetText(Contact_Surname, "x");
  contacts.SetText(Contact_Surname, "");
  contacts.Post();
  EXPECT_EQ(contacts.AsText(Contact_Title), std::string(20, 'T'));
  EXPECT_EQ(contacts.AsText(Contact_Address3), "Llanfairpwllgwyngyll");
  EXPECT_EQ(contacts.AsText(Contact_Address2), "SW1A 1AA");
  EXPECT_TRUE(contacts.IsNull(Contact_Surname));
  EXPECT_EQ(contacts.AsText(Contact_Surname), "");
  EXPECT_TRUE(contacts.IsNull(Contact_Address4));
}

TEST_F(RecordTableTest, TheRecordNumberCannotBeAssigned) {
  contacts.Insert();
  EXPECT_THROW(contacts.SetText(Contact_Number, "7"), EError);
  contacts.Cancel();
}

TEST_F(RecordTableTest, LocatingAMissingNumberFailsWithItsTextAndLeavesTheCursor) {
  AddContact("Smith");
  AddContact("Jones");
  contacts.LocateNumber(1);
  try {
    contacts.LocateNumber(99);
    FAIL() << "located a missing contact";
  } catch (const EError& e) {
    EXPECT_STREQ(e.what(), "Contact number 99 not found.");
  }
  EXPECT_EQ(contacts.Number(), 1);

  PlainTextLocale l;
  RecordTable general(GeneralSchema(), l);
  general.OpenEmpty();
  try {
    general.LocateNumber(12);
    FAIL();
  } catch (const EError& e) {
    EXPECT_STREQ(e.what(), "General number 12 not found.");
  }
}

TEST_F(RecordTableTest, SurnameOrderIgnoresCaseAndBreaksTiesByNumber) {
  AddContact("smith");  // 1
  AddContact("Adams");  // 2
  AddContact("SMITH");  // 3
  AddContact("");       // 4: no surname sorts first
  AddContact("Smith");  // 5
  AddContact("baker");  // 6
  contacts.SetOrder("Contact_Surname");
  EXPECT_EQ(Walk(contacts), (Numbers{4, 2, 6, 1, 3, 5}));
  contacts.SetOrder("Contact_Number");
  EXPECT_EQ(Walk(contacts), (Numbers{1, 2, 3, 4, 5, 6}));
}

TEST_F(RecordTableTest, NewAndEditedRecordsTakeTheirPlaceInTheOrder) {
  contacts.SetOrder("Contact_Surname");
  AddContact("Miller");  // 1
  AddContact("Zhang");   // 2
  AddContact("Brown");   // 3
  EXPECT_EQ(Walk(contacts), (Numbers{3, 1, 2}));

  contacts.LocateNumber(2);
  contacts.Edit();
  contacts.SetText(Contact_Surname, "Abbott");
  contacts.Post();
  EXPECT_EQ(contacts.Number(), 2) << "the cursor stays on the stored record";
  // Walking on from the record goes on in the new order.
  contacts.Next();
  EXPECT_EQ(contacts.Number(), 3);
  EXPECT_EQ(Walk(contacts), (Numbers{2, 3, 1}));
}

TEST_F(RecordTableTest, TheNumberFilterVisitsOnlyItsRecordsInTheTableOrder) {
  for (const char* s : {"E", "D", "C", "B", "A", "F"})
    AddContact(s);  // numbers 1..6; surname order 5,4,3,2,1,6
  contacts.SetOrder("Contact_Number");
  contacts.SetFilter("Contact_Number IN(5,2)");
  EXPECT_EQ(Walk(contacts), (Numbers{2, 5}));
  EXPECT_EQ(contacts.RecordCount(), 2);

  contacts.SetOrder("Contact_Surname");
  EXPECT_EQ(Walk(contacts), (Numbers{5, 2}));

  // A filtered-out record cannot be located; a number that does not exist is ignored.
  EXPECT_THROW(contacts.LocateNumber(3), EError);
  contacts.SetFilter("Contact_Number IN(3,7,12)");
  EXPECT_EQ(Walk(contacts), (Numbers{3}));

  contacts.ClearFilter();
  EXPECT_EQ(contacts.RecordCount(), 6);
  EXPECT_THROW(contacts.SetFilter("General_No IN(1)"), EError);
  EXPECT_THROW(contacts.SetFilter("Contact_Surname = 'A'"), EError);
}

TEST_F(RecordTableTest, CancelDropsTheChangesOfAnEditOrAnInsert) {
  AddContact("Smith", "John", "Mr");
  contacts.Edit();
  contacts.SetText(Contact_Surname, "Changed");
  EXPECT_EQ(contacts.AsText(Contact_Surname), "Changed") << "typing changes the record";
  contacts.Cancel();
  EXPECT_EQ(contacts.AsText(Contact_Surname), "Smith");
  contacts.Insert();
  contacts.Cancel();
  EXPECT_EQ(contacts.RecordCount(), 1);
  EXPECT_EQ(contacts.AsText(Contact_Surname), "Smith");
}

TEST_F(RecordTableTest, WalkingOrLocatingWhileARecordIsBeingEditedIsRefused) {
  AddContact("Smith");
  contacts.Insert();
  EXPECT_THROW(contacts.First(), EError);
  EXPECT_THROW(contacts.LocateNumber(1), EError);
  EXPECT_THROW(contacts.Delete(), EError);
  contacts.Cancel();
  EXPECT_THROW(contacts.SetText(Contact_Surname, "x"), EError) << "not in edit state";
  EXPECT_THROW(contacts.Post(), EError);
}

TEST_F(RecordTableTest, DeletingMovesToTheNextRecordOrTheLastOne) {
  AddContact("A");
  AddContact("B");
  AddContact("C");
  contacts.SetOrder("Contact_Number");
  contacts.LocateNumber(2);
  contacts.Delete();
  EXPECT_EQ(contacts.Number(), 3);
  contacts.Delete();
  EXPECT_EQ(contacts.Number(), 1);
  EXPECT_FALSE(contacts.Eof());
  contacts.Delete();
  EXPECT_TRUE(contacts.IsEmpty());
  EXPECT_TRUE(contacts.Eof());
  EXPECT_THROW(contacts.Delete(), EError);
  EXPECT_THROW(contacts.Edit(), EError);
}

TEST_F(RecordTableTest, ManyDeletionsAndLaterInsertsKeepTheOrderRight) {
  contacts.SetOrder("Contact_Surname");
  for (int i = 0; i < 300; ++i)
    AddContact("S" + std::to_string(1000 - i));  // surname order is reverse number order
  for (int n = 1; n <= 300; ++n)
    if (n % 3 != 0) {
      contacts.LocateNumber(n);
      contacts.Delete();
    }
  // Walking on from a located record, and deleting, still follow the order.
  contacts.LocateNumber(150);
  contacts.Next();
  EXPECT_EQ(contacts.Number(), 147);
  contacts.Delete();
  EXPECT_EQ(contacts.Number(), 144);
  contacts.LocateNumber(3);
  contacts.Delete();
  EXPECT_EQ(contacts.Number(), 6) << "deleting the last record moves to the one before";
  AddContact("S0000");  // 301 sorts first
  Numbers expected{301};
  for (int n = 300; n >= 6; n -= 3)
    if (n != 147) expected.push_back(n);
  EXPECT_EQ(Walk(contacts), expected);
  EXPECT_EQ(contacts.Content().records.size(), 99u);

  contacts.SetOrder("Contact_Number");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Walk(contacts), expected);
}

TEST_F(RecordTableTest, ChangedOnlyWhenSomethingWasStoredOrDeleted) {
  EXPECT_FALSE(contacts.Changed());
  AddContact("Smith");
  EXPECT_TRUE(contacts.Changed());
  contacts.MarkSaved();
  contacts.Edit();
  contacts.SetText(Contact_Surname, "Smith");  // the same value
  contacts.Post();
  EXPECT_FALSE(contacts.Changed());
  contacts.Edit();
  contacts.SetText(Contact_Name, "Ann");
  contacts.Cancel();
  EXPECT_FALSE(contacts.Changed());
  contacts.Delete();
  EXPECT_TRUE(contacts.Changed());
}

TEST_F(RecordTableTest, ATableThatIsNotOpenRefusesEverythingWithItsText) {
  RecordTable closed(GeneralSchema(), locale);
  closed.SetNotOpenText("The general records are not available");
  for (auto op : std::initializer_list<void (*)(RecordTable&)>{
           [](RecordTable& t) { t.First(); }, [](RecordTable& t) { t.Insert(); },
           [](RecordTable& t) { (void)t.IsEmpty(); }, [](RecordTable& t) { t.LocateNumber(1); },
           [](RecordTable& t) { (void)t.Content(); }}) {
    try {
      op(closed);
      ADD_FAILURE() << "a closed table did something";
    } catch (const EError& e) {
      EXPECT_STREQ(e.what(), "The general records are not available");
    }
  }
}

TEST_F(RecordTableTest, CustomLabelsKeepInsertionOrderAndTakeNumbersAsText) {
  RecordTable custom(CustomLabelSchema(), locale);
  custom.OpenEmpty();
  for (const char* name : {"Zeta", "alpha", "Zeta"}) {
    custom.Insert();
    custom.SetText(TemplateName, name);
    custom.SetText(NumHorz, " 3 ");
    custom.SetText(LabelWidth, "63.5");
    custom.Post();
  }
  custom.First();
  EXPECT_EQ(custom.AsText(TemplateName), "Zeta");
  custom.Next();
  EXPECT_EQ(custom.AsText(TemplateName), "alpha");
  EXPECT_EQ(custom.AsInteger(NumHorz), 3);
  EXPECT_DOUBLE_EQ(custom.AsFloat(LabelWidth), 63.5);
  EXPECT_EQ(custom.AsText(LabelWidth), "63.5");
  EXPECT_TRUE(custom.IsNull(NumVert));

  EXPECT_FALSE(custom.LocateText(TemplateName, "ALPHA")) << "the name match is exact";
  EXPECT_EQ(custom.AsText(TemplateName), "alpha") << "a failed locate moves nothing";

  custom.Edit();
  EXPECT_THROW(custom.SetText(NumVert, "two"), EError);
  EXPECT_THROW(custom.SetText(NumVert, "99999999999"), EError);
  EXPECT_THROW(custom.SetText(OffsetX, "1.5mm"), EError);
  custom.SetText(NumVert, "");
  EXPECT_TRUE(custom.IsNull(NumVert));
  custom.Cancel();
}

TEST_F(RecordTableTest, AssigningToAllRecordsReportsFailuresAndGoesOn) {
  PlainTextLocale l;
  RecordTable general(GeneralSchema(), l);
  general.OpenEmpty();
  for (const char* f : {"b", "a", "c"}) {
    general.Insert();
    general.SetText(General_Field1, f);
    general.SetText(General_Field6, "C:\\old.bmp");
    general.Post();
  }
  std::vector<std::string> errors;
  const auto collect = [&](const std::string& e) { errors.push_back(e); };
  AssignToAll(general, General_Field6, "", collect);
  EXPECT_TRUE(errors.empty());
  for (general.First(); !general.Eof(); general.Next()) EXPECT_TRUE(general.IsNull(General_Field6));

  RecordTable custom(CustomLabelSchema(), l);
  custom.OpenEmpty();
  for (int i = 0; i < 2; ++i) {
    custom.Insert();
    custom.SetText(NumHorz, "2");
    custom.Post();
  }
  AssignToAll(custom, NumHorz, "many", collect);
  EXPECT_EQ(errors.size(), 2u) << "each failing record is reported, the walk goes on";
  EXPECT_EQ(custom.State(), TableState::Browse);
  custom.First();
  EXPECT_EQ(custom.AsInteger(NumHorz), 2);
}
