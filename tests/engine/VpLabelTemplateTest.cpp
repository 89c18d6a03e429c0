#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/VpLabelTemplateList.h"
#include "engine/VpPageSetup.h"
#include "tests/engine/NearLongDouble.h"

namespace {

using T = TVpLabelTemplate;

struct SheetRow {
  T id;
  const char* name;
  int across, down;
  long double width, height, corner, hPitch, vPitch, left, top;
  TVpPaperSize paper;
  TVpOrientation orientation;
  TVpMeasurement unit;
  int labelsPerPage;
};

constexpr TVpPaperSize A4 = TVpPaperSize::A4;
constexpr TVpPaperSize Letter = TVpPaperSize::Letter;

// The published catalogue, in list order, with each sheet's labels per page.
// clang-format off
const SheetRow kSheets[] = {
    {T::L7159_Address, "L7159_Address", 3, 8, 2.52L, 1.33L, 0.1L, 2.63L, 1.33L, 0.25L, 0.54L, A4, vpPortrait, vpInches, 24},
    {T::L7160_Address, "L7160_Address", 3, 7, 2.5L, 1.5L, 0.1L, 2.6L, 1.5L, 0.28L, 0.63L, A4, vpPortrait, vpInches, 21},
    {T::L7161_Address, "L7161_Address", 3, 6, 2.5L, 1.83L, 0.1L, 2.6L, 1.83L, 0.28L, 0.38L, A4, vpPortrait, vpInches, 18},
    {T::L7162_Address, "L7162_Address", 2, 8, 3.9L, 1.33L, 0.1L, 4.0L, 1.33L, 0.18L, 0.54L, A4, vpPortrait, vpInches, 16},
    {T::L7163_Address, "L7163_Address", 2, 7, 3.9L, 1.5L, 0.1L, 4.0L, 1.5L, 0.18L, 0.63L, A4, vpPortrait, vpInches, 14},
    {T::L7164_Address, "L7164_Address", 3, 4, 2.5L, 2.83L, 0.1L, 2.6L, 2.83L, 0.28L, 0.21L, A4, vpPortrait, vpInches, 12},
    {T::L7165_Parcel, "L7165_Parcel", 2, 4, 3.9L, 2.67L, 0.1L, 4.0L, 2.67L, 0.18L, 0.54L, A4, vpPortrait, vpInches, 8},
    {T::L7166_Parcel, "L7166_Parcel", 2, 3, 3.9L, 3.67L, 0.1L, 4.0L, 3.67L, 0.18L, 0.38L, A4, vpPortrait, vpInches, 6},
    {T::L7167_Shipping, "L7167_Shipping", 1, 1, 7.86L, 11.38L, 0.1L, 7.86L, 11.38L, 0.2L, 0.18L, A4, vpPortrait, vpInches, 1},
    {T::L7168_Shipping, "L7168_Shipping", 1, 2, 7.86L, 5.65L, 0.1L, 7.86L, 5.65L, 0.18L, 0.22L, A4, vpPortrait, vpInches, 2},
    {T::L7169_Parcel, "L7169_Parcel", 2, 2, 5.47L, 3.9L, 0.1L, 5.47L, 4.0L, 0.4L, 0.18L, A4, vpLandscape, vpInches, 4},
    {T::L7170_Eurofolio, "L7170_Eurofolio", 1, 24, 5.28L, 0.43L, 0.1L, 5.28L, 0.43L, 1.5L, 0.68L, A4, vpPortrait, vpInches, 24},
    {T::L7171_LeverArch, "L7171_LeverArch", 4, 1, 2.36L, 7.88L, 0.1L, 2.36L, 7.88L, 1.15L, 0.2L, A4, vpLandscape, vpInches, 4},
    {T::L7172_RingBinder, "L7172_RingBinder", 2, 9, 3.94L, 1.18L, 0.1L, 4.04L, 1.18L, 0.15L, 0.56L, A4, vpPortrait, vpInches, 18},
    {T::L7173_Shipping, "L7173_Shipping", 2, 5, 3.9L, 2.24L, 0.1L, 4.0L, 2.24L, 0.18L, 0.26L, A4, vpPortrait, vpInches, 10},
    {T::L7263_Address, "L7263_Address", 2, 7, 3.9L, 1.5L, 0.1L, 4.0L, 1.5L, 0.18L, 0.63L, A4, vpPortrait, vpInches, 14},
    {T::J8660_Diskette, "J8660_Diskette", 2, 5, 2.76L, 2.05L, 0.1L, 3.67L, 2.05L, 0.92L, 0.76L, A4, vpPortrait, vpInches, 10},
    {T::Avery_5160_Address, "Avery_5160_Address", 3, 10, 2.63L, 1.0L, 0.1L, 2.75L, 1.0L, 0.19L, 0.5L, Letter, vpPortrait, vpInches, 30},
    {T::Herma_4209, "Herma_4209", 2, 16, 96, 16.9L, 2.54L, 98, 16.9L, 8, 12, A4, vpPortrait, vpMillimeters, 32},
};
// clang-format on

class BuiltInSheet : public ::testing::TestWithParam<SheetRow> {};

TEST_P(BuiltInSheet, MatchesTheCatalogue) {
  const SheetRow& row = GetParam();
  TVpLabelTemplateList list;
  const TVpLabelTemplateInfo* sheet = list.FindById(row.id);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->TemplateId(), row.id);
  EXPECT_EQ(sheet->SheetName(), row.name);
  EXPECT_EQ(sheet->Across(), row.across);
  EXPECT_EQ(sheet->Down(), row.down);
  EXPECT_EQ(sheet->LabelsPerPage(), row.labelsPerPage);
  // Read back in the unit the sheet was published in.
  const TVpMeasurement u = row.unit;
  const long double tolerance = 1e-15L;
  EXPECT_NEAR_LD(sheet->LabelWidth(u), row.width, tolerance);
  EXPECT_NEAR_LD(sheet->LabelHeight(u), row.height, tolerance);
  EXPECT_NEAR_LD(sheet->CornerRadius(u), row.corner, tolerance);
  EXPECT_NEAR_LD(sheet->HorzPitch(u), row.hPitch, tolerance);
  EXPECT_NEAR_LD(sheet->VertPitch(u), row.vPitch, tolerance);
  EXPECT_NEAR_LD(sheet->LeftOffset(u), row.left, tolerance);
  EXPECT_NEAR_LD(sheet->TopOffset(u), row.top, tolerance);
  EXPECT_EQ(sheet->PaperSize(), row.paper);
  EXPECT_EQ(sheet->Orientation(), row.orientation);
  EXPECT_EQ(sheet->OutlineShape(), TVpLabelShape::RoundRect);
  EXPECT_EQ(sheet->PageSize(), PaperSizeInches(row.paper));
}

