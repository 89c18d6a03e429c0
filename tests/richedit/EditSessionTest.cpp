#include <cstring>

#include <gtest/gtest.h>

#include "richedit/EditSession.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

EditSession sessionWith(std::u16string_view text) {
  EditSession s;
  s.replaceSelection(text);
  s.document().emptyUndo();
  return s;
}

TEST(SessionSelection, ZeroToMinusOneSelectsTheFinalMarkToo) {
  EditSession s = sessionWith(u"abc");
  s.setSelection(0, -1);
  EXPECT_EQ(s.selection(), (CharRange{0, 4}));
  s.setSelection(0, 100);
  EXPECT_EQ(s.selection(), (CharRange{0, 3}));
  s.setSelection(2, 1);
  EXPECT_EQ(s.selection(), (CharRange{1, 2}));
  s.setSelection(-1, 0);
  EXPECT_EQ(s.selection(), (CharRange{2, 2}));
  s.setSelection(0, -1);
  s.replaceSelection(u"new");
  EXPECT_EQ(s.document().windowText(), u"new");
}

TEST(SessionTyping, OvertypeReplacesCharactersUpToTheLineEnd) {
  const struct {
    std::u16string_view text;
    CharRange selection;
    std::u16string_view typed;
    std::u16string_view expected;
  } cases[] = {
      {u"abcd", {1, 1}, u"XY", u"aXYd"},
      {u"ab\rcd", {1, 1}, u"XYZ", u"aXYZ\rcd"},
      {u"a\vb", {0, 0}, u"XY", u"XY\vb"},
      {u"abcd", {1, 3}, u"X", u"aXd"},  // a selection is replaced as in insert mode
      {u"ab", {2, 2}, u"X", u"abX"},
  };
  for (const auto& c : cases) {
    EditSession s = sessionWith(c.text);
    s.setSelection(c.selection.min, c.selection.max);
    s.overtypeText(c.typed);
    EXPECT_EQ(s.document().text({0, s.document().textLength()}), c.expected);
    EXPECT_TRUE(s.undo());
    EXPECT_EQ(s.document().text({0, s.document().textLength()}), c.text);
  }
}

TEST(SessionCharFormat, WordTargetFormatsTheWordAtTheCaret) {
  EditSession s = sessionWith(u"make this bold now");
  s.setSelection(7, 7);  // inside "this"
  CharFormat bold = test::formatWith(cfe::Bold);
  ASSERT_TRUE(s.setCharFormat(scf::Word | scf::Selection, bold, cfm::Bold));
  const auto& d = s.document();
  EXPECT_FALSE(d.charFormatAt(4).has(cfe::Bold));
  for (CharPos i = 5; i < 10; ++i) EXPECT_TRUE(d.charFormatAt(i).has(cfe::Bold)) << i;
  EXPECT_FALSE(d.charFormatAt(10).has(cfe::Bold));
  EXPECT_EQ(s.selection(), (CharRange{7, 7})) << "the caret stays where it was";
  std::uint32_t mask = 0;
  EXPECT_TRUE(s.charFormat(scf::Selection, &mask).has(cfe::Bold));
}

TEST(SessionCharFormat, WordTargetWithASelectionFormatsTheSelection) {
  EditSession s = sessionWith(u"make this bold");
  s.setSelection(1, 3);
  s.setCharFormat(scf::Word | scf::Selection, test::formatWith(cfe::Italic), cfm::Italic);
  EXPECT_FALSE(s.document().charFormatAt(0).has(cfe::Italic));
  EXPECT_TRUE(s.document().charFormatAt(1).has(cfe::Italic));
  EXPECT_FALSE(s.document().charFormatAt(3).has(cfe::Italic));
}

TEST(SessionCharFormat, AnEmptySelectionSetsTheFormatOfWhatIsTypedNext) {
  EditSession s = sessionWith(u"plain ");
  s.setSelection(6, 6);
  CharFormat red;
  red.effects = 0;
  red.textColor = rgb(200, 0, 0);
  s.setCharFormat(scf::Selection, red, cfm::Color);
  EXPECT_EQ(s.charFormat(scf::Selection).textColor, rgb(200, 0, 0));
  EXPECT_TRUE(s.document().charFormatAt(0).has(cfe::AutoColor)) << "no text changed";
  s.typeText(u"red");
  EXPECT_EQ(s.document().charFormatAt(7).textColor, rgb(200, 0, 0));
  s.setSelection(0, 0);
  EXPECT_TRUE(s.charFormat(scf::Selection).has(cfe::AutoColor)) << "moving forgets it";
}

