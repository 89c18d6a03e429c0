#include "richedit/LineDrawing.h"

#include <algorithm>

#include "richedit/RichEditConstants.h"

namespace richedit {

namespace {

bool drawsNothing(char16_t c) {
  return c == ch::ParagraphEnd || c == ch::LineBreak || c == ch::PageBreak || c == ch::Tab;
}

}  // namespace

LineDrawing lineDrawing(const ParagraphSource& source, const ParagraphBox& box, const LineBox& line,
                        const std::vector<std::int32_t>& carets) {
  LineDrawing d;
  d.height = line.height;
  d.baseline = line.baseline;
  const CharFormat* firstFormat = source.spans.empty() ? nullptr : source.spans.front().format;
  if (line.has(lineflag::FirstLine) && !source.label.empty()) {
    d.label = source.label;
    d.labelX = box.labelX;
    d.labelFormat = firstFormat;
  }
  const std::u16string_view text = source.text;
  const auto start = static_cast<std::size_t>(std::max(line.start, 0));
  const std::size_t end =
      std::min(text.size(), start + static_cast<std::size_t>(std::max(line.length, 0)));
  if (carets.size() < end - start + 1) return d;
  auto xAt = [&](std::size_t q) { return carets[q - start]; };
  // The stop a tab reached, found again as layout found it: from the tab's x before alignment,
  // with the hanging indent as a stop on a first line without a label.
  const ParaFormat& para = source.format;
  const std::int64_t implicitStop =
      line.has(lineflag::FirstLine) && source.label.empty() && para.offset > 0
          ? std::int64_t{para.startIndent} + para.offset
          : -1;
  const auto addLeader = [&](std::size_t q, const CharFormat* format) {
    const TabStop stop = nextTabStop(para, std::int64_t{xAt(q)} - line.shift, implicitStop);
    if (stop.leader != tab::NoLeader && xAt(q + 1) > xAt(q)) {
      d.leaders.push_back({xAt(q), xAt(q + 1), stop.leader, format});
    }
  };

  std::size_t spanStart = 0;
  std::size_t span = 0;
  TextPiece* open = nullptr;
  std::size_t object = 0;
  for (std::size_t q = start; q < end; ++q) {
    while (span < source.spans.size() &&
           spanStart + static_cast<std::size_t>(std::max(source.spans[span].length, 0)) <= q) {
      spanStart += static_cast<std::size_t>(std::max(source.spans[span].length, 0));
      ++span;
    }
    const CharFormat* format = span < source.spans.size() ? source.spans[span].format : nullptr;
    const char16_t c = text[q];
    if (c == ch::Tab && !(format && format->has(cfe::Hidden))) addLeader(q, format);
    if (drawsNothing(c) || (format && format->has(cfe::Hidden))) {
      open = nullptr;
      continue;
    }
    if (c == ch::Object) {
      open = nullptr;
      while (object < source.objects.size() &&
             static_cast<std::size_t>(source.objects[object].offset) < q) {
        ++object;
      }
      if (object < source.objects.size() &&
          static_cast<std::size_t>(source.objects[object].offset) == q) {
        d.objects.push_back({static_cast<CharPos>(q), xAt(q), source.objects[object].extent});
      }
      continue;
    }
    if (!open || open->format != format) {
      d.pieces.push_back({static_cast<CharPos>(q), {}, format, {xAt(q)}});
      open = &d.pieces.back();
    }
    open->text = text.substr(static_cast<std::size_t>(open->start),
                             q + 1 - static_cast<std::size_t>(open->start));
    open->x.push_back(xAt(q + 1));
  }
  return d;
}

}  // namespace richedit
