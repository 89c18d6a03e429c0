#pragma once
// The layout messages as the control's window answers them: EM_FORMATRANGE and
// EM_DISPLAYBAND, EM_SETTARGETDEVICE and the typography options. A range is laid out at the
// width of the record's rectangle from the reference measurer, so the break does not depend on
// the device; when asked to render, the lines are drawn on the record's device context at its
// resolution, in its logical units (a metafile recorded for a printer gets printer units).
#include <windows.h>

#include <richedit.h>

#include <optional>

#include "richedit/LayoutSettings.h"
#include "richedit/PictureBitmaps.h"
#include "richedit/RangeFormatter.h"

namespace richedit {

class FormatRangeHandler {
 public:
  FormatRangeHandler(const RichTextDocument& document, TextMeasurer& measurer)
      : document_(document), formatter_(document, measurer) {}

  // Answers the first character that did not fit and shortens the rectangle's bottom to the
  // lines placed; a null record frees the kept layout and answers 0.
  LRESULT formatRange(WPARAM render, FORMATRANGE* record);
  // Draws the band the last formatRange call formatted into area, in the device units of that
  // call's device context. FALSE when nothing was formatted since the layout was freed.
  LRESULT displayBand(const RECT* area);

  // The answer to one of the messages above, or nothing for any other message.
  std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);

  // Where the window wraps and whether it justifies, as the messages left it.
  const LayoutSettings& settings() const { return settings_; }

  void onChange(const ChangeNotice& notice) { formatter_.onChange(notice); }
  RangeFormatter& formatter() { return formatter_; }

 private:
  void draw(HDC dc, POINT origin);

  const RichTextDocument& document_;
  RangeFormatter formatter_;
  LayoutSettings settings_;
  PictureBitmaps bitmaps_;  // pages are drawn many times: preview, thumbnails, printing
  HDC device_ = nullptr;
  FormattedRange last_;
  bool formatted_ = false;
};

}  // namespace richedit
