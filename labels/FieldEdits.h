#pragma once
// Text boxes bound to fields of a table's current record: showing the form fills them from
// the record, and typing writes straight into the record being edited or inserted.
#include <initializer_list>
#include <vector>

#include "labels/records/RecordTable.h"
#include "platform/Controls.h"

// One row of a record form: a caption at the left, its text box, the field it edits.
struct FieldRow {
  Label& label;
  Edit& edit;
  const wchar_t* caption;
  int field;
};

struct FieldRowLayout {
  int labelLeft;
  int editLeft;
  int editWidth;
  int firstTop;
  int step;
};

class FieldEdits {
 public:
  explicit FieldEdits(RecordTable& table) : table_(table) {}
  // Limits the box to the field's length and routes its changes to the field.
  void Bind(Edit& edit, int field);
  // Creates the rows top to bottom (which is also the Tab order) and binds their boxes;
  // returns the top of the row that would come next.
  int CreateRows(HWND parent, std::initializer_list<FieldRow> rows, const FieldRowLayout& layout);
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
