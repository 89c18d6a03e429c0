#pragma once
// Automatic URL detection: the control shows URLs typed into the text as links and reports
// clicks on them, but they are no formatting of the document (no undo step, nothing saved).
#include <string_view>
#include <vector>

#include "richedit/RichTextDocument.h"
#include "richedit/TextTypes.h"

namespace richedit {

// The URLs in text, in order, as ranges of its positions. A URL starts at the start of a word
// with a known scheme (http:, mailto:, ...) or with "www." or "ftp.", and runs to the next
// blank, line or paragraph end; punctuation at its end is left out unless it closes a bracket
// opened inside the URL. A URL right after '<' or a double quote runs to the matching closer
// on the same line, blanks included.
std::vector<CharRange> findUrls(std::u16string_view text);

// The URLs of a document, kept up to date change by change: a change scans again only the
// paragraphs it touched, so typing in a long document stays cheap.
class DetectedUrls {
 public:
  void scan(const RichTextDocument& document);
  void clear();
  void onChange(const RichTextDocument& document, const ChangeNotice& notice);
  const std::vector<CharRange>& ranges() const { return ranges_; }
  CharRange firstIn(CharRange range) const;  // the first URL sharing characters with range
  CharRange at(CharPos pos) const { return firstIn({pos, pos + 1}); }  // empty for none

 private:
  std::vector<CharRange> ranges_;  // sorted, disjoint
  CharPos storyLength_ = 0;        // what the ranges were found in
};

}  // namespace richedit
