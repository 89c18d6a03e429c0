// PrintScenario <name>: prints one of the print tests' jobs on the default printer through the
// page engine, as the programs do; tests/engine/print-test.sh reads what came out.
//   four     five pages, four to a sheet
//   two      two portrait A4 pages, two to a sheet
//   inch     a text one inch from the page's corner
//   copies   one page, two collated copies
//   letter   one Letter page;  a5  one A5 page
//   cancel   three pages, cancelled after the first is drawn
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/VpPrinter.h"

namespace {

void RecordPage(TVpPageList& list, int n) {
  if (n > 1) list.AddPage();
  list.Canvas().Font.Size = 24;
  list.Canvas().TextOut(1, 1, "P" + std::to_string(n), vpInches);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: PrintScenario four|two|inch|copies|letter|a5|cancel\n", stderr);
    return 2;
  }
  const std::wstring name = argv[1];
  try {
    TVpPageList list;
    TVpPrinter printer;
    bool refused = false;
    printer.ShowMessage = [&](const std::string& text) {
      std::fprintf(stderr, "%s\n", text.c_str());
      refused = true;
    };
    printer.Title = "PrintScenario";
    int pages = 1;
    if (name == L"four") {
      pages = 5;
      list.SetPagesPerSheet(vpFourPage);
    } else if (name == L"two") {
      pages = 2;
      list.SetPagesPerSheet(vpTwoPage);
    } else if (name == L"copies") {
      printer.SetPrintCopies(2);
      printer.SetCollate(true);
    } else if (name == L"letter") {
      list.SetPaperSize(TVpPaperSize::Letter);
    } else if (name == L"a5") {
      list.SetPaperSize(TVpPaperSize::A5);
    } else if (name == L"cancel") {
      pages = 3;
      list.OnPrintProgress = [&](TVpPageList&, int, int) { printer.Abort(); };
    } else if (name != L"inch") {
      std::fputs("PrintScenario: no such scenario\n", stderr);
      return 2;
    }
    list.AddPage();
    for (int n = 1; n <= pages; ++n) RecordPage(list, n);
    std::vector<int> numbers;
    for (int n = 1; n <= list.PageCount(); ++n) numbers.push_back(n);
    PrintPages(list, printer, numbers);
    if (refused) return 1;
    if (printer.Printing()) throw std::runtime_error("The job was left open.");
    const TVpPrinterInfo& info = printer.Info();
    std::printf("printed %d pages; sheet %dx%d at %d dpi, offsets %d,%d\n", list.PageCount(),
                info.PhysicalWidth, info.PhysicalHeight, info.ResolutionX, info.OffsetLeft,
                info.OffsetTop);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "PrintScenario: %s\n", e.what());
    return 1;
  }
  return 0;
}
