#pragma once
// The label program's three tables and their life: opened together at start (custom labels,
// contacts, general), written back at the end when they changed. A table that could not be
// opened, or was not opened because an earlier one failed, is never written, so the file
// the user may want to recover stays as it was.
#include <string>
#include <vector>

#include "labels/records/RecordTable.h"
#include "labels/records/TableStorage.h"
#include "labels/records/TextLocale.h"

class RecordStore {
 public:
  explicit RecordStore(const TextLocale& locale);

  RecordTable cdsCustomLabel;
  RecordTable cdsContact;
  RecordTable cdsGeneral;

  // Opens the tables in order; a missing file gives an empty table. The first failure
  // stops the opening and is thrown (EError naming the file); the later tables stay closed.
  void Open(TableStorage& storage);
  // Writes each open table that changed. Returns one text per table that could not be
  // written (the other tables are still written).
  std::vector<std::string> SaveChanged(TableStorage& storage);

  // Locates a custom template by its exact name; "Could not find template <name>".
  void LocateTemplate(const std::string& name);

 private:
  struct Slot {
    RecordTable* table;
    const char* fileName;
    const char* firstOrder;
  };
  std::vector<Slot> Slots();
  const TextLocale& locale_;
};
