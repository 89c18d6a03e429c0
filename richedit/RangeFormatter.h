#pragma once
// Formatting a range of the document into a rectangle, page after page: the portable half of
// EM_FORMATRANGE. The layout made for a rectangle's width is kept between calls (paging calls
// come one page after the other at one width) until release, which the message does when its
// record is null.
#include <cstdint>
#include <memory>

#include "richedit/DocumentLayout.h"

namespace richedit {

struct TwipsRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct FormattedRange {
  CharPos next = 0;  // the first character that did not fit: the message's answer
  int firstLine = 0;
  int lines = 0;
  std::int64_t layoutTop = 0;   // the layout y that lands on the rectangle's top
  std::int32_t usedBottom = 0;  // the rectangle's top plus the height of its lines
};

class RangeFormatter {
 public:
  RangeFormatter(const RichTextDocument& document, TextMeasurer& measurer);

  // Lays the range out from range.min into area and answers what fitted. range.max of -1, or
  // past the text, means to the end of the text; a start at or past the end answers the end
  // with no lines. An area with no height takes nothing; one narrower than a character takes
  // a character a line.
  FormattedRange format(const TwipsRect& area, CharRange range, bool justify = true);

  // The layout of the last call, for drawing what it answered; null before a call and after
  // release.
  DocumentLayout* layout() { return layout_.get(); }
  void release() { layout_.reset(); }
  void onChange(const ChangeNotice& notice) {
    if (layout_) layout_->onChange(notice);
  }

 private:
  const RichTextDocument& document_;
  TextMeasurer& measurer_;
  std::unique_ptr<DocumentLayout> layout_;
};

}  // namespace richedit
