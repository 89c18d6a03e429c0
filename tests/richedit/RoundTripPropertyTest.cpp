#include <random>

#include <gtest/gtest.h>

#include "richedit/EditSession.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

// Random documents made only of what RTF can say exactly: sizes and offsets in half points,
// weights that follow bold, line spacing without the two rules RTF writes as multiples.
class DocumentGenerator {
 public:
  explicit DocumentGenerator(unsigned trial) : rng_(trial) {}

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(int percent) { return pick(1, 100) <= percent; }

  std::u16string text(int length) {
    static const std::u16string alphabet =
        u"abcdefghij klmnop XYZ 0123 .,;:!?-'\"{}\\\t\v\f\u00A0\u00AD\u2011éüß€œП中"
        u"\U0001F600\r\r";
    std::u16string out;
    while (static_cast<int>(out.size()) < length) {
      const std::size_t i =
          static_cast<std::size_t>(pick(0, static_cast<int>(alphabet.size()) - 1));
      char16_t c = alphabet[i];
      if (c >= 0xD800 && c <= 0xDBFF) {
        out.push_back(c);
        out.push_back(alphabet[i + 1]);
      } else if (c < 0xDC00 || c > 0xDFFF) {
        out.push_back(c);
      }
    }
    return out;
  }

  CharFormat charFormat(std::uint32_t* mask) {
    static const struct {
      const char16_t* face;
      std::uint8_t charSet;
      std::uint8_t pitchFamily;
    } faces[] = {
        {u"Arial", 0, 0x22},  {u"Times New Roman", 0, 0x12},      {u"Courier New", 1, 0x31},
        {u"Symbol", 2, 0x02}, {u"Weird {Face}; Name", 238, 0x40}, {u"Кириллица", 204, 0x20}};
    CharFormat f = defaultCharFormat();
    std::uint32_t m = 0;
    auto flag = [&](std::uint32_t maskBit, std::uint32_t effect) {
      if (!chance(30)) return;
      m |= maskBit;
      if (chance(50)) f.effects |= effect;
    };
    flag(cfm::Bold, cfe::Bold);
    flag(cfm::Italic, cfe::Italic);
    flag(cfm::StrikeOut, cfe::StrikeOut);
    flag(cfm::SmallCaps, cfe::SmallCaps);
    flag(cfm::AllCaps, cfe::AllCaps);
    flag(cfm::Hidden, cfe::Hidden);
    flag(cfm::Protected, cfe::Protected);
    if (chance(20)) {
      m |= cfm::UnderlineType;
      f.underlineType = static_cast<std::uint8_t>(pick(0, cfu::Last));
    }
    if (chance(20)) {
      m |= cfm::SuperScript;
      f.effects |= std::array<std::uint32_t, 3>{0, cfe::SuperScript, cfe::SubScript}[pick(0, 2)];
    }
    if (chance(20)) {
      m |= cfm::Offset;
      f.offset = pick(-20, 20) * 10;
    }
    if (chance(30)) {
      m |= cfm::Size;
      f.height = pick(2, 200) * 10;
    }
    if (chance(25)) {
      m |= cfm::Color;
      if (chance(80)) {
        f.effects &= ~cfe::AutoColor;
        f.textColor = rgb(pick(0, 3) * 85, pick(0, 255), 7);
      }
    }
    if (chance(20)) {
      m |= cfm::BackColor;
      if (chance(80)) {
        f.effects &= ~cfe::AutoBackColor;
        f.backColor = rgb(250, pick(0, 2) * 100, pick(0, 255));
      }
    }
    if (chance(30)) {
      const auto& face = faces[pick(0, 5)];
      m |= cfm::Face | cfm::CharSet;
      f.setFaceName(face.face);
      f.charSet = face.charSet;
      f.pitchAndFamily = face.pitchFamily;
    }
    *mask = m;
    return f;
  }

