#include "labels/CustomLabels.h"

#include "labels/RecordList.h"
#include "labels/RowPainter.h"
#include "labels/records/CustomTemplateSlot.h"
#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"

namespace {

constexpr int kMargin = 12, kListTop = LabelForm::kBandHeight + 32, kListWidth = 220;
constexpr int kListHeight = 11 * kRowHeight + 4;  // eleven rows inside the border
constexpr int kButtonLeft = kMargin + kListWidth + 12, kButtonWidth = 88, kButtonHeight = 28;
constexpr int kClientWidth = kButtonLeft + kButtonWidth + kMargin;
constexpr int kClientHeight = kListTop + kListHeight + kMargin + 4;

void ShowFailure(const std::exception& e) { ShowError(WideFromUtf8(WithFullStop(e.what()))); }

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  const std::wstring wa = WideFromBytes(a), wb = WideFromBytes(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(),
                        static_cast<int>(wa.size()), wb.c_str(),
                        static_cast<int>(wb.size())) == CSTR_EQUAL;
}

}  // namespace

void TfrmCustomLabels::Create() {
  LabelForm::Create(FormStyle::DialogWithClient(L"Custom Labels", kClientWidth, kClientHeight));
  SetTitleBand(L"Custom Labels");
  HWND w = Handle();
  lblDefaultLabel.Create(w, L"Default Label", kMargin, kListTop - 22, kListWidth, 18);
  lstCustomLabels.Create(w, kMargin, kListTop, kListWidth, kListHeight, true);
  lstCustomLabels.SetItemHeight(kRowHeight);
  lstCustomLabels.SetHint(L"Double-Click to edit Custom Label");
  lstCustomLabels.OnDrawItem = [this](const DRAWITEMSTRUCT& item) { DrawItem(item); };
  lstCustomLabels.OnDblClick = [this] { lstCustomLabelsDblClick(); };
  lstCustomLabels.SetMessageHook([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return ListHook(msg, wp, lp, result);
  });

  btnAdd.Create(w, L"Add", kButtonLeft, kListTop, kButtonWidth, kButtonHeight);
  btnAdd.SetHint(L"Add Custom Label");
  btnDelete.Create(w, L"Delete", kButtonLeft, kListTop + kButtonHeight + 8, kButtonWidth,
                   kButtonHeight);
  btnDelete.SetHint(L"Delete Custom Label");
  btnClose.Create(w, L"Close", kButtonLeft, kListTop + kListHeight - kButtonHeight, kButtonWidth,
                  kButtonHeight);
  btnAdd.OnClick = [this] { btnAddClick(); };
  btnDelete.OnClick = [this] { btnDeleteClick(); };
  btnClose.OnClick = [this] { btnCloseClick(); };
  SetCancelButton(&btnClose);
  SetFirstFocus(&lstCustomLabels);
  btnDelete.SetEnabled(false);
}

std::string& TfrmCustomLabels::ModeDefault() {
  return ModeDefaultName(host_.SettingsRecord(), host_.Mode());
}

void TfrmCustomLabels::Refill() {
  RecordTable& table = host_.Store().cdsCustomLabel;
  lstCustomLabels.Clear();
  for (table.First(); !table.Eof(); table.Next())
    lstCustomLabels.Add(WideFromBytes(table.AsText(TemplateName)));
  // With nothing to delete the button would do nothing.
  btnDelete.SetEnabled(Count() > 0);
}

int TfrmCustomLabels::Count() const { return lstCustomLabels.Count(); }

std::string TfrmCustomLabels::ItemName(int index) const {
  return BytesFromWide(lstCustomLabels.ItemText(index));
}

int TfrmCustomLabels::MarkedIndex() const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (lstCustomLabels.CallOriginal(LB_GETITEMDATA, static_cast<WPARAM>(i)) == 1) return i;
  return -1;
}

void TfrmCustomLabels::SetMarked(int index) {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    lstCustomLabels.CallOriginal(LB_SETITEMDATA, static_cast<WPARAM>(i), i == index ? 1 : 0);
  lstCustomLabels.Invalidate();
}

void TfrmCustomLabels::MarkName(const std::string& name) {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    if (SameNameIgnoringCase(ItemName(i), name)) {
      SetMarked(i);
      return;
    }
  }
}

std::string TfrmCustomLabels::MarkedName() const {
  const int marked = MarkedIndex();
  return marked < 0 ? std::string() : ItemName(marked);
}

void TfrmCustomLabels::LoadSlot(const std::string& name) {
  RecordStore& store = host_.Store();
  store.LocateTemplate(name);
  LoadCustomSlot(host_.Templates(), store.cdsCustomLabel);
}