// The last column and row must end inside the page the sheet is printed on, and neighbouring
// labels must not overlap.
TEST_P(BuiltInSheet, LabelsFitOnThePage) {
  const SheetRow& row = GetParam();
  TVpLabelTemplateList list;
  const TVpLabelTemplateInfo& sheet = *list.FindById(row.id);
  const TVpSize page = PageSizeForPaper(sheet.PaperSize(), sheet.Orientation(), {});
  const long double right =
      sheet.LeftOffset() + (sheet.Across() - 1) * sheet.HorzPitch() + sheet.LabelWidth();
  const long double bottom =
      sheet.TopOffset() + (sheet.Down() - 1) * sheet.VertPitch() + sheet.LabelHeight();
  const long double slack = 1e-12L;  // decimal lengths are not exact in binary
  EXPECT_LE(right, page.Width + slack) << "page width " << static_cast<double>(page.Width);
  EXPECT_LE(bottom, page.Height + slack) << "page height " << static_cast<double>(page.Height);
  EXPECT_GT(sheet.LeftOffset(), 0);
  EXPECT_GT(sheet.TopOffset(), 0);
  if (sheet.Across() > 1) {
    EXPECT_GE(sheet.HorzPitch() + slack, sheet.LabelWidth());
  }
  if (sheet.Down() > 1) {
    EXPECT_GE(sheet.VertPitch() + slack, sheet.LabelHeight());
  }
}

void PrintTo(const SheetRow& row, std::ostream* os) { *os << row.name; }

