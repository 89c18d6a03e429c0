#include "engine/VpPrintPages.h"

#include <stdexcept>
#include <string>

#include "engine/VpRounding.h"

namespace {

TVpIntRect ClipRect(const TVpPageList& list, const TVpPage& page, TVpIntPoint r) {
  const TVpSize size = page.Size();
  const TVpMargins& margins = list.Margins();
  if (!margins.ClipMargins())
    return {0, 0, VpRoundToInt(size.Width * r.X), VpRoundToInt(size.Height * r.Y)};
  return {VpRoundToInt(margins.Left().AsInches() * r.X),
          VpRoundToInt(margins.Top().AsInches() * r.Y),
          VpRoundToInt((size.Width - margins.Right().AsInches()) * r.X),
          VpRoundToInt((size.Height - margins.Bottom().AsInches()) * r.Y)};
}

}  // namespace

void PrintPages(TVpPageList& list, TVpPrintSink& printer, const std::vector<int>& pages) {
  if (pages.empty()) return;
  for (int number : pages)
    if (number < 1 || number > list.PageCount())
      throw std::out_of_range("Page " + std::to_string(number) + " does not exist.");
  printer.SetJobOrientation(list.GetPage(pages.front()).Orientation());
  printer.SetPagesPerSheet(list.PagesPerSheet());
  printer.SetPaper(list.PaperSize());
  if (!printer.BeginJob() || printer.Aborted()) return;
  try {
    const int n = static_cast<int>(pages.size());
    for (int i = 1; i <= n; ++i) {
      const TVpPage& page = list.GetPage(pages[static_cast<std::size_t>(i - 1)]);
      const TVpIntPoint r = printer.Resolution();
      TVpDrawTarget& canvas = printer.Canvas();
      canvas.ClipToPath(RectanglePath(ClipRect(list, page, r)));
      list.DrawPage(page, canvas, r.X, r.Y);
      if (i < n) printer.NextPage();
      list.OnPrintProgress(list, i, n);
      if (printer.Aborted()) break;
    }
  } catch (...) {
    printer.AbortJob();
    throw;
  }
  // A cancelled job is withdrawn from the spooler rather than printed in part.
  if (printer.Aborted())
    printer.AbortJob();
  else
    printer.EndJob();
}
