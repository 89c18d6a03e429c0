#include <algorithm>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

using test::dataPath;
using test::readFile;

// Text compared without white space: tables and lists are flattened differently by each
// program, and list labels are drawn by numbering, not stored as text.
std::u16string comparable(std::u16string_view text, bool dropListLabels) {
  std::u16string out;
  std::size_t i = 0;
  if (text.size() >= 1 && text[0] == 0xFEFF) i = 1;
  bool lineStart = true;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (dropListLabels && lineStart && (c == u' ' || c == u'\t')) {
      // "    • item", "    1. item", "        a. item", "    II. item"
      std::size_t j = i;
      while (j < text.size() && (text[j] == u' ' || text[j] == u'\t')) ++j;
      std::size_t k = j;
      if (k < text.size() && (text[k] == 0x2022 || text[k] == 0x25E6 || text[k] == 0x25AA)) {
        ++k;
      } else {
        while (k < text.size() && k - j < 6 &&
               ((text[k] >= u'0' && text[k] <= u'9') || (text[k] >= u'a' && text[k] <= u'z') ||
                (text[k] >= u'A' && text[k] <= u'Z'))) {
          ++k;
        }
        k = (k > j && k < text.size() && text[k] == u'.') ? k + 1 : j;
      }
      if (k > j && k < text.size() && text[k] == u' ') {
        i = k;
        lineStart = false;
        continue;
      }
    }
    lineStart = c == u'\n' || c == u'\r';
    ++i;
    // Symbol-font text comes out of the other program as private-use code points.
    const char16_t d = c >= 0xF020 && c <= 0xF0FF ? static_cast<char16_t>(c - 0xF000) : c;
    if (d <= u' ' || d == 0x00A0 || d == 0x00AD || d == 0xFFFC || d == 0xFEFF) continue;
    out.push_back(d);
  }
  return out;
}

// The list label at the start of an indented line of the other program's text ("• ", "1. ",
// "a. ", "II. "): its length, 0 when there is none.
std::size_t listLabelLength(std::u16string_view line) {
  std::size_t k = 0;
  if (!line.empty() && (line[0] == 0x2022 || line[0] == 0x25E6 || line[0] == 0x25AA)) {
    k = 1;
  } else {
    while (k < line.size() && k < 6 &&
           ((line[k] >= u'0' && line[k] <= u'9') || (line[k] >= u'a' && line[k] <= u'z') ||
            (line[k] >= u'A' && line[k] <= u'Z'))) {
      ++k;
    }
    k = (k > 0 && k < line.size() && line[k] == u'.') ? k + 1 : 0;
  }
  return k > 0 && k < line.size() && line[k] == u' ' ? k + 1 : 0;
}

// The text as its paragraphs: paragraph ends and line breaks end a line, blank lines drop
// out, each run of blanks becomes one, tabs stay. What the white-space-free comparison cannot
// see (a lost paragraph end, a tab turned into a blank) shows here.
std::vector<std::u16string> paragraphs(std::u16string_view text, bool dropListLabels) {
  std::vector<std::u16string> out;
  std::u16string line;
  bool indented = false;
  const auto flush = [&] {
    while (!line.empty() && line.back() == u' ') line.pop_back();
    std::size_t label = dropListLabels && indented ? listLabelLength(line) : 0;
    if (line.size() > label) out.push_back(line.substr(label));
    line.clear();
    indented = false;
  };
  for (char16_t c : text) {
    if (c == u'\r' || c == u'\n' || c == u'\v' || c == 0x2028 || c == 0x2029) {
      flush();
      continue;
    }
    if (c >= 0xF020 && c <= 0xF0FF) c = static_cast<char16_t>(c - 0xF000);
    if (c == u' ' || c == 0x00A0 || (c == u'\t' && line.empty())) {
      if (line.empty())
        indented = true;
      else if (line.back() != u' ')
        line.push_back(u' ');
      continue;
    }
    if ((c < u' ' && c != u'\t') || c == 0x00AD || c == 0xFFFC || c == 0xFEFF) continue;
    if (c == u'\t' && line.back() == u' ') line.pop_back();
    line.push_back(c);
  }
  flush();
  return out;
}

RichTextDocument load(const std::string& name) {
  return test::documentFromRtf(readFile(dataPath(name + ".rtf")));
}

std::u16string expected(const std::string& name) {
  return comparable(test::u16(readFile(dataPath(name + ".expected.txt"))), true);
}

// clang-format off
const char* const kSamples[] = {
    "lo-alignment-letter", "lo-char-formatting", "lo-colours", "lo-empty", "lo-fonts-sizes",
    "lo-indents-spacing", "lo-line-spacing", "lo-lists", "lo-long-document", "lo-page-breaks",
    "lo-report", "lo-single-paragraph", "lo-tab-stops", "lo-unicode", "pandoc-char-formatting",
    "pandoc-empty", "pandoc-images", "pandoc-letter-hyperlinks", "pandoc-report",
    "pandoc-single-paragraph", "pandoc-table"};
