// The Custom Labels window and the custom label form, as real windows over a real record store
// and template list: what Save refuses and in which order, how adding, marking, deleting and
// closing move the per-mode defaults and the custom template slot, and the help text.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "labels/CustomLabels.h"
#include "labels/RowPainter.h"
#include "labels/records/CustomTemplateSlot.h"
#include "labels/records/TableSchemas.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

class FakeHost final : public CustomLabelHost {
 public:
  FakeHost() { store.cdsCustomLabel.OpenEmpty(); }
  PrintMode Mode() const override { return mode; }
  TLabelSettings& SettingsRecord() override { return settings; }
  RecordStore& Store() override { return store; }
  TVpLabelTemplateList& Templates() override { return templates; }
  void ClearPreview() override { calls.push_back("ClearPreview"); }
  void ApplyLabelType() override { calls.push_back("ApplyLabelType"); }
  void BuildPages() override {
    // The pages are built from the slot as it is by then.
    const TVpLabelTemplateInfo* slot = templates.FindByName(kCustomSlotName);
    calls.push_back("BuildPages " + (slot ? std::to_string(slot->Across()) : "-"));
  }

  PrintMode mode = PrintMode::Address;
  TLabelSettings settings;
  PlainTextLocale locale;
  RecordStore store{locale};
  TVpLabelTemplateList templates;
  std::vector<std::string> calls;
};

// The form's boxes in their order on the form, with a valid value each.
using Entries = std::vector<std::pair<Control*, std::wstring>>;
Entries ValidEntries(TfrmAECustomLabel& f, const std::wstring& name) {
  return {{&f.edtTemplateName, name},
          {&f.edtNumHorz, L"2"},
          {&f.edtNumVert, L"7"},
          {&f.edtLabelWidth, L"63.5"},
          {&f.edtLabelHeight, L"38.1"},
          {&f.edtSpacingHorz, L"66"},
          {&f.edtSpacingVert, L"38.1"},
          {&f.edtOffsetX, L"7"},
          {&f.edtOffsetY, L"15"},
          {&f.cboPageOrientation, L"Portrait"},
          {&f.cboPaperSize, L"A4"},
          {&f.cboLabelShape, L"Label Round Rectangle"},
          {&f.cboCornerRadius, L"Default in Millimeters"},
          {&f.cboMeasurement, L"Millimeters"}};
}

bool HasFocus(const Control& c) {
  HWND focus = GetFocus();
  return focus && (focus == c.Handle() || IsChild(c.Handle(), focus));
}

class CustomLabelsTest : public testing::Test {
 protected:
  CustomLabelsTest() {
    edit.Create();
    list.Create();
  }

  void AddSheet(const std::string& name, int across) {
    RecordTable& t = host.store.cdsCustomLabel;
    t.Insert();
    const std::map<int, std::string> fields{
        {TemplateName, name},   {NumHorz, std::to_string(across)},
        {NumVert, "8"},         {LabelWidth, "2.5"},
        {LabelHeight, "1.5"},   {SpacingHorz, "2.6"},
        {SpacingVert, "1.5"},   {OffsetX, "0.2"},
        {OffsetY, "0.5"},       {PaperSize, "A4"},
        {Measurement, "Inches"}};
    for (const auto& [field, text] : fields) t.SetText(field, text);
    t.Post();
  }
  const TVpLabelTemplateInfo* Slot() { return host.templates.FindByName(kCustomSlotName); }
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.lstCustomLabels.ItemText(i));
    return names;
  }
  // Clicks an item's radio mark as the mouse does.
  void ClickMark(int index) {
    SendMessageW(list.lstCustomLabels.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(6, index * kRowHeight + 10));
  }

  ScriptedDialogs dialogs;
  ModalScript modals;
  FakeHost host;
  TfrmAECustomLabel edit{host.store.cdsCustomLabel};
  TfrmCustomLabels list{host, edit};
};