  ParaFormat paraFormat() {
    ParaFormat p;
    p.alignment = static_cast<std::uint16_t>(pick(1, 4));
    p.startIndent = pick(-2, 30) * 36;
    p.offset = pick(-10, 10) * 72;
    p.rightIndent = pick(0, 20) * 50;
    p.spaceBefore = chance(50) ? pick(0, 400) : 0;
    p.spaceAfter = chance(50) ? pick(0, 400) : 0;
    switch (pick(0, 3)) {
      case 0: break;
      case 1:
        p.lineSpacingRule = lsr::AtLeast;
        p.lineSpacing = pick(1, 900);
        break;
      case 2:
        p.lineSpacingRule = lsr::Exactly;
        p.lineSpacing = pick(1, 900);
        break;
      default:
        p.lineSpacingRule = lsr::Multiple;
        p.lineSpacing = pick(1, 80);
        break;
    }
    p.tabCount = static_cast<std::int16_t>(chance(60) ? pick(0, 32) : 0);
    for (int i = 0; i < p.tabCount; ++i) {
      p.tabs[static_cast<std::size_t>(i)] =
          makeTabStop((i + 1) * pick(100, 600), static_cast<std::uint32_t>(pick(0, 4)),
                      static_cast<std::uint32_t>(pick(0, 5)));
    }
    if (chance(40)) {
      p.numbering = static_cast<std::uint16_t>(pick(1, pfn::Last));
      p.numberingStart = static_cast<std::uint16_t>(chance(50) ? pick(1, 30) : 0);
      p.numberingTab = static_cast<std::uint16_t>(chance(50) ? pick(1, 720) : 0);
      if (p.numbering != pfn::Bullet) {
        static const std::uint16_t styles[] = {pfns::Paren, pfns::Parens, pfns::Period, pfns::Plain,
                                               pfns::NoNumber};
        p.numberingStyle = styles[pick(0, 4)];
      }
    }
    if (chance(20)) p.effects |= pfe::Keep;
    if (chance(20)) p.effects |= pfe::KeepNext;
    if (chance(20)) p.effects |= pfe::PageBreakBefore;
    return p;
  }

  Picture picture() {
    Picture p;
    p.kind = static_cast<PictureKind>(pick(0, 4));
    const int n = pick(1, 300);
    for (int i = 0; i < n; ++i) p.data.push_back(static_cast<char>(pick(0, 255)));
    p.width = pick(1, 5000);
    p.height = pick(1, 5000);
    p.goalWidth = chance(50) ? pick(1, 9000) : 0;
    p.goalHeight = chance(50) ? pick(1, 9000) : 0;
    p.scaleX = chance(50) ? pick(1, 300) : 100;
    p.scaleY = chance(50) ? pick(1, 300) : 100;
    p.mapMode = p.kind == PictureKind::Wmf ? pick(1, 8) : 8;
    return p;
  }

  RichTextDocument document() {
    RichTextDocument d;
    d.replaceText({0, 0}, text(pick(0, 400)));
    const int formats = pick(0, 25);
    for (int i = 0; i < formats; ++i) {
      const CharPos a = pick(0, d.storyLength());
      const CharPos b = pick(a, std::min(d.storyLength(), a + 60));
      std::uint32_t mask = 0;
      const CharFormat f = charFormat(&mask);
      d.setCharFormat({a, b}, f, mask);
    }
    for (int i = 0; i < d.paragraphCount(); ++i) {
      if (chance(60)) d.setParaFormat(d.paragraphRange(i), paraFormat(), pfm::Supported);
    }
    const int pictures = pick(0, 3);
    for (int i = 0; i < pictures; ++i) {
      const CharPos at = pick(0, d.textLength());
      d.insertPicture({at, at}, picture());
    }
    const int links = pick(0, 3);
    for (int i = 0; i < links; ++i) {
      const CharPos at = pick(0, d.textLength());
      const std::u16string label = u"link" + std::u16string(1, static_cast<char16_t>(u'a' + i));
      CharStyle style = d.insertionStyle(at);
      style.format.effects |= cfe::Link;
      style.linkTarget = chance(50) ? u"https://example.com/p?q=" + label : std::u16string();
      d.replaceText({at, at}, label, &style);
    }
    d.emptyUndo();
    return d;
  }

  std::mt19937& rng() { return rng_; }

 private:
  std::mt19937 rng_;
};