// clang-format on

class SampleFile : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleFile, KeepsAllOfItsText) {
  const std::string name = GetParam();
  const std::string bytes = readFile(dataPath(name + ".rtf"));
  ASSERT_FALSE(bytes.empty()) << "missing test data " << name;
  const RtfReadResult read = test::readRtfString(bytes);
  ASSERT_EQ(read.status, RtfStatus::Ok);
  EXPECT_FALSE(read.truncated);
  RichTextDocument doc;
  doc.load(read.fragment);
  EXPECT_EQ(test::utf8(comparable(doc.windowText(), false)), test::utf8(expected(name)));
}

std::vector<std::u16string> cellsOf(const std::u16string& row) {
  std::vector<std::u16string> cells(1);
  for (char16_t c : row) {
    if (c == u'\t')
      cells.emplace_back();
    else
      cells.back().push_back(c);
  }
  return cells;
}

TEST_P(SampleFile, KeepsItsParagraphsAndTabs) {
  const std::string name = GetParam();
  // Our table rows are paragraphs of tab-separated cells; the other program's text gives
  // each cell a line of its own.
  const std::set<std::string> withTables = {"lo-report", "pandoc-report", "pandoc-table"};
  const std::vector<std::u16string> want =
      paragraphs(test::u16(readFile(dataPath(name + ".expected.txt"))), true);
  const std::vector<std::u16string> got = paragraphs(load(name).windowText(), false);
  std::size_t j = 0;
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (j < want.size() && got[i] == want[j]) {
      ++j;
      continue;
    }
    const std::vector<std::u16string> cells = cellsOf(got[i]);
    if (withTables.count(name) && cells.size() > 1 && j + cells.size() <= want.size() &&
        std::equal(cells.begin(), cells.end(), want.begin() + static_cast<long>(j))) {
      j += cells.size();
      continue;
    }
    ADD_FAILURE() << "paragraph " << i << ": \"" << test::utf8(got[i]) << "\", expected \""
                  << (j < want.size() ? test::utf8(want[j]) : "(nothing)") << "\"";
    return;
  }
  EXPECT_EQ(j, want.size()) << "paragraphs missing at the end";
}

TEST_P(SampleFile, WritingAndReadingAgainGivesTheSameDocument) {
  const RichTextDocument first = load(GetParam());
  const RichTextDocument again = test::documentFromRtf(writeRtf(first.copyAll()));
  EXPECT_TRUE(sameContent(first.copyAll(), again.copyAll()));
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleFile, ::testing::ValuesIn(kSamples),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string n = info.param;
                           for (auto& c : n) {
                             if (c == '-') c = '_';
                           }
                           return n;
                         });

// ---- the main formats of each sample

template <typename Pred>
bool anyChar(const RichTextDocument& d, Pred pred) {
  for (CharPos i = 0; i < d.textLength(); ++i) {
    if (pred(d.styleAt(i), i)) return true;
  }
  return false;
}

template <typename Pred>
int countParagraphs(const RichTextDocument& d, Pred pred) {
  int n = 0;
  for (int i = 0; i < d.paragraphCount(); ++i) {
    if (pred(d.paraFormatAt(d.paragraphRange(i).min))) ++n;
  }
  return n;
}

CharPos find(const RichTextDocument& d, std::u16string_view what) {
  return d.find(what, {0, -1}, fr::Down | fr::MatchCase).min;
}

TEST(SampleFormats, CharacterFormattingMemo) {
  const RichTextDocument d = load("lo-char-formatting");
  EXPECT_TRUE(d.charFormatAt(find(d, u"fax paper")).has(cfe::StrikeOut));
  EXPECT_TRUE(d.charFormatAt(find(d, u"bold italic")).has(cfe::Bold));
  EXPECT_TRUE(d.charFormatAt(find(d, u"bold italic")).has(cfe::Italic));
  EXPECT_TRUE(d.charFormatAt(find(d, u"bold underlined")).has(cfe::Underline));
  EXPECT_TRUE(d.charFormatAt(find(d, u"Purchasing Department")).has(cfe::SmallCaps));
  const CharPos first = find(d, u"the 1st") + 5;
  EXPECT_TRUE(d.charFormatAt(first).has(cfe::SuperScript));
  EXPECT_FALSE(d.charFormatAt(first - 1).has(cfe::SuperScript));
  const CharPos h2o = find(d, u"H2O");
  EXPECT_TRUE(d.charFormatAt(h2o + 1).has(cfe::SubScript));
  EXPECT_TRUE(anyChar(d, [](const CharStyle& s, CharPos) {
    return !s.format.has(cfe::AutoBackColor);
  })) << "grey character shading";
  const RichTextDocument p = load("pandoc-char-formatting");
  EXPECT_TRUE(
      anyChar(p, [](const CharStyle& s, CharPos) { return s.format.has(cfe::SuperScript); }));
  EXPECT_TRUE(anyChar(p, [](const CharStyle& s, CharPos) { return s.format.has(cfe::SubScript); }));
  EXPECT_TRUE(anyChar(p, [](const CharStyle& s, CharPos) { return s.format.has(cfe::SmallCaps); }));
  EXPECT_TRUE(
      anyChar(p, [](const CharStyle& s, CharPos) { return s.format.faceName() == u"Courier"; }));
}

