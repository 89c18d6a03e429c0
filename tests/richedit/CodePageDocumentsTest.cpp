// Documents from the rest of the world: double-byte code pages read and written
// through the platform's converter (MultiByteToWideChar in the Windows tree, iconv in the host
// tree), bytes after the document's end, list groups outside the list table, \ls0 through the
// override table, \pntext numbers of nested lists, the font named where text starts, and a
// fuzzer's round-trip finding.
#include <gtest/gtest.h>

#include "richedit/ListNumbering.h"
#include "richedit/SystemCodePages.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::u16;
using test::utf8;

RtfReadResult readSystem(std::string_view rtf) {
  RtfReadOptions o;
  o.converter = &systemCodePages();
  return test::readRtfString(rtf, o);
}

std::string writeSystem(const RichTextFragment& f, std::uint32_t codePage = 1252) {
  return writeRtf(f, RtfWriteOptions{codePage, &systemCodePages()});
}

// The document's text without its last paragraph mark.
std::string textOf(const RtfReadResult& r) {
  std::u16string t = r.fragment.text();
  if (!t.empty() && t.back() == u'\r') t.pop_back();
  return utf8(t);
}

struct Snippet {
  const char* what;
  const char* rtf;
  const char* text;  // UTF-8
};

void PrintTo(const Snippet& s, std::ostream* os) { *os << s.what; }

class CodePageSnippets : public testing::TestWithParam<Snippet> {};

TEST_P(CodePageSnippets, ReadAsTheirWritersMeant) {
  const Snippet& s = GetParam();
  const RtfReadResult r = readSystem(s.rtf);
  ASSERT_EQ(r.status, RtfStatus::Ok);
  EXPECT_EQ(textOf(r), s.text) << s.rtf;
}

// clang-format off
const Snippet kSnippets[] = {
    // The smallest documents that showed each fault.
    {"charset 128", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'82\\'b1\\'82\\'f1\\par}",
     "こん"},
    {"ansicpg932", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'b1\\'82\\'f1\\par}", "こん"},
    {"one character of two bytes",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'94\\'4f\\par}", "念"},
    {"charset 134", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0\\'ce\\'c4\\par}",
     "中文"},
    {"charset 129", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset129 Gulim;}}\\f0 \\'c7\\'d1\\'b1\\'b9\\par}",
     "한국"},
    {"charset 136", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset136 PMingLiU;}}\\f0 \\'a4\\'a4\\'a4\\'e5\\par}",
     "中文"},
    {"charset 130", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset130 Batang;}}\\f0 \\'d0\\'65\\'8a\\'82\\par}",
     "한국"},
    {"bytes after the closing brace", "{\\rtf1\\ansi Hello\\par}junk {\\b more} \\par text\r\n",
     "Hello"},
    {"list groups outside the list table",
     "{\\rtf1\\ansi{\\list{\\listlevel{\\leveltext \\'02\\'00.;}}}\\pard Hello\\par}", "Hello"},
    {"a level text not first in its group",
     "{\\rtf1\\ansi{\\b\\leveltext \\'02\\'00.;}{\\listoverride\\ls3 x;}Hello\\par}", "Hello"},
    // Our own documents, as the platform's word processor writes them: every byte from 0x80 as
    // \'hh, ASCII trail bytes as they are, a trail byte 0x5c as \'5c.
    {"Japanese sentence",
     "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 "
     "\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\\viewkind4\\uc1\\pard\\f0\\fs20 \\'82\\'b1\\'82\\'f1"
     "\\'82\\'c9\\'82\\'bf\\'82\\'cd\\'81A\\'90\\'a2\\'8aE\\'81B\\'95\\'5c\\'83\\'5c\\'94O\\par}",
     "こんにちは、世界。表ソ念"},
    {"Japanese under a Unicode alternative",
     "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\uc2 "
     "\\u26085\\'93\\'fa\\u26412\\'96\\'7b x\\par}", "日本 x"},
    {"Simplified Chinese by the document's page",
     "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0 "
     "\\'c4\\'e3\\'ba\\'c3\\'a3\\'ac\\'ca\\'c0\\'bd\\'e7\\'a1\\'a3\\par}", "你好，世界。"},
    {"Korean (Unified Hangul Code)",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset129 Gulim;}}\\f0 \\'be\\'c8\\'b3\\'e7\\'c7\\'cf"
     "\\'bc\\'bc\\'bf\\'e4, \\'bc\\'bc\\'b0\\'e8.\\par}", "안녕하세요, 세계."},
    {"Traditional Chinese with ASCII trail bytes",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset136 PMingLiU;}}\\f0 \\'a7A\\'a6n\\'a1A\\'a5@\\'ac\\'c9"
     "\\'a1C\\par}", "你好，世界。"},
    {"Korean (Johab)",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset130 Batang;}}\\f0 \\'b4e\\'91w\\'d0a\\'adA\\'b6a, "
     "\\'adA\\'89\\'81.\\par}", "안녕하세요, 세계."},
    {"Czech under a charset-238 font",
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 P\\'f8\\'edli\\'9a "
     "\\'9elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2\\par}", "Příliš žluťoučký kůň"},
    {"Latin and Japanese fonts side by side",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset128 MS Gothic;}}"
     "\\f0 caf\\'e9 \\f1\\'83\\'4a\\'83\\'74\\'83\\'46\\f0  \\'e9\\par}", "café カフェ é"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(ForeignDocuments, CodePageSnippets, testing::ValuesIn(kSnippets));

