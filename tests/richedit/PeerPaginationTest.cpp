// Our pagination of the sample documents beside LibreOffice's PDF of the same files (the
// .lo.pdf next to each sample; tools/compare-rtf-pages.sh shows the pages side by side). The
// table's paper, page body, page count and text lines per page were read from those PDFs with
// pdfinfo and pdftotext -bbox. Both resolve Arial, Times New Roman and Courier New to the same
// metric-compatible fonts, so lines break alike and the page count follows.
//
// A text line is a line with visible text: pictures and empty paragraphs leave nothing in the
// PDF's text, so lines holding only those are not counted on our side either.
//
// Our lines are shorter than LibreOffice's: it adds the font's line gap to every line (87/2048
// em in Liberation Serif, about 4 % of a line) and our control, like the platform's, sets lines
// at the font's cell height. So a page that runs out of room may hold a few more of our lines,
// at most 4 % of them, and gives them back on the page that ends at a page break or at the end
// of the text: over the pages compared, the lines agree exactly.
//
// The malformed samples are left out: their PDFs record LibreOffice's own recovery of a damaged
// file, not a layout.
#include <windows.h>

#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/GdiHandles.h"
#include "richedit/FormatRangeMessage.h"
#include "richedit/GdiTextMeasurer.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

struct PeerSample {
  const char* name;
  RECT body;  // where LibreOffice's text sits on the paper, twips from its top left corner
  int pages;  // LibreOffice's page count
  // LibreOffice's text lines on the first pages, up to a page break or the end of the text.
  std::vector<int> lines;
  int pageShift = 0;  // ours minus LibreOffice's, by design (see the row)
  int lineShift = 0;  // the same for the lines compared
};

constexpr LONG A4Width = 11906, A4Height = 16838, LetterWidth = 12240, LetterHeight = 15840;
// The section margins of files converted from HTML: 2 cm on the left, 1 cm elsewhere.
constexpr RECT FromHtml{1134, 567, A4Width - 567, A4Height - 567};
// Files converted from LibreOffice's own format: 2 cm all round.
constexpr RECT FromOdt{1134, 1134, A4Width - 1134, A4Height - 1134};
// pandoc writes no page setup; LibreOffice then used Letter with an inch all round (the text
// starts 72 pt from the left and top, centred titles centre on the page).
constexpr RECT FromPandoc{1440, 1440, LetterWidth - 1440, LetterHeight - 1440};

const PeerSample kSamples[] = {
    {"lo-alignment-letter", FromHtml, 1, {26}},
    {"lo-char-formatting", FromHtml, 1, {12}},
    {"lo-colours", FromHtml, 1, {8}},
    {"lo-empty", FromOdt, 1, {0}},
    {"lo-fonts-sizes", FromOdt, 1, {25}},
    {"lo-indents-spacing", FromHtml, 1, {18}},
    {"lo-line-spacing", FromOdt, 2, {34, 9}},
    {"lo-lists", FromHtml, 1, {28}},
    // Each chapter starts a page; its first chapter fills three.
    {"lo-long-document", FromHtml, 39, {40, 45, 22}},
    // A section break (\sect\sbkpage) ends a paragraph in our control, as in the platform's, and
    // starts no page: LibreOffice's pages five and six share our page five.
    {"lo-page-breaks", FromOdt, 6, {2, 3, 3, 1}, -1},
    // The footnote's text, which LibreOffice sets at the foot of the page, is not in our model.
    {"lo-report", FromHtml, 1, {21}, 0, -1},
    {"lo-single-paragraph", FromHtml, 1, {2}},
    {"lo-tab-stops", FromOdt, 1, {21}},
    // The title's font is Liberation Serif Bold 24 pt as the file says; LibreOffice draws its
    // headings in Liberation Sans Bold, which is wider, and wraps the title.
    {"lo-unicode", FromHtml, 1, {21}, 0, -1},
    {"pandoc-char-formatting", FromPandoc, 1, {10}},
    // Nothing to place; LibreOffice chose A4 for the empty file.
    {"pandoc-empty", {1440, 1440, A4Width - 1440, A4Height - 1440}, 1, {0}},
    {"pandoc-images", FromPandoc, 1, {5}},
    {"pandoc-letter-hyperlinks", FromPandoc, 1, {23}},
    {"pandoc-report", FromPandoc, 1, {22}, 0, -1},  // a footnote, as in lo-report
    {"pandoc-single-paragraph", FromPandoc, 1, {2}},
    {"pandoc-table", FromPandoc, 1, {7}},
};

