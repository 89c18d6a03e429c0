#include "labels/records/CustomTemplateSlot.h"

#include <utility>

#include "labels/records/TableSchemas.h"

namespace {

struct PaperChoice {
  const char* text;
  TVpPaperSize paper;
};

// The texts users pick from; several differ from the engine's paper names ("Envelope DL").
constexpr PaperChoice kPapers[] = {
    {"A3", TVpPaperSize::A3},
    {"A4", TVpPaperSize::A4},
    {"A5", TVpPaperSize::A5},
    {"A6", TVpPaperSize::A6},
    {"B5", TVpPaperSize::B5},
    {"C5", TVpPaperSize::C5},
    {"C6", TVpPaperSize::C6},
    {"C65", TVpPaperSize::C65},
    {"Legal", TVpPaperSize::Legal},
    {"Letter", TVpPaperSize::Letter},
    {"Custom", TVpPaperSize::Custom},
    {"B4", TVpPaperSize::B4},
    {"Envelope DL", TVpPaperSize::Envelope_DL},
    {"Envelope DL Maxi", TVpPaperSize::Envelope_DL_Maxi},
    {"Envelope 09", TVpPaperSize::Envelope_09},
    {"Envelope 10", TVpPaperSize::Envelope_10},
    {"Envelope 11", TVpPaperSize::Envelope_11},
    {"Envelope 12", TVpPaperSize::Envelope_12},
    {"Envelope 14", TVpPaperSize::Envelope_14},
    {"Tabloid", TVpPaperSize::Tabloid},
    {"Ledger", TVpPaperSize::Ledger},
    {"Executive", TVpPaperSize::Executive},
};

TVpLabelTemplateInfo* Slot(TVpLabelTemplateList& templates) {
  return templates.FindByName(kCustomSlotName);
}

}  // namespace

const std::vector<std::string>& PaperChoices() {
  static const std::vector<std::string> choices = [] {
    std::vector<std::string> texts;
    for (const PaperChoice& p : kPapers) texts.emplace_back(p.text);
    return texts;
  }();
  return choices;
}

std::string_view CornerRadiusChoice(std::string_view text) {
  const auto held = static_cast<std::size_t>(CustomLabelSchema().fields[CornerRadius].maxLength);
  for (std::string_view choice : kCornerRadiusChoices)
    if (text == choice || text == choice.substr(0, held)) return choice;
  return text;
}

long double CornerRadiusFromText(std::string_view text) {
  const std::string_view choice = CornerRadiusChoice(text);
  if (choice == kCornerRadiusChoices[0]) return 0.1L;
  if (choice == kCornerRadiusChoices[1]) return 2.54L;
  return 0;
}

TVpPaperSize PaperFromText(std::string_view text) {
  for (const PaperChoice& p : kPapers)
    if (text == p.text) return p.paper;
  return TVpPaperSize::A4;
}

TVpMeasurement MeasurementFromText(std::string_view text) {
  return text == "Millimeters" ? vpMillimeters : vpInches;
}

TVpLabelShape ShapeFromText(std::string_view text) {
  if (text == "Label Rectangle") return TVpLabelShape::Rectangle;
  if (text == "Label Ellipse") return TVpLabelShape::Ellipse;
  return TVpLabelShape::RoundRect;
}

TVpOrientation OrientationFromText(std::string_view text) {
  return text == "Landscape" ? vpLandscape : vpPortrait;
}

CustomSheet CustomSheetFromRecord(const RecordTable& t) {
  CustomSheet sheet;
  TVpLabelSheetValues& v = sheet.values;
  v.Across = t.AsInteger(NumHorz);
  v.Down = t.AsInteger(NumVert);
  v.LabelWidth = t.AsFloat(LabelWidth);
  v.LabelHeight = t.AsFloat(LabelHeight);
  v.CornerRadius = CornerRadiusFromText(t.AsText(CornerRadius));
  v.HorzPitch = t.AsFloat(SpacingHorz);
  v.VertPitch = t.AsFloat(SpacingVert);
  v.LeftOffset = t.AsFloat(OffsetX);
  v.TopOffset = t.AsFloat(OffsetY);
  sheet.paper = PaperFromText(t.AsText(PaperSize));
  sheet.shape = ShapeFromText(t.AsText(LabelShape));
  sheet.measurement = MeasurementFromText(t.AsText(Measurement));
  sheet.orientation = OrientationFromText(t.AsText(PageOrientation));
  return sheet;
}

