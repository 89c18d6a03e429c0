#include <gtest/gtest.h>

#include "richedit/PlainText.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

PlainTextReadResult readText(std::string_view bytes, const PlainTextOptions& o = {}) {
  MemorySource s(bytes);
  return readPlainText(s, o);
}

TEST(PlainText, EveryKindOfLineEndIsOneParagraphEnd) {
  EXPECT_EQ(readText("a\r\nb\nc\rd\n\re").text, u"a\rb\rc\rd\r\re");
  EXPECT_EQ(encodePlainText(u"a\rb\vc"), "a\r\nb\r\nc");
}

TEST(PlainText, EightBitTextUsesTheCodePage) {
  EXPECT_EQ(readText("caf\xe9 \x80 \x9c").text, u"café € œ");
  PlainTextOptions cyrillic;
  cyrillic.codePage = 1251;
  EXPECT_EQ(readText("\xcf\xf0\xe8", cyrillic).text, u"При");
  EXPECT_EQ(encodePlainText(u"café € П"), "caf\xe9 \x80 ?") << "what the page lacks becomes ?";
  EXPECT_EQ(encodePlainText(u"\U0001F600"), "?") << "one character, one question mark";
}

TEST(PlainText, UnicodeIsLittleEndianUtf16) {
  PlainTextOptions u;
  u.unicode = true;
  EXPECT_EQ(readText(std::string("\xff\xfeH\0i\0\r\0\n\0", 10), u).text, u"Hi\r");
  EXPECT_EQ(encodePlainText(u"П\r", u), std::string("\x1f\x04\r\0\n\0", 6));
  EXPECT_EQ(readText(std::string("A\0B", 3), u).text, u"A") << "an odd last byte is dropped";
}

TEST(PlainText, TwoByteCharactersSplitAcrossBlocksStayWhole) {
  test::PairCodePage page;
  std::string bytes(64 * 1024 - 1, 'x');
  bytes += "\x81\x01";  // the pair straddles the reader's 64 KiB blocks
  PlainTextOptions o;
  o.converter = &page;
  o.codePage = 99;
  const std::u16string text = readText(bytes, o).text;
  ASSERT_EQ(text.size(), 64u * 1024);
  EXPECT_EQ(text.back(), 0x4E01);
}

TEST(PlainText, LimitAndFailure) {
  PlainTextOptions o;
  o.maxChars = 3;
  const PlainTextReadResult r = readText("abcdef", o);
  EXPECT_TRUE(r.textLimitReached);
  EXPECT_EQ(r.text, u"abc");
  struct Failing : ByteSource {
    std::ptrdiff_t read(char*, std::size_t) override { return -1; }
  } failing;
  const PlainTextReadResult f = readPlainText(failing);
  EXPECT_FALSE(f.ok);
  EXPECT_FALSE(f.message.empty());
}

TEST(CodePages, CharsetsMapToTheirPagesAndUtf8RoundTrips) {
  EXPECT_EQ(codePageForCharset(charset::Ansi, 1250), 1252u);
  EXPECT_EQ(codePageForCharset(charset::Default, 1250), 1250u);
  EXPECT_EQ(codePageForCharset(204, 1252), 1251u);
  EXPECT_EQ(codePageForCharset(charset::Symbol, 1252), CodePageSymbol);
  const std::u16string s = u"aé€中\U0001F600";
  EXPECT_EQ(builtinCodePages().decode(CodePageUtf8, builtinCodePages().encode(CodePageUtf8, s)), s);
  EXPECT_EQ(builtinCodePages().decode(CodePageUtf8, "\xff\xc3"), u"\uFFFD\uFFFD");
  char b = 0;
  EXPECT_TRUE(builtinCodePages().encodeChar(1250, u'ś', b));
  EXPECT_EQ(static_cast<unsigned char>(b), 0x9C);
}

}  // namespace
}  // namespace richedit
