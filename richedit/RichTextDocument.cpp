#include "richedit/RichTextDocument.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <utility>

#include "richedit/TextFinder.h"
#include "richedit/WordBreaker.h"

namespace richedit {

namespace {

constexpr CharPos UnlimitedText = std::numeric_limits<CharPos>::max() / 2;

// Maps the ids of a fragment's pool to a document's pool, interning each value once.
class IdMap {
 public:
  explicit IdMap(std::size_t size) : ids_(size, None) {}
  template <typename Intern>
  FormatId get(FormatId from, Intern intern) {
    if (ids_[from] == None) ids_[from] = intern(from);
    return ids_[from];
  }

 private:
  static constexpr FormatId None = std::numeric_limits<FormatId>::max();
  std::vector<FormatId> ids_;
};

CharPos totalLength(const std::vector<StyleSpan>& spans) {
  CharPos n = 0;
  for (const auto& s : spans) n += s.length;
  return n;
}

}  // namespace

RichTextDocument::RichTextDocument()
    : defaultStyle_{richedit::defaultCharFormat(), {}}, textLimit_(UnlimitedText) {
  clear();
}

// ---------------------------------------------------------------- text

std::u16string RichTextDocument::text(CharRange r) const {
  const CharPos a = std::clamp(std::min(r.min, r.max), 0, storyLength());
  const CharPos b = std::clamp(std::max(r.min, r.max), 0, storyLength());
  return text_.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
}

std::u16string RichTextDocument::windowText() const {
  std::u16string out;
  out.reserve(text_.size() + paras_.count());
  for (CharPos i = 0; i < textLength(); ++i) {
    const char16_t c = text_[static_cast<std::size_t>(i)];
    if (c == u'\r') {
      out += u"\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// ---------------------------------------------------------------- character formats

const CharStyle& RichTextDocument::styleAt(CharPos pos) const {
  return styles_.get(runs_.styleAt(std::clamp(pos, 0, storyLength() - 1)));
}

CharRange RichTextDocument::runAt(CharPos pos) const {
  const std::size_t i = runs_.indexAt(std::clamp(pos, 0, storyLength() - 1));
  return {runs_.run(i).start, runs_.runEnd(i)};
}

CharStyle RichTextDocument::insertionStyle(CharPos pos) const {
  pos = std::clamp(pos, 0, textLength());
  if (pos > 0 && text_[static_cast<std::size_t>(pos - 1)] != u'\r') return styleAt(pos - 1);
  return styleAt(pos);
}

CharFormat RichTextDocument::rangeCharFormat(CharRange r, std::uint32_t* uniformMask) const {
  const CharPos a = std::clamp(std::min(r.min, r.max), 0, storyLength());
  const CharPos b = std::clamp(std::max(r.min, r.max), 0, storyLength());
  if (a >= b) {
    if (uniformMask) *uniformMask = cfm::Supported;
    return insertionStyle(a).format;
  }
  auto onlyMarks = [this](CharPos from, CharPos to) {
    for (CharPos i = from; i < to; ++i) {
      if (text_[static_cast<std::size_t>(i)] != u'\r') return false;
    }
    return true;
  };
  const auto spans = runs_.slice(a, b);
  bool anyText = false;
  {
    CharPos at = a;
    for (const auto& s : spans) {
      if (!onlyMarks(at, at + s.length)) anyText = true;
      at += s.length;
    }
  }
  const CharFormat* first = nullptr;
  std::uint32_t mask = cfm::Supported;
  CharPos at = a;
  for (const auto& s : spans) {
    const bool counts = !anyText || !onlyMarks(at, at + s.length);
    at += s.length;
    if (!counts) continue;
    const CharFormat& f = styles_.get(s.style).format;
    if (!first) {
      first = &f;
    } else {
      mask &= uniformCharMask(*first, f);
    }
  }
  if (uniformMask) *uniformMask = mask;
  return *first;
}

bool RichTextDocument::setCharFormat(CharRange r, const CharFormat& format, std::uint32_t mask) {
  mask &= cfm::Supported;
  if (mask == 0) return false;
  const CharPos a = plainText_ ? 0 : std::clamp(std::min(r.min, r.max), 0, storyLength());
  const CharPos b =
      plainText_ ? storyLength() : std::clamp(std::max(r.min, r.max), 0, storyLength());
  if (a >= b) return false;
  std::unordered_map<FormatId, FormatId> mapped;
  const auto before = runs_.slice(a, b);
  runs_.restyle(a, b, [&](FormatId old) {
    auto it = mapped.find(old);
    if (it != mapped.end()) return it->second;
    CharStyle s = styles_.get(old);
    applyCharFormat(s.format, format, mask);
    if (!s.format.has(cfe::Link)) s.linkTarget.clear();
    const FormatId id = styles_.intern(s);
    mapped.emplace(old, id);
    return id;
  });
  auto after = runs_.slice(a, b);
  if (after == before) return false;
  if (plainText_) applyCharFormat(defaultStyle_.format, format, mask);
  undo_.record(StyleChange{a, before, std::move(after)}, false);
  modified_ = true;
  notify({a, b - a, b - a, true});
  return true;
}

bool RichTextDocument::setLink(CharRange r, bool linked, std::u16string_view target) {
  const CharPos a = std::clamp(std::min(r.min, r.max), 0, textLength());
  const CharPos b = std::clamp(std::max(r.min, r.max), 0, textLength());
  if (a >= b) return false;
  const auto before = runs_.slice(a, b);
  runs_.restyle(a, b, [&](FormatId old) {
    CharStyle s = styles_.get(old);
    if (linked) {
      s.format.effects |= cfe::Link;
      s.linkTarget.assign(target);
    } else {
      s.format.effects &= ~cfe::Link;
      s.linkTarget.clear();
    }
    return styles_.intern(s);
  });
  auto after = runs_.slice(a, b);
  if (after == before) return false;
  undo_.record(StyleChange{a, before, std::move(after)}, false);
  modified_ = true;
  notify({a, b - a, b - a, true});
  return true;
}

void RichTextDocument::setDefaultCharFormat(const CharFormat& format, std::uint32_t mask) {
  applyCharFormat(defaultStyle_.format, format, mask & cfm::Supported);
  defaultStyle_.linkTarget.clear();
  if (plainText_) {
    restyleAll(defaultStyle_);
  } else if (empty()) {
    runs_.reset(storyLength(), styles_.intern(defaultStyle_));
    notify({0, 1, 1, true});
  }
}

// ---------------------------------------------------------------- paragraphs

int RichTextDocument::paragraphIndexAt(CharPos pos) const {
  return static_cast<int>(paras_.lowerBound(std::clamp(pos, 0, textLength())));
}

CharRange RichTextDocument::paragraphRange(int index) const {
  if (index < 0 || index >= paragraphCount()) return {-1, -1};
  const auto i = static_cast<std::size_t>(index);
  return {i == 0 ? 0 : paras_[i - 1].pos + 1, paras_[i].pos + 1};
}

FormatId RichTextDocument::paraIdAt(CharPos pos) const {
  return paras_[static_cast<std::size_t>(paragraphIndexAt(pos))].value;
}

ParaFormat RichTextDocument::paraFormatAt(CharPos pos) const {
  return paraPool_.get(paraIdAt(pos));
}

ParaFormat RichTextDocument::rangeParaFormat(CharRange r, std::uint32_t* uniformMask) const {
  const CharPos a = std::min(r.min, r.max);
  const CharPos b = std::max(r.min, r.max);
  const int first = paragraphIndexAt(a);
  const int last = paragraphIndexAt(b > a ? b - 1 : a);
  const ParaFormat& f = paraPool_.get(paras_[static_cast<std::size_t>(first)].value);
  std::uint32_t mask = pfm::Supported;
  for (int i = first + 1; i <= last; ++i) {
    mask &= uniformParaMask(f, paraPool_.get(paras_[static_cast<std::size_t>(i)].value));
  }
  if (uniformMask) *uniformMask = mask;
  return f;
}

bool RichTextDocument::setParaFormat(CharRange r, const ParaFormat& format, std::uint32_t mask) {
  mask &= pfm::Supported | pfm::OffsetIndent;
  if (mask == 0) return false;
  const CharPos a = std::min(r.min, r.max);
  const CharPos b = std::max(r.min, r.max);
  const int first = plainText_ ? 0 : paragraphIndexAt(a);
  const int last = plainText_ ? paragraphCount() - 1 : paragraphIndexAt(b > a ? b - 1 : a);
  ParaChange change;
  change.first = static_cast<std::size_t>(first);
  bool changed = false;
  std::unordered_map<FormatId, FormatId> mapped;
  for (int i = first; i <= last; ++i) {
    auto& entry = paras_[static_cast<std::size_t>(i)];
    change.before.push_back(entry.value);
    auto it = mapped.find(entry.value);
    FormatId id;
    if (it != mapped.end()) {
      id = it->second;
    } else {
      ParaFormat p = paraPool_.get(entry.value);
      applyParaFormat(p, format, mask);
      id = paraPool_.intern(p);
      mapped.emplace(entry.value, id);
    }
    changed = changed || id != entry.value;
    entry.value = id;
    change.after.push_back(id);
  }
  if (!changed) return false;
  const CharRange touched{paragraphRange(first).min, paragraphRange(last).max};
  undo_.record(std::move(change), false);
  modified_ = true;
  notify({touched.min, touched.length(), touched.length(), true});
  return true;
}

// ---------------------------------------------------------------- lines

void RichTextDocument::rebuildLines() const {
  lineStarts_.assign(1, 0);
  for (CharPos i = 0; i + 1 < storyLength(); ++i) {
    const char16_t c = text_[static_cast<std::size_t>(i)];
    if (c == u'\r' || c == 0x000B) lineStarts_.push_back(i + 1);
  }
  linesValid_ = true;
}

int RichTextDocument::lineCount() const {
  if (!linesValid_) rebuildLines();
  return static_cast<int>(lineStarts_.size());
}

int RichTextDocument::lineFromChar(CharPos pos) const {
  if (!linesValid_) rebuildLines();
  pos = std::clamp(pos, 0, textLength());
  return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), pos) -
                          lineStarts_.begin()) -
         1;
}

CharPos RichTextDocument::lineStart(int line) const {
  if (line < 0 || line >= lineCount()) return -1;
  return lineStarts_[static_cast<std::size_t>(line)];
}

CharPos RichTextDocument::lineLength(int line) const {
  if (line < 0 || line >= lineCount()) return -1;
  const auto i = static_cast<std::size_t>(line);
  const CharPos end = i + 1 < lineStarts_.size() ? lineStarts_[i + 1] - 1 : textLength();
  return end - lineStarts_[i];
}

// ---------------------------------------------------------------- pictures

const Picture* RichTextDocument::pictureAt(CharPos pos) const {
  const auto* e = objects_.find(pos);
  return e ? e->value.get() : nullptr;
}

// ---------------------------------------------------------------- editing

CharRange RichTextDocument::clampEdit(CharRange r) const {
  CharPos a = r.min;
  CharPos b = r.max < 0 ? textLength() : r.max;
  if (a > b) std::swap(a, b);
  a = std::clamp(a, 0, textLength());
  b = std::clamp(b, a, textLength());
  return {a, b};
}

RichTextFragment RichTextDocument::textFragment(std::u16string_view text, const CharStyle& style,
                                                const ParaFormat& para) const {
  RichTextFragment f(style, para);
  std::u16string chunk;
  chunk.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      f.appendText(chunk, 0);
      chunk.clear();
      f.appendParagraphEnd(0, 0);
    } else {
      chunk.push_back(c);
    }
  }
  f.appendText(chunk, 0);
  f.setEndStyle(0);
  return f;
}

