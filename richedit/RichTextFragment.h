#pragma once
// A piece of rich text outside a document: what the RTF reader produces, what the RTF writer
// consumes, what copy, paste and undo carry. It holds its own format pools, so it can move
// between documents. Every '\r' in the text is a paragraph end with its own paragraph format;
// text after the last '\r' belongs to the paragraph it is inserted into (trailingParaFormat
// says which format that paragraph had where the fragment was cut out).
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "richedit/CharStyle.h"
#include "richedit/FormatPool.h"
#include "richedit/ParaFormat.h"
#include "richedit/Picture.h"
#include "richedit/TextTypes.h"

namespace richedit {

struct PictureAt {
  CharPos pos;
  std::shared_ptr<const Picture> picture;
};

class RichTextFragment {
 public:
  // Style 0 and paragraph format 0 are the given defaults.
  explicit RichTextFragment(const CharStyle& baseStyle = CharStyle{defaultCharFormat(), {}},
                            const ParaFormat& basePara = defaultParaFormat());

  const std::u16string& text() const { return text_; }
  CharPos length() const { return static_cast<CharPos>(text_.size()); }
  bool empty() const { return text_.empty(); }
  const std::vector<StyleSpan>& spans() const { return spans_; }
  const std::vector<FormatId>& paragraphFormats() const { return paraFormats_; }
  const std::vector<PictureAt>& pictures() const { return pictures_; }
  FormatId trailingParaFormat() const { return trailingPara_; }
  FormatId endStyle() const { return endStyle_; }
  bool endsWithParagraphEnd() const { return !text_.empty() && text_.back() == u'\r'; }

  const CharStyle& style(FormatId id) const { return styles_.get(id); }
  const ParaFormat& paraFormat(FormatId id) const { return paraPool_.get(id); }
  FormatId internStyle(const CharStyle& s) { return styles_.intern(s); }
  FormatId internParaFormat(const ParaFormat& p) { return paraPool_.intern(p); }
  std::size_t styleCount() const { return styles_.size(); }

  // Appends text in one style; a '\r' in it ends a paragraph with the trailing format.
  void appendText(std::u16string_view text, FormatId style);
  void appendParagraphEnd(FormatId style, FormatId paraFormat);
  void appendPicture(std::shared_ptr<const Picture> picture, FormatId style);
  void setTrailingParaFormat(FormatId id) { trailingPara_ = id; }
  void setEndStyle(FormatId id) { endStyle_ = id; }
  // Appends another fragment's content; its text after the last '\r' joins this fragment's.
  void append(const RichTextFragment& other);
  // Keeps only the first length characters.
  void truncate(CharPos length);
  // Drops the last character if it is c (not a paragraph end or a picture); true if dropped.
  bool removeLastCharIf(char16_t c);
  // Gives the characters from pos to the end the style restyle(old style) returns.
  template <typename F>
  void restyleFrom(CharPos pos, F restyle) {
    restyleBetween(pos, length(), restyle);
  }
  // The same for the characters from `from` up to `to`.
  template <typename F>
  void restyleBetween(CharPos from, CharPos to, F restyle);

  std::size_t memoryUsage() const;

 private:
  void appendSpan(CharPos length, FormatId style);

  std::u16string text_;
  std::vector<StyleSpan> spans_;
  std::vector<FormatId> paraFormats_;
  std::vector<PictureAt> pictures_;
  FormatId trailingPara_ = 0;
  FormatId endStyle_ = 0;
  FormatPool<CharStyle> styles_;
  FormatPool<ParaFormat> paraPool_;
};

// True when a and b hold the same text with the same formats by value (ids may differ).
bool sameContent(const RichTextFragment& a, const RichTextFragment& b);

template <typename F>
void RichTextFragment::restyleBetween(CharPos from, CharPos to, F restyle) {
  // Only the spans from `from` on are rebuilt, so restyling the tail stays cheap.
  CharPos at = length();
  std::size_t i = spans_.size();
  while (i > 0 && at > from) at -= spans_[--i].length;
  std::vector<StyleSpan> tail(spans_.begin() + static_cast<std::ptrdiff_t>(i), spans_.end());
  spans_.resize(i);
  for (const auto& s : tail) {
    const CharPos end = at + s.length;
    const CharPos a = std::clamp(from, at, end);
    const CharPos b = std::clamp(to, a, end);
    appendSpan(a - at, s.style);
    appendSpan(b - a, restyle(s.style));
    appendSpan(end - b, s.style);
    at = end;
  }
}

}  // namespace richedit