TEST(SessionCharFormat, BoldToggleOnTheCaretWordKeepsItalicUnderlineAndStrikeOut) {
  EditSession s = sessionWith(u"one two");
  s.setSelection(0, 3);
  CharFormat mixed = test::formatWith(cfe::Italic | cfe::StrikeOut);
  mixed.underlineType = cfu::Dotted;
  s.setCharFormat(scf::Selection, mixed, cfm::Italic | cfm::StrikeOut | cfm::UnderlineType);
  s.setSelection(1, 1);
  // The command: read the four effects of the target, write them back with bold added.
  const CharFormat current = s.charFormat(scf::Selection);
  CharFormat write;
  write.effects = (current.effects & (cfe::Italic | cfe::Underline | cfe::StrikeOut)) | cfe::Bold;
  const std::uint32_t four = cfm::Bold | cfm::Italic | cfm::Underline | cfm::StrikeOut;
  s.setCharFormat(scf::Word | scf::Selection, write, four);
  const CharFormat after = s.document().charFormatAt(1);
  EXPECT_TRUE(after.has(cfe::Bold) && after.has(cfe::Italic) && after.has(cfe::StrikeOut));
  EXPECT_EQ(after.underlineType, cfu::Dotted);
  EXPECT_FALSE(s.document().charFormatAt(5).has(cfe::Bold));
}

TEST(SessionCharFormat, DefaultFormatAppliesToAnEmptyDocument) {
  EditSession s;
  CharFormat f;
  f.setFaceName(u"Times New Roman");
  f.height = 240;
  s.setCharFormat(scf::Default, f, cfm::Face | cfm::Size);
  s.typeText(u"x");
  EXPECT_EQ(s.document().charFormatAt(0).faceName(), u"Times New Roman");
  EXPECT_EQ(s.document().charFormatAt(0).height, 240);
  EXPECT_EQ(s.charFormat(scf::Default).height, 240);
}

TEST(SessionParaFormat, TheNumberingButtonSequence) {
  EditSession s = sessionWith(u"first\rsecond");
  s.setSelection(0, 8);
  ParaFormat style{};  // all zero but the style, as the button sends it
  style.alignment = 0;
  style.numberingStyle = pfns::Period;
  ASSERT_TRUE(s.setParaFormat(style, pfm::NumberingStyle));
  ParaFormat offset;
  offset.offset = 200;
  s.setParaFormat(offset, pfm::Offset);
  ParaFormat arabic;
  arabic.numbering = pfn::Arabic;
  s.setParaFormat(arabic, pfm::Numbering);
  std::uint32_t mask = 0;
  const ParaFormat got = s.paraFormat(&mask);
  EXPECT_EQ(got.numbering, pfn::Arabic);
  EXPECT_EQ(got.numberingStyle, pfns::Period);
  EXPECT_EQ(got.offset, 200);
  EXPECT_EQ(got.alignment, pfa::Left);
  EXPECT_TRUE(mask & pfm::Numbering);
  // The paragraphs keep it through an RTF save and load.
  StringSink out;
  ASSERT_TRUE(s.streamOut(sf::Rtf, out));
  EditSession back;
  MemorySource in(out.bytes);
  ASSERT_TRUE(back.streamIn(sf::Rtf, in).ok);
  EXPECT_EQ(back.document().paraFormatAt(7).numbering, pfn::Arabic);
  EXPECT_EQ(back.document().paraFormatAt(7).numberingStyle, pfns::Period);
}

TEST(SessionParaFormat, TheDialogsThirtyTwoTabStopsSurviveASave) {
  EditSession s = sessionWith(u"a\tb");
  ParaFormat p;
  p.tabCount = 32;
  for (int i = 0; i < 32; ++i) p.tabs[static_cast<std::size_t>(i)] = (i + 1) * 36 * 20;
  ASSERT_TRUE(s.setParaFormat(p, pfm::TabStops));
  StringSink out;
  s.streamOut(sf::Rtf, out);
  EditSession back;
  MemorySource in(out.bytes);
  back.streamIn(sf::Rtf, in);
  const ParaFormat got = back.document().paraFormatAt(0);
  ASSERT_EQ(got.tabCount, 32);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(got.tabs[static_cast<std::size_t>(i)], (i + 1) * 720);
}

