#include <gtest/gtest.h>

#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::documentFromRtf;
using test::readRtfString;

std::u16string textOf(const RichTextDocument& d) { return d.text({0, d.textLength()}); }

TEST(RtfReaderHeader, TextThatIsNotRtfIsAnErrorAndLeadingBlanksAreAllowed) {
  const RtfReadResult bad = readRtfString("Dear Sir,\r\n{\\rtf1 not at the start}");
  EXPECT_EQ(bad.status, RtfStatus::NotRtf);
  EXPECT_FALSE(bad.message.empty());
  EXPECT_TRUE(bad.fragment.empty());
  EXPECT_EQ(readRtfString("").status, RtfStatus::NotRtf);
  const RtfReadResult ok = readRtfString("\r\n  {\\rtf1 fine}");
  EXPECT_EQ(ok.status, RtfStatus::Ok);
  EXPECT_EQ(ok.fragment.text(), u"fine");
}

TEST(RtfReaderCodePages, HexBytesAreReadInTheFontsCodePage) {
  EXPECT_EQ(
      textOf(documentFromRtf(
          "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'cf\\'f0\\'e8}")),
      u"При");
  EXPECT_EQ(textOf(documentFromRtf(
                "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset0 Arial;}}"
                "\\f0\\'9c \\f1\\'9c}")),
            u"ś œ")
      << "the default character set follows \\ansicpg, charset 0 is 1252";
  // Raw 8-bit bytes count like \'hh.
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1\\ansi \xe9t\xe9}")), u"été");
}

TEST(RtfReaderCodePages, TwoByteCharactersStayWholeInLongRuns) {
  test::PairCodePage page;
  RtfReadOptions o;
  o.converter = &page;
  std::string rtf = "{\\rtf1\\ansi\\ansicpg99 " + std::string(16384, 'x') + "\x81\r\nA" + "}";
  const std::u16string text = readRtfString(rtf, o).fragment.text();
  ASSERT_EQ(text.size(), 16385u);
  EXPECT_EQ(text.back(), 0x4E41) << "the pair split by a line end in the file";
}

TEST(RtfReaderCodePages, SymbolFontTextKeepsItsByteValues) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fcharset2 Symbol;}}"
      "x\\f1 a\\'b7\\u61537?\\f0 b}");
  EXPECT_EQ(textOf(d), u"xa\u00B7ab");
  EXPECT_EQ(d.charFormatAt(1).faceName(), u"Symbol");
  EXPECT_EQ(d.charFormatAt(1).charSet, charset::Symbol);
  EXPECT_EQ(d.charFormatAt(0).faceName(), u"Arial");
  EXPECT_EQ(d.charFormatAt(0).pitchAndFamily >> 4, 2);
}

TEST(RtfReaderUnicode, FallbackCharactersAreSkippedAsUcSays) {
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 A\\uc2\\u8364 XYB\\uc0\\u8364 C}")), u"A€B€C");
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1\\uc1\\u1055\\'cf\\u-3913?}")), u"П\xF0B7");
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1\\uc3{\\u1055}x\\u1056\\tab y}")), u"ПxР")
      << "a group end stops the skipping; control words count as one";
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 \\u-10179?\\u-8704?}")), u"\U0001F600");
}