TEST(CodePageDocuments, FontNamesAreReadInTheirFontsCodePage) {
  const RtfReadResult r = readSystem(
      "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 "
      "\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\\f0 x\\par}");
  ASSERT_FALSE(r.fragment.spans().empty());
  const CharFormat& f = r.fragment.style(r.fragment.spans()[0].style).format;
  EXPECT_EQ(utf8(f.faceName()), "ＭＳ ゴシック");
  EXPECT_EQ(f.charSet, 128);
}

TEST(CodePageDocuments, ListOverrideZeroNumbersItsParagraphs) {
  const RtfReadResult r = readSystem(
      "{\\rtf1\\ansi{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext \\'02\\'00.;}}"
      "\\listid1}}{\\listoverridetable{\\listoverride\\listid1\\ls0}}"
      "\\pard\\ls0\\fi-360\\li720 one\\par\\pard\\ls0\\fi-360\\li720 two\\par\\pard plain\\par}");
  ASSERT_EQ(r.fragment.paragraphFormats().size(), 3u);
  ListCounter counter;
  std::vector<std::string> labels;
  for (FormatId id : r.fragment.paragraphFormats()) {
    const ParaFormat& p = r.fragment.paraFormat(id);
    labels.push_back(utf8(numberingLabel(p, counter.next(p))));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"1.", "2.", ""}));
  EXPECT_EQ(r.fragment.paraFormat(r.fragment.paragraphFormats()[0]).numbering, pfn::Arabic);
  // Without an override \ls0 names no list (a list without \listid is not list 0).
  const RtfReadResult none = readSystem(
      "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext \\'02\\'00.;}}}}"
      "\\pard\\ls0 one\\par}");
  EXPECT_EQ(none.fragment.paraFormat(none.fragment.paragraphFormats()[0]).numbering, pfn::None);
}

TEST(CodePageDocuments, BytesAfterTheDocumentAreNeitherReadNorWrittenBack) {
  const RtfReadResult r = readSystem("{\\rtf1\\ansi Hello\\par}\x01\x02 junk}{\\rtf1 again}");
  EXPECT_EQ(r.fragment.text(), u"Hello\r");
  EXPECT_FALSE(r.truncated);
  const std::string written = writeSystem(r.fragment);
  EXPECT_EQ(written.find("junk"), std::string::npos);
  EXPECT_EQ(written.find("again"), std::string::npos);
}

