#pragma once
// The layout of a whole document: paragraphs laid out in order, only as far as a question
// needs, and laid out again only where the document changed. Positions are twips from the top
// of the document and from the left margin; character positions are the document's.
//
// The document has one change listener, which belongs to whoever owns both: that owner
// forwards every change notice to onChange before asking this layout anything.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "richedit/LineDrawing.h"
#include "richedit/ListNumbering.h"
#include "richedit/ParagraphLayout.h"
#include "richedit/RichTextDocument.h"
#include "richedit/TextMeasurer.h"

namespace richedit {

// A line in document terms.
struct DocumentLine {
  int paragraph = 0;
  CharPos start = 0;  // first character in the document
  std::int64_t top = 0;
  LineBox box;  // as its paragraph laid it out (start relative to the paragraph)
  CharPos end() const { return start + box.length; }
};

// What fits in a band of a given height from a start character.
struct BandFit {
  CharPos end = 0;          // the first character that did not fit
  std::int64_t top = 0;     // where the band starts in the layout
  std::int64_t height = 0;  // from the band's top to the bottom of its last line
  int firstLine = 0;
  int lines = 0;
};

class DocumentLayout {
 public:
  DocumentLayout(const RichTextDocument& document, TextMeasurer& measurer, LayoutOptions options);

  const LayoutOptions& options() const { return options_; }
  void setOptions(const LayoutOptions& options);  // lays everything out again, lazily

  // Takes the document's change: the touched paragraphs are laid out again when next needed,
  // the others only move. A notice that does not match the document (a whole new content)
  // starts over.
  void onChange(const ChangeNotice& notice);
  void invalidateAll();  // after a measurer change: fonts, resolution

  int paragraphCount() const { return static_cast<int>(entries_.size()); }
  const ParagraphBox& paragraph(int index);  // laid out on demand
  std::int64_t paragraphTop(int index);
  ParagraphSource source(int index) const;  // what drawing needs beside the box
  std::u16string label(int index);          // the bullet or number, empty without

  int lineCount();  // lays out the whole document
  std::int64_t height();
  DocumentLine line(int index);  // index clamped to the lines there are
  int lineFromChar(CharPos pos);
  int lineAtY(std::int64_t y);

  struct Point {
    std::int32_t x = 0;
    std::int64_t y = 0;  // the top of the line
  };
  Point caretPoint(CharPos pos);
  // What to draw for a line. Its pieces view the document's text and formats: valid until
  // the document next changes.
  LineDrawing drawing(int index);
  CharPos charFromPoint(std::int32_t x, std::int64_t y);

  // The lines from the one holding from that fit in height twips, stopping before a paragraph
  // that starts a page, after a page break character, and at limit. A line taller than the
  // whole band is taken alone so that paging always moves on; a band of no height takes
  // nothing. The first line of a paragraph brings its space before; the space after the last
  // line does not count.
  BandFit fit(CharPos from, std::int64_t height, CharPos limit);

  // Paragraph layouts done since construction: incremental work is visible to tests and
  // benchmarks.
  std::uint64_t paragraphLayouts() const { return layouts_; }
  int laidOutParagraphs() const { return static_cast<int>(prefix_); }
  // Times a change could not be followed paragraph by paragraph and the layout started over.
  std::uint64_t restarts() const { return restarts_; }
  std::size_t memoryUsage() const;

 private:
  struct Entry {
    CharPos start = 0;
    CharPos length = 0;
    std::int64_t top = 0;
    int firstLine = 0;
    ListCounter counter;  // after this paragraph
    std::u16string label;
    ParagraphBox box;
    bool valid = false;
  };

  void rebuild();
  Entry entryFor(int paragraph) const;
  std::size_t entryIndexAt(CharPos pos) const;
  void ensure(std::size_t index);  // lays out entries [0, index]
  void ensureAll() {
    if (!entries_.empty()) ensure(entries_.size() - 1);
  }
  int lineInBox(const Entry& e, CharPos pos) const;
  DocumentLine makeLine(std::size_t entry, int line) const;

  const RichTextDocument& document_;
  ParagraphLayouter layouter_;
  LayoutOptions options_;
  std::vector<Entry> entries_;
  std::size_t prefix_ = 0;  // entries laid out with their tops and line numbers known
  CharPos storyLength_ = 0;
  std::uint64_t layouts_ = 0;
  std::uint64_t restarts_ = 0;
};

}  // namespace richedit