void RichTextDocument::eraseContent(CharPos from, CharPos to) {
  if (from >= to) return;
  text_.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  runs_.erase(from, to);
  paras_.erase(from, to);
  objects_.erase(from, to);
}

void RichTextDocument::insertContent(CharPos pos, const RichTextFragment& content) {
  if (content.empty()) return;
  IdMap styleIds(content.styleCount());
  auto internStyle = [&](FormatId id) {
    return styleIds.get(id, [&](FormatId f) { return styles_.intern(content.style(f)); });
  };
  std::vector<StyleSpan> spans;
  spans.reserve(content.spans().size());
  for (const auto& s : content.spans()) spans.push_back({s.length, internStyle(s.style)});
  std::vector<AnchorList<FormatId>::Entry> ends;
  ends.reserve(content.paragraphFormats().size());
  std::size_t next = 0;
  const auto& t = content.text();
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] != u'\r') continue;
    ends.push_back({static_cast<CharPos>(i),
                    paraPool_.intern(content.paraFormat(content.paragraphFormats()[next++]))});
  }
  std::vector<AnchorList<std::shared_ptr<const Picture>>::Entry> pictures;
  for (const auto& p : content.pictures()) pictures.push_back({p.pos, p.picture});
  text_.insert(static_cast<std::size_t>(pos), t);
  runs_.insert(pos, spans);
  paras_.insert(pos, content.length(), ends);
  objects_.insert(pos, content.length(), pictures);
}

