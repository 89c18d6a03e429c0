#include "richedit/DocumentLayout.h"

#include <algorithm>

#include "richedit/PictureExtent.h"

namespace richedit {

DocumentLayout::DocumentLayout(const RichTextDocument& document, TextMeasurer& measurer,
                               LayoutOptions options)
    : document_(document), layouter_(measurer), options_(options) {
  rebuild();
}

void DocumentLayout::setOptions(const LayoutOptions& options) {
  if (options == options_) return;
  options_ = options;
  invalidateAll();
}

void DocumentLayout::invalidateAll() {
  for (Entry& e : entries_) e.valid = false;
  prefix_ = 0;
}

DocumentLayout::Entry DocumentLayout::entryFor(int paragraph) const {
  const CharRange r = document_.paragraphRange(paragraph);
  Entry e;
  e.start = r.min;
  e.length = r.length();
  return e;
}

void DocumentLayout::rebuild() {
  entries_.clear();
  const int count = document_.paragraphCount();
  entries_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) entries_.push_back(entryFor(i));
  prefix_ = 0;
  storyLength_ = document_.storyLength();
}

std::size_t DocumentLayout::entryIndexAt(CharPos pos) const {
  const auto it = std::upper_bound(entries_.begin(), entries_.end(), pos,
                                   [](CharPos p, const Entry& e) { return p < e.start; });
  return it == entries_.begin() ? 0 : static_cast<std::size_t>(it - entries_.begin()) - 1;
}

void DocumentLayout::onChange(const ChangeNotice& notice) {
  const CharPos delta = notice.inserted - notice.removed;
  if (entries_.empty() || notice.pos < 0 || notice.removed < 0 || notice.inserted < 0 ||
      storyLength_ + delta != document_.storyLength() || notice.pos >= storyLength_) {
    ++restarts_;
    rebuild();
    return;
  }
  // Old paragraphs from the one holding pos to the one holding the end of the removed text
  // (its last character when only formats changed) give way to the new ones over the
  // inserted text.
  const std::size_t first = entryIndexAt(notice.pos);
  const CharPos lastChar = notice.formatOnly && notice.removed > 0 ? notice.pos + notice.removed - 1
                                                                   : notice.pos + notice.removed;
  const std::size_t last = entryIndexAt(std::min(lastChar, storyLength_ - 1));
  const CharPos newEnd = entries_[last].start + entries_[last].length + delta;
  std::vector<Entry> fresh;
  for (int p = static_cast<int>(first); p < document_.paragraphCount(); ++p) {
    fresh.push_back(entryFor(p));
    if (fresh.back().start + fresh.back().length >= newEnd) break;
  }
  if (fresh.empty() || fresh.front().start != entries_[first].start ||
      fresh.back().start + fresh.back().length != newEnd) {
    ++restarts_;
    rebuild();
    return;
  }
  const auto from = entries_.begin() + static_cast<std::ptrdiff_t>(first);
  if (fresh.size() == last - first + 1) {
    // An edit inside the paragraphs it touched: the entries after them stay where they are.
    std::move(fresh.begin(), fresh.end(), from);
  } else {
    entries_.erase(from, from + static_cast<std::ptrdiff_t>(last - first + 1));
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(first),
                    std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  }
  for (std::size_t i = first + fresh.size(); i < entries_.size(); ++i) entries_[i].start += delta;
  storyLength_ = document_.storyLength();
  prefix_ = std::min(prefix_, first);
  if (static_cast<int>(entries_.size()) != document_.paragraphCount()) {
    ++restarts_;
    rebuild();
  }
}

ParagraphSource DocumentLayout::source(int index) const {
  ParagraphSource s;
  if (index < 0 || index >= paragraphCount()) return s;
  const Entry& e = entries_[static_cast<std::size_t>(index)];
  s.text = std::u16string_view(document_.storyText())
               .substr(static_cast<std::size_t>(e.start), static_cast<std::size_t>(e.length));
  s.format = document_.paraFormatAt(e.start);
  s.label = e.label;
  const CharPos end = e.start + e.length;
  for (CharPos at = e.start; at < end;) {
    const CharRange run = document_.runAt(at);
    const CharPos runEnd = std::min(std::max(run.max, at + 1), end);
    s.spans.push_back({runEnd - at, &document_.styleAt(at).format});
    at = runEnd;
  }
  if (document_.pictureCount() > 0) {
    for (std::size_t q = 0; q < s.text.size(); ++q) {
      if (s.text[q] != ch::Object) continue;
      if (const Picture* p = document_.pictureAt(e.start + static_cast<CharPos>(q))) {
        s.objects.push_back({static_cast<std::int32_t>(q), pictureExtent(*p)});
      }
    }
  }
  return s;
}

