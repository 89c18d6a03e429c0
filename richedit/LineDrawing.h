#pragma once
// What a device draws for one laid-out line: the text cut into pieces of one format with the
// x of every character, the pictures with their boxes, and the paragraph's label on its first
// line. Tabs draw only their stop's leader; breaks and hidden text draw nothing. Everything is in
// twips: x from the left margin, the baseline from the line's top. Drawing code scales these to its
// device and places each character at its x, so every device shows the same lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "richedit/ParagraphLayout.h"
#include "richedit/TextTypes.h"

namespace richedit {

struct TextPiece {
  CharPos start = 0;  // in the paragraph
  std::u16string_view text;
  const CharFormat* format = nullptr;
  std::vector<std::int32_t> x;  // text.size() + 1 values: each character's left, then the end
};

// The space a tab leaves before a stop with a leader, filled with dots, dashes or a line.
struct LeaderPiece {
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::uint32_t leader = tab::NoLeader;
  const CharFormat* format = nullptr;  // the tab's, for the colour and size
};

struct ObjectPiece {
  CharPos start = 0;  // in the paragraph
  std::int32_t x = 0;
  Extent extent;  // standing on the baseline
};

struct LineDrawing {
  std::int32_t height = 0;
  std::int32_t baseline = 0;
  std::vector<TextPiece> pieces;
  std::vector<ObjectPiece> objects;
  std::vector<LeaderPiece> leaders;
  std::u16string label;  // on a first line only
  std::int32_t labelX = 0;
  const CharFormat* labelFormat = nullptr;
};

// carets are the line's caret positions (ParagraphLayouter::caretPositions). The pieces view
// the text and formats source views.
LineDrawing lineDrawing(const ParagraphSource& source, const ParagraphBox& box, const LineBox& line,
                        const std::vector<std::int32_t>& carets);

}  // namespace richedit