bool showsText(const RichTextDocument& doc, CharPos from, CharPos to) {
  for (CharPos i = from; i < to; ++i) {
    const char16_t c = doc.charAt(i);
    if (c > u' ' && c != ch::Object && c != 0x00A0 && !doc.charFormatAt(i).has(cfe::Hidden))
      return true;
  }
  return false;
}

// Pages as a print loop asks for them (at least one, each from where the last one stopped), and
// the text lines on each.
std::vector<int> textLinesPerPage(const RichTextDocument& doc, const RECT& body) {
  GdiTextMeasurer measurer;
  FormatRangeHandler handler(doc, measurer);
  MemoryDC dc;
  std::vector<int> pages;
  CharPos at = 0;
  do {
    FORMATRANGE record{};
    record.hdc = record.hdcTarget = dc.get();
    record.rc = body;
    record.rcPage = body;
    record.chrg = {at, -1};
    const auto next = static_cast<CharPos>(handler.formatRange(FALSE, &record));
    DocumentLayout& layout = *handler.formatter().layout();
    int lines = 0;
    for (int i = layout.lineFromChar(at); i < layout.lineCount(); ++i) {
      const DocumentLine line = layout.line(i);
      if (line.start >= next) break;
      if (showsText(doc, line.start, line.end())) ++lines;
    }
    pages.push_back(lines);
    if (next <= at) break;  // a page that takes nothing would never end
    at = next;
  } while (at < doc.textLength());
  handler.formatRange(FALSE, nullptr);
  return pages;
}

std::string listed(const std::vector<int>& values) {
  std::string s;
  for (const int v : values) s += (s.empty() ? "" : " ") + std::to_string(v);
  return s;
}

// One test over the whole table: each sample costs a few milliseconds, a process of its own
// would cost a quarter of a second under Wine.
TEST(PeerPagination, PagesAndLinesMatchLibreOffice) {
  for (const PeerSample& s : kSamples) {
    SCOPED_TRACE(s.name);
    const std::string rtf = test::readFile(test::dataPath(std::string(s.name) + ".rtf"));
    ASSERT_FALSE(rtf.empty()) << "missing test data";
    const RichTextDocument doc = test::documentFromRtf(rtf);
    const std::vector<int> ours = textLinesPerPage(doc, s.body);
    SCOPED_TRACE("our text lines per page: " + listed(ours));

    // Short documents agree exactly; a long one may drift by 5 % of its pages.
    EXPECT_NEAR(static_cast<int>(ours.size()), s.pages + s.pageShift, s.pages * 5 / 100);

    const std::size_t compared = s.lines.size();
    if (ours.size() < compared) {
      ADD_FAILURE() << "fewer pages than compared";
      continue;
    }
    for (std::size_t page = 0; page + 1 < compared; ++page) {
      const int extra = ours[page] - s.lines[page];
      EXPECT_GE(extra, 0) << "page " << page + 1 << " holds fewer of our shorter lines";
      EXPECT_LE(extra, (s.lines[page] * 4 + 99) / 100) << "page " << page + 1;
    }
    EXPECT_EQ(std::accumulate(ours.begin(), ours.begin() + compared, 0),
              std::accumulate(s.lines.begin(), s.lines.end(), 0) + s.lineShift)
        << "text lines on the first " << compared << " page(s)";
  }
}

}  // namespace
}  // namespace richedit
