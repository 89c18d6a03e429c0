#include "labels/records/AssignToAll.h"

#include <exception>

void AssignToAll(RecordTable& table, int field, std::string_view text,
                 const std::function<void(const std::string&)>& onError) {
  for (table.First(); !table.Eof(); table.Next()) {
    try {
      table.Edit();
      table.SetText(field, text);
      table.Post();
    } catch (const std::exception& e) {
      table.Cancel();
      onError(e.what());
    }
  }
}
