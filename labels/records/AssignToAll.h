#pragma once
// Gives one field of every record of a table the same text, as the general form's
// "Apply Image Path To All Records" does.
#include <functional>
#include <string>
#include <string_view>

#include "labels/records/RecordTable.h"

// Walks the table from its first record in its current order: edit, assign, store. A record
// that fails is passed to onError with the failure's text, its change is cancelled and the
// walk goes on.
void AssignToAll(RecordTable& table, int field, std::string_view text,
                 const std::function<void(const std::string&)>& onError);