void TfrmCustomLabels::ApplyDefault(const std::string& name) {
  if (name.empty()) return;
  MarkName(name);
  LoadSlot(name);
}

void TfrmCustomLabels::CreateSlot() {
  CreateCustomSlot(host_.Templates(), host_.Store(), ModeDefault());
}

void TfrmCustomLabels::ClearSlot() {
  ClearCustomSlot(host_.Templates());
  host_.ClearPreview();
}

void TfrmCustomLabels::lstCustomLabelsClickMark(int index) {
  if (index < 0 || index >= Count()) return;
  SetMarked(index);
  try {
    ModeDefault() = ItemName(index);
    LoadSlot(ModeDefault());
  } catch (const std::exception& e) {
    ShowFailure(e);
  }
}

void TfrmCustomLabels::ShowEditForm(const std::wstring& caption, bool adding) {
  editForm_.SetCaption(caption);
  if (editForm_.ShowModal() != mrOk) return;
  Refill();
  if (Count() == 1) {
    ModeDefault() = ItemName(0);
    SetMarked(0);
  } else {
    MarkName(ModeDefault());
  }
  if (adding && Count() == 1) CreateSlot();
}

void TfrmCustomLabels::lstCustomLabelsDblClick() {
  try {
    const int selected = lstCustomLabels.SelectedIndex();
    if (selected < 0) throw EError("Please select a Custom Label to Edit");
    host_.Store().LocateTemplate(ItemName(selected));
    host_.Store().cdsCustomLabel.Edit();
    ShowEditForm(L"Edit Custom Label", false);
  } catch (const std::exception& e) {
    ShowFailure(e);
  }
}

void TfrmCustomLabels::btnAddClick() {
  try {
    host_.Store().cdsCustomLabel.Insert();
    if (Count() == 0) {
      // A first sheet starts both modes afresh.
      host_.SettingsRecord().LabelNameAddress.clear();
      host_.SettingsRecord().LabelNameGeneral.clear();
    }
    ShowEditForm(L"Add Custom Label", true);
  } catch (const std::exception& e) {
    ShowFailure(e);
  }
}

void TfrmCustomLabels::btnDeleteClick() {
  if (Count() == 0) return;
  const int selected = lstCustomLabels.SelectedIndex();
  if (selected < 0) {
    ShowInformation(L"Please select a Custom Label to Delete.");
    return;
  }
  if (!ConfirmYesNo(L"Delete selected Custom Label?")) return;
  try {
    const std::string name = ItemName(selected);
    RecordStore& store = host_.Store();
    store.LocateTemplate(name);
    store.cdsCustomLabel.Delete();
    TLabelSettings& settings = host_.SettingsRecord();
    for (std::string* modeDefault : {&settings.LabelNameAddress, &settings.LabelNameGeneral})
      if (SameNameIgnoringCase(*modeDefault, name)) modeDefault->clear();
    Refill();
    if (Count() == 0) {
      ClearSlot();
    } else if (!ModeDefault().empty()) {
      if (Count() == 1)
        SetMarked(0);
      else
        MarkName(ModeDefault());
    }
  } catch (const std::exception& e) {
    ShowFailure(e);
  }
}

void TfrmCustomLabels::btnCloseClick() {
  if (Count() == 0) {
    SetModalResult(mrOk);
    return;
  }
  if (MarkedIndex() < 0) {
    ShowInformation(L"Please select a Default Label.");
    return;
  }
  try {
    host_.ApplyLabelType();
    ModeDefault() = MarkedName();
    LoadSlot(ModeDefault());
    host_.BuildPages();
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  SetModalResult(mrOk);
}

bool TfrmCustomLabels::FormCloseQuery() {
  // The close box and Escape close as "Close" does, so the slot always follows the mark.
  btnCloseClick();
  return false;
}

bool TfrmCustomLabels::ListHook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return HandleMarkColumn(lstCustomLabels, kMarkWidth, msg, wp, lp, result,
                          [this](int index) { lstCustomLabelsClickMark(index); });
}

void TfrmCustomLabels::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  RECT mark = item.rcItem;
  mark.right = mark.left + kMarkWidth;
  PaintCheckMark(item.hDC, mark, item.itemData == 1, DFCS_BUTTONRADIO);
  RECT rest = item.rcItem;
  rest.left = mark.right;
  // Names are short: a narrower inset than the main list's, and the end cut off.
  PaintRow(item.hDC, rest, lstCustomLabels.ItemText(static_cast<int>(item.itemID)),
           (item.itemState & ODS_SELECTED) != 0, 3, DT_END_ELLIPSIS);
}