TEST(SampleFormats, AlignmentLetter) {
  const RichTextDocument d = load("lo-alignment-letter");
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.alignment == pfa::Right; }), 0);
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.alignment == pfa::Center; }), 0);
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.alignment == pfa::Justify; }), 0);
  EXPECT_NE(d.storyText().find(u'\v'), std::u16string::npos) << "manual line breaks";
}

TEST(SampleFormats, ColoursFontsAndSizes) {
  const RichTextDocument c = load("lo-colours");
  std::set<Color> text, back;
  for (CharPos i = 0; i < c.textLength(); ++i) {
    const CharFormat f = c.charFormatAt(i);
    if (!f.has(cfe::AutoColor)) text.insert(f.textColor);
    if (!f.has(cfe::AutoBackColor)) back.insert(f.backColor);
  }
  EXPECT_GE(text.size(), 3u);
  EXPECT_GE(back.size(), 2u);
  const RichTextDocument f = load("lo-fonts-sizes");
  std::set<std::u16string> faces;
  std::set<std::int32_t> sizes;
  for (CharPos i = 0; i < f.textLength(); ++i) {
    faces.insert(std::u16string(f.charFormatAt(i).faceName()));
    sizes.insert(f.charFormatAt(i).height);
  }
  for (const char16_t* face : {u"Arial", u"Times New Roman", u"Courier New", u"Symbol"}) {
    EXPECT_TRUE(faces.count(face)) << test::utf8(face);
  }
  for (int pt10 : {80, 90, 100, 105, 110, 120, 140, 160, 180, 200, 240, 280, 360}) {
    EXPECT_TRUE(sizes.count(pt10 * 2)) << pt10 / 10.0 << " pt";
  }
  EXPECT_EQ(f.charFormatAt(find(f, u"a + b = g")).charSet, charset::Symbol);
}

TEST(SampleFormats, IndentsSpacingAndLineSpacing) {
  const RichTextDocument d = load("lo-indents-spacing");
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.offset > 0; }), 0) << "hanging";
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.offset < 0; }), 0)
      << "first line";
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.rightIndent > 0; }), 0);
  EXPECT_GT(countParagraphs(d, [](const ParaFormat& p) { return p.spaceBefore == 480; }), 0);
  const RichTextDocument l = load("lo-line-spacing");
  EXPECT_GT(countParagraphs(l,
                            [](const ParaFormat& p) {
                              return p.lineSpacingRule == lsr::Multiple && p.lineSpacing == 40;
                            }),
            0);
  EXPECT_GT(countParagraphs(l,
                            [](const ParaFormat& p) {
                              return p.lineSpacingRule == lsr::Exactly && p.lineSpacing == 600;
                            }),
            0);
  EXPECT_GT(countParagraphs(l,
                            [](const ParaFormat& p) {
                              return p.lineSpacingRule == lsr::AtLeast && p.lineSpacing == 360;
                            }),
            0);
}

TEST(SampleFormats, ListsAndTabStops) {
  const RichTextDocument d = load("lo-lists");
  for (std::uint16_t kind : {pfn::Bullet, pfn::Arabic, pfn::LcLetter, pfn::UcRoman}) {
    EXPECT_GT(countParagraphs(d, [kind](const ParaFormat& p) { return p.numbering == kind; }), 0)
        << kind;
  }
  EXPECT_EQ(d.paraFormatAt(find(d, u"Review the probation")).numberingStart, 5);
  EXPECT_EQ(d.paraFormatAt(find(d, u"Sign the employment")).numberingStyle, pfns::Period);
  const RichTextDocument t = load("lo-tab-stops");
  std::set<std::uint32_t> kinds;
  bool dots = false;
  for (int i = 0; i < t.paragraphCount(); ++i) {
    const ParaFormat p = t.paraFormatAt(t.paragraphRange(i).min);
    for (int k = 0; k < p.tabCount; ++k) {
      kinds.insert(tabAlignment(p.tabs[static_cast<std::size_t>(k)]));
      dots = dots || tabLeader(p.tabs[static_cast<std::size_t>(k)]) == tab::Dots;
    }
  }
  EXPECT_TRUE(kinds.count(tab::Center) && kinds.count(tab::Right) && kinds.count(tab::Decimal));
  EXPECT_TRUE(dots);
}