TEST(RtfReaderFormats, CharacterControlWordsAndResets) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;"
      "\\red0\\green0\\blue255;}"
      "\\b\\i\\uldb\\strike\\scaps\\fs36\\cf1\\highlight2 A\\plain B\\f1\\fs21\\v C\\v0\\protect D"
      "\\protect0\\super E\\nosupersub\\sub F\\sub0\\up6 G\\dn4 H\\up0\\chcbpat1 I\\cb0\\ulwave J}");
  const CharFormat a = d.charFormatAt(0);
  EXPECT_TRUE(a.has(cfe::Bold) && a.has(cfe::Italic) && a.has(cfe::StrikeOut) &&
              a.has(cfe::SmallCaps));
  EXPECT_EQ(a.underlineType, cfu::Double);
  EXPECT_EQ(a.height, 360);
  EXPECT_EQ(a.textColor, rgb(255, 0, 0));
  EXPECT_EQ(a.backColor, rgb(0, 0, 255));
  const CharFormat b = d.charFormatAt(1);
  EXPECT_FALSE(b.has(cfe::Bold) || b.has(cfe::Italic));
  EXPECT_TRUE(b.has(cfe::AutoColor) && b.has(cfe::AutoBackColor));
  EXPECT_EQ(b.height, 240) << "RTF's own default size";
  EXPECT_EQ(b.faceName(), u"Arial") << "\\plain returns to the default font";
  EXPECT_TRUE(d.charFormatAt(2).has(cfe::Hidden));
  EXPECT_EQ(d.charFormatAt(2).faceName(), u"Courier New");
  EXPECT_EQ(d.charFormatAt(2).height, 210);
  EXPECT_TRUE(d.charFormatAt(3).has(cfe::Protected));
  EXPECT_TRUE(d.charFormatAt(4).has(cfe::SuperScript));
  EXPECT_TRUE(d.charFormatAt(5).has(cfe::SubScript));
  EXPECT_EQ(d.charFormatAt(6).offset, 60);
  EXPECT_EQ(d.charFormatAt(7).offset, -40);
  EXPECT_EQ(d.charFormatAt(8).backColor, rgb(255, 0, 0));
  EXPECT_EQ(d.charFormatAt(9).underlineType, cfu::Wave);
  EXPECT_TRUE(d.charFormatAt(9).has(cfe::AutoBackColor));
}

TEST(RtfReaderFormats, AutomaticSuperscriptMarkedForLibreOffice) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1 1{\\loch{\\*\\updnprop8000}\\up8\\loch st} H{{\\*\\updnprop8000}\\dn2 2}}");
  EXPECT_TRUE(d.charFormatAt(1).has(cfe::SuperScript));
  EXPECT_EQ(d.charFormatAt(1).offset, 0);
  EXPECT_TRUE(d.charFormatAt(5).has(cfe::SubScript));
  EXPECT_FALSE(d.charFormatAt(3).has(cfe::SuperScript));
}

TEST(RtfReaderFormats, ParagraphControlWords) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1\\pard\\qj\\li1440\\fi-360\\ri720\\sb120\\sa240\\sl-300\\slmult0\\keepn\\pagebb"
      "\\tqc\\tldot\\tx2000\\tqdec\\tx3000\\tb4000 one\\par"
      "\\pard\\qc\\sl360\\slmult1 two\\par\\pard\\sl280 three\\par\\pard four}");
  const ParaFormat one = d.paraFormatAt(0);
  EXPECT_EQ(one.alignment, pfa::Justify);
  EXPECT_EQ(one.startIndent, 1080);
  EXPECT_EQ(one.offset, 360);
  EXPECT_EQ(one.leftIndent(), 1440);
  EXPECT_EQ(one.rightIndent, 720);
  EXPECT_EQ(one.spaceBefore, 120);
  EXPECT_EQ(one.spaceAfter, 240);
  EXPECT_EQ(one.lineSpacingRule, lsr::Exactly);
  EXPECT_EQ(one.lineSpacing, 300);
  EXPECT_TRUE(one.has(pfe::KeepNext) && one.has(pfe::PageBreakBefore));
  ASSERT_EQ(one.tabCount, 3);
  EXPECT_EQ(one.tabs[0], makeTabStop(2000, tab::Center, tab::Dots));
  EXPECT_EQ(one.tabs[1], makeTabStop(3000, tab::Decimal));
  EXPECT_EQ(one.tabs[2], makeTabStop(4000, tab::Bar));
  const ParaFormat two = d.paraFormatAt(4);
  EXPECT_EQ(two.alignment, pfa::Center);
  EXPECT_EQ(two.lineSpacingRule, lsr::Multiple);
  EXPECT_EQ(two.lineSpacing, 30);
  EXPECT_EQ(two.tabCount, 0) << "\\pard clears the tab stops";
  EXPECT_EQ(d.paraFormatAt(8).lineSpacingRule, lsr::AtLeast);
  EXPECT_EQ(d.paraFormatAt(8).lineSpacing, 280);
  EXPECT_EQ(d.paraFormatAt(15).lineSpacingRule, lsr::Single);
  EXPECT_EQ(d.paragraphCount(), 4) << "the text after the last \\par is the last paragraph";
}

