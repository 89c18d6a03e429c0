// Custom label records becoming the custom template slot: the exact-text conversions and
// their fallbacks, creating, loading and clearing the slot with the template's writing rules,
// and the numbers a sheet is refused for.
#include <cmath>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "engine/VpPaper.h"
#include "labels/records/CustomTemplateSlot.h"
#include "labels/records/TableSchemas.h"
#include "platform/Error.h"

namespace {

using Fields = std::map<int, std::string>;

// A sheet whose every field is valid: 3 x 8 labels of 2.5 x 1.5 inches.
Fields Sheet(const std::string& name, Fields changes = {}) {
  Fields f{{TemplateName, name},
           {NumHorz, "3"},
           {NumVert, "8"},
           {LabelWidth, "2.5"},
           {LabelHeight, "1.5"},
           {SpacingHorz, "2.6"},
           {SpacingVert, "1.5"},
           {OffsetX, "0.25"},
           {OffsetY, "0.5"},
           {PageOrientation, "Portrait"},
           {PaperSize, "A4"},
           {LabelShape, "Label Rectangle"},
           {CornerRadius, "Default in Inches"},
           {Measurement, "Inches"}};
  for (auto& [field, text] : changes) f[field] = text;
  return f;
}

class CustomSlot : public testing::Test {
 protected:
  CustomSlot() { store.cdsCustomLabel.OpenEmpty(); }

  void Add(const Fields& fields) {
    RecordTable& t = store.cdsCustomLabel;
    t.Insert();
    for (const auto& [field, text] : fields) t.SetText(field, text);
    t.Post();
  }
  TVpLabelTemplateInfo* Slot() { return templates.FindByName(kCustomSlotName); }

  PlainTextLocale locale;
  RecordStore store{locale};
  TVpLabelTemplateList templates;
};

struct Conversion {
  const char* what;
  Fields changes;
  long double widthInches, radiusInches;
  TVpPaperSize paper;
  TVpLabelShape shape;
  TVpOrientation orientation;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.what; }

class RecordToSlot : public CustomSlot, public testing::WithParamInterface<Conversion> {};

constexpr auto A4 = TVpPaperSize::A4;
constexpr auto Rect = TVpLabelShape::Rectangle;
constexpr auto Round = TVpLabelShape::RoundRect;
constexpr auto Ellipse = TVpLabelShape::Ellipse;

INSTANTIATE_TEST_SUITE_P(
    Texts, RecordToSlot,
    testing::Values(Conversion{"millimetres, radius in millimetres",
                               {{LabelWidth, "63.5"},
                                {CornerRadius, "Default in Millimeters"},
                                {Measurement, "Millimeters"}},
                               2.5L,
                               0.1L,
                               A4,
                               Rect,
                               vpPortrait},
                    Conversion{"radius in millimetres on an inch sheet",
                               {{CornerRadius, "Default in Millimeters"}},
                               2.5L,
                               2.54L,
                               A4,
                               Rect,
                               vpPortrait},
                    Conversion{"radius in inches on a millimetre sheet",
                               {{LabelWidth, "25.4"}, {Measurement, "Millimeters"}},
                               1,
                               0.1L / 25.4L,
                               A4,
                               Rect,
                               vpPortrait},
                    Conversion{"texts in the wrong case fall back",
                               {{CornerRadius, "default in inches"},
                                {Measurement, "millimeters"},
                                {PaperSize, "a4"},
                                {LabelShape, "label ellipse"},
                                {PageOrientation, "landscape"}},
                               2.5L,
                               0,
                               A4,
                               Round,
                               vpPortrait},
                    Conversion{"choice texts, not engine names",
                               {{PaperSize, "Envelope DL"},
                                {LabelShape, "Label Ellipse"},
                                {PageOrientation, "Landscape"}},
                               2.5L,
                               0.1L,
                               TVpPaperSize::Envelope_DL,
                               Ellipse,
                               vpLandscape},
                    Conversion{"an engine name is no choice",
                               {{PaperSize, "Envelope_DL"}},
                               2.5L,
                               0.1L,
                               A4,
                               Rect,
                               vpPortrait},
                    Conversion{"Custom paper, rounded rectangle",
                               {{PaperSize, "Custom"}, {LabelShape, "Label Round Rectangle"}},
                               2.5L,
                               0.1L,
                               TVpPaperSize::Custom,
                               Round,
                               vpPortrait},
                    Conversion{"empty choices",
                               {{PaperSize, ""}, {LabelShape, ""}, {CornerRadius, ""}},
                               2.5L,
                               0,
                               A4,
                               Round,
                               vpPortrait}));

TEST_P(RecordToSlot, CreatingAndLoadingGiveTheSameSlot) {
  const Conversion& c = GetParam();
  Add(Sheet("Mine", c.changes));
  for (bool load : {false, true}) {
    SCOPED_TRACE(load ? "loaded into an A5 slot" : "created");
    if (load) {
      templates.AddCustomTemplate(kCustomSlotName, {}, std::nullopt, TVpPaperSize::A5, Ellipse,
                                  vpInches);
      store.LocateTemplate("Mine");
      LoadCustomSlot(templates, store.cdsCustomLabel);
    } else {
      CreateCustomSlot(templates, store, "");
    }
    const TVpLabelTemplateInfo* slot = Slot();
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->Across(), 3);
    EXPECT_EQ(slot->Down(), 8);
    EXPECT_NEAR(static_cast<double>(slot->LabelWidth()), static_cast<double>(c.widthInches), 1e-12);
    EXPECT_NEAR(static_cast<double>(slot->CornerRadius()), static_cast<double>(c.radiusInches),
                1e-12);
    EXPECT_EQ(slot->PaperSize(), c.paper);
    EXPECT_EQ(slot->OutlineShape(), c.shape);
    EXPECT_EQ(slot->Orientation(), c.orientation);
    if (c.paper == TVpPaperSize::Custom) {
      EXPECT_EQ(slot->PageSize(), PaperSizeInches(A4)) << "a custom page of A4 size";
    }
  }
}