INSTANTIATE_TEST_SUITE_P(Catalogue, BuiltInSheet, ::testing::ValuesIn(kSheets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VpLabelTemplateList, HoldsExactlyTheCatalogueInOrder) {
  TVpLabelTemplateList list;
  ASSERT_EQ(list.Count(), static_cast<int>(std::size(kSheets)));
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.TemplateAt(i)->TemplateId(), kSheets[i].id) << i;
  }
  EXPECT_EQ(list.TemplateAt(-1), nullptr);
  EXPECT_EQ(list.TemplateAt(19), nullptr);
  EXPECT_EQ(list.TemplateAt(-2), nullptr);
}

TEST(VpLabelTemplateList, LookupsReturnTheLastMatch) {
  TVpLabelTemplateList list;
  EXPECT_EQ(list.FindById(T::Avery_8160_Address), nullptr);
  EXPECT_EQ(list.FindById(T::Custom_Template), nullptr);
  const TVpLabelTemplateInfo* avery = list.FindById(T::Avery_5160_Address);
  ASSERT_NE(avery, nullptr);
  EXPECT_EQ(avery->PaperSize(), TVpPaperSize::Letter);
  EXPECT_EQ(avery->LabelsPerPage(), 30);

  const TVpLabelSheetValues values{2, 3, 1, 1, 0, 1, 1, 0.5L, 0.5L};
  TVpLabelTemplateInfo& first = list.AddCustomTemplate("Custom_Template", values, std::nullopt, A4,
                                                       TVpLabelShape::Ellipse, vpInches);
  EXPECT_EQ(list.FindByName("custom_template"), &first);
  TVpLabelTemplateInfo& second = list.AddCustomTemplate("CUSTOM_template", values, std::nullopt, A4,
                                                        TVpLabelShape::Rectangle, vpInches);
  EXPECT_EQ(list.Count(), 21);
  EXPECT_EQ(list.FindByName("Custom_Template"), &second);
  EXPECT_EQ(list.FindById(T::Custom_Template), &second);
  EXPECT_EQ(list.TemplateAt(19), &first);  // nothing was replaced

  // A later sheet with a built-in identifier or name wins over the built-in one.
  TVpLabelTemplateInfo& copy =
      list.AddTemplate(T::L7160_Address, "l7159_ADDRESS", values, std::nullopt, A4, vpPortrait,
                       TVpLabelShape::RoundRect, vpInches);
  EXPECT_EQ(list.FindById(T::L7160_Address), &copy);
  EXPECT_EQ(list.FindByName("L7159_Address"), &copy);
  EXPECT_EQ(list.FindByName("L7159"), nullptr);
  EXPECT_EQ(list.FindByName(""), nullptr);
}

TEST(VpLabelTemplateList, CustomTemplateIsPortraitWhateverItsShape) {
  TVpLabelTemplateList list;
  TVpLabelTemplateInfo& slot =
      list.AddCustomTemplate("Custom_Template", {1, 1, 50, 30, 2, 55, 35, 10, 10}, TVpSize{100, 50},
                             TVpPaperSize::Custom, TVpLabelShape::Ellipse, vpMillimeters);
  EXPECT_EQ(slot.TemplateId(), T::Custom_Template);
  EXPECT_EQ(slot.Orientation(), vpPortrait);
  EXPECT_NEAR_LD(slot.LabelWidth(vpTwips), 50 / 25.4L * 1440, 1e-12L);
  EXPECT_NEAR_LD(slot.PageSize().Width, 3.93700787401574803150L, 1e-17L);
  EXPECT_NEAR_LD(slot.PageSize(vpMillimeters).Height, 50, 1e-15L);
}

TEST(VpLabelTemplateList, PageSizeFollowsThePaperUnlessItIsCustom) {
  TVpLabelTemplateList list;
  const TVpLabelSheetValues values{1, 1, 10, 10, 0, 10, 10, 5, 5};
  // Custom paper without a size falls back to A4.
  const TVpLabelTemplateInfo& noSize =
      list.AddTemplate(T::Custom_Template, "a", values, std::nullopt, TVpPaperSize::Custom,
                       vpPortrait, TVpLabelShape::Rectangle, vpMillimeters);
  EXPECT_NEAR_LD(noSize.PageSize().Width, 8.26771653543307086614L, 1e-17L);
  EXPECT_NEAR_LD(noSize.PageSize().Height, 11.6929133858267716535L, 1e-17L);
  // A given size counts only for Custom paper.
  const TVpLabelTemplateInfo& a5 =
      list.AddTemplate(T::Custom_Template, "b", values, TVpSize{100, 50}, TVpPaperSize::A5,
                       vpPortrait, TVpLabelShape::Rectangle, vpMillimeters);
  EXPECT_EQ(a5.PageSize().Width, PaperSizeInches(TVpPaperSize::A5).Width);
}

