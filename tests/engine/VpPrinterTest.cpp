#include <stdexcept>
#include <string>
#include <vector>

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

namespace {

// ./test starts the private test printer before any Wine process; without it these tests
// cannot say anything, so they fail rather than pass unseen.
constexpr const char* kNoTestPrinter = "no test printer: start it with tools/print-server.sh";

// Watches a job's spooler calls on the test printer without sending anything to it; the
// step named failAt is refused the first time.
struct SpoolerLog {
  std::vector<std::string> calls;
  std::string failAt;
  int Answer(const char* call) {
    calls.emplace_back(call);
    if (call != failAt) return 1;
    failAt.clear();
    return 0;
  }
  void Watch(TVpPrinter& printer) {
    printer.Spooler = {[this](HDC, const DOCINFOW*) { return Answer("doc"); },
                       [this](HDC) { return Answer("start"); },
                       [this](HDC) { return Answer("end"); },
                       [this](HDC dc, const DEVMODEW*) { return Answer("reset") ? dc : nullptr; },
                       [this](HDC) { return Answer("enddoc"); },
                       [this](HDC) { return Answer("abort"); }};
  }
};

std::string Joined(const std::vector<std::string>& calls) {
  std::string text;
  for (const std::string& call : calls) text += (text.empty() ? "" : " ") + call;
  return text;
}

}  // namespace

TEST(PrinterJob, SheetsEndWhereTheirPagesRunOutAndRefusedStepsWithdrawTheJob) {
  struct Case {
    TVpPagesPerSheet perSheet;
    std::string failAt;
    std::string expected;
  };
  const Case cases[] = {
      {vpOnePage, "",
       "doc start end reset start end reset start end reset start end reset start end enddoc"},
      {vpTwoPage, "", "doc start end reset start end reset start end enddoc"},
      {vpFourPage, "", "doc start end reset start end enddoc"},
      {vpFourPage, "reset", "doc start end reset abort"},
      {vpTwoPage, "enddoc", "doc start end reset start end reset start end enddoc abort"},
  };
  for (const Case& c : cases) {
    TVpPrinter printer;
    ASSERT_TRUE(printer.PrinterAvailable()) << kNoTestPrinter;
    SpoolerLog log;
    log.Watch(printer);
    log.failAt = c.failAt;
    int finished = 0;
    printer.AfterPrint = [&](TVpPrinter&) { ++finished; };
    printer.SetPagesPerSheet(c.perSheet);
    ASSERT_TRUE(printer.BeginJob());
    bool refused = false;
    try {
      for (int page = 2; page <= 5; ++page) printer.NextPage();
      printer.EndJob();
    } catch (const std::runtime_error&) {
      refused = true;
    }
    EXPECT_EQ(Joined(log.calls), c.expected) << c.failAt;
    EXPECT_EQ(refused, !c.failAt.empty());
    EXPECT_EQ(finished, c.failAt.empty() ? 1 : 0) << "only a finished job is reported printed";
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Handle(), nullptr) << "no job is left open";
  }
}

TEST(PrinterJob, BeforePrintMayCancelAndNoSecondJobStartsInsideIt) {
  TVpPrinter printer;
  ASSERT_TRUE(printer.PrinterAvailable()) << kNoTestPrinter;
  SpoolerLog log;
  log.Watch(printer);
  bool nested = true;
  printer.BeforePrint = [&](TVpPrinter& p) {
    EXPECT_TRUE(p.Printing());
    nested = p.BeginJob();
    p.Abort();
  };
  EXPECT_FALSE(printer.BeginJob());
  EXPECT_FALSE(nested);
  EXPECT_FALSE(printer.Printing());
  EXPECT_TRUE(log.calls.empty()) << Joined(log.calls);

  // A handler that fails leaves the printer free for the next job.
  printer.BeforePrint = [](TVpPrinter&) { throw std::runtime_error("The form is closing."); };
  EXPECT_THROW(printer.BeginJob(), std::runtime_error);
  EXPECT_FALSE(printer.Printing());
  printer.BeforePrint = nullptr;
  EXPECT_TRUE(printer.BeginJob());
  printer.EndJob();
  EXPECT_EQ(Joined(log.calls), "doc start end enddoc");
}