TEST(RtfReaderText, SpecialCharactersAndBreaks) {
  EXPECT_EQ(
      textOf(documentFromRtf("{\\rtf1 a\\tab b\\line c\\page d\\~e\\-f\\_g\\emdash\\endash\\bullet"
                             "\\lquote\\rquote\\ldblquote\\rdblquote\\{\\}\\\\}")),
      u"a\tb\vc\fd\u00A0e\u00ADf\u2011g\u2014\u2013\u2022\u2018\u2019\u201C\u201D{}\\");
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 one\r\ntwo\\\r\nthree}")), u"onetwo\rthree")
      << "line ends in the file are not text; a backslash before one is a paragraph end";
}

TEST(RtfReaderText, AFinalParEndsTheLastParagraphWithoutAddingOne) {
  EXPECT_EQ(documentFromRtf("{\\rtf1 Hello\\par }").windowText(), u"Hello");
  EXPECT_EQ(documentFromRtf("{\\rtf1 Hello\\par\\par }").windowText(), u"Hello\r\n");
  EXPECT_EQ(documentFromRtf("{\\rtf1 }").windowText(), u"");
  RichTextDocument d = documentFromRtf("{\\rtf1\\qr Hello\\par }");
  EXPECT_EQ(d.paraFormatAt(0).alignment, pfa::Right) << "the last \\par carries its paragraph";
}

TEST(RtfReaderTables, RowsBecomeParagraphsOfTabSeparatedCells) {
  EXPECT_EQ(textOf(documentFromRtf(
                "{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell\\row"
                "\\trowd\\cellx1000\\cellx2000\\pard\\intbl C\\cell\\cell\\row\\pard after\\par}")),
            u"A\tB\rC\t\rafter");
  // Cells that hold paragraphs of their own (as pandoc writes them) lose no text.
  EXPECT_EQ(
      textOf(documentFromRtf(
          "{\\rtf1{\\trowd\\cellx1000\\cellx2000\\intbl{{\\pard\\intbl one\\par two\\par}\\cell}"
          "{{\\pard\\intbl three\\par}\\cell}\\intbl\\row}{\\pard next\\par}}")),
      u"one\vtwo\tthree\rnext");
}

// A row's cells stand at tab stops where the cells do, aligned as their text: left inside the
// left edge, right inside the right edge, centred in the middle.
TEST(RtfReaderTables, RowsPlaceTheirCellsWithTabStops) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1\\trowd\\trgaph100\\trleft-100\\cellx2000\\cellx4000\\cellx6000\\cellx9000"
      "\\pard\\intbl A\\cell\\qr B\\cell{\\pard\\intbl\\qc C\\par}\\cell\\ql D\\cell\\row"
      "\\pard after\\par}");
  const ParaFormat row = d.paraFormatAt(0);
  EXPECT_EQ(row.startIndent, 0);
  EXPECT_EQ(row.alignment, pfa::Left);
  ASSERT_EQ(row.tabCount, 3);
  EXPECT_EQ(row.tabs[0], makeTabStop(3900, tab::Right));
  EXPECT_EQ(row.tabs[1], makeTabStop(5000, tab::Center)) << "from the cell's own paragraph";
  EXPECT_EQ(row.tabs[2], makeTabStop(6100, tab::Left));
  EXPECT_EQ(d.paraFormatAt(d.paragraphRange(1).min).tabCount, 0) << "the row's stops end with it";
}

