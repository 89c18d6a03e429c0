// The PDF writer's files, byte by byte (object order, cross-reference offsets, stream lengths,
// escaping) and through other readers: qpdf checks the structure, pdfinfo reads the page
// count, size and title, pdftoppm renders a page back to the picture we drew.
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/writer/export/ExternalReaders.h"
#include "writer/export/PdfWriter.h"

using writer::RgbColor;
using writer::RgbImage;
using writer::TPrintPDF1;
using namespace export_tests;

namespace {

// Coloured squares over a grey ramp: every sample value and position matters.
RgbImage TestPicture(int width, int height) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t ramp = static_cast<std::uint8_t>((x + y) * 255 / (width + height));
      RgbColor c{ramp, ramp, ramp};
      if ((x / 16 + y / 16) % 3 == 0) c = {200, static_cast<std::uint8_t>(y % 256), 30};
      image.SetPixel(x, y, c);
    }
  return image;
}

struct ParsedPdf {
  std::vector<std::size_t> offsets;  // xref entries of objects 1..
  std::size_t size = 0;              // /Size
  std::size_t startxref = 0;
};

ParsedPdf ParseTrailer(const std::string& pdf) {
  ParsedPdf parsed;
  const std::size_t xref = pdf.rfind("xref\r\n0 ");
  EXPECT_NE(xref, std::string::npos);
  std::size_t at = pdf.find("\r\n", xref + 6) + 2;
  EXPECT_EQ(pdf.substr(at, 20), "0000000000 65535 f\r\n");
  for (at += 20; pdf.compare(at, 7, "trailer") != 0; at += 20) {
    EXPECT_EQ(pdf.substr(at + 10, 10), " 00000 n\r\n");
    parsed.offsets.push_back(std::stoul(pdf.substr(at, 10)));
  }
  parsed.size = std::stoul(pdf.substr(pdf.find("/Size ", at) + 6));
  parsed.startxref = std::stoul(pdf.substr(pdf.find("startxref\r\n", at) + 11));
  EXPECT_EQ(parsed.startxref, xref);
  EXPECT_EQ(pdf.substr(pdf.size() - 7), "%%EOF\r\n");
  return parsed;
}

// The text of object n, from its number line to its "endobj" line.
std::string ObjectText(const std::string& pdf, const ParsedPdf& parsed, int n) {
  const std::size_t begin = parsed.offsets.at(n - 1);
  return pdf.substr(begin, pdf.find("endobj\r\n", begin) + 8 - begin);
}

void ExpectOnlyCrLfLinesOutsideStreams(const std::string& pdf) {
  std::size_t from = 0;
  while (from < pdf.size()) {
    const std::size_t stream = pdf.find("stream\r\n", from);
    const std::size_t stop = stream == std::string::npos ? pdf.size() : stream + 8;
    for (std::size_t i = from; i < stop; ++i)
      if (pdf[i] == '\n') ASSERT_TRUE(i > 0 && pdf[i - 1] == '\r') << "bare line feed at " << i;
    if (stream == std::string::npos) break;
    from = pdf.find("endstream\r\n", stop);
  }
}

void ExpectQpdfAccepts(const ScratchFolder& folder, const std::string& name) {
  const CommandResult check = RunUnix("qpdf --check " + folder.Unix(name));
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos)
      << check.output;
}

}  // namespace

