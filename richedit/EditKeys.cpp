// Keyboard and mouse of the rich-edit window: typing, deleting, moving the caret and
// extending the selection, clicking and dragging.
#include <algorithm>

#include "richedit/EditControl.h"
#include "richedit/WordBreaker.h"

namespace richedit {
namespace {

bool pressed(int key) { return GetKeyState(key) < 0; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

void EditControl::moveTo(CharPos pos, bool extend, bool keepColumn) {
  if (!keepColumn) column_.reset();
  select(extend ? anchor_ : pos, pos);
}

CharPos EditControl::verticalTarget(int lines) {
  if (!column_) column_ = layout_.caretPoint(active_).x;
  const int target = layout_.lineFromChar(active_) + lines;
  if (target < 0 || target >= layout_.lineCount()) return active_;
  return layout_.charFromPoint(*column_, layout_.line(target).top);
}

CharPos EditControl::lineEnd(int line) {
  const RichTextDocument& doc = session_.document();
  const DocumentLine l = layout_.line(line);
  const CharPos end = l.end();
  if (end > doc.textLength()) return doc.textLength();
  if (end <= l.start) return end;
  const CharClass last = classify(doc.charAt(end - 1));
  // A wrapped line's trailing blank belongs to it: the caret stays before it so that it shows
  // on this line.
  if (last == CharClass::Break || (last == CharClass::Blank && line + 1 < layout_.lineCount())) {
    return end - 1;
  }
  return end;
}

bool EditControl::keyDown(WPARAM key) {
  const bool shift = pressed(VK_SHIFT);
  const bool ctrl = pressed(VK_CONTROL);
  const RichTextDocument& doc = session_.document();
  const std::u16string& story = doc.storyText();
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
      const bool right = key == VK_RIGHT;
      const CharRange sel = session_.selection();
      if (!shift && !ctrl && !sel.empty()) {
        moveTo(right ? sel.max : sel.min, false);
        return true;
      }
      CharPos p = std::clamp(active_, 0, doc.textLength());
      if (ctrl) {
        p = right ? nextWordStart(story, p) : previousWordStart(story, p);
      } else if (right) {
        p = std::min(p + 1, doc.textLength());
        if (p < doc.textLength() && isLowSurrogate(doc.charAt(p))) ++p;
      } else {
        p = std::max(p - 1, 0);
        if (p > 0 && isLowSurrogate(doc.charAt(p))) --p;
      }
      moveTo(p, shift);
      return true;
    }
    case VK_UP:
    case VK_DOWN:
      if (ctrl) {
        moveTo(paragraphTarget(key == VK_DOWN), shift);
      } else {
        moveTo(verticalTarget(key == VK_UP ? -1 : 1), shift, true);
      }
      return true;
    case VK_PRIOR:
    case VK_NEXT: {
      const int direction = key == VK_PRIOR ? -1 : 1;
      if (!column_) column_ = layout_.caretPoint(active_).x;
      const std::int64_t y = std::clamp<std::int64_t>(
          layout_.caretPoint(active_).y + direction * std::int64_t{pageHeight()}, 0,
          std::max<std::int64_t>(layout_.height() - 1, 0));
      const RECT rc = formatRect();
      scrollTo(scrollY_ + direction * static_cast<int>(rc.bottom - rc.top));
      moveTo(layout_.charFromPoint(*column_, y), shift, true);
      return true;
    }
    case VK_HOME:
      moveTo(ctrl ? 0 : layout_.line(layout_.lineFromChar(active_)).start, shift);
      return true;
    case VK_END:
      moveTo(ctrl ? doc.textLength() : lineEnd(layout_.lineFromChar(active_)), shift);
      return true;
    case VK_DELETE:
      if (shift && !ctrl) {
        cut();
        return true;
      }
      editKey(key, ctrl);
      return true;
    case VK_BACK: editKey(key, ctrl); return true;
    case VK_INSERT:
      if (ctrl) {
        copy();
      } else if (shift) {
        paste();
      } else {
        overtype_ = !overtype_;
      }
      return true;
    case 'L':
      if (!ctrl || !shift) return false;
      if (readOnly()) {
        refuse();
      } else {
        stepNumbering();
      }
      return true;
    case 'C':
    case 'X':
    case 'V':
      if (!ctrl) return false;
      if (key == 'C') {
        copy();
      } else if (key == 'X') {
        cut();
      } else {
        paste();
      }
      return true;
    case 'A':
      if (!ctrl) return false;
      session_.setSelection(0, -1);
      return true;
    case 'Z':
    case 'Y':
      if (!ctrl) return false;
      if (readOnly()) {
        refuse();
      } else if (key == 'Z') {
        undo();
      } else {
        session_.redo();
      }
      return true;
    default: return false;
  }
}

void EditControl::stepNumbering() {
  // Bullets, then numbers, letters and roman numerals, then none again.
  static constexpr std::uint16_t order[] = {pfn::None,     pfn::Bullet,  pfn::Arabic, pfn::LcLetter,
                                            pfn::UcLetter, pfn::LcRoman, pfn::UcRoman};
  const std::uint16_t now = session_.paraFormat().numbering;
  const auto* at = std::find(std::begin(order), std::end(order), now);
  ParaFormat next;
  next.numbering = at == std::end(order) || at + 1 == std::end(order) ? pfn::None : at[1];
  next.numberingStyle = pfns::Period;
  next.numberingStart = 1;
  if (!allowChange(session_.selection(), WM_KEYDOWN, 'L', 0)) return;
  session_.setParaFormat(next, pfm::Numbering | pfm::NumberingStyle | pfm::NumberingStart);
}

void EditControl::editKey(WPARAM key, bool word) {
  if (readOnly()) return refuse();
  const RichTextDocument& doc = session_.document();
  const CharRange sel = session_.selection();
  CharRange target{sel.min, std::min(sel.max, doc.textLength())};
  if (target.empty()) {
    const CharPos p = target.min;
    target = key == VK_BACK ? CharRange{word ? previousWordStart(doc.storyText(), p) : p - 1, p}
                            : CharRange{p, word ? nextWordStart(doc.storyText(), p) : p + 1};
    target = {std::max(target.min, 0), std::min(target.max, doc.textLength())};
    if (target.empty()) return;
  }
  if (!allowChange(target, WM_KEYDOWN, key, 0)) return;
  if (word && sel.empty()) session_.setSelection(target.min, target.max);
  if (key == VK_BACK) {
    session_.deleteBackward();
  } else {
    session_.deleteForward();
  }
}

void EditControl::charInput(wchar_t c) {
  if ((c < 0x20 && c != L'\t' && c != L'\r') || c == 0x7F) return;  // control keys
  if (readOnly()) return refuse();
  const RichTextDocument& doc = session_.document();
  const CharRange sel = session_.selection();
  if (doc.textLength() - (std::min(sel.max, doc.textLength()) - sel.min) >= doc.textLimit()) {
    return refuse();
  }
  if (!allowChange(sel, WM_CHAR, c, 0)) return;
  // Shift+Enter breaks the line without ending the paragraph.
  const char16_t text = c == L'\r' && pressed(VK_SHIFT) ? ch::LineBreak : static_cast<char16_t>(c);
  // Line ends are inserted in overtype mode too.
  if (overtype_ && c != L'\r') {
    session_.overtypeText(std::u16string_view(&text, 1));
  } else {
    session_.typeText(std::u16string_view(&text, 1));
  }
}

CharPos EditControl::paragraphTarget(bool down) {
  const RichTextDocument& doc = session_.document();
  const int paragraph = doc.paragraphIndexAt(active_);
  const CharPos start = doc.paragraphRange(paragraph).min;
  // Down goes to the next paragraph's start (the text's end from the last); up to this
  // paragraph's start, or the one before when already there.
  if (down) {
    return paragraph + 1 < doc.paragraphCount() ? doc.paragraphRange(paragraph + 1).min
                                                : doc.textLength();
  }
  if (active_ > start || paragraph == 0) return start;
  return doc.paragraphRange(paragraph - 1).min;
}

bool EditControl::inSelectionBar(POINT p) const { return p.x >= 0 && p.x < formatRect().left; }

CharRange EditControl::lineRangeAt(POINT p) {
  const RECT rc = formatRect();
  const std::int64_t y = std::max<std::int64_t>(toTwipsY(p.y - rc.top + scrollY_), 0);
  const DocumentLine l = layout_.line(layout_.lineAtY(y));
  return {l.start, std::min(l.end(), session_.document().textLength())};
}

void EditControl::extendByUnits(CharRange unit) {
  const CharRange first = dragUnit_.value_or(unit);
  column_.reset();
  if (unit.min >= first.min) {
    select(first.min, std::max(unit.max, first.max));
  } else {
    select(first.max, unit.min);
  }
}

void EditControl::mouseDown(POINT p, bool extend) {
  if (!focused_) SetFocus(window_);
  SetCapture(window_);
  dragging_ = true;
  if (!inSelectionBar(p)) {
    dragUnit_.reset();
    moveTo(charAt(p), extend);
    return;
  }
  // In the selection bar a click takes whole lines; with Shift from the selection's anchor.
  const CharRange line = lineRangeAt(p);
  dragUnit_ = extend ? CharRange{anchor_, anchor_} : line;
  extendByUnits(line);
}

void EditControl::mouseMove(POINT p) {
  dragPoint_ = p;
  if (dragUnit_) {
    extendByUnits(lineRangeAt(p));
  } else {
    moveTo(charAt(p), true);
  }
  // Above or below the text the view keeps scrolling while the button is held.
  const RECT rc = formatRect();
  if (p.y < rc.top || p.y >= rc.bottom) {
    SetTimer(window_, kDragScrollTimer, 50, nullptr);
  } else {
    KillTimer(window_, kDragScrollTimer);
  }
}

void EditControl::dragScroll() {
  if (!dragging_) {
    KillTimer(window_, kDragScrollTimer);
    return;
  }
  // The point stays beyond the edge: the line there comes into view, one per tick.
  if (dragUnit_) {
    extendByUnits(lineRangeAt(dragPoint_));
  } else {
    moveTo(charAt(dragPoint_), true);
  }
  scrollToCaret();
}

void EditControl::endDrag() {
  dragging_ = false;
  KillTimer(window_, kDragScrollTimer);
}

void EditControl::doubleClick(POINT p) {
  const RichTextDocument& doc = session_.document();
  column_.reset();
  if (inSelectionBar(p)) {  // the whole paragraph
    const CharRange line = lineRangeAt(p);
    const CharRange paragraph = doc.paragraphRange(doc.paragraphIndexAt(line.min));
    select(paragraph.min, std::min(paragraph.max, doc.textLength()));
    return;
  }
  const CharRange word = doc.wordAt(charAt(p));
  select(word.min, word.max);
}

CharRange EditControl::linkAt(POINT p) {
  const RichTextDocument& doc = session_.document();
  const CharPos closest = charAt(p);
  // The nearest caret position is on either side of the character under the point.
  for (CharPos c : {closest - 1, closest}) {
    if (c < 0 || c >= doc.textLength()) continue;
    const CharRange link = linkHolding(c);
    if (link.empty()) continue;
    const POINT left = positionOf(c);
    const POINT right = positionOf(c + 1);
    const DocumentLine l = layout_.line(layout_.lineFromChar(c));
    const int height = toPixelsY(l.top + l.box.height) - toPixelsY(l.top);
    if (p.y < left.y || p.y >= left.y + height || p.x < left.x ||
        (right.y == left.y && p.x >= right.x)) {
      continue;
    }
    return link;
  }
  return {};
}

CharRange EditControl::linkHolding(CharPos pos) const {
  const RichTextDocument& doc = session_.document();
  if (!doc.charFormatAt(pos).has(cfe::Link)) return urls_.at(pos);
  CharRange link{pos, pos + 1};
  while (link.min > 0 && doc.charFormatAt(link.min - 1).has(cfe::Link)) --link.min;
  while (link.max < doc.textLength() && doc.charFormatAt(link.max).has(cfe::Link)) ++link.max;
  return link;
}

bool EditControl::notifyLink(UINT message, WPARAM wParam, LPARAM lParam, POINT p) {
  if (!(eventMask_ & ENM_LINK)) return false;
  const CharRange link = linkAt(p);
  if (link.empty()) return false;
  ENLINK n{};
  n.msg = message;
  n.wParam = wParam;
  n.lParam = lParam;
  n.chrg = {link.min, link.max};
  return notifyParent(n.nmhdr, EN_LINK) != 0;
}

bool EditControl::setCursor(LPARAM hitTest) {
  if (LOWORD(hitTest) != HTCLIENT) return false;
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(window_, &p);
  if (linkAt(p).empty()) return false;
  if (!notifyLink(WM_SETCURSOR, reinterpret_cast<WPARAM>(window_), hitTest, p)) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
  }
  return true;
}

}  // namespace richedit