TEST(RtfReaderFields, HyperlinksBecomeLinkedTextWithTheirTarget) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1 See {\\field{\\*\\fldinst{HYPERLINK \"https://example.com/a\"}}{\\fldrslt{\\ul our site}}}"
      " or {\\field{\\*\\fldinst HYPERLINK \"https://x.org\" }{\\fldrslt https://x.org}}"
      " page {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}} {\\field{\\*\\fldinst DATE}}.}");
  EXPECT_EQ(textOf(d), u"See our site or https://x.org page 7 .");
  const CharStyle& site = d.styleAt(4);
  EXPECT_TRUE(site.format.has(cfe::Link));
  EXPECT_EQ(site.linkTarget, u"https://example.com/a");
  EXPECT_TRUE(site.format.has(cfe::Underline));
  EXPECT_FALSE(d.styleAt(3).format.has(cfe::Link));
  const CharStyle& bare = d.styleAt(16);
  EXPECT_TRUE(bare.format.has(cfe::Link));
  EXPECT_TRUE(bare.linkTarget.empty()) << "the text is its own address";
  EXPECT_FALSE(d.styleAt(35).format.has(cfe::Link)) << "other fields give their result";
}

TEST(RtfReaderFields, LinksToAnchorsAndLinksSurvivingPlain) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"intro\"}{\\fldrslt{\\plain Intro}}}}");
  EXPECT_EQ(d.styleAt(0).linkTarget, u"#intro");
  EXPECT_TRUE(d.styleAt(0).format.has(cfe::Link));
}

TEST(RtfReaderPictures, HexAndBinaryPicturesKeepTheirBytesAndSizes) {
  std::string rtf =
      "{\\rtf1 a{\\pict\\pngblip\\picw2\\pich3\\picwgoal30\\pichgoal45\\picscalex50 89504e\r\n47}b"
      "{\\pict\\jpegblip\\bin4 ";
  rtf += std::string("\xff}\\{", 4);
  rtf += "}c{\\pict\\wmetafile8\\picw100 0102}{\\pict\\dibitmap0 28}{\\pict\\macpict 0102}d}";
  const RichTextDocument d = documentFromRtf(rtf);
  EXPECT_EQ(textOf(d),
            u"a\xFFFC"
            u"b\xFFFC"
            u"c\xFFFC\xFFFC"
            u"d")
      << "unknown kinds are left out";
  const Picture* png = d.pictureAt(1);
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->kind, PictureKind::Png);
  EXPECT_EQ(png->data, "\x89PNG");
  EXPECT_EQ(png->width, 2);
  EXPECT_EQ(png->goalHeight, 45);
  EXPECT_EQ(png->scaleX, 50);
  EXPECT_EQ(png->scaleY, 100);
  ASSERT_NE(d.pictureAt(3), nullptr);
  EXPECT_EQ(d.pictureAt(3)->data, std::string("\xff}\\{", 4));
  EXPECT_EQ(d.pictureAt(5)->kind, PictureKind::Wmf);
  EXPECT_EQ(d.pictureAt(5)->mapMode, 8);
  EXPECT_EQ(d.pictureAt(6)->kind, PictureKind::Dib);
}

TEST(RtfReaderPictures, TheShapePictureIsPreferredAndObjectsGiveTheirResult) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1{\\*\\shppict{\\pict\\pngblip 01}}{\\nonshppict{\\pict\\wmetafile8 02}}"
      "{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0304}{\\result{\\pict\\emfblip 05}}}}");
  ASSERT_EQ(d.pictureCount(), 2u);
  EXPECT_EQ(d.pictureAt(0)->kind, PictureKind::Png);
  EXPECT_EQ(d.pictureAt(1)->kind, PictureKind::Emf);
  EXPECT_EQ(d.pictureAt(1)->data, "\x05");
}

