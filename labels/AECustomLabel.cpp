#include "labels/AECustomLabel.h"

#include <span>

#include "labels/records/CustomTemplateSlot.h"
#include "labels/records/TableSchemas.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"

namespace {

constexpr int kCaptionLeft = 16, kBoxLeft = 220, kBoxWidth = 200, kFirstRow = 58, kRowStep = 28;
constexpr int kRowCount = 14, kBoxHeight = 23, kButtonHeight = 28;
constexpr int kButtonsTop = kFirstRow + kRowCount * kRowStep + 8;
constexpr int kClientWidth = kBoxLeft + kBoxWidth + 16;
constexpr int kClientHeight = kButtonsTop + kButtonHeight + 16;

void ShowFailure(const std::exception& e) { ShowError(WideFromUtf8(WithFullStop(e.what()))); }

}  // namespace

const wchar_t* const TfrmAECustomLabel::kHelpText =
    L"This is a short help tutorial.\r\n\r\n"
    L"- Number of Labels Horizontally is the number of labels across the page.\r\n\r\n"
    L"- Number of Labels Vertically is the number of labels down the page.\r\n\r\n"
    L"- Label Width * is the width of each label.\r\n\r\n"
    L"- Label Height * is the height of each label.\r\n\r\n"
    L"- Spacing Horizontally * is the Label Width + horizontal spacing between each label.\r\n\r\n"
    L"- Spacing Vertically * is the Label Height + vertical spacing between each label.\r\n\r\n"
    L"- Offset X * is the position from the left of the page where the labels will start.\r\n\r\n"
    L"- Offset Y * is the position from the top of the page where the labels will start.\r\n\r\n"
    L"- Page Orientation is the orientation of the template page.\r\n\r\n"
    L"- Paper Size specifies a standard paper size to use with the template.\r\n\r\n"
    L"- Label Shape determines the shape of the label to draw.\r\n\r\n"
    L"- Corner Radius determines the default corner units-of-measurement.\r\n\r\n"
    L"- Measurement is the units-of-measurement to use with the previous properties ( marked "
    L"with an  * ).";

void TfrmAECustomLabel::Create() {
  LabelForm::Create(FormStyle::DialogWithClient(L"Add Custom Label", kClientWidth, kClientHeight));
  SetTitleBand(L"Custom Label Information");
  HWND w = Handle();

  struct Row {
    TLabelText& caption;
    const wchar_t* text;
  };
  const Row rows[kRowCount] = {
      {lblTemplateName, L"Label Name"},
      {lblNumHorz, L"Number of Labels Horizontally"},
      {lblNumVert, L"Number of Labels Vertically"},
      {lblLabelWidth, L"Label Width"},
      {lblLabelHeight, L"Label Height"},
      {lblSpacingHorz, L"Label Spacing Horizontally"},
      {lblSpacingVert, L"Label Spacing Vertically"},
      {lblOffsetX, L"Offset X"},
      {lblOffsetY, L"Offset Y"},
      {lblPageOrientation, L"Page Orientation"},
      {lblPaperSize, L"Paper Size"},
      {lblLabelShape, L"Label Shape"},
      {lblCornerRadius, L"Corner Radius"},
      {lblMeasurement, L"Measurement"},
  };
  // Captions and boxes are created row by row, which is also the Tab order.
  TLabelEdit* edits[] = {&edtTemplateName, &edtNumHorz,     &edtNumVert,
                         &edtLabelWidth,   &edtLabelHeight, &edtSpacingHorz,
                         &edtSpacingVert,  &edtOffsetX,     &edtOffsetY};
  struct Choices {
    TLabelComboBox& box;
    std::vector<std::string> texts;
  };
  auto texts = [](std::span<const char* const> list) {
    return std::vector<std::string>(list.begin(), list.end());
  };
  Choices combos[] = {
      {cboPageOrientation, texts(kOrientationChoices)},
      {cboPaperSize, PaperChoices()},
      {cboLabelShape, texts(kShapeChoices)},
      {cboCornerRadius, texts(kCornerRadiusChoices)},
      {cboMeasurement, texts(kMeasurementChoices)},
  };
  const TableSchema& schema = customLabels_.Schema();
  int top = kFirstRow;
  for (int i = 0; i < kRowCount; ++i, top += kRowStep) {
    rows[i].caption.Create(w, rows[i].text, kCaptionLeft, top + 4, kBoxLeft - kCaptionLeft - 8, 18);
    if (i < 9) {
      edits[i]->Create(w, kBoxLeft, top, kBoxWidth, kBoxHeight);
      if (i == 0) edits[i]->SetMaxLength(schema.fields[TemplateName].maxLength);
      continue;
    }
    Choices& c = combos[i - 9];
    c.box.Create(w, kBoxLeft, top, kBoxWidth, 320, CBS_DROPDOWN);
    // The selection field as high as the text boxes above it.
    SendMessageW(c.box.Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kBoxHeight - 6);
    for (const std::string& text : c.texts) c.box.Add(WideFromBytes(text));
  }
  // The drop-downs keep to their fields' lengths when typed into.
  const std::pair<TLabelComboBox*, int> limits[] = {{&cboPageOrientation, PageOrientation},
                                                    {&cboPaperSize, PaperSize},
                                                    {&cboLabelShape, LabelShape},
                                                    {&cboCornerRadius, CornerRadius},
                                                    {&cboMeasurement, Measurement}};
  for (const auto& [box, field] : limits)
    SendMessageW(box->Handle(), CB_LIMITTEXT, static_cast<WPARAM>(schema.fields[field].maxLength),
                 0);

  btnHelp.Create(w, L"?", kCaptionLeft, kButtonsTop, 32, kButtonHeight);
  btnHelp.SetHint(L"Help...");
  btnSave.Create(w, L"Save", kBoxLeft, kButtonsTop, 96, kButtonHeight);
  btnCancel.Create(w, L"Cancel", kBoxLeft + kBoxWidth - 96, kButtonsTop, 96, kButtonHeight);
  btnSave.OnClick = [this] { btnSaveClick(); };
  btnHelp.OnClick = [this] { btnHelpClick(); };
  btnCancel.OnClick = [this] { btnCancelClick(); };
  SetCancelButton(&btnCancel);
  SetFirstFocus(&edtTemplateName);
  SetEnterOrder({{&edtTemplateName, &edtNumHorz},
                 {&edtNumHorz, &edtNumVert},
                 {&edtNumVert, &edtLabelWidth},
                 {&edtLabelWidth, &edtLabelHeight},
                 {&edtLabelHeight, &edtSpacingHorz},
                 {&edtSpacingHorz, &edtSpacingVert},
                 {&edtSpacingVert, &edtOffsetX},
                 {&edtOffsetX, &edtOffsetY},
                 {&edtOffsetY, &cboPageOrientation}});
}

