// Prints how fast the control's layout lays out and pages a document of about a million
// characters, how long one typed character takes to lay out again, and the memory the layout
// holds. Natively it measures with a table of proportional widths; on Windows with GDI fonts.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "bench/richedit/BenchSupport.h"
#include "bench/richedit/HeapCounter.h"
#include "richedit/ByteStream.h"
#include "richedit/DocumentLayout.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#ifdef _WIN32
#include "richedit/FormatRangeMessage.h"
#include "richedit/GdiLineRenderer.h"
#include "richedit/GdiTextMeasurer.h"
#endif

namespace {

using namespace richedit;
using Clock = std::chrono::steady_clock;

// A4 with one-inch margins, in twips.
constexpr std::int32_t PageTextWidth = 11906 - 2 * 1440;
constexpr std::int32_t PageTextHeight = 16838 - 2 * 1440;

// Widths in thousandths of the em, near those of a sans-serif face.
class TableMeasurer final : public TextMeasurer {
 public:
  void measure(const CharFormat& format, std::u16string_view text,
               std::span<std::int32_t> advances) override {
    for (std::size_t i = 0; i < text.size(); ++i) {
      advances[i] = format.height * perMille(text[i]) / 1000;
    }
  }
  FontMetrics metrics(const CharFormat& format) override {
    return {format.height * 905 / 1000, format.height * 212 / 1000};
  }

