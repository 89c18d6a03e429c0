#include "richedit/ParagraphLayout.h"

#include <algorithm>
#include <cstdlib>

#include "richedit/LineBreaking.h"
#include "richedit/RichEditConstants.h"

namespace richedit {

namespace {

constexpr std::int64_t MaxParagraphSpace = MaxCoordinate / 16;

bool endsLine(char16_t c) {
  return c == ch::ParagraphEnd || c == ch::LineBreak || c == ch::PageBreak;
}

std::uint8_t breakFlag(char16_t c) {
  if (c == ch::LineBreak) return lineflag::LineBreak;
  if (c == ch::PageBreak) return lineflag::PageBreak;
  return lineflag::EndsParagraph;
}

std::int64_t clampCoordinate(std::int64_t v) {
  return std::clamp<std::int64_t>(v, 0, MaxCoordinate);
}

// The end of the text a centred, right or decimal tab at from - 1 positions: up to the next
// tab or break.
std::size_t segmentEnd(std::u16string_view text, std::size_t from) {
  while (from < text.size() && text[from] != ch::Tab && !endsLine(text[from])) ++from;
  return from;
}

// One past the last character of [start, end) that is neither a trailing blank nor a break.
std::size_t inkEnd(std::u16string_view text, std::size_t start, std::size_t end) {
  while (end > start && (hangsAtLineEnd(text[end - 1]) || endsLine(text[end - 1]))) --end;
  return end;
}

// The blanks justification widens: those after the line's last tab and before its ink end
// (text before a tab is pinned by the tab stop).
struct StretchRange {
  std::size_t from = 0;
  std::size_t to = 0;
  std::int32_t blanks = 0;
};
StretchRange stretchRange(std::u16string_view text, std::size_t start, std::size_t ink) {
  StretchRange r{start, ink, 0};
  for (std::size_t q = start; q < ink; ++q) {
    if (text[q] == ch::Tab) r.from = q + 1;
  }
  for (std::size_t q = r.from; q < ink; ++q) {
    if (stretchesWhenJustified(text[q])) ++r.blanks;
  }
  return r;
}

const CharFormat& fallbackFormat() {
  static const CharFormat format = defaultCharFormat();
  return format;
}

}  // namespace

std::int32_t spacedLineHeight(std::int32_t natural, const ParaFormat& format) {
  const std::int64_t base = std::max(natural, 1);
  const std::int64_t dy = std::llabs(std::int64_t{format.lineSpacing});
  std::int64_t h = base;
  switch (format.lineSpacingRule) {
    case lsr::OneAndHalf: h = base * 3 / 2; break;
    case lsr::Double: h = base * 2; break;
    case lsr::AtLeast: h = std::max(base, dy); break;
    case lsr::Exactly: h = dy > 0 ? dy : base; break;
    case lsr::Multiple: h = dy > 0 ? base * dy / 20 : base; break;
    default: break;
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(h, 1, MaxCoordinate));
}

TabStop nextTabStop(const ParaFormat& format, std::int64_t x, std::int64_t implicitStop) {
  TabStop best{};
  bool found = false;
  const int count = std::clamp<int>(format.tabCount, 0, tab::MaxStops);
  for (int i = 0; i < count; ++i) {
    const std::int32_t position = tabPosition(format.tabs[static_cast<std::size_t>(i)]);
    const std::uint32_t alignment = tabAlignment(format.tabs[static_cast<std::size_t>(i)]);
    if (alignment == tab::Bar || position <= x) continue;  // a bar stop only draws a rule
    if (!found || position < best.position) {
      best = {position, alignment > tab::Decimal ? tab::Left : alignment,
              tabLeader(format.tabs[static_cast<std::size_t>(i)])};
      found = true;
    }
  }
  if (implicitStop > x && (!found || implicitStop < best.position)) {
    return {static_cast<std::int32_t>(clampCoordinate(implicitStop)), tab::Left};
  }
  if (found) return best;
  const std::int64_t next = (std::max<std::int64_t>(x, 0) / DefaultTabWidth + 1) * DefaultTabWidth;
  return {static_cast<std::int32_t>(clampCoordinate(next)), tab::Left};
}

ParagraphLayouter::Indents ParagraphLayouter::indents(const ParagraphSource& source) {
  const ParaFormat& f = source.format;
  Indents in;
  const std::int64_t start = clampCoordinate(f.startIndent);
  in.otherLeft = clampCoordinate(std::int64_t{f.startIndent} + f.offset);
  in.firstLeft = start;
  in.labelX = static_cast<std::int32_t>(start);
  if (source.label.empty()) {
    // A hanging indent is also the first tab stop of the first line.
    if (f.offset > 0) in.implicitStop = in.otherLeft;
    return in;
  }
  const CharFormat& labelFormat = !source.spans.empty() && source.spans.front().format
                                      ? *source.spans.front().format
                                      : fallbackFormat();
  std::vector<std::int32_t> advances(source.label.size());
  measurer_.measure(labelFormat, source.label, advances);
  std::int64_t width = 0;
  for (const std::int32_t a : advances) width += std::clamp<std::int32_t>(a, 0, MaxCoordinate);
  in.labelWidth = static_cast<std::int32_t>(clampCoordinate(width));
  in.labelMetrics = measurer_.metrics(labelFormat);
  in.hasLabel = true;
  // The text starts at the hanging indent. A label wider than the hang pushes it to the next
  // tab stop, so label and text never touch; without a hang it follows the label and the
  // numbering gap.
  const std::int64_t labelEnd = start + in.labelWidth + f.numberingTab;
  const std::int64_t hang = start + std::max(f.offset, 0);
  if (labelEnd <= hang) {
    in.firstLeft = hang;
  } else {
    in.firstLeft = f.offset > 0 ? nextTabStop(f, labelEnd).position : clampCoordinate(labelEnd);
  }
  return in;
}

void ParagraphLayouter::measure(const ParagraphSource& source, std::size_t from, std::size_t to) {
  const std::u16string_view text = source.text;
  const std::size_t n = text.size();
  to = std::min(to, n);
  if (advances_.size() < n) {
    advances_.resize(n);
    metrics_.resize(n);
    visible_.resize(n);
  }
  auto measureSpan = [&](const CharFormat& format, std::size_t s, std::size_t e) {
    FontMetrics m = measurer_.metrics(format);
    const std::int64_t rise = baselineRise(format);
    m.ascent = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(m.ascent + std::max<std::int64_t>(rise, 0), 0, MaxCoordinate));
    m.descent = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(m.descent + std::max<std::int64_t>(-rise, 0), 0, MaxCoordinate));
    const bool hidden = format.has(cfe::Hidden);
    if (hidden) {
      std::fill(advances_.begin() + static_cast<std::ptrdiff_t>(s),
                advances_.begin() + static_cast<std::ptrdiff_t>(e), 0);
    } else {
      measurer_.measure(format, text.substr(s, e - s),
                        std::span<std::int32_t>(advances_.data() + s, e - s));
    }
    std::fill(metrics_.begin() + static_cast<std::ptrdiff_t>(s),
              metrics_.begin() + static_cast<std::ptrdiff_t>(e), m);
    std::fill(visible_.begin() + static_cast<std::ptrdiff_t>(s),
              visible_.begin() + static_cast<std::ptrdiff_t>(e), hidden ? 0 : 1);
  };
  std::size_t at = 0;
  for (const FormatSpan& span : source.spans) {
    const std::size_t spanEnd = at + static_cast<std::size_t>(std::max(span.length, 0));
    const std::size_t s = std::max(at, from);
    const std::size_t e = std::min(spanEnd, to);
    if (s < e) measureSpan(span.format ? *span.format : fallbackFormat(), s, e);
    at = spanEnd;
    if (at >= to) break;
  }
  if (at < to) measureSpan(fallbackFormat(), std::max(at, from), to);
  for (std::size_t q = from; q < to; ++q) {
    if (endsLine(text[q]) || text[q] == ch::Tab) {
      advances_[q] = 0;
    } else {
      advances_[q] = std::clamp<std::int32_t>(advances_[q], 0, MaxCoordinate);
    }
  }
  for (const ObjectBox& object : source.objects) {
    const auto q = static_cast<std::size_t>(object.offset);
    if (object.offset < 0 || q < from || q >= to || text[q] != ch::Object || !visible_[q]) {
      continue;
    }
    advances_[q] = std::clamp<std::int32_t>(object.extent.width, 0, MaxCoordinate);
    metrics_[q] = {std::clamp<std::int32_t>(object.extent.height, 0, MaxCoordinate), 0};
  }
}

