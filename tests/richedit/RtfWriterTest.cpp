#include <gtest/gtest.h>

#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::documentWithText;

std::string rtfOf(const RichTextDocument& d) { return writeRtf(d.copyAll()); }

std::size_t count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

TEST(RtfWriter, HeaderNamesTheCodePageFontsAndOnlyTheColoursUsed) {
  RichTextDocument d = documentWithText(u"plain");
  std::string rtf = rtfOf(d);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0", 0), 0u);
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset1 Arial;}}"), std::string::npos);
  EXPECT_EQ(rtf.find("colortbl"), std::string::npos);
  EXPECT_EQ(rtf.back(), '}');
  CharFormat red;
  red.effects = 0;
  red.textColor = rgb(255, 0, 0);
  d.setCharFormat({0, 2}, red, cfm::Color);
  rtf = writeRtf(d.copyAll(), RtfWriteOptions{1250, nullptr});
  EXPECT_NE(rtf.find("\\ansicpg1250"), std::string::npos);
  EXPECT_NE(rtf.find("{\\colortbl;\\red255\\green0\\blue0;}"), std::string::npos);
  EXPECT_NE(rtf.find("\\cf1 pl\\cf0 ain"), std::string::npos);
}

TEST(RtfWriter, CharactersOutsideTheCodePageAreWrittenAsUnicodeWithAQuestionMark) {
  const std::string rtf = rtfOf(documentWithText(u"é€ П中{}\\ \U0001F600"));
  EXPECT_NE(rtf.find("\\'e9\\'80 \\u1055?\\u20013?\\{\\}\\\\ \\u-10179?\\u-8704?"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\uc1"), std::string::npos);
}

TEST(RtfWriter, OnlyChangedPropertiesAreWrittenBetweenRuns) {
  RichTextDocument d = documentWithText(u"aaa bbb ccc");
  d.setCharFormat({4, 7}, test::formatWith(cfe::Bold), cfm::Bold);
  const std::string rtf = rtfOf(d);
  EXPECT_NE(rtf.find("aaa \\b bbb\\b0  ccc"), std::string::npos) << rtf;
  EXPECT_EQ(count(rtf, "\\fs2"), 1u) << "the size is written once";
  EXPECT_EQ(count(rtf, "\\pard"), 1u);
}

TEST(RtfWriter, IndentsAreWrittenTheStandardWay) {
  RichTextDocument d = documentWithText(u"indented");
  ParaFormat p;
  p.startIndent = 360;  // first line
  p.offset = 360;       // the lines after it, relative to the first
  p.rightIndent = 144;
  p.alignment = pfa::Justify;
  d.setParaFormat({0, 0}, p, pfm::StartIndent | pfm::Offset | pfm::RightIndent | pfm::Alignment);
  EXPECT_NE(rtfOf(d).find("\\pard\\qj\\li720\\fi-360\\ri144"), std::string::npos);
}

TEST(RtfWriter, EveryLineSpacingRuleHasItsControlWords) {
  struct Case {
    std::uint8_t rule;
    std::int32_t value;
    const char* expected;
  };
  const Case cases[] = {{lsr::OneAndHalf, 0, "\\sl360\\slmult1"},
                        {lsr::Double, 0, "\\sl480\\slmult1"},
                        {lsr::AtLeast, 300, "\\sl300\\slmult0"},
                        {lsr::Exactly, 300, "\\sl-300\\slmult0"},
                        {lsr::Multiple, 40, "\\sl480\\slmult1"}};
  for (const Case& c : cases) {
    RichTextDocument d = documentWithText(u"x");
    ParaFormat p;
    p.lineSpacingRule = c.rule;
    p.lineSpacing = c.value;
    d.setParaFormat({0, 0}, p, pfm::LineSpacing);
    EXPECT_NE(rtfOf(d).find(c.expected), std::string::npos) << int(c.rule);
  }
  EXPECT_EQ(rtfOf(documentWithText(u"x")).find("\\sl"), std::string::npos);
}

TEST(RtfWriter, NumberingIsOldStyleWithLabelsForReadersThatIgnoreIt) {
  RichTextDocument d = documentWithText(u"one\rtwo\rdot");
  ParaFormat n;
  n.numbering = pfn::Arabic;
  n.numberingStyle = pfns::Period;
  d.setParaFormat({0, 5}, n, pfm::Numbering | pfm::NumberingStyle);
  ParaFormat b;
  b.numbering = pfn::Bullet;
  d.setParaFormat({8, 8}, b, pfm::Numbering);
  const std::string rtf = rtfOf(d);
  EXPECT_NE(rtf.find("{\\*\\pn\\pnlvlbody\\pnf0\\pndec{\\pntxta.}}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\pntext 1.\\tab}"), std::string::npos);
  EXPECT_NE(rtf.find("{\\pntext 2.\\tab}"), std::string::npos);
  EXPECT_NE(rtf.find("\\pnlvlblt\\pnf1{\\pntxtb\\'b7}"), std::string::npos);
  EXPECT_NE(rtf.find("{\\f1\\fnil\\fprq2\\fcharset2 Symbol;}"), std::string::npos);
}

TEST(RtfWriter, LinksAreHyperlinkFieldsAndPicturesKeepTheirBytes) {
  RichTextDocument d = documentWithText(u"go here or www.x.org ");
  d.setLink({3, 7}, true, u"https://example.com/page");
  d.setLink({11, 20}, true);
  Picture pic{PictureKind::Png, std::string("\x89PNG\r\n", 6), 16, 8, 240, 120, 100, 100, 8};
  d.insertPicture({21, 21}, pic);
  const std::string rtf = rtfOf(d);
  EXPECT_NE(
      rtf.find("{\\field{\\*\\fldinst{HYPERLINK \"https://example.com/page\"}}{\\fldrslt{here}}}"),
      std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("{\\field{\\*\\fldinst{HYPERLINK \"www.x.org\"}}{\\fldrslt{www.x.org}}}"),
            std::string::npos);
  EXPECT_NE(rtf.find("{\\pict\\pngblip\\picw16\\pich8\\picwgoal240\\pichgoal120\r\n89504e470d0a}"),
            std::string::npos);
}

TEST(RtfWriter, ASelectionWithoutItsParagraphEndWritesNoPar) {
  RichTextDocument d = documentWithText(u"first\rsecond");
  const std::string part = writeRtf(d.copyRange({2, 8}));
  EXPECT_EQ(count(part, "\\par\r\n"), 1u);
  EXPECT_NE(part.find("rst\\par\r\nse}"), std::string::npos) << part;
}

TEST(RtfWriter, AnEmptyDocumentIsOneParagraphEnd) {
  RichTextDocument d;
  const std::string rtf = rtfOf(d);
  EXPECT_EQ(count(rtf, "\\par\r\n"), 1u);
  RichTextDocument back = test::documentFromRtf(rtf);
  EXPECT_EQ(back.storyLength(), 1);
}

}  // namespace
}  // namespace richedit