TEST(CustomChoices, TheCornerRadiusFieldCutsAChoiceThatStillCounts) {
  EXPECT_EQ(CornerRadiusChoice("Default in Millimete"), "Default in Millimeters");
  EXPECT_EQ(CornerRadiusChoice("Default in Millimeters"), "Default in Millimeters");
  EXPECT_EQ(CornerRadiusChoice("Default in Inches"), "Default in Inches");
  EXPECT_EQ(CornerRadiusChoice("Default in Inch"), "Default in Inch") << "only a cut choice";
  EXPECT_EQ(CornerRadiusFromText("Default in Inch"), 0);
}

TEST(CustomChoices, EveryOfferedPaperConvertsToItsOwnSize) {
  const std::vector<std::string>& choices = PaperChoices();
  ASSERT_EQ(choices.size(), 22u);
  EXPECT_EQ(choices.front(), "A3");
  EXPECT_EQ(choices[12], "Envelope DL");
  EXPECT_EQ(choices.back(), "Executive");
  std::map<TVpPaperSize, std::string> seen;
  for (const std::string& text : choices) {
    const auto [at, fresh] = seen.emplace(PaperFromText(text), text);
    EXPECT_TRUE(fresh) << text << " and " << at->second << " give one paper";
  }
}

TEST_F(CustomSlot, CreatingTakesTheDefaultByNameElseTheCurrentRecordAndAppends) {
  const int builtIn = templates.Count();
  CreateCustomSlot(templates, store, "");
  EXPECT_EQ(templates.Count(), builtIn) << "no custom sheets, no slot";

  Add(Sheet("Small", {{NumHorz, "2"}}));
  Add(Sheet("Large", {{NumHorz, "5"}}));
  store.cdsCustomLabel.First();
  CreateCustomSlot(templates, store, "Large");
  EXPECT_EQ(Slot()->Across(), 5);
  CreateCustomSlot(templates, store, "");
  EXPECT_EQ(Slot()->Across(), 5) << "the current record is the default located before";
  store.cdsCustomLabel.First();
  CreateCustomSlot(templates, store, "");
  EXPECT_EQ(Slot()->Across(), 2);
  EXPECT_EQ(templates.Count(), builtIn + 3) << "every creation appends; the newest wins";
  EXPECT_EQ(Slot(), templates.TemplateAt(builtIn + 2));

  try {
    CreateCustomSlot(templates, store, "large");
    ADD_FAILURE() << "names are located exactly";
  } catch (const EError& e) {
    EXPECT_STREQ(e.what(), "Could not find template large");
  }
  EXPECT_EQ(templates.Count(), builtIn + 3);
}

