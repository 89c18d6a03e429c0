#include "labels/FieldEdits.h"

#include "platform/CodePage.h"

void FieldEdits::Bind(Edit& edit, int field) {
  const FieldDef& def = table_.Schema().fields.at(static_cast<std::size_t>(field));
  if (def.type == FieldType::Text) edit.SetMaxLength(def.maxLength);
  bindings_.push_back({&edit, field});
  edit.OnChange = [this, &edit, field] {
    if (!loading_ && table_.IsOpen() && table_.State() != TableState::Browse)
      table_.SetText(field, BytesFromWide(edit.Text()));
  };
}

int FieldEdits::CreateRows(HWND parent, std::initializer_list<FieldRow> rows,
                           const FieldRowLayout& layout) {
  int top = layout.firstTop;
  for (const FieldRow& row : rows) {
    row.label.Create(parent, row.caption, layout.labelLeft, top + 3,
                     layout.editLeft - layout.labelLeft - 8, 18);
    row.edit.Create(parent, layout.editLeft, top, layout.editWidth, 23);
    Bind(row.edit, row.field);
    top += layout.step;
  }
  return top;
}

void FieldEdits::Load() {
  struct Loading {
    bool& flag;
    explicit Loading(bool& f) : flag(f) { flag = true; }
    ~Loading() { flag = false; }
  } loading(loading_);
  for (const Binding& b : bindings_) b.edit->SetText(WideFromBytes(table_.AsText(b.field)));
}