std::int64_t ParagraphLayouter::advanceAt(const ParagraphSource& source, std::size_t i,
                                          std::int64_t x, std::int64_t implicitStop) const {
  const std::u16string_view text = source.text;
  if (text[i] != ch::Tab) return advances_[i];
  if (!visible_[i]) return 0;
  const TabStop stop = nextTabStop(source.format, x, implicitStop);
  if (stop.alignment == tab::Left) return std::max<std::int64_t>(stop.position - x, 0);
  std::int64_t following = 0;
  const std::size_t end = segmentEnd(text, i + 1);
  for (std::size_t k = i + 1; k < end; ++k) {
    if (stop.alignment == tab::Decimal && text[k] == u'.') break;
    following += advances_[k];
  }
  const std::int64_t target =
      stop.alignment == tab::Center ? stop.position - following / 2 : stop.position - following;
  return std::max<std::int64_t>(target - x, 0);
}

void ParagraphLayouter::finishLine(const ParagraphSource& source, const LayoutOptions& options,
                                   LineBox& line, std::int64_t alignRight, const Indents& in) {
  const std::u16string_view text = source.text;
  const auto start = static_cast<std::size_t>(line.start);
  const auto end = static_cast<std::size_t>(line.end());
  const std::size_t ink = inkEnd(text, start, end);
  line.width = ink > start ? static_cast<std::int32_t>(x_[ink] - line.left) : 0;

  const std::int64_t room = alignRight - line.left;
  const std::uint8_t forced = lineflag::EndsParagraph | lineflag::LineBreak | lineflag::PageBreak;
  switch (source.format.alignment) {
    case pfa::Right:
      line.shift = static_cast<std::int32_t>(std::max<std::int64_t>(room - line.width, 0));
      break;
    case pfa::Center:
      line.shift = static_cast<std::int32_t>(std::max<std::int64_t>((room - line.width) / 2, 0));
      break;
    case pfa::Justify:
      if (options.justify && options.wrap && !line.has(forced) && room > line.width &&
          stretchRange(text, start, ink).blanks > 0) {
        line.slack = static_cast<std::int32_t>(room - line.width);
      }
      break;
    default: break;
  }

  // The tallest visible text sets the line; break characters count only on an empty line.
  std::int32_t ascent = -1;
  std::int32_t descent = 0;
  for (std::size_t q = start; q < end; ++q) {
    if (!visible_[q] || endsLine(text[q])) continue;
    ascent = std::max(ascent, metrics_[q].ascent);
    descent = std::max(descent, metrics_[q].descent);
  }
  if (ascent < 0) {
    const FontMetrics m = end > start ? metrics_[end - 1] : measurer_.metrics(fallbackFormat());
    ascent = m.ascent;
    descent = m.descent;
  }
  if (line.has(lineflag::FirstLine) && in.hasLabel) {
    ascent = std::max(ascent, in.labelMetrics.ascent);
    descent = std::max(descent, in.labelMetrics.descent);
  }
  const std::int32_t natural = static_cast<std::int32_t>(
      std::min<std::int64_t>(std::int64_t{ascent} + descent, MaxCoordinate));
  line.height = spacedLineHeight(natural, source.format);
  // Extra or missing space goes above the text: the descent stays at the bottom.
  line.baseline = std::clamp(line.height - descent, 0, line.height);
}

