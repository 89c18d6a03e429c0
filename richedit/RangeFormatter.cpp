#include "richedit/RangeFormatter.h"

#include <algorithm>

namespace richedit {

RangeFormatter::RangeFormatter(const RichTextDocument& document, TextMeasurer& measurer)
    : document_(document), measurer_(measurer) {}

FormattedRange RangeFormatter::format(const TwipsRect& area, CharRange range, bool justify) {
  const LayoutOptions options{static_cast<std::int32_t>(std::clamp<std::int64_t>(
                                  std::int64_t{area.right} - area.left, 0, MaxCoordinate)),
                              true, justify};
  if (!layout_) {
    layout_ = std::make_unique<DocumentLayout>(document_, measurer_, options);
  } else {
    layout_->setOptions(options);
  }
  const CharPos textEnd = document_.textLength();
  const CharPos limit = range.max < 0 || range.max > textEnd ? textEnd : range.max;
  const CharPos start = std::clamp(range.min, 0, textEnd);
  const std::int64_t height = std::int64_t{area.bottom} - area.top;
  FormattedRange out;
  const BandFit band = layout_->fit(start, height, limit);
  out.next = start >= limit ? limit : band.end;
  out.firstLine = band.firstLine;
  out.lines = band.lines;
  out.layoutTop = band.top;
  out.usedBottom = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{area.top} + band.height, INT32_MIN, INT32_MAX));
  return out;
}

}  // namespace richedit