RichTextFragment RichTextDocument::splice(CharPos pos, CharPos removeLength,
                                          const RichTextFragment& content) {
  RichTextFragment removed = copyRange({pos, pos + removeLength});
  eraseContent(pos, pos + removeLength);
  insertContent(pos, content);
  notify({pos, removeLength, content.length(), false});
  return removed;
}

bool RichTextDocument::mergeTyping(CharPos pos, const RichTextFragment& removed,
                                   const RichTextFragment& inserted) {
  UndoStep* step = undo_.openTypingStep();
  if (!step || step->changes.size() != 1) return false;
  auto* last = std::get_if<TextChange>(&step->changes.front());
  if (!last) return false;
  const CharPos end = last->pos + last->inserted.length();
  if (removed.empty() && pos == end) {  // the next keystroke
    last->inserted.append(inserted);
    return true;
  }
  if (!inserted.empty()) return false;
  if (pos >= last->pos && pos + removed.length() == end) {  // backspace over what was typed
    last->inserted.truncate(pos - last->pos);
    return true;
  }
  if (last->inserted.empty() && pos + removed.length() == last->pos) {  // backspace further
    RichTextFragment joined = removed;
    joined.append(last->removed);
    last->removed = std::move(joined);
    last->pos = pos;
    return true;
  }
  if (last->inserted.empty() && pos == last->pos) {  // forward delete
    last->removed.append(removed);
    return true;
  }
  return false;
}

