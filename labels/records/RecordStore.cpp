#include "labels/records/RecordStore.h"

#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"
#include "platform/Error.h"

RecordStore::RecordStore(const TextLocale& locale)
    : cdsCustomLabel(CustomLabelSchema(), locale),
      cdsContact(ContactSchema(), locale),
      cdsGeneral(GeneralSchema(), locale),
      locale_(locale) {}

std::vector<RecordStore::Slot> RecordStore::Slots() {
  return {{&cdsCustomLabel, kCustomLabelFile, ""},
          {&cdsContact, kContactFile, "Contact_Surname"},
          {&cdsGeneral, kGeneralFile, "General_Field1"}};
}

void RecordStore::Open(TableStorage& storage) {
  const std::vector<Slot> slots = Slots();
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& slot = slots[i];
    const std::string file = storage.Describe(slot.fileName);
    try {
      const std::optional<std::string> bytes = storage.Load(slot.fileName);
      if (bytes)
        slot.table->Open(DecodeTable(slot.table->Schema(), *bytes));
      else
        slot.table->OpenEmpty();
      slot.table->SetOrder(slot.firstOrder);
    } catch (const std::exception& e) {
      const std::string reason = "\"" + file + "\" could not be opened";
      slot.table->SetNotOpenText("The " + slot.table->Schema().recordsText +
                                 " are not available: " + reason);
      for (std::size_t later = i + 1; later < slots.size(); ++later)
        slots[later].table->SetNotOpenText("The " + slots[later].table->Schema().recordsText +
                                           " are not available: they were not opened because " +
                                           reason);
      throw EError("Could not open \"" + file + "\": " + e.what() + ". The file is left as it is");
    }
  }
}

std::vector<std::string> RecordStore::SaveChanged(TableStorage& storage) {
  std::vector<std::string> failures;
  for (const Slot& slot : Slots()) {
    RecordTable& table = *slot.table;
    if (!table.IsOpen() || !table.Changed()) continue;
    try {
      storage.Save(slot.fileName, EncodeTable(table.Schema(), table.Content()));
      table.MarkSaved();
    } catch (const std::exception& e) {
      failures.push_back("The " + table.Schema().recordsText + " could not be saved to \"" +
                         storage.Describe(slot.fileName) + "\": " + e.what() +
                         ". The previous file is unchanged");
    }
  }
  return failures;
}

void RecordStore::LocateTemplate(const std::string& name) {
  if (!cdsCustomLabel.LocateText(TemplateName, name))
    throw EError("Could not find template " + locale_.ToUtf8(name));
}