struct LayoutCase {
  const char* name;
  std::vector<int> imagesPerPage;
  bool compress;
  int pageHeight;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class PdfLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PdfLayout, ObjectsStandInNumberOrderWhereTheTableSaysAndReadersAcceptTheFile) {
  const LayoutCase& c = GetParam();
  TPrintPDF1 pdf;
  pdf.Compress = c.compress;
  pdf.PageHeight = c.pageHeight;
  pdf.BeginDoc();
  int images = 0;
  for (std::size_t page = 0; page < c.imagesPerPage.size(); ++page) {
    if (page > 0) pdf.NewPage();
    for (int i = 0; i < c.imagesPerPage[page]; ++i, ++images)
      pdf.DrawBitmap(10 * i, 20, TestPicture(40 + i, 30));
  }
  EXPECT_EQ(pdf.PageNumber(), static_cast<int>(c.imagesPerPage.size()));
  const std::string bytes = pdf.EndDoc();

  const int n = static_cast<int>(c.imagesPerPage.size());
  const int pagesTree = 2 * n + 17, resources = 2 * n + 18, catalogue = resources + images + n + 1;
  EXPECT_EQ(bytes.substr(0, 10), "%PDF-1.4\r\n");
  ExpectOnlyCrLfLinesOutsideStreams(bytes);
  const ParsedPdf parsed = ParseTrailer(bytes);
  ASSERT_EQ(parsed.offsets.size(), static_cast<std::size_t>(catalogue));
  EXPECT_EQ(parsed.size, static_cast<std::size_t>(catalogue + 1));
  EXPECT_EQ(parsed.offsets[0], 10u);
  for (int k = 1; k <= catalogue; ++k) {
    const std::string head = std::to_string(k) + " 0 obj\r\n";
    EXPECT_EQ(bytes.substr(parsed.offsets[k - 1], head.size()), head);
    if (k > 1) EXPECT_GT(parsed.offsets[k - 1], parsed.offsets[k - 2]);
  }
  for (int k = 1; k <= n; ++k) {
    const std::string content = ObjectText(bytes, parsed, 2 * k);
    const std::size_t data = content.find("stream\r\n") + 8;
    const std::size_t end = content.find("endstream\r\nendobj\r\n");
    const std::string length = ObjectText(bytes, parsed, 2 * k + 1);
    EXPECT_EQ(length, std::to_string(2 * k + 1) + " 0 obj\r\n" + std::to_string(end - data) +
                          "\r\nendobj\r\n");
    EXPECT_EQ(content.find("/Filter [/FlateDecode]") != std::string::npos, c.compress);
  }
  EXPECT_EQ(
      ObjectText(bytes, parsed, 2 * n + 2),
      std::to_string(2 * n + 2) + " 0 obj\r\n<< /Type /Outlines\r\n/Count 0\r\n>>\r\nendobj\r\n");
  EXPECT_NE(ObjectText(bytes, parsed, 2 * n + 3).find("/Name /F1\r\n/BaseFont /Helvetica\r\n"),
            std::string::npos);
  EXPECT_NE(ObjectText(bytes, parsed, 2 * n + 16)
                .find("/Name /F14\r\n/BaseFont /ZapfDingbats\r\n/Encoding /WinAnsiEncoding\r\n"),
            std::string::npos);
  EXPECT_NE(ObjectText(bytes, parsed, pagesTree).find("/Count " + std::to_string(n) + "\r\n"),
            std::string::npos);
  const std::string shared = ObjectText(bytes, parsed, resources);
  for (int j = 1; j <= images; ++j)
    EXPECT_NE(
        shared.find("/Im" + std::to_string(j) + " " + std::to_string(resources + j) + " 0 R\r\n"),
        std::string::npos);
  EXPECT_NE(shared.find("/F14 " + std::to_string(2 * n + 16) + " 0 R \r\n"), std::string::npos);
  for (int k = 1; k <= n; ++k) {
    const std::string page = ObjectText(bytes, parsed, resources + images + k);
    EXPECT_NE(page.find("/Contents " + std::to_string(2 * k) + " 0 R\r\n/Resources " +
                        std::to_string(resources) + " 0 R\r\n"),
              std::string::npos);
  }
  EXPECT_NE(
      ObjectText(bytes, parsed, catalogue).find("/Pages " + std::to_string(pagesTree) + " 0 R"),
      std::string::npos);
  EXPECT_TRUE(std::regex_search(bytes, std::regex("/CreationDate \\(D:20[0-9]{12}\\)\r\n")));

  ScratchFolder folder;
  WriteBytes(folder.Local("layout.pdf"), bytes);
  ExpectQpdfAccepts(folder, "layout.pdf");
  auto info = PdfInfo(folder, "layout.pdf");
  EXPECT_EQ(info["Pages"], std::to_string(n));
  EXPECT_TRUE(info["Page size"].starts_with("612 x " + std::to_string(c.pageHeight) + " pts"))
      << info["Page size"];
}

