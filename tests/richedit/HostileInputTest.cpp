#include <random>

#include <gtest/gtest.h>

#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

// Hands out a prefix, then a pattern repeated up to a total size, without holding it all.
class GeneratedSource final : public ByteSource {
 public:
  GeneratedSource(std::string prefix, std::string pattern, std::size_t total)
      : prefix_(std::move(prefix)), pattern_(std::move(pattern)), total_(total) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    std::size_t n = 0;
    while (n < size && produced_ < total_) {
      buffer[n++] = produced_ < prefix_.size()
                        ? prefix_[produced_]
                        : pattern_[(produced_ - prefix_.size()) % pattern_.size()];
      ++produced_;
    }
    return static_cast<std::ptrdiff_t>(n);
  }
  std::size_t produced() const { return produced_; }

 private:
  std::string prefix_, pattern_;
  std::size_t total_;
  std::size_t produced_ = 0;
};

constexpr std::size_t MiB = 1024 * 1024;

TEST(HostileInput, DeepNestingIsSkippedPastTheLimit) {
  GeneratedSource deep("{\\rtf1 start", "{\\b x", 8 * MiB);
  const RtfReadResult r = readRtf(deep);
  EXPECT_EQ(r.status, RtfStatus::Ok);
  EXPECT_TRUE(r.depthLimitReached);
  EXPECT_TRUE(r.truncated);
  EXPECT_LT(r.fragment.length(), 600) << "only the groups within the limit give text";
  EXPECT_EQ(r.fragment.text().substr(0, 5), u"start");
  std::string closed =
      "{\\rtf1 a" + std::string(100000, '{') + "deep" + std::string(100000, '}') + "b}";
  EXPECT_EQ(test::readRtfString(closed).fragment.text(), u"ab");
}

TEST(HostileInput, HugeBinaryCountsAllocateNothingUpFront) {
  const RtfReadResult open = test::readRtfString("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 abc");
  EXPECT_EQ(open.status, RtfStatus::Ok);
  ASSERT_EQ(open.fragment.pictures().size(), 1u) << "the bytes that were there";
  EXPECT_EQ(open.fragment.pictures()[0].picture->data, "abc");
  EXPECT_EQ(test::readRtfString("{\\rtf1 a\\bin99999999999 xyz}").fragment.text(), u"a");
  EXPECT_EQ(test::readRtfString("{\\rtf1 a\\bin-5 xyz}").fragment.text(), u"axyz");
  // Binary data in a skipped destination is stepped over, braces and all.
  EXPECT_EQ(test::readRtfString("{\\rtf1{\\*\\junk\\bin3 }}}}b}").fragment.text(), u"b");
  RtfReadOptions small;
  small.maxPictureBytes = 1000;
  GeneratedSource big("{\\rtf1{\\pict\\emfblip\\bin100000000 ", "\x01", 100 * MiB);
  const RtfReadResult r = readRtf(big, small);
  EXPECT_TRUE(r.picturesDropped);
  EXPECT_TRUE(r.fragment.pictures().empty());
}

TEST(HostileInput, EndlessGroupsAndEndlessTextStayWithinTheLimits) {
  GeneratedSource groups("{\\rtf1", "{}{\\b}{\\field}{\\*\\x}", 20 * MiB);
  const RtfReadResult g = readRtf(groups);
  EXPECT_EQ(g.status, RtfStatus::Ok);
  EXPECT_EQ(g.fragment.length(), 0);
  RtfReadOptions o;
  o.maxChars = 4 * 1024 * 1024;
  GeneratedSource text("{\\rtf1 ", "All work and no play. ", 100 * MiB);
  const RtfReadResult t = readRtf(text, o);
  EXPECT_TRUE(t.textLimitReached);
  EXPECT_EQ(t.fragment.length(), o.maxChars);
  EXPECT_LT(text.produced(), 10 * MiB) << "reading stops at the limit";
  GeneratedSource skipped("{\\rtf1{\\*\\blob ", "0123456789abcdef", 100 * MiB);
  const RtfReadResult s = readRtf(skipped);
  EXPECT_EQ(s.fragment.length(), 0);
  EXPECT_EQ(skipped.produced(), 100 * MiB);
}

TEST(HostileInput, ExtremeParametersDoNotOverflow) {
  const RichTextDocument d = test::documentFromRtf(
      "{\\rtf1\\li2147483647\\fi2147483647\\ri-2147483648\\sl-2147483648\\sb2147483647"
      "\\fs2147483647\\up2147483647\\cf2147483647\\f-2147483648\\u-2147483648?\\uc2147483647 x"
      "\\tx99999999999\\ls2147483647\\ilvl-2147483648\\pnstart99999 y\\par}");
  EXPECT_EQ(d.text({0, d.textLength()}), u"xy") << "U+0001 is no text";
  EXPECT_EQ(d.charFormatAt(1).height, MaxCharHeight);
  const std::string rtf = writeRtf(d.copyAll());
  EXPECT_EQ(test::readRtfString(rtf).status, RtfStatus::Ok);
}

TEST(HostileInput, RandomTokenSoupNeverBreaksTheReader) {
  // clang-format off
  static const char* const pieces[] = {
      "{", "}", "{\\*", "\\par", "\\pard", "\\plain", "\\b", "\\u8364", "\\uc5", "\\'e9", "\\'",
      "\\", "\\bin3 ", "{\\pict\\pngblip ", "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt ",
      "{\\fonttbl{\\f0\\fcharset204 A;}", "{\\colortbl;\\red9;", "\\cf1", "\\f0", "\\intbl",
      "\\cell", "\\row", "{\\listtable{\\list{\\listlevel{\\leveltext \\'02\\'00.;}", "\\ls1",
      "{\\*\\pn\\pnlvlbody{\\pntxta .}", "text ", "\x01\x80\xff", "\\tx720", "\\sl-240",
      "{\\object{\\result ", "{\\nonshppict ", "\\chftn", "\\line", "0a1b", "\\upr{\\*\\ud{"};
  // clang-format on
  std::mt19937 rng(42);
  for (int round = 0; round < 3000; ++round) {
    std::string rtf = "{\\rtf1";
    const int n = std::uniform_int_distribution<int>(1, 60)(rng);
    for (int i = 0; i < n; ++i) {
      rtf += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(rng)];
    }
    const RtfReadResult r = test::readRtfString(rtf);
    ASSERT_EQ(r.status, RtfStatus::Ok);
    RichTextDocument d;
    d.load(r.fragment);
    const RtfReadResult again = test::readRtfString(writeRtf(d.copyAll()));
    ASSERT_EQ(again.status, RtfStatus::Ok) << rtf;
    RichTextDocument e;
    e.load(again.fragment);
    ASSERT_TRUE(sameContent(d.copyAll(), e.copyAll())) << rtf;
  }
}

}  // namespace
}  // namespace richedit