TEST_F(CustomLabelsTest, SaveNamesTheFirstEmptyBoxThenRefusesBadNumbersKeepingTheRecord) {
  const wchar_t* const messages[] = {L"Please enter Label Name.",
                                     L"Please enter Number of Labels Horizontally.",
                                     L"Please enter Number of Labels Vertically.",
                                     L"Please enter Label Width.",
                                     L"Please enter Label Height.",
                                     L"Please enter Label Spacing Horizontally.",
                                     L"Please enter Label Spacing Vertically.",
                                     L"Please enter Label Offset X.",
                                     L"Please enter Label Offset Y.",
                                     L"Please select Paper Orientation.",
                                     L"Please select Paper Size.",
                                     L"Please select Label Shape.",
                                     L"Please select Default Label Corner Radius.",
                                     L"Please select Label Measurement."};
  modals.Then<TfrmAECustomLabel>([&](TfrmAECustomLabel& f) {
    const Entries entries = ValidEntries(f, L"Mine");
    // From all empty, each Save names the topmost empty box; filling it moves on to the next.
    for (std::size_t i = 0; i < entries.size(); ++i) {
      SCOPED_TRACE(Narrow(messages[i]));
      dialogs.Answer(DialogAnswer::Ok);
      f.btnSave.Click();
      ASSERT_EQ(dialogs.Last().kind, DialogKind::Information);
      EXPECT_EQ(dialogs.Last().text, messages[i]);
      EXPECT_TRUE(HasFocus(*entries[i].first));
      entries[i].first->SetText(entries[i].second);
    }
    // Every box but Corner Radius.
    f.cboCornerRadius.SetText(L"");
    dialogs.Answer(DialogAnswer::Ok);
    f.btnSave.Click();
    EXPECT_EQ(dialogs.Last().text, L"Please select Default Label Corner Radius.");
    EXPECT_TRUE(HasFocus(f.cboCornerRadius));
    f.cboCornerRadius.SetText(L"Default in Millimeters");

    struct Bad {
      Control& box;
      const wchar_t* text;
      DialogKind kind;
      const wchar_t* message;
    } const bad[] = {
        {f.edtNumVert, L"seven", DialogKind::Error,
         L"'seven' is not a valid integer value for field 'NumVert'."},
        {f.edtNumHorz, L"0", DialogKind::Information,
         L"Number of Labels Horizontally must be between 1 and 1000."},
        {f.edtLabelWidth, L"-63.5", DialogKind::Information,
         L"Label Width must be greater than 0 and at most 10000 millimeters."},
        {f.edtOffsetY, L"nan", DialogKind::Information,
         L"Offset Y must be between 0 and 10000 millimeters."},
    };
    for (const Bad& b : bad) {
      const std::wstring good = b.box.Text();
      b.box.SetText(b.text);
      dialogs.Answer(DialogAnswer::Ok);
      f.btnSave.Click();
      EXPECT_EQ(dialogs.Last().kind, b.kind);
      EXPECT_EQ(dialogs.Last().text, b.message);
      EXPECT_TRUE(HasFocus(b.box)) << Narrow(b.message);
      EXPECT_EQ(f.ModalResult(), mrNone) << "the form stays open";
      EXPECT_EQ(host.store.cdsCustomLabel.State(), TableState::Insert);
      b.box.SetText(good);
    }
    EXPECT_EQ(host.store.cdsCustomLabel.RecordCount(), 0) << "nothing stored yet";
    f.btnSave.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  list.btnAddClick();
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"Mine"});
  EXPECT_EQ(dialogs.Pending(), 0u);
}