void DocumentLayout::ensure(std::size_t index) {
  if (entries_.empty()) return;
  index = std::min(index, entries_.size() - 1);
  for (; prefix_ <= index && prefix_ < entries_.size(); ++prefix_) {
    Entry& e = entries_[prefix_];
    const Entry* before = prefix_ > 0 ? &entries_[prefix_ - 1] : nullptr;
    ListCounter counter = before ? before->counter : ListCounter{};
    const ParaFormat format = document_.paraFormatAt(e.start);
    std::u16string label = numberingLabel(format, counter.next(format));
    e.counter = counter;
    if (!e.valid || label != e.label) {
      e.label = std::move(label);
      e.box = layouter_.layout(source(static_cast<int>(prefix_)), options_);
      e.valid = true;
      ++layouts_;
    }
    e.top = before ? before->top + before->box.height : 0;
    e.firstLine = before ? before->firstLine + static_cast<int>(before->box.lines.size()) : 0;
  }
}

const ParagraphBox& DocumentLayout::paragraph(int index) {
  const auto i = static_cast<std::size_t>(std::clamp(index, 0, paragraphCount() - 1));
  ensure(i);
  return entries_[i].box;
}

std::int64_t DocumentLayout::paragraphTop(int index) {
  const auto i = static_cast<std::size_t>(std::clamp(index, 0, paragraphCount() - 1));
  ensure(i);
  return entries_[i].top;
}

std::u16string DocumentLayout::label(int index) {
  const auto i = static_cast<std::size_t>(std::clamp(index, 0, paragraphCount() - 1));
  ensure(i);
  return entries_[i].label;
}

int DocumentLayout::lineCount() {
  ensureAll();
  const Entry& last = entries_.back();
  return last.firstLine + static_cast<int>(last.box.lines.size());
}

std::int64_t DocumentLayout::height() {
  ensureAll();
  return entries_.back().top + entries_.back().box.height;
}

int DocumentLayout::lineInBox(const Entry& e, CharPos pos) const {
  const auto& lines = e.box.lines;
  const CharPos rel = pos - e.start;
  const auto it = std::upper_bound(lines.begin(), lines.end(), rel,
                                   [](CharPos p, const LineBox& l) { return p < l.start; });
  return it == lines.begin() ? 0 : static_cast<int>(it - lines.begin()) - 1;
}

DocumentLine DocumentLayout::makeLine(std::size_t entry, int line) const {
  const Entry& e = entries_[entry];
  DocumentLine out;
  out.paragraph = static_cast<int>(entry);
  out.box = e.box.lines[static_cast<std::size_t>(line)];
  out.start = e.start + out.box.start;
  out.top = e.top + out.box.top;
  return out;
}

DocumentLine DocumentLayout::line(int index) {
  index = std::max(index, 0);
  // Lay out only as far as the line asked for.
  while (prefix_ < entries_.size() &&
         (prefix_ == 0 || entries_[prefix_ - 1].firstLine +
                                  static_cast<int>(entries_[prefix_ - 1].box.lines.size()) <=
                              index)) {
    ensure(prefix_);
  }
  const auto it =
      std::upper_bound(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(prefix_),
                       index, [](int i, const Entry& e) { return i < e.firstLine; });
  const auto entry = static_cast<std::size_t>(it - entries_.begin()) - 1;
  const int inBox = std::min(index - entries_[entry].firstLine,
                             static_cast<int>(entries_[entry].box.lines.size()) - 1);
  return makeLine(entry, inBox);
}

int DocumentLayout::lineFromChar(CharPos pos) {
  pos = std::clamp(pos, 0, storyLength_ - 1);
  const std::size_t i = entryIndexAt(pos);
  ensure(i);
  return entries_[i].firstLine + lineInBox(entries_[i], pos);
}