INSTANTIATE_TEST_SUITE_P(
    Documents, PdfLayout,
    ::testing::Values(LayoutCase{"OnePageOneImage", {1}, true, 792},
                      LayoutCase{"ThreePagesOneImageEach", {1, 1, 1}, true, 792},
                      LayoutCase{"PageWithoutPicture", {0}, true, 792},
                      LayoutCase{"TwoImagesOnePageUncompressed", {2, 0}, false, 792},
                      LayoutCase{"ImageTallerThanPage", {1}, true, 25}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PdfWriter, OnePageOneImageNumbersItsObjectsAsPublished) {
  TPrintPDF1 pdf;
  pdf.Compress = false;
  pdf.BeginDoc();
  pdf.DrawBitmap(25, 20, TestPicture(96, 102));  // one inch by 1.2 inches at 96 per inch
  const std::string bytes = pdf.EndDoc();
  const ParsedPdf parsed = ParseTrailer(bytes);
  EXPECT_EQ(parsed.size, 24u);
  EXPECT_NE(bytes.find("xref\r\n0 24\r\n0000000000 65535 f\r\n0000000010 00000 n\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("19 0 obj\r\n<< /Type /Pages\r\n/Kids [\r\n22 0 R\r\n]\r\n/Count 1\r\n"),
            std::string::npos);
  // At 96 per inch: 96 x 612 / 768 = 76.5 and 102 x 792 / 1020 = 79.2 points, truncated; the
  // bottom edge 792 - 20 - 79 points above the page's foot.
  EXPECT_NE(bytes.find("stream\r\nq\r\n76 0 0 79 25 693 cm\r\n/Im1 Do\r\nQ\r\nendstream\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("21 0 obj\r\n<< /Type /XObject\r\n/Subtype /Image\r\n/Width 96\r\n"
                       "/Height 102\r\n/ColorSpace /DeviceRGB\r\n/BitsPerComponent 8\r\n"
                       "/Length 29376\r\n/Name /Im1\r\n>>\r\nstream\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("23 0 obj\r\n<< /Type /Catalog\r\n/Pages 19 0 R\r\n/Outlines 4 0 R\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("trailer\r\n<< /Size 24\r\n/Root 23 0 R\r\n/Info 1 0 R\r\n>>\r\n"),
            std::string::npos);
  // The same document again from the same writer.
  pdf.BeginDoc();
  pdf.DrawBitmap(25, 20, TestPicture(96, 102));
  const std::string again = pdf.EndDoc();
  EXPECT_EQ(again.size(), bytes.size());
}

TEST(PdfWriter, InformationValuesAreEscapedAndReadBackByPdfinfo) {
  struct Case {
    std::string title;
    std::string written;  // between "/Title " and the line end
    std::string readBack;
  };
  const Case cases[] = {
      {"Report (draft.pdf", "(Report \\(draft.pdf)", "Report (draft.pdf"},
      {"a\\b) c", "(a\\\\b\\) c)", "a\\b) c"},
      {"Caf\xC3\xA9 \xE2\x82\xAC.pdf",
       std::string("(\xFE\xFF\0C\0a\0f\0\xE9\0 \x20\xAC\0.\0p\0d\0f)", 24),
       "Caf\xC3\xA9 \xE2\x82\xAC.pdf"},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    TPrintPDF1 pdf;
    pdf.TITLE = c.title;
    pdf.Subject = "Subject (one)";
    pdf.BeginDoc();
    const std::string bytes = pdf.EndDoc();
    EXPECT_NE(bytes.find("\r\n/Title " + c.written + "\r\n/ModDate ()\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n/Subject (Subject \\(one\\))\r\n"), std::string::npos);
    WriteBytes(folder.Local("info.pdf"), bytes);
    ExpectQpdfAccepts(folder, "info.pdf");
    auto info = PdfInfo(folder, "info.pdf");
    EXPECT_EQ(info["Title"], c.readBack);
    EXPECT_EQ(info["Subject"], "Subject (one)");
    EXPECT_EQ(info["Producer"], TPrintPDF1::kMaker);
  }
}

TEST(PdfWriter, APageRenderedByPopplerShowsThePictureDrawn) {
  // At 96 pixels per inch on a page of 8 by 10.625 inches a picture stands at one point a
  // pixel, so a rendering at 72 per inch gives it back pixel for pixel.
  const RgbImage picture = TestPicture(300, 200);
  for (const bool compress : {true, false}) {
    SCOPED_TRACE(compress);
    TPrintPDF1 pdf;
    pdf.Compress = compress;
    pdf.PageWidth = 768;
    pdf.PageHeight = 1020;
    pdf.BeginDoc();
    pdf.NewPage();
    pdf.DrawBitmap(25, 20, picture);
    ScratchFolder folder;
    WriteBytes(folder.Local("page.pdf"), pdf.EndDoc());
    ExpectQpdfAccepts(folder, "page.pdf");
    const CommandResult render = RunUnix("pdftoppm -f 2 -l 2 -r 72 -x 25 -y 20 -W 300 -H 200 " +
                                         folder.Unix("page.pdf") + " >" + folder.Unix("page.ppm"));
    ASSERT_EQ(render.status, 0) << render.output;
    const std::optional<RgbImage> rendered = ParsePpm(ReadBytes(folder.Local("page.ppm")));
    ASSERT_TRUE(rendered);
    ASSERT_EQ(rendered->Width(), 300);
    ASSERT_EQ(rendered->Height(), 200);
    const ImageDifference d = Compare(*rendered, picture, 8);
    EXPECT_EQ(d.pixelsBeyond, 0) << "largest difference " << d.largest;
  }
}