TEST_F(CustomLabelsTest, TheFirstSheetAddedBecomesTheModesDefaultAndFillsANewSlot) {
  host.settings.LabelNameAddress = "Gone";
  host.settings.LabelNameGeneral = "Gone too";
  const int builtIn = host.templates.Count();
  modals.Then<TfrmAECustomLabel>([&](TfrmAECustomLabel& f) {
    EXPECT_TRUE(f.edtTemplateName.Enabled());
    EXPECT_TRUE(HasFocus(f.edtTemplateName));
    for (const auto& [box, text] : ValidEntries(f, L"Mine")) box->SetText(text);
    f.btnSave.Click();
  });
  list.btnAddClick();
  EXPECT_EQ(modals.Captions(), std::vector<std::wstring>{L"Add Custom Label"});
  EXPECT_EQ(host.settings.LabelNameAddress, "Mine");
  EXPECT_EQ(host.settings.LabelNameGeneral, "") << "a first sheet clears both defaults";
  EXPECT_EQ(list.MarkedName(), "Mine");
  ASSERT_EQ(host.templates.Count(), builtIn + 1);
  EXPECT_EQ(Slot()->Across(), 2);
  EXPECT_NEAR(static_cast<double>(Slot()->LabelWidth()), 2.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(Slot()->CornerRadius()), 0.1, 1e-12);
  EXPECT_TRUE(list.btnDelete.Enabled());

  // A second sheet in general printing: no default there yet, nothing marked, no new slot.
  host.mode = PrintMode::General;
  modals.Then<TfrmAECustomLabel>([&](TfrmAECustomLabel& f) {
    for (const auto& [box, text] : ValidEntries(f, L"Other")) box->SetText(text);
    f.btnSave.Click();
  });
  list.btnAddClick();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Mine", L"Other"}));
  EXPECT_EQ(list.MarkedName(), "");
  EXPECT_EQ(host.settings.LabelNameAddress, "Mine");
  EXPECT_EQ(host.templates.Count(), builtIn + 1);
}