CharRange RichTextDocument::replaceText(CharRange range, std::u16string_view text,
                                        const CharStyle* style, EditKind kind) {
  const CharRange r = clampEdit(range);
  CharStyle use;
  if (plainText_) {
    use = styleAt(0);
  } else if (style) {
    use = *style;
    normalize(use.format);
  } else {
    use = r.empty() ? insertionStyle(r.min) : styleAt(r.min);
  }
  RichTextFragment f = textFragment(text, use, paraFormatAt(r.max));
  const CharPos room = textLimit_ - (textLength() - r.length());
  if (f.length() > room) f.truncate(std::max<CharPos>(room, 0));
  if (r.empty() && f.empty()) return {r.min, r.min};
  RichTextFragment removed = splice(r.min, r.length(), f);
  if (!(kind == EditKind::Typing && mergeTyping(r.min, removed, f))) {
    undo_.record(TextChange{r.min, std::move(removed), f}, kind == EditKind::Typing);
  }
  modified_ = true;
  return {r.min, r.min + f.length()};
}

CharRange RichTextDocument::replaceWithFragment(CharRange range, const RichTextFragment& fragment) {
  if (plainText_) {
    std::u16string plain;
    std::size_t pic = 0;
    for (CharPos i = 0; i < fragment.length(); ++i) {
      if (pic < fragment.pictures().size() && fragment.pictures()[pic].pos == i) {
        ++pic;
        continue;
      }
      plain.push_back(fragment.text()[static_cast<std::size_t>(i)]);
    }
    return replaceText(range, plain);
  }
  const CharRange r = clampEdit(range);
  const CharPos room = textLimit_ - (textLength() - r.length());
  const RichTextFragment* use = &fragment;
  RichTextFragment cut;
  if (fragment.length() > room) {
    cut = fragment;
    cut.truncate(std::max<CharPos>(room, 0));
    use = &cut;
  }
  if (r.empty() && use->empty()) return {r.min, r.min};
  RichTextFragment removed = splice(r.min, r.length(), *use);
  undo_.record(TextChange{r.min, std::move(removed), *use}, false);
  modified_ = true;
  return {r.min, r.min + use->length()};
}

CharRange RichTextDocument::insertPicture(CharRange range, Picture picture,
                                          const CharStyle* style) {
  const CharRange r = clampEdit(range);
  if (plainText_) return {r.min, r.min};
  const CharStyle use = style ? *style : (r.empty() ? insertionStyle(r.min) : styleAt(r.min));
  RichTextFragment f(use, paraFormatAt(r.max));
  f.appendPicture(std::make_shared<const Picture>(std::move(picture)), 0);
  return replaceWithFragment(r, f);
}