TEST(RtfReaderLists, WordListsAndOldStyleNumbering) {
  const std::string tables =
      "{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat4"
      "{\\leveltext \\'02\\'00.;}{\\levelnumbers\\'01;}}{\\listlevel\\levelnfc4{\\leveltext \\'03(\\'01);}}"
      "\\listid7}{\\list{\\listlevel\\levelnfc23{\\leveltext \\'01\\u8226 ?;}}\\listid8}}"
      "{\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
      "{\\listoverride\\listid8\\listoverridecount0\\ls2}}";
  const RichTextDocument d = documentFromRtf(
      tables +
      "{\\listtext 4.\\tab}\\ls1 first\\par{\\listtext a)\\tab}\\ilvl1 sub\\par"
      "\\pard{\\listtext \\'95\\tab}\\ls2 dot\\par"
      "\\pard{\\pntext\\f0 3.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart3{\\pntxta .}}old\\par"
      "\\pard{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}bullet\\par\\pard plain}");
  EXPECT_EQ(d.windowText(), u"first\r\nsub\r\ndot\r\nold\r\nbullet\r\nplain");
  const ParaFormat first = d.paraFormatAt(0);
  EXPECT_EQ(first.numbering, pfn::Arabic);
  EXPECT_EQ(first.numberingStyle, pfns::Period);
  EXPECT_EQ(first.numberingStart, 4);
  const ParaFormat sub = d.paraFormatAt(6);
  EXPECT_EQ(sub.numbering, pfn::LcLetter);
  EXPECT_EQ(sub.numberingStyle, pfns::Parens);
  EXPECT_EQ(d.paraFormatAt(10).numbering, pfn::Bullet);
  const ParaFormat old = d.paraFormatAt(14);
  EXPECT_EQ(old.numbering, pfn::Arabic);
  EXPECT_EQ(old.numberingStart, 3);
  EXPECT_EQ(old.numberingStyle, pfns::Period);
  EXPECT_EQ(d.paraFormatAt(18).numbering, pfn::Bullet);
  EXPECT_EQ(d.paraFormatAt(25).numbering, pfn::None);
}

TEST(RtfReaderDestinations, UnknownAndNonTextDestinationsAreSkipped) {
  const RichTextDocument d = documentFromRtf(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1 Heading;}}{\\info{\\title Secret}}"
      "{\\header Head}{\\*\\generator Tool;}{\\*\\whatever {\\b hidden}}A{\\madeupword kept}"
      "{\\super\\chftn{\\*\\footnote\\chftn note body}} B{\\footnote\\chftn plain note}\\chftn}");
  EXPECT_EQ(textOf(d), u"Akept1 B2") << "footnote numbers stay, their notes do not";
}

TEST(RtfReaderRobustness, ATruncatedStreamKeepsWhatWasRead) {
  const RtfReadResult r = readRtfString("{\\rtf1 abc{\\b def\\par gh");
  EXPECT_EQ(r.status, RtfStatus::Ok);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(r.fragment.text(), u"abcdef\rgh");
  EXPECT_FALSE(readRtfString("{\\rtf1 done}").truncated);
}

// What follows the document's closing brace is not the document's: junk, the slack
// of an older, longer file, a second document. The platform's reader stops there too.
TEST(RtfReaderRobustness, NothingAfterTheDocumentsClosingBraceIsRead) {
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 one}} two}\r\n")), u"one");
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 one\\par}junk {\\b more}\r\n")), u"one");
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 one}older text\\par }")), u"one");
  EXPECT_EQ(textOf(documentFromRtf("{\\rtf1 one}{\\rtf1 two}")), u"one");
  const RtfReadResult r = readRtfString("{\\rtf1 one}junk{");
  EXPECT_FALSE(r.truncated);
  EXPECT_EQ(r.fragment.text(), u"one");
  EXPECT_FALSE(readRtfString(std::string("{\\rtf1 one}\r\n\0\0", 15)).truncated);
}

TEST(RtfReaderRobustness, LimitsAreReportedNotExceeded) {
  RtfReadOptions o;
  o.maxChars = 10;
  const RtfReadResult text = readRtfString("{\\rtf1 0123456789abcdef}", o);
  EXPECT_TRUE(text.textLimitReached);
  EXPECT_EQ(text.fragment.text(), u"0123456789");
  o = RtfReadOptions{};
  o.maxPictureBytes = 2;
  const RtfReadResult pic = readRtfString("{\\rtf1{\\pict\\pngblip 010203}x}", o);
  EXPECT_TRUE(pic.picturesDropped);
  EXPECT_EQ(pic.fragment.text(), u"x");
  o = RtfReadOptions{};
  o.maxDepth = 3;
  const RtfReadResult deep = readRtfString("{\\rtf1 a{b{c{d}}}e}", o);
  EXPECT_TRUE(deep.depthLimitReached);
  EXPECT_EQ(deep.fragment.text(), u"abce");
}

}  // namespace
}  // namespace richedit