 private:
  static std::int32_t perMille(char16_t c) {
    if (c == u' ') return 278;
    if (c == u'i' || c == u'l' || c == u'j' || c == u'.' || c == u',') return 222;
    if (c == u'm' || c == u'w' || c == u'M' || c == u'W') return 833;
    if (c >= u'A' && c <= u'Z') return 667;
    if (c >= u'0' && c <= u'9') return 556;
    return 500;
  }
};

int paginate(DocumentLayout& layout, CharPos end) {
  int pages = 0;
  for (CharPos at = 0; at < end; ++pages) {
    const BandFit band = layout.fit(at, PageTextHeight, end);
    if (band.end <= at) break;
    at = band.end;
  }
  return pages;
}

void run(const char* name, TextMeasurer& measurer, RichTextDocument& doc) {
  const CharPos end = doc.textLength();
  const LayoutOptions page{PageTextWidth, true, true};
  std::printf("%s:\n", name);
  const double scratch = medianMs(5, [&] {
    DocumentLayout layout(doc, measurer, page);
    (void)layout.lineCount();
  });

  const long long before = liveBytes.load();
  auto layout = std::make_unique<DocumentLayout>(doc, measurer, page);
  const int lines = layout->lineCount();
  const long long held = liveBytes.load() - before;
  int pages = 0;
  const double paging = medianMs(5, [&] { pages = paginate(*layout, end); });
  std::printf("  lay out from scratch: %.1f ms (%d lines); page it: %.1f ms (%d pages)\n", scratch,
              lines, paging, pages);
  std::printf("  layout on the heap: %lld bytes = %.2f x the text's UTF-16 bytes\n", held,
              static_cast<double>(held) / (2.0 * end));

  doc.setChangeListener([&](const ChangeNotice& n) { layout->onChange(n); });
  const CharPos middle = end / 2;
  const int keys = 200;
  const std::uint64_t layoutsBefore = layout->paragraphLayouts();
  const double typing = medianMs(1, [&] {
    for (int i = 0; i < keys; ++i) {
      doc.replaceText({middle + i, middle + i}, u"x", nullptr, EditKind::Typing);
      (void)layout->lineCount();  // every paragraph placed again, as a full repaint would need
    }
  });
  std::printf("  one typed character laid out again: %.1f us (%.1f paragraphs a key)\n",
              typing * 1000.0 / keys,
              static_cast<double>(layout->paragraphLayouts() - layoutsBefore) / keys);
  doc.setChangeListener(nullptr);
  doc.undo();
}

#ifdef _WIN32
// One A4 page at 300 dpi drawn into a 32-bit DIB through EM_FORMATRANGE's handler.
void renderPage(TextMeasurer& measurer, const RichTextDocument& doc) {
  FormatRangeHandler handler(doc, measurer);
  RangeFormatter& formatter = handler.formatter();
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2480, -3508, 1, 32, BI_RGB, 0, 11811, 11811, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  FORMATRANGE record{};
  record.hdc = record.hdcTarget = dc;
  record.rcPage = {0, 0, 11906, 16838};
  // The page after the first, so that layout is not part of the figure.
  record.rc = {1440, 1440, 1440 + PageTextWidth, 1440 + PageTextHeight};
  record.chrg = {0, -1};
  const LRESULT second = handler.formatRange(0, &record);
  // A memory DC reports the screen's resolution, so the page is drawn through the renderer
  // at an explicit 300 dpi, as a printer DC would set it.
  const FormattedRange page =
      formatter.format({1440, 1440, 1440 + PageTextWidth, 1440 + PageTextHeight},
                       {static_cast<CharPos>(second), -1});
  const double ms = medianMs(5, [&] {
    PatBlt(dc, 0, 0, 2480, 3508, WHITENESS);
    GdiLineRenderer renderer(dc, {300.0 / 1440, 300.0 / 1440, {300, 300}});
    renderer.drawLines(*formatter.layout(), doc, page.firstLine, page.firstLine + page.lines,
                       page.layoutTop);
    GdiFlush();
  });
  std::printf("  render one A4 page (%d lines) at 300 dpi into a DIB: %.1f ms\n", page.lines, ms);
  handler.formatRange(0, nullptr);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// Pages of each sample on A4 with 2 cm margins (the LibreOffice samples) or Letter with 1-inch
// margins (the pandoc ones), to set beside the page counts of the samples' reference PDFs.
void samplePages(TextMeasurer& measurer, const std::string& dir) {
  const char* names[] = {"lo-alignment-letter", "lo-char-formatting", "lo-fonts-sizes",
                         "lo-indents-spacing",  "lo-line-spacing",    "lo-lists",
                         "lo-long-document",    "lo-page-breaks",     "lo-report",
                         "lo-tab-stops",        "lo-unicode",         "pandoc-report",
                         "pandoc-table",        "pandoc-images"};
  std::printf("pages of the samples:\n");
  for (const char* name : names) {
    const std::string rtf = readFile(dir + name + ".rtf");
    if (rtf.empty()) continue;
    MemorySource source(rtf);
    RichTextDocument doc;
    doc.load(readRtf(source).fragment);
    const bool letter = std::string(name).rfind("pandoc", 0) == 0;
    const std::int32_t margin = letter ? 1440 : 1134;
    const std::int32_t width = (letter ? 12240 : 11906) - 2 * margin;
    const std::int32_t height = (letter ? 15840 : 16838) - 2 * margin;
    DocumentLayout layout(doc, measurer, {width, true, true});
    int pages = 0;
    const CharPos end = doc.textLength();
    for (CharPos at = 0; at < end || pages == 0; ++pages) {
      const BandFit band = layout.fit(at, height, end);
      if (band.end <= at) {
        ++pages;
        break;
      }
      at = band.end;
    }
    std::printf("  %-22s %3d pages, %5d lines\n", name, pages, layout.lineCount());
  }
}
#endif

}  // namespace

int main() {
  const std::string dir = std::string(TEST_DATA_DIR) + "/rtf/";
  const std::string longDoc = readFile(dir + "lo-long-document.rtf");
  if (longDoc.empty()) {
    std::fprintf(stderr, "The sample documents were not found in %s.\n", dir.c_str());
    return 1;
  }
  // A document of about a million characters: the 40-page sample pasted after itself.
  MemorySource source(longDoc);
  const RichTextFragment whole = readRtf(source).fragment;
  RichTextFragment big = whole;
  while (big.length() < 1000000) big.append(whole);
  RichTextDocument doc;
  doc.load(big);
  std::printf("document: %d characters, %d paragraphs, %zu runs\n", doc.textLength(),
              doc.paragraphCount(), doc.runCount());

  TableMeasurer table;
  run("table of widths", table, doc);
#ifdef _WIN32
  GdiTextMeasurer gdi;
  run("GDI fonts at 1440 per inch", gdi, doc);
  renderPage(gdi, doc);
  samplePages(gdi, dir);
#endif
  return 0;
}