TEST_F(CustomLabelsTest, DoubleClickEditsTheSelectedSheetUnderItsFixedName) {
  AddSheet("Small", 2);
  AddSheet("Large", 5);
  list.Refill();
  list.lstCustomLabels.SetSelectedIndex(-1);
  dialogs.Answer(DialogAnswer::Ok);
  list.lstCustomLabelsDblClick();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_EQ(dialogs.Last().text, L"Please select a Custom Label to Edit.");

  host.settings.LabelNameAddress = "large";
  list.lstCustomLabels.SetSelectedIndex(1);
  modals.Then<TfrmAECustomLabel>([&](TfrmAECustomLabel& f) {
    EXPECT_EQ(f.edtTemplateName.Text(), L"Large");
    EXPECT_FALSE(f.edtTemplateName.Enabled());
    EXPECT_TRUE(HasFocus(f.edtNumHorz));
    EXPECT_EQ(f.edtNumHorz.Text(), L"5");
    // Enter walks the text boxes down to the first drop-down.
    Control* order[] = {&f.edtNumHorz,     &f.edtNumVert,     &f.edtLabelWidth,
                        &f.edtLabelHeight, &f.edtSpacingHorz, &f.edtSpacingVert,
                        &f.edtOffsetX,     &f.edtOffsetY,     &f.cboPageOrientation};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
      order[i]->SetFocus();
      MSG enter{order[i]->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
      EXPECT_TRUE(f.PreTranslateMessage(enter));
      EXPECT_TRUE(HasFocus(*order[i + 1]));
    }
    f.edtNumHorz.SetText(L"4");
    for (const auto& [box, text] : ValidEntries(f, L"")) {
      if (box->Text().empty() && box != &f.edtTemplateName) box->SetText(text);
    }
    f.btnSave.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  list.lstCustomLabelsDblClick();
  EXPECT_EQ(modals.Captions().back(), L"Edit Custom Label");
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Small", L"Large"}));
  EXPECT_EQ(list.MarkedName(), "Large") << "the default is marked by name, case aside";
  host.store.LocateTemplate("Large");
  EXPECT_EQ(host.store.cdsCustomLabel.AsInteger(NumHorz), 4);

  // Cancel leaves the record and the marks as they were.
  list.lstCustomLabels.SetSelectedIndex(0);
  modals.Then<TfrmAECustomLabel>([](TfrmAECustomLabel& f) {
    f.edtNumHorz.SetText(L"9");
    f.btnCancel.Click();
  });
  list.lstCustomLabelsDblClick();
  host.store.LocateTemplate("Small");
  EXPECT_EQ(host.store.cdsCustomLabel.AsInteger(NumHorz), 2);
  EXPECT_EQ(host.store.cdsCustomLabel.State(), TableState::Browse);
  EXPECT_EQ(list.MarkedName(), "Large");
}

TEST_F(CustomLabelsTest, DeletingADefaultClearsItInBothModesAndTheLastOneEmptiesTheSlot) {
  AddSheet("Small", 2);
  AddSheet("Large", 5);
  AddSheet("Wide", 6);
  host.settings.LabelNameAddress = "Small";
  host.settings.LabelNameGeneral = "SMALL";
  list.CreateSlot();
  list.Refill();

  list.lstCustomLabels.SetSelectedIndex(-1);
  dialogs.Answer(DialogAnswer::Ok);
  list.btnDeleteClick();
  EXPECT_EQ(dialogs.Last().text, L"Please select a Custom Label to Delete.");

  list.lstCustomLabels.SetSelectedIndex(0);
  dialogs.Answer(DialogAnswer::No);
  list.btnDeleteClick();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Confirmation);
  EXPECT_EQ(dialogs.Last().text, L"Delete selected Custom Label?");
  EXPECT_EQ(list.Count(), 3) << "No keeps the sheet";

  dialogs.Answer(DialogAnswer::Yes);
  list.btnDeleteClick();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Large", L"Wide"}));
  EXPECT_EQ(host.settings.LabelNameAddress, "");
  EXPECT_EQ(host.settings.LabelNameGeneral, "");
  EXPECT_EQ(list.MarkedName(), "");

  // With a default left and one sheet remaining, that sheet is marked.
  host.settings.LabelNameAddress = "Wide";
  list.lstCustomLabels.SetSelectedIndex(0);
  dialogs.Answer(DialogAnswer::Yes);
  list.btnDeleteClick();
  EXPECT_EQ(list.MarkedName(), "Wide");
  EXPECT_TRUE(host.calls.empty());

  list.lstCustomLabels.SetSelectedIndex(0);
  dialogs.Answer(DialogAnswer::Yes);
  list.btnDeleteClick();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.btnDelete.Enabled()) << "nothing left to delete";
  EXPECT_EQ(host.calls, std::vector<std::string>{"ClearPreview"});
  const TVpLabelTemplateInfo* slot = Slot();
  EXPECT_EQ(slot->Across(), 2) << "the counts stay";
  EXPECT_EQ(slot->LabelWidth(), 0);
  EXPECT_EQ(slot->TopOffset(), 0);
  EXPECT_EQ(dialogs.Pending(), 0u);
}