RichTextFragment RichTextDocument::copyRange(CharRange range) const {
  const CharPos a = std::clamp(std::min(range.min, range.max), 0, storyLength());
  const CharPos b = std::clamp(std::max(range.min, range.max), 0, storyLength());
  RichTextFragment f(defaultStyle_, defaultParaFormat());
  IdMap styleIds(styles_.size());
  IdMap paraIds(paraPool_.size());
  auto styleId = [&](FormatId id) {
    return styleIds.get(id, [&](FormatId s) { return f.internStyle(styles_.get(s)); });
  };
  auto paraId = [&](FormatId id) {
    return paraIds.get(id, [&](FormatId p) { return f.internParaFormat(paraPool_.get(p)); });
  };
  const std::u16string_view all(text_);
  std::size_t para = paras_.lowerBound(a);
  std::size_t pic = objects_.lowerBound(a);
  CharPos pos = a;
  while (pos < b) {
    const std::size_t run = runs_.indexAt(pos);
    const CharPos runEnd = std::min(runs_.runEnd(run), b);
    const FormatId style = styleId(runs_.run(run).style);
    while (pos < runEnd) {
      CharPos special = runEnd;
      if (para < paras_.count() && paras_[para].pos < special) special = paras_[para].pos;
      if (pic < objects_.count() && objects_[pic].pos < special) special = objects_[pic].pos;
      f.appendText(
          all.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(special - pos)),
          style);
      pos = special;
      if (pos >= runEnd) break;
      if (para < paras_.count() && paras_[para].pos == pos) {
        f.appendParagraphEnd(style, paraId(paras_[para].value));
        ++para;
      } else {
        f.appendPicture(objects_[pic].value, style);
        ++pic;
      }
      ++pos;
    }
  }
  f.setTrailingParaFormat(paraId(paraIdAt(std::min(b, textLength()))));
  f.setEndStyle(styleId(runs_.styleAt(std::min(b, storyLength() - 1))));
  return f;
}

void RichTextDocument::load(const RichTextFragment& fragment) {
  text_.clear();
  runs_.reset(0, 0);
  paras_.clear();
  objects_.clear();
  styles_ = FormatPool<CharStyle>{};
  paraPool_ = FormatPool<ParaFormat>{};
  undo_.clear();
  const RichTextFragment* use = &fragment;
  RichTextFragment cut;
  if (fragment.length() > textLimit_ + 1) {
    cut = fragment;
    cut.truncate(textLimit_);
    use = &cut;
  }
  if (plainText_) {
    std::u16string plain;
    std::size_t pic = 0;
    for (CharPos i = 0; i < use->length(); ++i) {
      if (pic < use->pictures().size() && use->pictures()[pic].pos == i) {
        ++pic;
        continue;
      }
      plain.push_back(use->text()[static_cast<std::size_t>(i)]);
    }
    if (!plain.empty() && plain.back() == u'\r') plain.pop_back();
    insertContent(0, textFragment(plain, defaultStyle_, defaultParaFormat()));
    text_.push_back(u'\r');
    runs_.insert(storyLength() - 1, {{1, styles_.intern(defaultStyle_)}});
    paras_.push_back(storyLength() - 1, paraPool_.intern(defaultParaFormat()));
  } else {
    insertContent(0, *use);
    if (!use->endsWithParagraphEnd()) {
      text_.push_back(u'\r');
      runs_.insert(storyLength() - 1, {{1, styles_.intern(use->style(use->endStyle()))}});
      paras_.push_back(storyLength() - 1,
                       paraPool_.intern(use->paraFormat(use->trailingParaFormat())));
    }
  }
  text_.shrink_to_fit();
  runs_.shrinkToFit();
  paras_.shrinkToFit();
  objects_.shrinkToFit();
  modified_ = false;
  notify({0, 0, storyLength(), false});
}

void RichTextDocument::clear() { load(RichTextFragment(defaultStyle_, defaultParaFormat())); }

void RichTextDocument::setTextLimit(CharPos limit) {
  textLimit_ = limit <= 0 ? UnlimitedText : std::min(limit, UnlimitedText);
}

// ---------------------------------------------------------------- queries

