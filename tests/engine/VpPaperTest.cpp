#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpPageSetup.h"
#include "engine/VpPaper.h"
#include "tests/engine/NearLongDouble.h"

namespace {

using P = TVpPaperSize;

struct PaperRow {
  P size;
  const char* name;
  long double width, height;
  TVpMeasurement unit;
  int printerCode;
  bool envelope;
};

const PaperRow kCatalogue[] = {
    {P::A3, "A3", 297, 420, vpMillimeters, 8, false},
    {P::A4, "A4", 210, 297, vpMillimeters, 9, false},
    {P::A5, "A5", 148.5L, 210, vpMillimeters, 11, false},
    {P::A6, "A6", 105, 148, vpMillimeters, 70, false},
    {P::B5, "B5", 6.92L, 9.84L, vpInches, 13, true},
    {P::C5, "C5", 6.38L, 9.02L, vpInches, 28, true},
    {P::C6, "C6", 114, 162, vpMillimeters, -1, true},
    {P::C65, "C65", 114, 229, vpMillimeters, -1, true},
    {P::Legal, "Legal", 8.5L, 14, vpInches, 5, false},
    {P::Letter, "Letter", 8.5L, 11, vpInches, 1, false},
    {P::Custom, "Custom", 0, 0, vpInches, -1, false},
    {P::B4, "B4", 250, 354, vpMillimeters, 12, true},
    {P::Envelope_DL, "Envelope_DL", 110, 220, vpMillimeters, -1, true},
    {P::Envelope_DL_Maxi, "Envelope_DL_Maxi", 120, 235, vpMillimeters, -1, true},
    {P::Envelope_09, "Envelope_09", 3.78L, 8.78L, vpInches, 19, true},
    {P::Envelope_10, "Envelope_10", 4.18L, 9.12L, vpInches, 20, true},
    {P::Envelope_11, "Envelope_11", 4.12L, 10.38L, vpInches, 21, true},
    {P::Envelope_12, "Envelope_12", 12.44L, 11.0L, vpInches, 22, true},
    {P::Envelope_14, "Envelope_14", 14.5L, 11.12L, vpInches, 23, true},
    {P::Tabloid, "Tabloid", 11, 17, vpInches, 3, false},
    {P::Ledger, "Ledger", 17, 11, vpInches, 4, false},
    {P::Executive, "Executive", 7.14L, 10.12L, vpInches, 7, false},
};

TEST(VpPaper, EverySizeMatchesTheCatalogue) {
  ASSERT_EQ(std::size(kCatalogue), static_cast<std::size_t>(kVpPaperSizeCount));
  for (int ordinal = 0; ordinal < kVpPaperSizeCount; ++ordinal) {
    const PaperRow& row = kCatalogue[ordinal];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(static_cast<int>(row.size), ordinal);
    EXPECT_EQ(PaperSizeName(row.size), row.name);
    EXPECT_EQ(PaperSizeFromName(row.name), row.size);
    EXPECT_EQ(PrinterPaperCode(row.size), row.printerCode);
    EXPECT_EQ(IsEnvelopeSize(row.size), row.envelope);
    const TVpSize inches = PaperSizeInches(row.size);
    EXPECT_NEAR_LD(ConvertValue(inches.Width, vpInches, row.unit), row.width, 1e-15L);
    EXPECT_NEAR_LD(ConvertValue(inches.Height, vpInches, row.unit), row.height, 1e-15L);
  }
}

TEST(VpPaper, CommonSizesInInches) {
  EXPECT_NEAR_LD(PaperSizeInches(P::A4).Width, 8.26771653543307086614L, 1e-17L);
  EXPECT_NEAR_LD(PaperSizeInches(P::A4).Height, 11.6929133858267716535L, 1e-17L);
  EXPECT_EQ(PaperSizeInches(P::Letter).Width, 8.5L);  // exact, no conversion error
  EXPECT_EQ(PaperSizeInches(P::Letter).Height, 11.0L);
}

TEST(VpPaper, NamesMatchExactlyAndListInOrdinalOrder) {
  EXPECT_EQ(PaperSizeFromName("a4"), P::Custom);
  EXPECT_EQ(static_cast<int>(PaperSizeFromName("Executive")), 21);
  EXPECT_EQ(PaperSizeFromName("Envelope DL"), P::Custom);

  std::vector<std::string> names{"left over"};
  GetPaperSizeNames(names);
  ASSERT_EQ(names.size(), 22u);
  EXPECT_EQ(names.front(), "A3");
  EXPECT_EQ(names[12], "Envelope_DL");
  EXPECT_EQ(names.back(), "Executive");
}

TEST(VpPaper, OrdinalsOutsideTheCatalogueAreRefused) {
  EXPECT_EQ(PaperSizeFromOrdinal(21), P::Executive);
  EXPECT_FALSE(PaperSizeFromOrdinal(22));
  EXPECT_FALSE(PaperSizeFromOrdinal(-1));
  EXPECT_FALSE(OrientationFromOrdinal(2));
  EXPECT_THROW(PaperSizeInches(static_cast<P>(22)), std::invalid_argument);
  EXPECT_THROW(PrinterPaperCode(static_cast<P>(22)), std::invalid_argument);
}

TEST(VpPageRules, OrientationTurnsByTheLargerDimension) {
  const TVpSize tall{2, 3}, wide{3, 2};
  EXPECT_EQ(OrientPageSize(tall, vpLandscape).Width, 3);
  EXPECT_EQ(OrientPageSize(wide, vpLandscape).Width, 3);
  EXPECT_EQ(OrientPageSize(wide, vpPortrait).Width, 2);
  EXPECT_EQ(OrientPageSize(tall, vpPortrait).Width, 2);
  EXPECT_EQ(PageSizeForPaper(P::Custom, vpLandscape, tall).Width, 2);  // kept as it is
  EXPECT_EQ(PageSizeForPaper(P::Letter, vpLandscape, tall).Width, 11);
}

TEST(VpPageSetup, StartsOnPortraitA4AndSettingTheSamePaperTwiceChangesOnce) {
  TVpPageSetup setup;
  EXPECT_EQ(setup.Orientation(), vpPortrait);
  EXPECT_EQ(setup.PageSize().Width, PaperSizeInches(P::A4).Width);
  EXPECT_FALSE(setup.SetPaperSize(P::A4));
  EXPECT_TRUE(setup.SetPaperSize(P::Letter));
  EXPECT_FALSE(setup.SetPaperSize(P::Letter));
  EXPECT_EQ(setup.PageSize().Height, 11);
}

TEST(VpPageSetup, LedgerIsElevenBySeventeenInBothOrientations) {
  TVpPageSetup setup;
  setup.SetOrientation(vpLandscape);
  setup.SetPaperSize(P::Ledger);
  EXPECT_EQ(setup.PageSize(), (TVpSize{11, 17}));  // the landscape swap turns 17 x 11
  setup.SetOrientation(vpPortrait);
  EXPECT_EQ(setup.PageSize(), (TVpSize{11, 17}));
}

TEST(VpPageSetup, CustomSizeIsKeptAsGivenAndTurnsWithTheOrientation) {
  TVpPageSetup setup;
  setup.SetCustomPaperSize(100, 50, vpMillimeters);
  EXPECT_EQ(setup.PaperSize(), P::Custom);
  EXPECT_EQ(PrinterPaperCode(setup.PaperSize()), -1);
  EXPECT_NEAR_LD(setup.PageSize().Width, 3.93700787401574803150L, 1e-17L);
  EXPECT_NEAR_LD(setup.PageSize().Height, 1.96850393700787401575L, 1e-17L);

  EXPECT_EQ(setup.RecomputePageSize().Width, setup.PageSize().Width);  // Custom keeps it
  setup.SetOrientation(vpPortrait);
  EXPECT_LT(setup.PageSize().Width, setup.PageSize().Height);
  setup.SetOrientation(vpLandscape);
  EXPECT_GT(setup.PageSize().Width, setup.PageSize().Height);

  EXPECT_TRUE(setup.SetPaperSize(P::A5));  // leaving Custom takes the paper's size again
  EXPECT_EQ(setup.PageSize().Width, PaperSizeInches(P::A5).Height);
}

TEST(VpPageSetup, BadSizesAreRefusedAndChangeNothing) {
  TVpPageSetup setup;
  try {
    setup.SetCustomPaperSize(0, 50, vpMillimeters);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "A custom paper size needs a positive width and height");
  }
  EXPECT_THROW(setup.SetCustomPaperSize(10, -1, vpInches), std::invalid_argument);
  EXPECT_THROW(setup.SetCustomPaperSize(10, NAN, vpInches), std::invalid_argument);
  EXPECT_THROW(setup.SetPaperSize(static_cast<P>(40)), std::invalid_argument);
  EXPECT_THROW(setup.SetOrientation(static_cast<TVpOrientation>(2)), std::invalid_argument);
  EXPECT_EQ(setup.PaperSize(), P::A4);
  EXPECT_EQ(setup.Orientation(), vpPortrait);
  EXPECT_EQ(setup.PageSize(), PaperSizeInches(P::A4));
}

}  // namespace