std::string& ModeDefaultName(TLabelSettings& settings, PrintMode mode) {
  return mode == PrintMode::Address ? settings.LabelNameAddress : settings.LabelNameGeneral;
}

void CreateCustomSlot(TVpLabelTemplateList& templates, RecordStore& store,
                      const std::string& modeDefault) {
  if (store.cdsCustomLabel.IsEmpty()) return;
  if (!modeDefault.empty()) store.LocateTemplate(modeDefault);
  const CustomSheet sheet = CustomSheetFromRecord(store.cdsCustomLabel);
  templates.AddCustomTemplate(kCustomSlotName, sheet.values, std::nullopt, sheet.paper, sheet.shape,
                              sheet.measurement);
  Slot(templates)->SetOrientation(sheet.orientation);
}

void LoadCustomSlot(TVpLabelTemplateList& templates, const RecordTable& customLabels) {
  TVpLabelTemplateInfo* slot = Slot(templates);
  if (!slot) return;
  const CustomSheet sheet = CustomSheetFromRecord(customLabels);
  const TVpLabelSheetValues& v = sheet.values;
  const TVpMeasurement m = sheet.measurement;
  slot->SetAcross(v.Across);
  slot->SetDown(v.Down);
  slot->SetLabelWidth(v.LabelWidth, m);
  slot->SetLabelHeight(v.LabelHeight, m);
  slot->SetCornerRadius(v.CornerRadius, m);
  slot->SetHorzPitch(v.HorzPitch, m);
  slot->SetVertPitch(v.VertPitch, m);
  slot->SetLeftOffset(v.LeftOffset, m);
  slot->SetTopOffset(v.TopOffset, m);
  slot->SetPaperSize(sheet.paper);
  slot->SetOutlineShape(sheet.shape);
  slot->SetOrientation(sheet.orientation);
}

void ClearCustomSlot(TVpLabelTemplateList& templates) {
  TVpLabelTemplateInfo* slot = Slot(templates);
  if (!slot) return;
  slot->SetAcross(0);
  slot->SetDown(0);
  slot->SetLabelWidth(0);
  slot->SetLabelHeight(0);
  slot->SetCornerRadius(0);
  slot->SetHorzPitch(0);
  slot->SetVertPitch(0);
  slot->SetLeftOffset(0);
  slot->SetTopOffset(0);
  slot->SetPaperSize(TVpPaperSize::A4);
  slot->SetOutlineShape(TVpLabelShape::RoundRect);
  slot->SetOrientation(vpPortrait);
}

std::optional<SheetRefusal> CheckCustomSheet(const RecordTable& t) {
  constexpr int kMaxCount = 1000;
  for (const auto& [field, caption] : {std::pair{NumHorz, "Number of Labels Horizontally"},
                                       std::pair{NumVert, "Number of Labels Vertically"}}) {
    const std::int32_t n = t.AsInteger(field);
    if (n < 1 || n > kMaxCount)
      return SheetRefusal{field, std::string(caption) + " must be between 1 and 1000."};
  }
  const bool millimetres = MeasurementFromText(t.AsText(Measurement)) == vpMillimeters;
  const double limit = millimetres ? 10000 : 400;
  const std::string most = millimetres ? "10000 millimeters." : "400 inches.";
  struct Length {
    int field;
    const char* caption;
    bool mayBeZero;
  };
  constexpr Length kLengths[] = {
      {LabelWidth, "Label Width", false},
      {LabelHeight, "Label Height", false},
      {SpacingHorz, "Label Spacing Horizontally", false},
      {SpacingVert, "Label Spacing Vertically", false},
      {OffsetX, "Offset X", true},
      {OffsetY, "Offset Y", true},
  };
  for (const Length& length : kLengths) {
    const double v = t.AsFloat(length.field);
    // Written so that a value that is not a number (NaN) fails as well.
    const bool inRange = (length.mayBeZero ? v >= 0 : v > 0) && v <= limit;
    if (inRange) continue;
    const std::string caption = length.caption;
    return SheetRefusal{length.field,
                        length.mayBeZero ? caption + " must be between 0 and " + most
                                         : caption + " must be greater than 0 and at most " + most};
  }
  return std::nullopt;
}
