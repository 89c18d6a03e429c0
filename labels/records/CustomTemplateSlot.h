#pragma once
// The user's own label sheets: how a record of the custom label table becomes template
// values, and the custom template slot, the one template named "Custom_Template" in the label
// sheet component's list that holds the custom sheet in use. Each printing mode names its
// own default sheet in the settings.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpLabelTemplateList.h"
#include "labels/records/LabelSettings.h"
#include "labels/records/PrintMode.h"
#include "labels/records/RecordStore.h"

inline constexpr char kCustomSlotName[] = "Custom_Template";

// The choices the edit window offers, in list order. Any other text is accepted too and
// falls back as the conversions below say.
inline constexpr std::array<const char*, 2> kOrientationChoices{"Portrait", "Landscape"};
inline constexpr std::array<const char*, 3> kShapeChoices{"Label Rectangle",
                                                          "Label Round Rectangle", "Label Ellipse"};
inline constexpr std::array<const char*, 2> kCornerRadiusChoices{"Default in Inches",
                                                                 "Default in Millimeters"};
inline constexpr std::array<const char*, 2> kMeasurementChoices{"Inches", "Millimeters"};
const std::vector<std::string>& PaperChoices();

// The corner radius field holds 20 characters, so "Default in Millimeters" is stored as
// "Default in Millimete": the choice a stored text stands for (the text itself otherwise).
std::string_view CornerRadiusChoice(std::string_view text);

// The conversions compare exactly, case included.
// "Default in Inches" 0.1, "Default in Millimeters" 2.54 (also as stored), else 0, in the
// sheet's measurement.
long double CornerRadiusFromText(std::string_view text);
TVpPaperSize PaperFromText(std::string_view text);          // else A4
TVpMeasurement MeasurementFromText(std::string_view text);  // else inches
TVpLabelShape ShapeFromText(std::string_view text);         // else rounded rectangle
TVpOrientation OrientationFromText(std::string_view text);  // else portrait

// The current record of the custom label table as template values.
struct CustomSheet {
  TVpLabelSheetValues values;  // lengths in measurement
  TVpPaperSize paper = TVpPaperSize::A4;
  TVpLabelShape shape = TVpLabelShape::RoundRect;
  TVpMeasurement measurement = vpInches;
  TVpOrientation orientation = vpPortrait;
};
CustomSheet CustomSheetFromRecord(const RecordTable& customLabels);

// The default custom sheet of a mode (LabelNameAddress or LabelNameGeneral).
std::string& ModeDefaultName(TLabelSettings& settings, PrintMode mode);

// With an empty table nothing. Otherwise appends a new slot from the mode's default sheet
// (located by name; "Could not find template <name>" when it is gone) or, without a
// default, from the table's current record.
void CreateCustomSlot(TVpLabelTemplateList& templates, RecordStore& store,
                      const std::string& modeDefault);
// Writes the table's current record into the newest slot, with the template's writing rules
// (a count of 0 is ignored, a slot on Custom paper keeps its paper); no slot: nothing.
void LoadCustomSlot(TVpLabelTemplateList& templates, const RecordTable& customLabels);
// Zero lengths, A4, rounded rectangle, portrait; the counts stay (writing 0 keeps them).
void ClearCustomSlot(TVpLabelTemplateList& templates);

// Numbers of a sheet that would make printing it absurd: counts outside 1 to 1000, lengths
// that are not numbers, negative, zero where a size is meant, or beyond 10,000 mm or 400
// inches. The first offending field of the current record, with the sentence to show.
struct SheetRefusal {
  int field;
  std::string message;
};
std::optional<SheetRefusal> CheckCustomSheet(const RecordTable& customLabels);