std::vector<TfrmAECustomLabel::FieldBox> TfrmAECustomLabel::Boxes() {
  return {
      {edtTemplateName, TemplateName, L"Please enter Label Name."},
      {edtNumHorz, NumHorz, L"Please enter Number of Labels Horizontally."},
      {edtNumVert, NumVert, L"Please enter Number of Labels Vertically."},
      {edtLabelWidth, LabelWidth, L"Please enter Label Width."},
      {edtLabelHeight, LabelHeight, L"Please enter Label Height."},
      {edtSpacingHorz, SpacingHorz, L"Please enter Label Spacing Horizontally."},
      {edtSpacingVert, SpacingVert, L"Please enter Label Spacing Vertically."},
      {edtOffsetX, OffsetX, L"Please enter Label Offset X."},
      {edtOffsetY, OffsetY, L"Please enter Label Offset Y."},
      {cboPageOrientation, PageOrientation, L"Please select Paper Orientation."},
      {cboPaperSize, PaperSize, L"Please select Paper Size."},
      {cboLabelShape, LabelShape, L"Please select Label Shape."},
      {cboCornerRadius, CornerRadius, L"Please select Default Label Corner Radius."},
      {cboMeasurement, Measurement, L"Please select Label Measurement."},
  };
}

Control& TfrmAECustomLabel::BoxOf(int field) {
  for (const FieldBox& b : Boxes())
    if (b.field == field) return b.box;
  return edtTemplateName;
}

void TfrmAECustomLabel::FormShow() {
  const bool adding = customLabels_.State() == TableState::Insert;
  for (const FieldBox& b : Boxes()) {
    std::string text = customLabels_.AsText(b.field);
    // A choice the field had to cut is shown whole again.
    if (b.field == CornerRadius) text = std::string(CornerRadiusChoice(text));
    b.box.SetText(WideFromBytes(text));
  }
  // A sheet is known by its name: only a new one gets to choose it.
  edtTemplateName.SetEnabled(adding);
  SetFirstFocus(adding ? static_cast<Control*>(&edtTemplateName) : &edtNumHorz);
  LabelForm::FormShow();
}

bool TfrmAECustomLabel::StoreBoxes() {
  for (const FieldBox& b : Boxes()) {
    try {
      customLabels_.SetText(b.field, BytesFromWide(b.box.Text()));
    } catch (const std::exception& e) {
      ShowFailure(e);
      b.box.SetFocus();
      return false;
    }
  }
  return true;
}

void TfrmAECustomLabel::btnSaveClick() {
  for (const FieldBox& b : Boxes()) {
    if (b.box.Text().empty()) {
      ShowInformation(b.emptyMessage);
      b.box.SetFocus();
      return;
    }
  }
  if (!StoreBoxes()) return;
  // Numbers that would make every later preview or print of the sheet absurd.
  if (const std::optional<SheetRefusal> refusal = CheckCustomSheet(customLabels_)) {
    ShowInformation(WideFromUtf8(refusal->message));
    BoxOf(refusal->field).SetFocus();
    return;
  }
  try {
    customLabels_.Post();
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  SetModalResult(mrOk);
}

void TfrmAECustomLabel::btnHelpClick() { ShowInformation(kHelpText); }

void TfrmAECustomLabel::btnCancelClick() {
  try {
    customLabels_.Cancel();
  } catch (const std::exception& e) {
    // Nothing is stored either way; the form closes.
    ShowFailure(e);
  }
  SetModalResult(mrCancel);
}

void TfrmAECustomLabel::FormClose() {
  // Closed with the close box: nothing of the record may stay half edited.
  if (customLabels_.IsOpen() && customLabels_.State() != TableState::Browse) customLabels_.Cancel();
  LabelForm::FormClose();
}