TEST(VpLabelTemplateInfo, HermaReadsBackInMillimetresAndInches) {
  TVpLabelTemplateList list;
  const TVpLabelTemplateInfo& herma = *list.FindByName("herma_4209");
  EXPECT_NEAR_LD(herma.LabelWidth(vpMillimeters), 96, 1e-15L);
  EXPECT_NEAR_LD(herma.LabelWidth(), 3.77952755905511811024L, 1e-17L);
  EXPECT_NEAR_LD(herma.CornerRadius(), 0.1L, 1e-18L);
}

TEST(VpLabelTemplateInfo, CountsIgnoreZeroAndRefuseNegatives) {
  TVpLabelTemplateList list;
  TVpLabelTemplateInfo& sheet = *list.TemplateAt(0);
  sheet.SetAcross(0);
  sheet.SetDown(0);
  EXPECT_EQ(sheet.Across(), 3);
  EXPECT_EQ(sheet.Down(), 8);
  sheet.SetAcross(5);
  EXPECT_EQ(sheet.Across(), 5);
  EXPECT_EQ(sheet.LabelsPerPage(), 40);
  try {
    sheet.SetDown(-2);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "The number of labels down cannot be negative (-2)");
  }
  EXPECT_EQ(sheet.Down(), 8);
  EXPECT_THROW(
      list.AddCustomTemplate("x", {-1, 1}, std::nullopt, A4, TVpLabelShape::RoundRect, vpInches),
      std::invalid_argument);
  EXPECT_EQ(list.Count(), 19);

  sheet.SetAcross(INT32_MAX);
  sheet.SetDown(INT32_MAX);
  EXPECT_EQ(sheet.LabelsPerPage(), std::int64_t{INT32_MAX} * INT32_MAX);
}

TEST(VpLabelTemplateInfo, PaperOfACustomSheetNeverChanges) {
  TVpLabelTemplateList list;
  TVpLabelTemplateInfo& slot =
      list.AddCustomTemplate("Custom_Template", {1, 1, 1, 1, 0, 1, 1, 0, 0}, TVpSize{5, 4},
                             TVpPaperSize::Custom, TVpLabelShape::RoundRect, vpInches);
  slot.SetPaperSize(TVpPaperSize::A5);
  EXPECT_EQ(slot.PaperSize(), TVpPaperSize::Custom);
  EXPECT_EQ(slot.PageSize(), (TVpSize{5, 4}));

  TVpLabelTemplateInfo& sheet = *list.FindById(T::L7159_Address);
  sheet.SetPaperSize(TVpPaperSize::Letter);
  EXPECT_EQ(sheet.PaperSize(), TVpPaperSize::Letter);
  EXPECT_EQ(sheet.PageSize().Width, 8.5L);
  // Writing Custom gives A4's size, and from then on the paper stays.
  sheet.SetPaperSize(TVpPaperSize::Custom);
  EXPECT_EQ(sheet.PageSize().Width, PaperSizeInches(TVpPaperSize::A4).Width);
  sheet.SetPaperSize(TVpPaperSize::Letter);
  EXPECT_EQ(sheet.PaperSize(), TVpPaperSize::Custom);

  TVpLabelTemplateInfo& other = *list.FindById(T::L7160_Address);
  EXPECT_THROW(other.SetPaperSize(static_cast<TVpPaperSize>(99)), std::invalid_argument);
  EXPECT_EQ(other.PaperSize(), A4);
}

TEST(VpLabelTemplate, NamesAndOrdinals) {
  EXPECT_EQ(LabelTemplateName(T::Avery_8160_Address), "Avery_8160_Address");
  EXPECT_EQ(LabelTemplateFromOrdinal(20), T::Herma_4209);
  EXPECT_FALSE(LabelTemplateFromOrdinal(21));
  EXPECT_THROW(LabelTemplateName(static_cast<T>(21)), std::invalid_argument);
}

}  // namespace
