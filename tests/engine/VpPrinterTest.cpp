#include <gtest/gtest.h>

#include "engine/VpPrinter.h"

TEST(PrinterDeviceMode, EachSettingMarksItsFieldAndReadsBack) {
  DEVMODEW mode{};
  WriteDuplex(mode, vpVertDuplex);
  WriteCollate(mode, true);
  WriteCopies(mode, 3);
  WritePrintColor(mode, vpMonochrome);
  WriteDitherType(mode, vpGrayScale);
  WritePrintQuality(mode, vpHigh);
  WriteOrientation(mode, vpLandscape);
  WritePaperCode(mode, DMPAPER_A5);
  EXPECT_EQ(mode.dmDuplex, 2);
  EXPECT_EQ(mode.dmDitherType, 10u);
  EXPECT_EQ(mode.dmPrintQuality, -4);
  EXPECT_EQ(mode.dmColor, 1);
  EXPECT_EQ(mode.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode.dmFields,
            static_cast<DWORD>(DM_DUPLEX | DM_COLLATE | DM_COPIES | DM_COLOR | DM_DITHERTYPE |
                               DM_PRINTQUALITY | DM_ORIENTATION | DM_PAPERSIZE));
  EXPECT_EQ(ReadDuplex(mode), vpVertDuplex);
  EXPECT_TRUE(ReadCollate(mode));
  EXPECT_EQ(ReadCopies(mode), 3);
  EXPECT_EQ(ReadPrintQuality(mode), vpHigh);
  mode.dmDuplex = 9;
  EXPECT_EQ(ReadDuplex(mode), vpSimplex) << "a value the setting does not know";
}

// ./test runs a test printer; without one the wrapper falls back to the A4 defaults.
TEST(Printer, SettingsGoThroughTheCurrentPrintersDeviceMode) {
  TVpPrinter printer;
  if (printer.Printers().empty()) {
    EXPECT_EQ(printer.PrintCopies(), 1);
    EXPECT_EQ(printer.PrintQuality(), vpMedium);
    EXPECT_TRUE(printer.Info().NoDevice);
    EXPECT_EQ(printer.Info().PhysicalWidth, 2481);
    return;
  }
  printer.SetDuplex(vpVertDuplex);
  printer.SetPrintCopies(2);
  const std::optional<DEVMODEW> mode = printer.DeviceMode();
  ASSERT_TRUE(mode.has_value());
  EXPECT_TRUE(mode->dmFields & DM_DUPLEX);
  EXPECT_EQ(mode->dmDuplex, 2);
  EXPECT_EQ(printer.PrintCopies(), 2);
  const TVpPrinterInfo& info = printer.Info();
  EXPECT_FALSE(info.NoDevice);
  EXPECT_EQ(info.ResolutionX, 300);
  EXPECT_EQ(info.OffsetRight(), info.PhysicalWidth - info.PrintableWidth - info.OffsetLeft);
  EXPECT_GT(info.PhysicalHeight, info.PhysicalWidth) << "measured in portrait";
}