TEST(CodePageDocuments, PnTextShowsTheNumberOurListCounterShows) {
  RichTextDocument d = test::documentWithText(u"a\rbullet\rb\rc");
  auto set = [&](CharRange r, std::uint16_t numbering, std::int32_t indent) {
    ParaFormat p;
    p.numbering = numbering;
    p.numberingStyle = pfns::Period;
    p.startIndent = indent;
    p.offset = 0;
    d.setParaFormat(r, p, pfm::Numbering | pfm::NumberingStyle | pfm::StartIndent | pfm::Offset);
  };
  set({0, 0}, pfn::Arabic, 720);
  set({2, 2}, pfn::Bullet, 1440);
  set({9, 9}, pfn::Arabic, 720);
  set({11, 11}, pfn::LcLetter, 1440);
  const std::string rtf = writeRtf(d.copyAll());
  std::vector<std::string> labels;
  for (std::size_t at = rtf.find("{\\pntext"); at != std::string::npos;
       at = rtf.find("{\\pntext", at + 1)) {
    labels.push_back(rtf.substr(at, rtf.find('}', at) + 1 - at));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"{\\pntext 1.\\tab}", "{\\pntext\\f1\\'b7\\tab}",
                                              "{\\pntext 2.\\tab}", "{\\pntext a.\\tab}"}))
      << rtf;
}

TEST(CodePageDocuments, TheFontIsNamedWhereTextStarts) {
  const RtfReadResult r =
      readSystem("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 \\'9e\\'e1k\\par}");
  const std::string rtf = writeSystem(r.fragment);
  const std::size_t text = rtf.find("\\'9e\\'e1k");
  ASSERT_NE(text, std::string::npos) << rtf;
  const std::size_t font = rtf.rfind("\\f0", text);
  ASSERT_NE(font, std::string::npos) << rtf;
  EXPECT_GT(font, rtf.find("\\viewkind")) << "in the body, not only in the font table: " << rtf;
  // A reader that takes no charset from \deff still finds the font at the text.
  EXPECT_NE(rtf.find("\\fcharset238"), std::string::npos);
  EXPECT_EQ(textOf(readSystem(rtf)), "žák");
  // An empty document names its font too.
  EXPECT_NE(writeRtf(RichTextDocument().copyAll()).find("\\pard\\f0"), std::string::npos);
}

// The fuzzer's findings: text under an undefined font after a symbol-charset font table comes
// back as the same character; so does a backslash under a Johab font,
// whose 0x5c byte some converters read as the won sign; and links come back as links.
TEST(CodePageDocuments, FuzzerFindingsComeBackTheSame) {
  struct Finding {
    const char* input;
    std::u16string first;  // the first character read
  };
  const Finding findings[] = {
      {"{\\rtf{\\fonttbl\\f\\fcharset2}\\f1\\u-3929", u"\u00a7"},
      {"{\\rtf{\\fonttbl{\\f0\\fcharset2\\cpg1252 Symbol;}}\\f0\\u-3929 \\'a7}", u"\u00a7"},
      {"{\\rtf{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0\\u-3929?}", u"\u00a7"},
      {"{\\rtf\\f3{\\fonttbl\\f3\\fcharset130}\\f\\\\", u"\\"},
      {"{\\rtf{\\fonttbl{\\f0\\fcharset130 A\\u92?B;}}\\f0 x\\u92?}", u"x"},
      // A link to nowhere, and a link whose result holds a paragraph end.
      {"{\\rtf\\field{\\fldinst{HYPERLINK{\\fldrslt{7\\line", u"7"},
      {"{\\rtf\\field{\\fldinst{HYPERLINK h{\\fldrslt\\\nh", u"\r"},
      // Cell edges far beyond any page (the sanitizers' finding).
      {"{\\rtf\\trowd\\cellx2147483647\\cellx2147483647 a\\cell b\\cell\\row}", u"a"},
  };
  for (const auto& [input, firstChar] : findings) {
    SCOPED_TRACE(input);
    const RtfReadResult first = readSystem(input);
    ASSERT_EQ(first.status, RtfStatus::Ok);
    RichTextDocument doc;
    doc.load(first.fragment);
    const std::string written = writeSystem(doc.copyAll());
    const RtfReadResult second = readSystem(written);
    RichTextDocument back;
    back.load(second.fragment);
    EXPECT_TRUE(sameContent(doc.copyAll(), back.copyAll()))
        << utf8(doc.windowText()) << " / " << utf8(back.windowText()) << "\n"
        << written;
    EXPECT_EQ(doc.windowText().substr(0, 1), firstChar);
  }
}