TEST(SampleFormats, PageBreaksPicturesAndLinks) {
  const RichTextDocument l = load("lo-long-document");
  EXPECT_GE(countParagraphs(l, [](const ParaFormat& p) { return p.has(pfe::PageBreakBefore); }),
            12);
  const RichTextDocument r = load("lo-report");
  ASSERT_EQ(r.pictureCount(), 2u) << "the shape pictures, not their metafile copies";
  std::set<PictureKind> kinds;
  for (CharPos i = 0; i < r.textLength(); ++i) {
    if (const Picture* p = r.pictureAt(i)) {
      kinds.insert(p->kind);
      EXPECT_GT(p->data.size(), 1000u);
      EXPECT_GT(p->goalWidth, 0);
    }
  }
  EXPECT_TRUE(kinds.count(PictureKind::Png) && kinds.count(PictureKind::Jpeg));
  EXPECT_EQ(r.styleAt(find(r, u"facilities intranet page")).linkTarget,
            u"https://intranet.example.com/facilities/q2");
  const RichTextDocument p = load("pandoc-images");
  EXPECT_GE(p.pictureCount(), 2u);
  const RichTextDocument h = load("pandoc-letter-hyperlinks");
  EXPECT_EQ(h.styleAt(find(h, u"our proof viewer")).linkTarget,
            u"https://proofs.example.com/order/88213");
  EXPECT_TRUE(h.styleAt(find(h, u"https://www.example.com/terms")).format.has(cfe::Link));
  EXPECT_EQ(h.styleAt(find(h, u"studio@example.org")).linkTarget, u"mailto:studio@example.org");
  EXPECT_EQ(h.paraFormatAt(find(h, u"Please check")).startIndent, 720);
}

TEST(SampleFormats, TablesKeepTheirCellsInRows) {
  const RichTextDocument t = load("pandoc-table");
  EXPECT_NE(find(t, u"Room\tSeats\tProjector\r"), -1);
  EXPECT_NE(find(t, u"Oak\t20\tno\r"), -1);
  const RichTextDocument r = load("lo-report");
  EXPECT_NE(find(r, u"Canteen\t85,000\t82,450\r"), -1);
}

TEST(SampleFiles, UnicodeSampleKeepsEveryScript) {
  const RichTextDocument d = load("lo-unicode");
  EXPECT_NE(find(d, u"中"), -1);
  EXPECT_NE(find(d, u"Ελληνικά"), -1);
  EXPECT_NE(d.storyText().find(u"\U0001F469"), std::u16string::npos) << "a surrogate pair";
}

TEST(SampleFiles, TruncatedFileKeepsTheTextBeforeTheCut) {
  const RtfReadResult r = test::readRtfString(readFile(dataPath("malformed-truncated.rtf")));
  ASSERT_EQ(r.status, RtfStatus::Ok);
  EXPECT_TRUE(r.truncated);
  RichTextDocument d;
  d.load(r.fragment);
  const std::u16string got = comparable(d.windowText(), false);
  const std::u16string full = expected("lo-alignment-letter");
  ASSERT_GT(got.size(), 100u);
  EXPECT_EQ(full.substr(0, got.size()), got);
  EXPECT_EQ(got.substr(got.size() - 4), u"insp");
}

// The garbage (inserted before the body) holds more closing braces than opening ones: one of
// them closes the document, and as the platform's reader does, reading ends there.
// The body after it is not read; the garbage before it is text, as LibreOffice shows it too.
TEST(SampleFiles, BinaryGarbageEndsTheDocumentWhereItClosesIt) {
  const RtfReadResult r = test::readRtfString(readFile(dataPath("malformed-binary-garbage.rtf")));
  ASSERT_EQ(r.status, RtfStatus::Ok);
  EXPECT_FALSE(r.truncated);
  EXPECT_GT(r.fragment.length(), 0);
  EXPECT_LT(r.fragment.length(), 400) << "the garbage up to its first unmatched brace at most";
  EXPECT_EQ(r.fragment.text().find(u"Memo"), std::u16string::npos);
  // Whatever was read writes out and reads back the same.
  RichTextDocument d;
  d.load(r.fragment);
  RichTextDocument back;
  back.load(test::readRtfString(writeRtf(d.copyAll())).fragment);
  EXPECT_TRUE(sameContent(d.copyAll(), back.copyAll()));
}

}  // namespace
}  // namespace richedit