std::string describe(const RichTextDocument& d) { return test::utf8(d.windowText()); }

TEST(RoundTripProperty, ReadingWhatWasWrittenGivesTheSameDocument) {
  for (unsigned trial = 1; trial <= 300; ++trial) {
    DocumentGenerator gen(trial);
    const RichTextDocument original = gen.document();
    const std::string rtf = writeRtf(original.copyAll());
    const RtfReadResult read = test::readRtfString(rtf);
    ASSERT_EQ(read.status, RtfStatus::Ok);
    ASSERT_FALSE(read.truncated) << trial;
    RichTextDocument back;
    back.load(read.fragment);
    ASSERT_TRUE(sameContent(original.copyAll(), back.copyAll())) << "trial " << trial << "\n"
                                                                 << describe(original) << "\n"
                                                                 << rtf;
  }
}

TEST(RoundTripProperty, SelectionsPasteBackToTheSameContent) {
  for (unsigned trial = 1000; trial < 1100; ++trial) {
    DocumentGenerator gen(trial);
    const RichTextDocument original = gen.document();
    const CharPos a = gen.pick(0, original.textLength());
    const CharPos b = gen.pick(a, original.textLength());
    const RichTextFragment piece = original.copyRange({a, b});
    const RtfReadResult read = test::readRtfString(writeRtf(piece));
    ASSERT_EQ(read.status, RtfStatus::Ok);
    RichTextDocument target = original;
    target.replaceWithFragment({a, b}, read.fragment);
    ASSERT_TRUE(sameContent(original.copyAll(), target.copyAll())) << "trial " << trial;
  }
}

TEST(RoundTripProperty, UndoingEveryEditRestoresTheDocumentAndRedoingRepeatsThem) {
  for (unsigned trial = 2000; trial < 2060; ++trial) {
    DocumentGenerator gen(trial);
    RichTextDocument d = gen.document();
    const RichTextFragment start = d.copyAll();
    const int edits = gen.pick(1, 40);
    for (int i = 0; i < edits; ++i) {
      const CharPos a = gen.pick(0, d.textLength());
      const CharPos b = gen.pick(a, std::min(d.textLength(), a + 30));
      switch (gen.pick(0, 5)) {
        case 0: d.replaceText({a, b}, gen.text(gen.pick(0, 20))); break;
        case 1: d.replaceText({a, a}, gen.text(1), nullptr, EditKind::Typing); break;
        case 2: {
          std::uint32_t mask = 0;
          const CharFormat f = gen.charFormat(&mask);
          d.setCharFormat({a, b}, f, mask);
          break;
        }
        case 3: d.setParaFormat({a, b}, gen.paraFormat(), pfm::Supported); break;
        case 4: d.insertPicture({a, b}, gen.picture()); break;
        default:
          d.replaceWithFragment({a, a}, d.copyRange({b, std::min(d.storyLength(), b + 15)}));
          break;
      }
    }
    const RichTextFragment end = d.copyAll();
    while (d.canUndo()) d.undo();
    ASSERT_TRUE(sameContent(start, d.copyAll())) << "trial " << trial;
    while (d.canRedo()) d.redo();
    ASSERT_TRUE(sameContent(end, d.copyAll())) << "trial " << trial;
  }
}

TEST(RoundTripProperty, OneAndAHalfAndDoubleSpacingComeBackAsTheirMultiples) {
  RichTextDocument d = test::documentWithText(u"a\rb");
  ParaFormat p;
  p.lineSpacingRule = lsr::OneAndHalf;
  d.setParaFormat({0, 0}, p, pfm::LineSpacing);
  p.lineSpacingRule = lsr::Double;
  d.setParaFormat({2, 2}, p, pfm::LineSpacing);
  const RichTextDocument back = test::documentFromRtf(writeRtf(d.copyAll()));
  EXPECT_EQ(back.paraFormatAt(0).lineSpacingRule, lsr::Multiple);
  EXPECT_EQ(back.paraFormatAt(0).lineSpacing, 30);
  EXPECT_EQ(back.paraFormatAt(2).lineSpacing, 40);
}

}  // namespace
}  // namespace richedit