ParagraphBox ParagraphLayouter::layout(const ParagraphSource& source,
                                       const LayoutOptions& options) {
  const ParaFormat& f = source.format;
  const std::u16string_view text = source.text;
  const std::size_t n = text.size();
  ParagraphBox box;
  box.pageBreakBefore = f.has(pfe::PageBreakBefore);
  box.spaceBefore =
      static_cast<std::int32_t>(std::clamp<std::int64_t>(f.spaceBefore, 0, MaxParagraphSpace));
  const auto spaceAfter = std::clamp<std::int64_t>(f.spaceAfter, 0, MaxParagraphSpace);
  const Indents in = indents(source);
  box.labelX = in.labelX;
  box.labelWidth = in.labelWidth;
  measure(source, 0, n);
  x_.assign(n + 1, 0);
  const std::int64_t rightEdge =
      clampCoordinate(options.width) - std::clamp<std::int64_t>(f.rightIndent, 0, MaxCoordinate);

  std::int64_t top = box.spaceBefore;
  std::size_t start = 0;
  do {
    const bool first = start == 0;
    const std::int64_t left = first ? in.firstLeft : in.otherLeft;
    const std::int64_t alignRight = std::max(left, rightEdge);
    const std::int64_t wrapRight = options.wrap ? alignRight : std::int64_t{MaxCoordinate};
    const std::int64_t implicitStop = first ? in.implicitStop : -1;
    std::int64_t x = left;
    std::size_t breakAt = 0;
    std::size_t end = 0;
    std::uint8_t flags = first ? lineflag::FirstLine : 0;
    std::size_t j = start;
    for (; j < n; ++j) {
      x_[j] = x;
      const char16_t c = text[j];
      if (endsLine(c)) {
        end = j + 1;
        flags |= breakFlag(c);
        x_[end] = x;
        break;
      }
      if (j > start && canBreakBefore(text, j)) breakAt = j;
      const std::int64_t advance = advanceAt(source, j, x, implicitStop);
      if (options.wrap && j > start && x + advance > wrapRight && !hangsAtLineEnd(c)) {
        end = breakAt > start ? breakAt : j;
        // Never split a surrogate pair when a word has to be cut.
        if (end == j && end > start + 1 && text[end] >= 0xDC00 && text[end] <= 0xDFFF) --end;
        break;
      }
      x = std::min<std::int64_t>(x + advance, MaxCoordinate);
    }
    if (end == 0) {  // text without a paragraph end
      end = n;
      x_[n] = x;
    }
    LineBox line;
    line.start = static_cast<std::int32_t>(start);
    line.length = static_cast<std::int32_t>(end - start);
    line.left = static_cast<std::int32_t>(left);
    line.flags = flags;
    finishLine(source, options, line, alignRight, in);
    line.top = static_cast<std::int32_t>(std::min<std::int64_t>(top, MaxCoordinate));
    top = std::min<std::int64_t>(top + line.height, MaxCoordinate);
    box.lines.push_back(line);
    start = end;
  } while (start < n);
  box.height = static_cast<std::int32_t>(std::min<std::int64_t>(top + spaceAfter, MaxCoordinate));
  return box;
}

