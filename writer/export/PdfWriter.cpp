#include "writer/export/PdfWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/VpExpandTokens.h"
#include "platform/Error.h"

namespace writer {

namespace {

constexpr const char* kEol = "\r\n";

constexpr std::array<const char*, 14> kStandardFonts = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

// Lines joined with the file's line ends.
class Lines {
 public:
  template <typename... Parts>
  Lines& operator()(const Parts&... parts) {
    (Append(parts), ...);
    text_ += kEol;
    return *this;
  }
  Lines& Raw(const std::string& bytes) {
    text_ += bytes;
    return *this;
  }
  const std::string& Text() const { return text_; }

 private:
  void Append(const std::string& s) { text_ += s; }
  void Append(const char* s) { text_ += s; }
  void Append(int n) { text_ += std::to_string(n); }
  void Append(std::size_t n) { text_ += std::to_string(n); }

  std::string text_;
};

// The engine's clock, as a PDF date: YYYYMMDDHHmmSS.
std::string LocalTimestamp() {
  const TVpDateTime now = CurrentDateTime();
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", now.Year, now.Month, now.Day,
                now.Hour, now.Minute, now.Second);
  return text;
}

bool IsPlainAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

// UTF-8 to UTF-16 big-endian; a broken sequence becomes U+FFFD.
std::string Utf16BigEndian(const std::string& utf8) {
  std::string out;
  auto put = [&out](unsigned unit) {
    out += static_cast<char>(unit >> 8);
    out += static_cast<char>(unit & 0xFF);
  };
  std::size_t i = 0;
  while (i < utf8.size()) {
    const unsigned lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    unsigned code = extra < 0 ? 0 : lead & (0xFFu >> (extra + (extra ? 2 : 1)));
    bool ok = extra >= 0 && i + extra < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const unsigned next = static_cast<unsigned char>(utf8[i + k]);
      ok = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!ok || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      put(0xFFFD);
      ++i;
      continue;
    }
    i += extra + 1;
    if (code >= 0x10000) {
      put(0xD800 + ((code - 0x10000) >> 10));
      put(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

}  // namespace

std::string PdfLiteralString(const std::string& utf8) {
  const std::string bytes =
      IsPlainAscii(utf8) ? utf8 : std::string("\xFE\xFF") + Utf16BigEndian(utf8);
  std::string out = "(";
  for (char c : bytes) {
    // A reader turns a bare carriage return inside a string into a line feed.
    if (c == '\r') {
      out += "\\r";
      continue;
    }
    if (c == '\\' || c == '(' || c == ')') out += '\\';
    out += c;
  }
  return out + ")";
}

std::string DeflateBytes(const void* data, std::size_t size) {
  // Page pictures are mostly long runs of white: the run-length strategy finds them at about
  // twice the speed of the default one, and they shrink to a few percent, so the output grows
  // in small steps rather than being made as large as the input first.
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
    throw EError("error");
  std::string out;
  z.next_in = static_cast<Bytef*>(const_cast<void*>(data));
  z.avail_in = static_cast<uInt>(size);
  int result = Z_OK;
  while (result == Z_OK) {
    const std::size_t used = out.size();
    out.resize(used + std::max<std::size_t>(size / 16, 4096));
    z.next_out = reinterpret_cast<Bytef*>(out.data() + used);
    z.avail_out = static_cast<uInt>(out.size() - used);
    result = deflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
  }
  deflateEnd(&z);
  if (result != Z_STREAM_END) throw EError("error");
  return out;
}

std::string TPrintPDF1::InformationDictionary() const {
  return Lines()("1 0 obj")("<<")("/Producer ", PdfLiteralString(Producer))(
             "/Author ", PdfLiteralString(Author))("/CreationDate (D:", LocalTimestamp(), ")")(
             "/Creator ", PdfLiteralString(Creator))("/Keywords ", PdfLiteralString(Keywords))(
             "/Subject ", PdfLiteralString(Subject))(
             "/Title ", PdfLiteralString(TITLE))("/ModDate ()")(">>")("endobj")
      .Text();
}

void TPrintPDF1::AppendObject(const std::string& object) {
  offsets_.push_back(output_.size());
  output_ += object;
}

void TPrintPDF1::BeginDoc() {
  output_.clear();
  object_.clear();
  content_.clear();
  offsets_.clear();
  contentNumbers_.clear();
  images_.Clear();
  objectCount_ = 0;
  pageNumber_ = 1;
  output_ = Lines()("%PDF-1.4").Text();
  objectCount_ = 1;
  AppendObject(InformationDictionary());
  OpenContentStream();
}

void TPrintPDF1::OpenContentStream() {
  const int number = ++objectCount_;
  contentNumbers_.push_back(number);
  Lines head;
  head(number, " 0 obj")("<< /Length ", number + 1, " 0 R");
  if (Compress) head("/Filter [/FlateDecode]");
  head(" >>");
  object_ = head.Text();
  headerLength_ = object_.size();
  object_ += Lines()("stream").Text();
  content_.clear();
}

void TPrintPDF1::CloseContentStream() {
  const std::string data = Compress ? DeflateBytes(content_.data(), content_.size()) : content_;
  object_ += data;
  object_ += Lines()("endstream")("endobj").Text();
  content_.clear();
  AppendObject(object_);
  // Everything after the header but the "stream", "endstream" and "endobj" lines.
  const std::size_t length = object_.size() - headerLength_ - 27;
  const int number = ++objectCount_;
  AppendObject(Lines()(number, " 0 obj")(length)("endobj").Text());
  object_.clear();
}

void TPrintPDF1::NewPage() {
  ++pageNumber_;
  CloseContentStream();
  OpenContentStream();
}

void TPrintPDF1::DrawBitmap(int x, int y, const RgbImage& picture) {
  const double sx = PageWidth / (8.0 * PixelsPerInchX);
  const double sy = PageHeight / (10.625 * PixelsPerInchY);
  const int j = static_cast<int>(images_.Count()) + 1;
  const int w = static_cast<int>(picture.Width() * sx);
  const int h = static_cast<int>(picture.Height() * sy);
  content_ +=
      Lines()("q")(w, " 0 0 ", h, " ", x, " ", PageHeight - y - h, " cm")("/Im", j, " Do")("Q")
          .Text();
  images_.Add([compress = Compress, picture, j] {
    const std::vector<std::uint8_t>& samples = picture.Samples();
    const std::string data = compress ? DeflateBytes(samples.data(), samples.size())
                                      : std::string(samples.begin(), samples.end());
    Lines image;
    image("<< /Type /XObject")("/Subtype /Image")("/Width ", picture.Width())(
        "/Height ", picture.Height())("/ColorSpace /DeviceRGB")("/BitsPerComponent 8")(
        "/Length ", data.size())("/Name /Im", j);
    if (compress) image("/Filter [/FlateDecode]");
    image(">>")("stream").Raw(data);
    return image.Text();
  });
}

const std::string& TPrintPDF1::EndDoc() {
  CloseContentStream();
  const int pages = static_cast<int>(contentNumbers_.size());
  std::vector<std::string>& imageObjects = images_.Results();
  const int images = static_cast<int>(imageObjects.size());
  const int outlines = ++objectCount_;
  AppendObject(
      Lines()(outlines, " 0 obj")("<< /Type /Outlines")("/Count 0")(">>")("endobj").Text());
  std::vector<int> fonts;
  for (std::size_t k = 0; k < kStandardFonts.size(); ++k) {
    const int number = ++objectCount_;
    fonts.push_back(number);
    AppendObject(Lines()(number, " 0 obj")("<< /Type /Font")("/Subtype /", "Type1")(
                     "/Name /F", static_cast<int>(k + 1))("/BaseFont /", kStandardFonts[k])(
                     "/Encoding /", "WinAnsiEncoding")(">>")("endobj")
                     .Text());
  }
  const int pagesTree = ++objectCount_;
  const int resources = pagesTree + 1;
  const int firstPage = resources + images + 1;
  Lines tree;
  tree(pagesTree, " 0 obj")("<< /Type /Pages")("/Kids [");
  for (int k = 0; k < pages; ++k) tree(firstPage + k, " 0 R");
  tree("]")("/Count ", pages)(">>")("endobj");
  AppendObject(tree.Text());

  objectCount_ = resources;
  Lines shared;
  shared(resources, " 0 obj")("<< /ProcSet [ /PDF /Text /ImageC]")("/XObject << ");
  for (int j = 1; j <= images; ++j) shared("/Im", j, " ", resources + j, " 0 R");
  shared(">>")("/Font << ");
  for (int k = 1; k <= static_cast<int>(fonts.size()); ++k)
    shared("/F", k, " ", fonts[k - 1], " 0 R ");
  shared(">>")(">>")("endobj");
  AppendObject(shared.Text());

  for (std::string& image : imageObjects) {
    const int number = ++objectCount_;
    AppendObject(Lines()(number, " 0 obj").Raw(image).Raw(kEol)("endstream")("endobj").Text());
    std::string().swap(image);
  }
  images_.Clear();
  for (int k = 0; k < pages; ++k) {
    const int number = ++objectCount_;
    AppendObject(Lines()(number, " 0 obj")("<< /Type /Page")("/Parent ", pagesTree, " 0 R")(
                     "/MediaBox [ 0 0 ", PageWidth, " ", PageHeight, "]")(
                     "/Contents ", contentNumbers_[k], " 0 R")("/Resources ", resources,
                                                               " 0 R")(">>")("endobj")
                     .Text());
  }
  const int catalogue = ++objectCount_;
  AppendObject(Lines()(catalogue, " 0 obj")("<< /Type /Catalog")("/Pages ", pagesTree, " 0 R")(
                   "/Outlines ", outlines, " 0 R")(">>")("endobj")
                   .Text());

  const std::size_t xref = output_.size();
  Lines table;
  table("xref")("0 ", catalogue + 1)("0000000000 65535 f");
  for (std::size_t offset : offsets_) {
    const std::string digits = std::to_string(offset);
    table(std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0'), digits, " 00000 n");
  }
  table("trailer")("<< /Size ", catalogue + 1)(
      "/Root ", catalogue, " 0 R")("/Info 1 0 R")(">>")("startxref")(xref)("%%EOF");
  output_ += table.Text();
  return output_;
}

}  // namespace writer