TEST(SessionStreams, AStreamThatIsNotRtfChangesNothingSoTheCallerCanLoadItAsText) {
  EditSession s = sessionWith(u"keep me");
  const std::string notRtf = "Just a plain note\r\nwith two lines\r\n";
  MemorySource first(notRtf);
  const StreamResult r = s.streamIn(sf::Rtf, first);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.message.empty());
  EXPECT_EQ(s.document().windowText(), u"keep me");
  MemorySource again(notRtf);
  ASSERT_TRUE(s.streamIn(sf::Text, again).ok);
  EXPECT_EQ(s.document().windowText(), u"Just a plain note\r\nwith two lines\r\n");
}

TEST(SessionStreams, SelectionStreamsReplaceAndWriteOnlyTheSelection) {
  EditSession s = sessionWith(u"Hello world");
  s.setSelection(6, 11);
  s.setCharFormat(scf::Selection, test::formatWith(cfe::Bold), cfm::Bold);
  StringSink piece;
  s.streamOut(sf::Rtf | sf::Selection, piece);
  EXPECT_EQ(piece.bytes.find("Hello"), std::string::npos);
  EXPECT_NE(piece.bytes.find("world"), std::string::npos);
  EXPECT_EQ(piece.bytes.find("\\par\r\n"), std::string::npos) << "no paragraph end was selected";
  s.setSelection(0, 0);
  MemorySource in(piece.bytes);
  s.streamIn(sf::Rtf | sf::Selection, in);
  EXPECT_EQ(s.document().windowText(), u"worldHello world");
  EXPECT_TRUE(s.document().charFormatAt(0).has(cfe::Bold));
  EXPECT_EQ(s.caret(), 5);
  StringSink text;
  s.setSelection(0, 5);
  s.streamOut(sf::Text | sf::Selection | sf::Unicode, text);
  EXPECT_EQ(text.bytes, std::string("w\0o\0r\0l\0d\0", 10));
}

TEST(SessionStreams, PlainTextRoundTripKeepsATrailingEmptyParagraph) {
  EditSession s;
  const std::string file = "one\r\ntwo\r\n";
  MemorySource in(file);
  s.streamIn(sf::Text, in);
  EXPECT_EQ(s.document().paragraphCount(), 3);
  StringSink out;
  s.streamOut(sf::Text, out);
  EXPECT_EQ(out.bytes, file);
}

TEST(SessionStreams, TextInAGivenCodePageRoundTrips) {
  EditSession s;  // the system code page is Windows-1252
  const std::string utf8 = "caf\xC3\xA9 \xE2\x82\xAC";
  const std::uint32_t inUtf8 = sf::Text | sf::UseCodePage | (CodePageUtf8 << 16);
  MemorySource in(utf8);
  ASSERT_TRUE(s.streamIn(inUtf8, in).ok);
  EXPECT_EQ(s.document().windowText(), u"caf\u00E9 \u20AC");
  StringSink out;
  s.streamOut(inUtf8, out);
  EXPECT_EQ(out.bytes, utf8);
  StringSink ansi;
  s.streamOut(sf::Text, ansi);
  EXPECT_EQ(ansi.bytes, "caf\xE9 \x80") << "without the flag, the system code page";
}

TEST(SessionStreams, AFailingSourceChangesNothing) {
  struct Broken : ByteSource {
    int calls = 0;
    std::ptrdiff_t read(char* b, std::size_t) override {
      if (calls++ == 0) {
        std::memcpy(b, "{\\rtf1 partial", 14);
        return 14;
      }
      return -1;
    }
  };
  EditSession s = sessionWith(u"original");
  Broken broken;
  EXPECT_FALSE(s.streamIn(sf::Rtf, broken).ok);
  EXPECT_EQ(s.document().windowText(), u"original");
  Broken again;
  EXPECT_FALSE(s.streamIn(sf::Text, again).ok);
  EXPECT_EQ(s.document().windowText(), u"original");
}

TEST(SessionTextMode, SavingAsTextDropsFormattingAndLoadingRtfInPlainModeKeepsOnlyText) {
  EditSession s = sessionWith(u"styled");
  s.setSelection(0, 3);
  s.setCharFormat(scf::Selection, test::formatWith(cfe::Bold), cfm::Bold);
  s.setTextMode(TextMode::Plain);
  EXPECT_FALSE(s.document().charFormatAt(0).has(cfe::Bold));
  const std::string rtf = "{\\rtf1{\\b bold}\\par second}";
  MemorySource in(rtf);
  ASSERT_TRUE(s.streamIn(sf::Rtf, in).ok);
  EXPECT_EQ(s.document().windowText(), u"bold\r\nsecond");
  EXPECT_EQ(s.document().runCount(), 1u);
  s.setTextMode(TextMode::Rich);
  EXPECT_EQ(s.textMode(), TextMode::Rich);
}

}  // namespace
}  // namespace richedit
