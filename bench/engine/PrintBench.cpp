// Figures for printing: 1,000 address labels (42 pages) sent to the default printer, timed
// until EndDoc returns. bench/engine/print-bench.sh runs it against the test printer and adds
// the time until the spooler has written the job, and its size.
#include <chrono>
#include <cstdio>

#include "bench/engine/LabelRun.h"
#include "engine/VpFontMapper.h"
#include "engine/VpPrinter.h"

int main() {
  TVpPageList list;
  list.CellHeight = [](const TVpFont& font, int ppi) {
    return FontMapper().FontCellHeight(font, ppi);
  };
  list.AddPage();
  bench::RecordLabels(list, 1000);
  std::vector<int> pages;
  for (int n = 1; n <= list.PageCount(); ++n) pages.push_back(n);
  TVpPrinter printer;
  printer.Title = "PrintBench";
  const auto start = std::chrono::steady_clock::now();
  PrintPages(list, printer, pages);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d label pages printed: %.0f ms until EndDoc returned\n", list.PageCount(), ms);
  // For the script: when EndDoc returned, to time the spooler's share.
  const double epoch =
      std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
  std::printf("enddoc-at %.3f\n", epoch);
}