namespace richedit {
namespace {

// Cases the fuzzer found where a document did not come back as it was written.
TEST(RtfWriterRoundTrip, FuzzerFindingsComeBackUnchanged) {
  const char* const inputs[] = {
      "{\\rtf1{\\fonttbl{\\f0 Name\\'01With\\'00Controls;}}x}",
      "{\\rtf1{\\fonttbl{\\f0 Order: 88213Item:  Appointment cards;}}x}",
      "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"a\\\\\"b\\\\\\\\c\"}{\\fldrslt link}}}",
      "{\\rtf1\\sl5\\slmult1 tiny\\par}",
  };
  for (const char* rtf : inputs) {
    const RichTextDocument first = test::documentFromRtf(rtf);
    const RichTextDocument again = test::documentFromRtf(writeRtf(first.copyAll()));
    EXPECT_TRUE(sameContent(first.copyAll(), again.copyAll())) << rtf;
  }
  EXPECT_EQ(test::documentFromRtf(inputs[0]).charFormatAt(0).faceName(), u"NameWithControls");
  EXPECT_EQ(test::documentFromRtf(inputs[2]).styleAt(0).linkTarget, u"a\"b\\c");
  EXPECT_EQ(test::documentFromRtf(inputs[3]).paraFormatAt(0).lineSpacingRule, lsr::Single);
}

}  // namespace
}  // namespace richedit
