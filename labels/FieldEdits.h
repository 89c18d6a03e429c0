#pragma once
// Text boxes bound to fields of a table's current record: showing the form fills them from
// the record, and typing writes straight into the record being edited or inserted.
#include "labels/RecordTable.h"
#include "platform/Controls.h"

#include <vector>

class FieldEdits {
public:
    explicit FieldEdits(RecordTable& table) : table_(table) {}
    // Limits the box to the field's length and routes its changes to the field.
    void Bind(Edit& edit, int field);
    // Fills every box from the current record (no writes back while doing so).
    void Load();
    RecordTable& Table() { return table_; }

private:
    struct Binding {
        Edit* edit;
        int field;
    };
    RecordTable& table_;
    std::vector<Binding> bindings_;
    bool loading_ = false;
};
