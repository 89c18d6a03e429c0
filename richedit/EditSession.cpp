#include "richedit/EditSession.h"

#include <algorithm>

#include "richedit/PlainText.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

namespace richedit {

EditSession::EditSession(const CodePageConverter* converter, std::uint32_t codePage)
    : converter_(converter ? *converter : builtinCodePages()), codePage_(codePage) {}

CharRange EditSession::selection() const {
  const CharPos n = doc_.storyLength();
  return {std::clamp(sel_.min, 0, n), std::clamp(sel_.max, 0, n)};
}

void EditSession::setSelection(CharPos min, CharPos max) {
  const CharRange old = selection();
  if (min < 0) {
    sel_ = {old.max, old.max};
  } else if (max < 0) {
    sel_ = {std::min(min, doc_.storyLength()), doc_.storyLength()};
  } else {
    CharPos a = std::clamp(min, 0, doc_.textLength());
    CharPos b = std::clamp(max, 0, doc_.textLength());
    if (a > b) std::swap(a, b);
    sel_ = {a, b};
  }
  if (!(sel_ == old)) {
    typing_.reset();
    doc_.stopTyping();
  }
}

void EditSession::moveCaret(CharPos pos) {
  sel_ = {pos, pos};
  typing_.reset();
}

CharStyle EditSession::typingStyle() const {
  if (typing_) return *typing_;
  const CharRange s = selection();
  return s.empty() ? doc_.insertionStyle(s.min) : doc_.styleAt(s.min);
}

void EditSession::typeText(std::u16string_view text) {
  const CharStyle style = typingStyle();
  const CharRange r = doc_.replaceText(selection(), text, &style, EditKind::Typing);
  sel_ = {r.max, r.max};
  typing_ = style;  // the next keystroke continues in the same format
}

void EditSession::overtypeText(std::u16string_view text) {
  CharRange range = selection();
  if (range.empty()) {
    const CharPos limit =
        std::min<CharPos>(range.min + static_cast<CharPos>(text.size()), doc_.textLength());
    while (range.max < limit && doc_.charAt(range.max) != ch::ParagraphEnd &&
           doc_.charAt(range.max) != ch::LineBreak) {
      ++range.max;
    }
  }
  const CharStyle style = typingStyle();
  const CharRange r = doc_.replaceText(range, text, &style, EditKind::Typing);
  sel_ = {r.max, r.max};
  typing_ = style;
}

void EditSession::deleteBackward() {
  CharRange r = selection();
  if (r.empty()) {
    const CharPos p = std::min(r.min, doc_.textLength());
    if (p == 0) return;
    CharPos from = p - 1;
    const char16_t c = doc_.charAt(from);
    if (c >= 0xDC00 && c <= 0xDFFF && from > 0) {
      const char16_t h = doc_.charAt(from - 1);
      if (h >= 0xD800 && h <= 0xDBFF) --from;
    }
    r = {from, p};
  }
  doc_.replaceText(r, u"", nullptr, EditKind::Typing);
  moveCaret(r.min);
}

void EditSession::deleteForward() {
  CharRange r = selection();
  if (r.empty()) {
    const CharPos p = r.min;
    if (p >= doc_.textLength()) return;
    CharPos to = p + 1;
    const char16_t c = doc_.charAt(p);
    if (c >= 0xD800 && c <= 0xDBFF && to < doc_.textLength()) {
      const char16_t l = doc_.charAt(to);
      if (l >= 0xDC00 && l <= 0xDFFF) ++to;
    }
    r = {p, to};
  }
  doc_.replaceText(r, u"", nullptr, EditKind::Typing);
  moveCaret(r.min);
}

CharRange EditSession::replaceSelection(std::u16string_view text, bool canUndo) {
  doc_.stopTyping();
  const CharStyle style = typingStyle();
  const CharRange r = doc_.replaceText(selection(), text, &style);
  if (!canUndo) doc_.emptyUndo();
  moveCaret(r.max);
  return r;
}

CharRange EditSession::insertPicture(Picture picture) {
  doc_.stopTyping();
  const CharStyle style = typingStyle();
  const CharRange r = doc_.insertPicture(selection(), std::move(picture), &style);
  moveCaret(r.max);
  return r;
}

bool EditSession::setCharFormat(std::uint32_t scf, const CharFormat& format, std::uint32_t mask) {
  doc_.stopTyping();
  if (scf & scf::All) return doc_.setCharFormat({0, doc_.storyLength()}, format, mask);
  if (scf & (scf::Selection | scf::Word)) {
    const CharRange s = selection();
    if (!s.empty()) return doc_.setCharFormat(s, format, mask);
    CharStyle next = typingStyle();
    applyCharFormat(next.format, format, mask);
    if (!next.format.has(cfe::Link)) next.linkTarget.clear();
    if (scf & scf::Word) {
      const CharRange w = doc_.wordAt(s.min);
      if (!w.empty()) {
        doc_.setCharFormat(w, format, mask);
        typing_ = next;
        return true;
      }
    }
    typing_ = next;
    return true;
  }
  doc_.setDefaultCharFormat(format, mask);
  typing_.reset();
  return true;
}

CharFormat EditSession::charFormat(std::uint32_t scf, std::uint32_t* uniformMask) const {
  if ((scf & (scf::Selection | scf::Word)) == 0) {
    if (uniformMask) *uniformMask = cfm::Supported;
    return doc_.defaultCharFormat();
  }
  const CharRange s = selection();
  if (s.empty()) {
    if (uniformMask) *uniformMask = cfm::Supported;
    return typingStyle().format;
  }
  return doc_.rangeCharFormat(s, uniformMask);
}

bool EditSession::setParaFormat(const ParaFormat& format, std::uint32_t mask) {
  doc_.stopTyping();
  return doc_.setParaFormat(selection(), format, mask);
}

ParaFormat EditSession::paraFormat(std::uint32_t* uniformMask) const {
  return doc_.rangeParaFormat(selection(), uniformMask);
}

StreamResult EditSession::streamIn(std::uint32_t flags, ByteSource& source) {
  StreamResult result;
  doc_.stopTyping();
  const bool intoSelection = (flags & sf::Selection) != 0;
  if ((flags & sf::FormatMask) == sf::Rtf) {
    RtfReadOptions options;
    options.converter = &converter_;
    options.defaultCodePage = codePage_;
    options.maxChars = doc_.textLimit();
    const CharFormat base = doc_.defaultCharFormat();
    options.baseFormat = &base;
    RtfReadResult read = readRtf(source, options);
    if (read.status != RtfStatus::Ok) {
      result.ok = false;
      result.message = read.message;
      return result;
    }
    result.truncated = read.truncated;
    result.textLimitReached = read.textLimitReached;
    if (intoSelection) {
      const CharRange r = doc_.replaceWithFragment(selection(), read.fragment);
      moveCaret(r.max);
    } else {
      doc_.load(read.fragment);
      moveCaret(0);
    }
    return result;
  }
  PlainTextOptions options;
  options.unicode = (flags & sf::Unicode) != 0;
  options.codePage = textCodePage(flags);
  options.converter = &converter_;
  options.maxChars = doc_.textLimit();
  PlainTextReadResult read = readPlainText(source, options);
  if (!read.ok) {
    result.ok = false;
    result.message = read.message;
    return result;
  }
  result.textLimitReached = read.textLimitReached;
  if (intoSelection) {
    const CharStyle style = typingStyle();
    const CharRange r = doc_.replaceText(selection(), read.text, &style);
    moveCaret(r.max);
  } else {
    // Plain text holds no final mark of its own: every line end in it is a paragraph.
    RichTextFragment f(CharStyle{doc_.defaultCharFormat(), {}}, defaultParaFormat());
    f.appendText(read.text, 0);
    f.appendParagraphEnd(0, 0);
    doc_.load(f);
    moveCaret(0);
  }
  return result;
}

std::uint32_t EditSession::textCodePage(std::uint32_t flags) const {
  return (flags & sf::UseCodePage) ? flags >> 16 : codePage_;
}

bool EditSession::streamOut(std::uint32_t flags, ByteSink& sink) const {
  const CharRange range = (flags & sf::Selection) ? selection() : CharRange{0, doc_.storyLength()};
  if ((flags & sf::FormatMask) == sf::Rtf) {
    RtfWriteOptions options;
    options.codePage = codePage_;
    options.converter = &converter_;
    return writeRtf(doc_.copyRange(range), sink, options);
  }
  const CharPos end = std::min(range.max, doc_.textLength());
  std::u16string text;
  text.reserve(static_cast<std::size_t>(std::max<CharPos>(end - range.min, 0)));
  for (CharPos i = range.min; i < end; ++i) {
    if (doc_.pictureAt(i)) continue;
    text.push_back(doc_.charAt(i));
  }
  PlainTextOptions options;
  options.unicode = (flags & sf::Unicode) != 0;
  options.codePage = textCodePage(flags);
  options.converter = &converter_;
  return writePlainText(text, sink, options);
}

void EditSession::setTextMode(TextMode mode) {
  doc_.setPlainText(mode == TextMode::Plain);
  typing_.reset();
}

bool EditSession::undo() {
  const CharRange r = doc_.undo();
  if (r.min < 0) return false;
  sel_ = r;
  typing_.reset();
  return true;
}

bool EditSession::redo() {
  const CharRange r = doc_.redo();
  if (r.min < 0) return false;
  moveCaret(r.max);
  return true;
}

int EditSession::setUndoLimit(int limit) {
  doc_.setUndoLimit(limit);
  return doc_.undoLimit();
}

}  // namespace richedit