TEST_F(CustomLabelsTest, CloseWantsAMarkAndThenBuildsThePagesFromTheMarkedSheet) {
  AddSheet("Small", 2);
  AddSheet("Large", 5);
  list.CreateSlot();
  list.Refill();
  modals.Then<TfrmCustomLabels>([&](TfrmCustomLabels& f) {
    dialogs.Answer(DialogAnswer::Ok);
    f.btnClose.Click();
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
    EXPECT_EQ(dialogs.Last().text, L"Please select a Default Label.");
    EXPECT_EQ(f.ModalResult(), mrNone) << "the window stays open";

    // Marking with the mouse makes the sheet the mode's default and loads it.
    ClickMark(1);
    EXPECT_EQ(f.MarkedName(), "Large");
    EXPECT_EQ(f.lstCustomLabels.SelectedIndex(), -1) << "marking is not selecting";
    EXPECT_EQ(host.settings.LabelNameAddress, "Large");
    EXPECT_EQ(Slot()->Across(), 5);
    ClickMark(0);
    EXPECT_EQ(f.MarkedName(), "Small") << "one mark at most";
    ClickMark(1);
    f.btnClose.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  EXPECT_EQ(list.ShowModal(), mrOk);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ApplyLabelType", "BuildPages 5"}));

  // An empty list closes at once.
  for (RecordTable& t = host.store.cdsCustomLabel; !t.IsEmpty();) {
    t.First();
    t.Delete();
  }
  list.Refill();
  modals.Then<TfrmCustomLabels>([](TfrmCustomLabels& f) { f.btnClose.Click(); });
  EXPECT_EQ(list.ShowModal(), mrOk);
}

TEST_F(CustomLabelsTest, ApplyingADefaultMarksItWithoutRegardToCaseAndLocatesItExactly) {
  AddSheet("Small", 2);
  AddSheet("Large", 5);
  list.Refill();
  list.ApplyDefault("");
  EXPECT_EQ(list.MarkedName(), "");
  list.CreateSlot();  // no default: the table's current record
  list.ApplyDefault("Large");
  EXPECT_EQ(list.MarkedName(), "Large");
  EXPECT_EQ(Slot()->Across(), 5);
  try {
    list.ApplyDefault("SMALL");
    ADD_FAILURE() << "located exactly";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Could not find template SMALL");
  }
  EXPECT_EQ(list.MarkedName(), "Small");
}

TEST_F(CustomLabelsTest, HelpShowsTheTutorialWordForWord) {
  const char* lines[] = {
      "This is a short help tutorial.",
      "- Number of Labels Horizontally is the number of labels across the page.",
      "- Number of Labels Vertically is the number of labels down the page.",
      "- Label Width * is the width of each label.",
      "- Label Height * is the height of each label.",
      "- Spacing Horizontally * is the Label Width + horizontal spacing between each label.",
      "- Spacing Vertically * is the Label Height + vertical spacing between each label.",
      "- Offset X * is the position from the left of the page where the labels will start.",
      "- Offset Y * is the position from the top of the page where the labels will start.",
      "- Page Orientation is the orientation of the template page.",
      "- Paper Size specifies a standard paper size to use with the template.",
      "- Label Shape determines the shape of the label to draw.",
      "- Corner Radius determines the default corner units-of-measurement.",
      "- Measurement is the units-of-measurement to use with the previous properties ( marked "
      "with an  * ).",
  };
  std::string expected;
  for (const char* line : lines)
    expected += (expected.empty() ? "" : "\r\n\r\n") + std::string(line);
  dialogs.Answer(DialogAnswer::Ok);
  edit.btnHelpClick();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
  EXPECT_EQ(Narrow(dialogs.Last().text), expected);
  EXPECT_EQ(edit.btnHelp.Hint(), L"Help...");
}

TEST_F(CustomLabelsTest, Screenshots) {
  for (const char* name : {"Address 3 x 8", "Herma 4209 multi-purpose labels, 96 x 16.9 mm",
                           "Shipping 2 x 2", "CD inlay"})
    AddSheet(name, 3);
  list.Refill();
  list.MarkName("shipping 2 x 2");
  list.lstCustomLabels.SetSelectedIndex(1);
  modals.Then<TfrmCustomLabels>([](TfrmCustomLabels& f) {
    SaveWindowScreenshot(f.Handle(), L"marrowby-custom-labels");
    f.SetModalResult(mrCancel);
  });
  list.ShowModal();

  list.lstCustomLabels.SetSelectedIndex(0);
  modals.Then<TfrmAECustomLabel>([](TfrmAECustomLabel& f) {
    f.cboPageOrientation.SetText(L"Portrait");
    f.cboLabelShape.SetText(L"Label Round Rectangle");
    f.cboCornerRadius.SetText(L"Default in Inches");
    SaveWindowScreenshot(f.Handle(), L"marrowby-custom-label-form");
    f.btnCancel.Click();
  });
  list.lstCustomLabelsDblClick();
}

}  // namespace
