#pragma once
// TfrmCustomLabels: the list of the user's custom label sheets, each with a radio mark for the
// default sheet of the current printing mode, and the commands that add, edit and delete
// them. It also keeps the custom template slot of the print window's label sheet component
// in step with the chosen sheet. Names are text in the system code page, as in the table.
#include <string>

#include "labels/AECustomLabel.h"
#include "labels/CustomLabelHost.h"
#include "labels/LabelControls.h"
#include "labels/LabelForm.h"

class TfrmCustomLabels : public LabelForm {
 public:
  TfrmCustomLabels(CustomLabelHost& host, TfrmAECustomLabel& editForm)
      : host_(host), editForm_(editForm) {}
  void Create();

  // Fills the list from the custom label table, in table order; no item is marked.
  void Refill();
  // Marks the first item equal to the name without regard to case (nothing else happens).
  void MarkName(const std::string& name);
  // The marked item's name, empty when none is marked.
  std::string MarkedName() const;
  int Count() const;
  // Empty: nothing. Otherwise marks the name, locates that sheet and loads it into the slot;
  // a name missing from the table throws "Could not find template <name>".
  void ApplyDefault(const std::string& name);
  // Appends a new slot from the current mode's default (or the table's current record).
  void CreateSlot();
  // Empties the slot, then the print window's preview.
  void ClearSlot();

  TLabelText lblDefaultLabel;
  ListBox lstCustomLabels;
  TLabelButton btnAdd, btnDelete, btnClose;

  void btnAddClick();
  void btnDeleteClick();
  void btnCloseClick();
  void lstCustomLabelsDblClick();
  // A click on an item's radio mark (or Space on the selected item).
  void lstCustomLabelsClickMark(int index);

 protected:
  bool FormCloseQuery() override;

 private:
  static constexpr int kMarkWidth = 20;  // the radio mark column at the left of each item

  std::string& ModeDefault();
  int MarkedIndex() const;
  void SetMarked(int index);  // -1: none
  std::string ItemName(int index) const;
  // Shows the edit form for the table's current record (being inserted or edited); when it
  // saved, refills and marks the mode's default.
  void ShowEditForm(const std::wstring& caption, bool adding);
  // Locates the named sheet and loads it into the slot.
  void LoadSlot(const std::string& name);
  bool ListHook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void DrawItem(const DRAWITEMSTRUCT& item);

  CustomLabelHost& host_;
  TfrmAECustomLabel& editForm_;
};
