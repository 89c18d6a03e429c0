#include "richedit/RichTextFragment.h"

#include <algorithm>

namespace richedit {

RichTextFragment::RichTextFragment(const CharStyle& baseStyle, const ParaFormat& basePara) {
  styles_.intern(baseStyle);
  paraPool_.intern(basePara);
}

void RichTextFragment::appendSpan(CharPos length, FormatId style) {
  if (length <= 0) return;
  if (!spans_.empty() && spans_.back().style == style) {
    spans_.back().length += length;
  } else {
    spans_.push_back({length, style});
  }
}

void RichTextFragment::appendText(std::u16string_view text, FormatId style) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t cr = text.find(u'\r', start);
    const std::size_t stop = cr == std::u16string_view::npos ? text.size() : cr;
    if (stop > start) {
      text_.append(text.substr(start, stop - start));
      appendSpan(static_cast<CharPos>(stop - start), style);
    }
    if (cr == std::u16string_view::npos) break;
    appendParagraphEnd(style, trailingPara_);
    start = cr + 1;
  }
  endStyle_ = style;
}

void RichTextFragment::appendParagraphEnd(FormatId style, FormatId paraFormat) {
  text_.push_back(u'\r');
  appendSpan(1, style);
  paraFormats_.push_back(paraFormat);
  endStyle_ = style;
}

void RichTextFragment::appendPicture(std::shared_ptr<const Picture> picture, FormatId style) {
  pictures_.push_back({length(), std::move(picture)});
  text_.push_back(0xFFFC);
  appendSpan(1, style);
  endStyle_ = style;
}

void RichTextFragment::append(const RichTextFragment& other) {
  std::vector<FormatId> styleMap(other.styleCount(), 0);
  std::vector<bool> mapped(other.styleCount(), false);
  auto mapStyle = [&](FormatId id) {
    if (!mapped[id]) {
      styleMap[id] = internStyle(other.style(id));
      mapped[id] = true;
    }
    return styleMap[id];
  };
  std::size_t para = 0;
  std::size_t pic = 0;
  CharPos at = 0;
  for (const auto& span : other.spans()) {
    const FormatId style = mapStyle(span.style);
    const CharPos end = at + span.length;
    CharPos from = at;
    for (CharPos i = at; i < end; ++i) {
      const char16_t c = other.text_[static_cast<std::size_t>(i)];
      const bool isPicture = pic < other.pictures_.size() && other.pictures_[pic].pos == i;
      if (c != u'\r' && !isPicture) continue;
      appendText(std::u16string_view(other.text_)
                     .substr(static_cast<std::size_t>(from), static_cast<std::size_t>(i - from)),
                 style);
      if (isPicture) {
        appendPicture(other.pictures_[pic++].picture, style);
      } else {
        appendParagraphEnd(style, internParaFormat(other.paraFormat(other.paraFormats_[para++])));
      }
      from = i + 1;
    }
    appendText(std::u16string_view(other.text_)
                   .substr(static_cast<std::size_t>(from), static_cast<std::size_t>(end - from)),
               style);
    at = end;
  }
  trailingPara_ = internParaFormat(other.paraFormat(other.trailingPara_));
  endStyle_ = mapStyle(other.endStyle_);
}

void RichTextFragment::truncate(CharPos length) {
  if (length < 0) length = 0;
  if (length >= this->length()) return;
  std::size_t paras = 0;
  for (CharPos i = 0; i < length; ++i) {
    if (text_[static_cast<std::size_t>(i)] == u'\r') ++paras;
  }
  text_.resize(static_cast<std::size_t>(length));
  paraFormats_.resize(paras);
  while (!pictures_.empty() && pictures_.back().pos >= length) pictures_.pop_back();
  CharPos at = 0;
  std::size_t keep = 0;
  while (keep < spans_.size() && at < length) {
    if (at + spans_[keep].length > length) spans_[keep].length = length - at;
    at += spans_[keep].length;
    ++keep;
  }
  spans_.resize(keep);
  if (!spans_.empty()) endStyle_ = spans_.back().style;
}

bool RichTextFragment::removeLastCharIf(char16_t c) {
  if (text_.empty() || text_.back() != c || c == u'\r') return false;
  if (!pictures_.empty() && pictures_.back().pos == length() - 1) return false;
  text_.pop_back();
  if (--spans_.back().length == 0) spans_.pop_back();
  return true;
}

std::size_t RichTextFragment::memoryUsage() const {
  return text_.capacity() * sizeof(char16_t) + spans_.capacity() * sizeof(StyleSpan) +
         paraFormats_.capacity() * sizeof(FormatId) + pictures_.capacity() * sizeof(PictureAt) +
         styles_.memoryUsage() + paraPool_.memoryUsage();
}

namespace {

// Style values of each position, compared run by run.
bool sameStyles(const RichTextFragment& a, const RichTextFragment& b) {
  const auto& sa = a.spans();
  const auto& sb = b.spans();
  std::size_t i = 0, j = 0;
  CharPos leftA = sa.empty() ? 0 : sa[0].length;
  CharPos leftB = sb.empty() ? 0 : sb[0].length;
  while (i < sa.size() && j < sb.size()) {
    if (!(a.style(sa[i].style) == b.style(sb[j].style))) return false;
    const CharPos step = std::min(leftA, leftB);
    leftA -= step;
    leftB -= step;
    if (leftA == 0 && ++i < sa.size()) leftA = sa[i].length;
    if (leftB == 0 && ++j < sb.size()) leftB = sb[j].length;
  }
  return i == sa.size() && j == sb.size();
}

}  // namespace

bool sameContent(const RichTextFragment& a, const RichTextFragment& b) {
  if (a.text() != b.text()) return false;
  if (!sameStyles(a, b)) return false;
  const auto& pa = a.paragraphFormats();
  const auto& pb = b.paragraphFormats();
  if (pa.size() != pb.size()) return false;
  for (std::size_t i = 0; i < pa.size(); ++i) {
    if (!(a.paraFormat(pa[i]) == b.paraFormat(pb[i]))) return false;
  }
  const bool hasTrailing = !a.text().empty() && !a.endsWithParagraphEnd();
  if ((hasTrailing || a.text().empty()) &&
      !(a.paraFormat(a.trailingParaFormat()) == b.paraFormat(b.trailingParaFormat()))) {
    return false;
  }
  if (a.text().empty() && !(a.style(a.endStyle()) == b.style(b.endStyle()))) return false;
  const auto& qa = a.pictures();
  const auto& qb = b.pictures();
  if (qa.size() != qb.size()) return false;
  for (std::size_t i = 0; i < qa.size(); ++i) {
    if (qa[i].pos != qb[i].pos || !(*qa[i].picture == *qb[i].picture)) return false;
  }
  return true;
}

}  // namespace richedit
