#pragma once
// Breaks one paragraph into lines and places them: indents, the bullet or number, tab stops,
// alignment and justification, line spacing and the space around the paragraph. Everything is
// in twips at the reference device; x is measured from the left margin, y from the
// paragraph's top.
//
// Hostile formats are clamped rather than trusted: coordinates stay within MaxCoordinate,
// negative indents and spaces count as 0, and every line holds at least one character, so a
// width of 0 or an indent wider than the page still lays out (one character a line) and ends.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "richedit/CharFormat.h"
#include "richedit/ParaFormat.h"
#include "richedit/PictureExtent.h"
#include "richedit/TextMeasurer.h"

namespace richedit {

inline constexpr std::int32_t MaxCoordinate = 1 << 28;  // about 3 km in twips
inline constexpr std::int32_t DefaultTabWidth = 720;    // half an inch

struct FormatSpan {
  std::int32_t length = 0;
  const CharFormat* format = nullptr;
};

struct ObjectBox {
  std::int32_t offset = 0;  // of the object character within the paragraph
  Extent extent;
};

// One paragraph as layout sees it.
struct ParagraphSource {
  std::u16string_view text;       // its characters, the paragraph end last
  std::vector<FormatSpan> spans;  // cover text in order
  ParaFormat format;
  std::vector<ObjectBox> objects;  // the pictures, by offset
  std::u16string label;            // the bullet or number in front of the first line
};

struct LayoutOptions {
  std::int32_t width = 0;  // from the left margin to the right margin
  bool wrap = true;        // false: lines end only at paragraph ends and breaks
  // false: justified paragraphs are laid out flush left, as the platform's control does
  // until advanced typography is turned on.
  bool justify = true;
  friend bool operator==(const LayoutOptions&, const LayoutOptions&) = default;
};

namespace lineflag {
inline constexpr std::uint8_t EndsParagraph = 1;
inline constexpr std::uint8_t LineBreak = 2;  // ends with a forced line break
inline constexpr std::uint8_t PageBreak = 4;  // ends with a page break character
inline constexpr std::uint8_t FirstLine = 8;  // the paragraph's first line (holds the label)
}  // namespace lineflag

struct LineBox {
  std::int32_t start = 0;     // first character, from the paragraph's start
  std::int32_t length = 0;    // with its trailing blanks and its break character
  std::int32_t left = 0;      // where the text starts before alignment
  std::int32_t shift = 0;     // what alignment adds to every x
  std::int32_t width = 0;     // from left to the end of the last character that is not a blank
  std::int32_t slack = 0;     // twips justification spreads over the line's blanks
  std::int32_t top = 0;       // from the paragraph's top, space before included
  std::int32_t height = 0;    // with line spacing applied
  std::int32_t baseline = 0;  // from the line's top
  std::uint8_t flags = 0;     // lineflag::*

  std::int32_t end() const { return start + length; }
  bool has(std::uint8_t flag) const { return (flags & flag) != 0; }
  friend bool operator==(const LineBox&, const LineBox&) = default;
};

struct ParagraphBox {
  std::vector<LineBox> lines;  // never empty
  std::int32_t height = 0;     // space before, lines, space after
  std::int32_t spaceBefore = 0;
  std::int32_t labelX = 0;  // where the label is drawn on the first line's baseline
  std::int32_t labelWidth = 0;
  bool pageBreakBefore = false;
};

// The height of a line whose tallest text is natural twips high under the paragraph's line
// spacing rule. Negative spacing values count by their size; 0 means single spacing.
std::int32_t spacedLineHeight(std::int32_t natural, const ParaFormat& format);

// The tab stop the text reaches from x: the first stop of the format right of x, then the
// hanging indent on a first line (implicitStop > x), then the default stops every half inch.
struct TabStop {
  std::int32_t position = 0;
  std::uint32_t alignment = tab::Left;
  std::uint32_t leader = tab::NoLeader;  // what fills the space a tab to this stop leaves
};
TabStop nextTabStop(const ParaFormat& format, std::int64_t x, std::int64_t implicitStop = -1);

// Lays paragraphs out with one measurer, reusing its scratch space from one paragraph to the
// next.
class ParagraphLayouter {
 public:
  explicit ParagraphLayouter(TextMeasurer& measurer) : measurer_(measurer) {}

  ParagraphBox layout(const ParagraphSource& source, const LayoutOptions& options);

  // The x of each caret position of a line of the paragraph (line.length + 1 values, alignment,
  // tabs and justification applied): what drawing and hit-testing use.
  std::vector<std::int32_t> caretPositions(const ParagraphSource& source, const LineBox& line);

 private:
  struct Indents {
    std::int64_t firstLeft = 0;
    std::int64_t otherLeft = 0;
    std::int64_t implicitStop = -1;
    std::int32_t labelX = 0;
    std::int32_t labelWidth = 0;
    FontMetrics labelMetrics;
    bool hasLabel = false;
  };
  Indents indents(const ParagraphSource& source);
  void measure(const ParagraphSource& source, std::size_t from, std::size_t to);
  std::int64_t advanceAt(const ParagraphSource& source, std::size_t i, std::int64_t x,
                         std::int64_t implicitStop) const;
  void finishLine(const ParagraphSource& source, const LayoutOptions& options, LineBox& line,
                  std::int64_t alignRight, const Indents& indents);

  TextMeasurer& measurer_;
  std::vector<std::int32_t> advances_;  // per character of the paragraph
  std::vector<FontMetrics> metrics_;    // per character; hidden text has visible_ 0
  std::vector<std::uint8_t> visible_;
  std::vector<std::int64_t> x_;  // x before each character during breaking
};

}  // namespace richedit
