#pragma once
// Draws laid-out lines on a device context at the device's own resolution. Layout positions
// are twips; the renderer scales them by the device's pixels per twip (a zoom is only another
// scale) and places every character at its laid-out x, so glyphs of any device follow the
// lines the reference measurer made.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <unordered_map>

#include "platform/GdiHandles.h"
#include "richedit/DocumentLayout.h"
#include "richedit/FontGroupedText.h"
#include "richedit/LineDrawing.h"
#include "richedit/PictureBitmaps.h"

namespace richedit {

struct DeviceScale {
  double pixelsPerTwipX = 96.0 / 1440;
  double pixelsPerTwipY = 96.0 / 1440;
  POINT origin{0, 0};  // where layout's left margin and band top land, in device pixels
};

// One drawing pass: the device context's state comes back when the renderer goes.
class GdiLineRenderer {
 public:
  // PNG and JPEG pictures are decoded through bitmaps, which should outlive the pass when the
  // same document is painted again; without it they are decoded for this pass only.
  GdiLineRenderer(HDC dc, DeviceScale scale, PictureBitmaps* bitmaps = nullptr);
  ~GdiLineRenderer();
  GdiLineRenderer(const GdiLineRenderer&) = delete;
  GdiLineRenderer& operator=(const GdiLineRenderer&) = delete;

  // Characters of range draw in the given colours on the given background (the window's
  // selection); an empty range selects nothing.
  void setSelection(CharRange range, COLORREF background, COLORREF text) {
    selection_ = range;
    selectionBack_ = background;
    selectionText_ = text;
  }
  // Sorted, disjoint ranges that draw as links although their text is not linked (URLs the
  // window detected); they must outlive the pass.
  void setExtraLinks(std::span<const CharRange> links) { links_ = links; }

  // Draws lines [first, last) of layout; bandTop is the layout y that lands on origin.y.
  void drawLines(DocumentLayout& layout, const RichTextDocument& document, int first, int last,
                 std::int64_t bandTop);
  // One line whose top is top twips below the band's top; paragraphStart places its pictures.
  void drawLine(const LineDrawing& line, std::int64_t top, const RichTextDocument& document,
                CharPos paragraphStart);

 private:
  int deviceX(std::int64_t twips) const;
  int deviceY(std::int64_t twips) const;
  HFONT fontFor(const CharFormat& format);
  HFONT smallCapsFontFor(const CharFormat& format);
  void drawText(const CharFormat& format, std::u16string_view text, std::span<const std::int32_t> x,
                bool selected, bool linked, std::int64_t baseline, std::int64_t lineTop,
                std::int32_t lineHeight);
  void drawLeader(const LeaderPiece& leader, std::int64_t baseline);
  void drawUnderline(const CharFormat& format, std::u16string_view text,
                     std::span<const std::int32_t> x, int y, int thickness, COLORREF color);
  void drawPicture(const Picture& picture, const RECT& box);

  HDC dc_;
  DeviceScale scale_;
  int savedDc_;
  PictureBitmaps passBitmaps_;
  PictureBitmaps& bitmaps_;
  // Fonts by the address of their format: a renderer lives for one drawing pass, while the
  // document's formats stay where they are.
  std::unordered_map<const CharFormat*, FontHandle> fonts_;
  std::unordered_map<const CharFormat*, FontHandle> smallCapsFonts_;
  const CharFormat fallback_ = defaultCharFormat();
  // After the fonts, so that it draws before they go.
  FontGroupedText text_{dc_, GetDeviceCaps(dc_, TECHNOLOGY) == DT_RASPRINTER};
  CharRange selection_;
  std::span<const CharRange> links_;
  COLORREF selectionBack_ = RGB(0, 0, 128);
  COLORREF selectionText_ = RGB(255, 255, 255);
};

}  // namespace richedit