struct PageSample {
  std::uint32_t codePage;
  std::uint8_t charSet;
  const char* face;
  const char* text;  // UTF-8, with characters whose trail byte is \ { or } where the page has them
};

void PrintTo(const PageSample& s, std::ostream* os) { *os << s.codePage; }

class CodePageRoundTrip : public testing::TestWithParam<PageSample> {};

TEST_P(CodePageRoundTrip, ReadWriteReadGivesTheSameText) {
  const PageSample& s = GetParam();
  CharFormat f = defaultCharFormat();
  f.setFaceName(u16(s.face));
  f.charSet = s.charSet;
  normalize(f);
  const std::u16string text = u16(s.text);
  RichTextFragment frag(CharStyle{f, {}}, defaultParaFormat());
  const FormatId style = frag.internStyle(CharStyle{f, {}});
  frag.appendText(text, style);
  frag.appendParagraphEnd(style, 0);
  const std::string rtf = writeSystem(frag);
  // Written in the page, byte by byte: no \u, and no trail byte as an escape of its own.
  for (std::size_t at = rtf.find("\\u"); at != std::string::npos; at = rtf.find("\\u", at + 1))
    EXPECT_EQ(rtf.compare(at, 4, "\\uc1"), 0) << rtf;
  EXPECT_EQ(rtf.find("\\\\"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("\\{"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("\\}"), std::string::npos) << rtf;
  const RtfReadResult back = readSystem(rtf);
  ASSERT_EQ(back.status, RtfStatus::Ok);
  EXPECT_EQ(utf8(back.fragment.text()), std::string(s.text) + "\r") << rtf;
  // And the same through the whole read, write, read cycle of a document.
  const RtfReadResult again = readSystem(writeSystem(back.fragment));
  EXPECT_EQ(again.fragment.text(), back.fragment.text());
  // Characters the font's page lacks go out as \u and come back too.
  RichTextFragment mixed(CharStyle{f, {}}, defaultParaFormat());
  const FormatId m = mixed.internStyle(CharStyle{f, {}});
  mixed.appendText(text + u"\u0416\u00e9\U0001F600", m);
  const std::string mixedRtf = writeSystem(mixed);
  EXPECT_EQ(readSystem(mixedRtf).fragment.text(), text + u"\u0416\u00e9\U0001F600") << mixedRtf;
}

// clang-format off
const PageSample kPages[] = {
    {932, 128, "MS Gothic", "こんにちは、世界。表ソボマ念 ｶﾀｶﾅ"},
    {936, 134, "SimSun", "你好，世界。乗亄亇"},
    {949, 129, "Gulim", "안녕하세요, 세계. 韓國"},
    {950, 136, "PMingLiU", "你好，世界。兝么廾弓"},
    {1361, 130, "Batang", "안녕하세요, 세계. 같갛겦"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(ForeignDocuments, CodePageRoundTrip, testing::ValuesIn(kPages));

TEST(CodePageDocuments, TheConverterKnowsLeadBytes) {
  const CodePageConverter& c = systemCodePages();
  EXPECT_TRUE(c.isLeadByte(932, 0x82));
  EXPECT_FALSE(c.isLeadByte(932, 0xB1)) << "half-width katakana stand alone";
  EXPECT_TRUE(c.isLeadByte(936, 0x81));
  EXPECT_TRUE(c.isLeadByte(950, 0xA4));
  EXPECT_FALSE(c.isLeadByte(1252, 0x82));
  EXPECT_EQ(c.decode(1250, "\x9e"), u"ž");
  EXPECT_EQ(c.decode(42, "\xa7"), u"\u00a7") << "the symbol page keeps its bytes";
  EXPECT_EQ(c.decode(65001, "\xe3\x81\x93"), u"こ");
}

}  // namespace
}  // namespace richedit