TEST_F(CustomSlot, LoadingKeepsCountsForZeroAndCustomPaper) {
  LoadCustomSlot(templates, store.cdsCustomLabel);  // no slot yet: nothing to write
  Add(Sheet("Custom page", {{PaperSize, "Custom"}}));
  CreateCustomSlot(templates, store, "");
  Add(Sheet("No counts", {{NumHorz, ""}, {NumVert, "0"}, {PaperSize, "A5"}, {LabelWidth, "4"}}));
  LoadCustomSlot(templates, store.cdsCustomLabel);
  const TVpLabelTemplateInfo* slot = Slot();
  EXPECT_EQ(slot->Across(), 3);
  EXPECT_EQ(slot->Down(), 8);
  EXPECT_EQ(slot->LabelWidth(), 4);
  EXPECT_EQ(slot->PaperSize(), TVpPaperSize::Custom) << "a slot on Custom paper keeps it";
}

TEST_F(CustomSlot, ClearingZeroesTheLengthsAndKeepsTheCounts) {
  ClearCustomSlot(templates);  // no slot: nothing
  Add(Sheet(
      "Mine",
      {{PaperSize, "Letter"}, {LabelShape, "Label Ellipse"}, {PageOrientation, "Landscape"}}));
  CreateCustomSlot(templates, store, "Mine");
  ClearCustomSlot(templates);
  const TVpLabelTemplateInfo* slot = Slot();
  EXPECT_EQ(slot->Across(), 3);
  EXPECT_EQ(slot->Down(), 8);
  for (long double length :
       {slot->LabelWidth(), slot->LabelHeight(), slot->CornerRadius(), slot->HorzPitch(),
        slot->VertPitch(), slot->LeftOffset(), slot->TopOffset()})
    EXPECT_EQ(length, 0);
  EXPECT_EQ(slot->PaperSize(), A4);
  EXPECT_EQ(slot->PageSize(), PaperSizeInches(A4));
  EXPECT_EQ(slot->OutlineShape(), Round);
  EXPECT_EQ(slot->Orientation(), vpPortrait);
}

struct Refusal {
  Fields changes;
  int field;  // -1: accepted
  const char* message;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << (r.message ? r.message : "accepted"); }

class SheetNumbers : public CustomSlot, public testing::WithParamInterface<Refusal> {};

INSTANTIATE_TEST_SUITE_P(
    Limits, SheetNumbers,
    testing::Values(
        Refusal{{{NumHorz, "1000"}, {NumVert, "1"}, {OffsetX, "0"}, {OffsetY, "400"}}, -1, nullptr},
        Refusal{
            {{NumHorz, "0"}}, NumHorz, "Number of Labels Horizontally must be between 1 and 1000."},
        Refusal{{{NumVert, "1001"}},
                NumVert,
                "Number of Labels Vertically must be between 1 and 1000."},
        Refusal{{{NumHorz, "-3"}, {LabelWidth, "0"}},
                NumHorz,
                "Number of Labels Horizontally must be between 1 and 1000."},
        Refusal{{{LabelWidth, "0"}},
                LabelWidth,
                "Label Width must be greater than 0 and at most 400 inches."},
        Refusal{{{LabelHeight, "nan"}},
                LabelHeight,
                "Label Height must be greater than 0 and at most 400 inches."},
        Refusal{{{SpacingHorz, "inf"}},
                SpacingHorz,
                "Label Spacing Horizontally must be greater than 0 and at most 400 inches."},
        Refusal{{{SpacingVert, "400.01"}},
                SpacingVert,
                "Label Spacing Vertically must be greater than 0 and at most 400 inches."},
        Refusal{{{OffsetX, "-0.1"}}, OffsetX, "Offset X must be between 0 and 400 inches."},
        Refusal{{{Measurement, "Millimeters"}, {LabelWidth, "10000"}, {OffsetY, "10000.5"}},
                OffsetY,
                "Offset Y must be between 0 and 10000 millimeters."}));

TEST_P(SheetNumbers, AreRefusedWithTheFirstOffendingField) {
  const Refusal& r = GetParam();
  Add(Sheet("Mine", r.changes));
  const std::optional<SheetRefusal> refusal = CheckCustomSheet(store.cdsCustomLabel);
  if (r.field < 0) {
    EXPECT_FALSE(refusal) << refusal->message;
    return;
  }
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->field, r.field);
  EXPECT_EQ(refusal->message, r.message);
}

}  // namespace