std::vector<std::int32_t> ParagraphLayouter::caretPositions(const ParagraphSource& source,
                                                            const LineBox& line) {
  const std::u16string_view text = source.text;
  const std::size_t n = text.size();
  const std::size_t start =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(line.start, 0)), n);
  const std::size_t end =
      std::min<std::size_t>(start + static_cast<std::size_t>(std::max(line.length, 0)), n);
  std::size_t measureEnd = end;
  for (std::size_t q = start; q < end; ++q) {
    if (text[q] == ch::Tab) measureEnd = std::max(measureEnd, segmentEnd(text, q + 1));
  }
  measure(source, start, measureEnd);
  const Indents in = indents(source);
  const std::int64_t implicitStop = line.has(lineflag::FirstLine) ? in.implicitStop : -1;
  const StretchRange stretch =
      line.slack > 0 ? stretchRange(text, start, inkEnd(text, start, end)) : StretchRange{};
  std::vector<std::int32_t> out(end - start + 1);
  std::int64_t x = line.left;
  std::int64_t extra = 0;
  std::int32_t blank = 0;
  for (std::size_t q = start; q < end; ++q) {
    out[q - start] = static_cast<std::int32_t>(x + line.shift + extra);
    if (endsLine(text[q])) continue;
    x = std::min<std::int64_t>(x + advanceAt(source, q, x, implicitStop), MaxCoordinate);
    if (stretch.blanks > 0 && q >= stretch.from && q < stretch.to &&
        stretchesWhenJustified(text[q])) {
      extra += line.slack / stretch.blanks + (blank < line.slack % stretch.blanks ? 1 : 0);
      ++blank;
    }
  }
  out[end - start] = static_cast<std::int32_t>(x + line.shift + extra);
  return out;
}

}  // namespace richedit