CharRange RichTextDocument::find(std::u16string_view what, CharRange range,
                                 std::uint32_t flags) const {
  return findText(std::u16string_view(text_).substr(0, static_cast<std::size_t>(textLength())),
                  what, range, flags);
}

CharRange RichTextDocument::wordAt(CharPos pos) const { return richedit::wordAt(text_, pos); }

bool RichTextDocument::isProtected(CharRange range) const {
  const CharPos a = std::clamp(std::min(range.min, range.max), 0, textLength());
  const CharPos b = std::clamp(std::max(range.min, range.max), 0, textLength());
  if (a == b) {
    return a > 0 && styleAt(a - 1).format.has(cfe::Protected) &&
           styleAt(a).format.has(cfe::Protected);
  }
  for (std::size_t i = runs_.indexAt(a); i < runs_.count() && runs_.run(i).start < b; ++i) {
    if (styles_.get(runs_.run(i).style).format.has(cfe::Protected)) return true;
  }
  return false;
}

// ---------------------------------------------------------------- text mode

void RichTextDocument::restyleAll(const CharStyle& style) {
  runs_.reset(storyLength(), styles_.intern(style));
  const FormatId para = paraPool_.intern(defaultParaFormat());
  for (std::size_t i = 0; i < paras_.count(); ++i) paras_[i].value = para;
  notify({0, storyLength(), storyLength(), true});
}

void RichTextDocument::setPlainText(bool plain) {
  if (plain == plainText_) return;
  if (plain) {
    for (std::size_t i = objects_.count(); i-- > 0;) {
      const CharPos at = objects_[i].pos;
      eraseContent(at, at + 1);
    }
    restyleAll(defaultStyle_);
  }
  plainText_ = plain;
  undo_.clear();
}

// ---------------------------------------------------------------- undo

CharRange RichTextDocument::applyChange(const Change& change, bool forward) {
  if (const auto* t = std::get_if<TextChange>(&change)) {
    const RichTextFragment& take = forward ? t->removed : t->inserted;
    const RichTextFragment& put = forward ? t->inserted : t->removed;
    splice(t->pos, take.length(), put);
    return {t->pos, t->pos + put.length()};
  }
  if (const auto* s = std::get_if<StyleChange>(&change)) {
    const auto& spans = forward ? s->after : s->before;
    const CharPos n = totalLength(spans);
    runs_.assign(s->pos, s->pos + n, spans);
    notify({s->pos, n, n, true});
    return {s->pos, s->pos + n};
  }
  const auto& p = std::get<ParaChange>(change);
  const auto& ids = forward ? p.after : p.before;
  for (std::size_t i = 0; i < ids.size(); ++i) paras_[p.first + i].value = ids[i];
  const CharRange touched{paragraphRange(static_cast<int>(p.first)).min,
                          paragraphRange(static_cast<int>(p.first + ids.size() - 1)).max};
  notify({touched.min, touched.length(), touched.length(), true});
  return touched;
}

CharRange RichTextDocument::undo() {
  if (!undo_.canUndo()) return {-1, -1};
  UndoStep step = undo_.takeUndo();
  CharRange r{-1, -1};
  for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it)
    r = applyChange(*it, false);
  undo_.pushRedo(std::move(step));
  modified_ = true;
  return r;
}

CharRange RichTextDocument::redo() {
  if (!undo_.canRedo()) return {-1, -1};
  UndoStep step = undo_.takeRedo();
  CharRange r{-1, -1};
  for (const auto& c : step.changes) r = applyChange(c, true);
  undo_.pushUndo(std::move(step));
  modified_ = true;
  return r;
}

// ---------------------------------------------------------------- misc

void RichTextDocument::notify(const ChangeNotice& notice) {
  linesValid_ = false;
  if (listener_) listener_(notice);
}

std::size_t RichTextDocument::memoryUsage() const {
  std::size_t bytes = text_.capacity() * sizeof(char16_t) + runs_.memoryUsage() +
                      paras_.memoryUsage() + objects_.memoryUsage() + styles_.memoryUsage() +
                      paraPool_.memoryUsage() + lineStarts_.capacity() * sizeof(CharPos);
  for (std::size_t i = 0; i < objects_.count(); ++i) {
    bytes += sizeof(Picture) + objects_[i].value->data.capacity();
  }
  return bytes;
}

}  // namespace richedit