int DocumentLayout::lineAtY(std::int64_t y) {
  while (prefix_ < entries_.size() &&
         (prefix_ == 0 || entries_[prefix_ - 1].top + entries_[prefix_ - 1].box.height <= y)) {
    ensure(prefix_);
  }
  const auto it =
      std::upper_bound(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(prefix_), y,
                       [](std::int64_t v, const Entry& e) { return v < e.top; });
  const std::size_t entry =
      it == entries_.begin() ? 0 : static_cast<std::size_t>(it - entries_.begin()) - 1;
  const Entry& e = entries_[entry];
  const auto& lines = e.box.lines;
  const auto li = std::upper_bound(lines.begin(), lines.end(), y - e.top,
                                   [](std::int64_t v, const LineBox& l) { return v < l.top; });
  const int inBox = li == lines.begin() ? 0 : static_cast<int>(li - lines.begin()) - 1;
  return e.firstLine + inBox;
}

DocumentLayout::Point DocumentLayout::caretPoint(CharPos pos) {
  pos = std::clamp(pos, 0, storyLength_ - 1);
  const DocumentLine l = line(lineFromChar(pos));
  const std::vector<std::int32_t> xs = layouter_.caretPositions(source(l.paragraph), l.box);
  return {xs[static_cast<std::size_t>(std::clamp(pos - l.start, 0, l.box.length))], l.top};
}

LineDrawing DocumentLayout::drawing(int index) {
  const DocumentLine l = line(index);
  const ParagraphSource source = this->source(l.paragraph);
  const std::vector<std::int32_t> xs = layouter_.caretPositions(source, l.box);
  return lineDrawing(source, entries_[static_cast<std::size_t>(l.paragraph)].box, l.box, xs);
}

CharPos DocumentLayout::charFromPoint(std::int32_t x, std::int64_t y) {
  const DocumentLine l = line(lineAtY(y));
  const std::vector<std::int32_t> xs = layouter_.caretPositions(source(l.paragraph), l.box);
  // The caret goes to the nearer edge of the character under x, never past the line's last
  // character (its break or the blank the next line follows).
  const int last = std::max(l.box.length - 1, 0);
  int i = 0;
  while (i < last && xs[static_cast<std::size_t>(i) + 1] <= x) ++i;
  if (i < last && x - xs[static_cast<std::size_t>(i)] > xs[static_cast<std::size_t>(i) + 1] - x) {
    ++i;
  }
  return l.start + i;
}

BandFit DocumentLayout::fit(CharPos from, std::int64_t height, CharPos limit) {
  BandFit out;
  out.end = std::clamp(from, 0, storyLength_);
  std::size_t entry = entryIndexAt(std::clamp(from, 0, storyLength_ - 1));
  ensure(entry);
  int li = lineInBox(entries_[entry], std::clamp(from, 0, storyLength_ - 1));
  const Entry& firstEntry = entries_[entry];
  const std::int64_t bandTop =
      li == 0 ? firstEntry.top
              : firstEntry.top + firstEntry.box.lines[static_cast<std::size_t>(li)].top;
  out.top = bandTop;
  out.firstLine = firstEntry.firstLine + li;
  if (height <= 0 || from >= limit || from >= storyLength_) return out;
  while (entry < entries_.size()) {
    ensure(entry);
    const Entry& e = entries_[entry];
    if (static_cast<std::size_t>(li) >= e.box.lines.size()) {
      ++entry;
      li = 0;
      continue;
    }
    if (out.lines > 0 && li == 0 && e.box.pageBreakBefore) break;
    const LineBox& l = e.box.lines[static_cast<std::size_t>(li)];
    const std::int64_t bottom = e.top + l.top + l.height - bandTop;
    if (out.lines > 0 && bottom > height) break;
    out.end = std::min(e.start + l.end(), limit);
    out.height = bottom;
    ++out.lines;
    if (bottom >= height || l.has(lineflag::PageBreak) || out.end >= limit) break;
    ++li;
  }
  return out;
}

std::size_t DocumentLayout::memoryUsage() const {
  std::size_t bytes = entries_.capacity() * sizeof(Entry);
  for (const Entry& e : entries_) {
    bytes += e.box.lines.capacity() * sizeof(LineBox);
    if (e.label.capacity() > 7) bytes += (e.label.capacity() + 1) * sizeof(char16_t);
  }
  return bytes;
}

}  // namespace richedit
