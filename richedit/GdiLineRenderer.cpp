#include "richedit/GdiLineRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/MetafilePlayback.h"
#include "richedit/GdiTextMeasurer.h"

namespace richedit {

namespace {

// Automatic colour is black on paper and on the white page pictures; links without a colour
// of their own show in blue.
COLORREF textColor(const CharFormat& format, bool linked = false) {
  if (!format.has(cfe::AutoColor)) return static_cast<COLORREF>(format.textColor);
  return linked || format.has(cfe::Link) ? RGB(0, 0, 255) : RGB(0, 0, 0);
}

void fill(HDC dc, const RECT& r, COLORREF color) {
  BrushHandle brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.get());
}

// Dash patterns: on and off lengths in bar thicknesses.
constexpr int Dots[] = {1, 1};
constexpr int Dashes[] = {4, 2};
constexpr int DashDots[] = {4, 2, 1, 2};
constexpr int DashDotDots[] = {4, 2, 1, 2, 1, 2};
constexpr int LongDashes[] = {8, 3};

// How an underline type is drawn: its bars, their weight in normal bar thicknesses (0 for a
// device's finest line), and the dash pattern (empty: solid).
struct UnderlineLook {
  int bars = 1;
  int weight = 1;
  bool wave = false;
  std::span<const int> dashes;
};

UnderlineLook underlineLook(std::uint8_t type) {
  switch (type) {
    case cfu::Double: return {2, 1, false, {}};
    case cfu::Dotted: return {1, 1, false, Dots};
    case cfu::Dash: return {1, 1, false, Dashes};
    case cfu::DashDot: return {1, 1, false, DashDots};
    case cfu::DashDotDot: return {1, 1, false, DashDotDots};
    case cfu::Wave: return {1, 1, true, {}};
    case cfu::Thick: return {1, 2, false, {}};
    case cfu::Hairline: return {1, 0, false, {}};
    case cfu::DoubleWave: return {2, 1, true, {}};
    case cfu::HeavyWave: return {1, 2, true, {}};
    case cfu::LongDash: return {1, 1, false, LongDashes};
    case cfu::ThickDash: return {1, 2, false, Dashes};
    case cfu::ThickDashDot: return {1, 2, false, DashDots};
    case cfu::ThickDashDotDot: return {1, 2, false, DashDotDots};
    case cfu::ThickDotted: return {1, 2, false, Dots};
    case cfu::ThickLongDash: return {1, 2, false, LongDashes};
    default: return {};  // single, word (split by the caller) and types not known here
  }
}

// Bars of thickness from left to right with their top at y, cut by the dash pattern.
void strokeBar(HDC dc, int left, int right, int y, int thickness, std::span<const int> dashes,
               COLORREF color) {
  if (dashes.empty()) {
    fill(dc, {left, y, right, y + thickness}, color);
    return;
  }
  for (int x = left; x < right;) {
    bool on = true;
    for (const int length : dashes) {
      const int end = std::min(right, x + std::max(1, length * thickness));
      if (on) fill(dc, {x, y, end, y + thickness}, color);
      x = end;
      on = !on;
      if (x >= right) break;
    }
  }
}

// A zigzag from left to right around y, as high as three thicknesses.
void strokeWave(HDC dc, int left, int right, int y, int thickness, COLORREF color) {
  const int step = std::max(2, thickness * 2);
  std::vector<POINT> points;
  for (int x = left, up = 0; x <= right + step; x += step, up ^= 1) {
    points.push_back({std::min(x, right), y + (up ? -thickness : thickness)});
    if (x >= right) break;
  }
  PenHandle pen(CreatePen(PS_SOLID, thickness, color));
  Selection use(dc, pen.get());
  Polyline(dc, points.data(), static_cast<int>(points.size()));
}

}  // namespace

GdiLineRenderer::GdiLineRenderer(HDC dc, DeviceScale scale, PictureBitmaps* bitmaps)
    : dc_(dc), scale_(scale), savedDc_(SaveDC(dc)), bitmaps_(bitmaps ? *bitmaps : passBitmaps_) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

GdiLineRenderer::~GdiLineRenderer() {
  text_.Flush();
  RestoreDC(dc_, savedDc_);
}

int GdiLineRenderer::deviceX(std::int64_t twips) const {
  return scale_.origin.x +
         static_cast<int>(std::lround(static_cast<double>(twips) * scale_.pixelsPerTwipX));
}

int GdiLineRenderer::deviceY(std::int64_t twips) const {
  return scale_.origin.y +
         static_cast<int>(std::lround(static_cast<double>(twips) * scale_.pixelsPerTwipY));
}

HFONT GdiLineRenderer::fontFor(const CharFormat& format) {
  FontHandle& slot = fonts_[&format];
  if (!slot) {
    const LOGFONTW lf = logFontFor(format, scale_.pixelsPerTwipY);
    slot.Reset(CreateFontIndirectW(&lf));
  }
  return slot.get();
}

HFONT GdiLineRenderer::smallCapsFontFor(const CharFormat& format) {
  FontHandle& slot = smallCapsFonts_[&format];
  if (!slot) {
    const LOGFONTW lf = logFontFor(smallCapsFormat(format), scale_.pixelsPerTwipY);
    slot.Reset(CreateFontIndirectW(&lf));
  }
  return slot.get();
}

void GdiLineRenderer::drawLines(DocumentLayout& layout, const RichTextDocument& document, int first,
                                int last, std::int64_t bandTop) {
  for (int i = std::max(first, 0); i < last; ++i) {
    const DocumentLine l = layout.line(i);
    drawLine(layout.drawing(i), l.top - bandTop, document, l.start - l.box.start);
  }
}

void GdiLineRenderer::drawLine(const LineDrawing& line, std::int64_t top,
                               const RichTextDocument& document, CharPos paragraphStart) {
  const std::int64_t baseline = top + line.baseline;
  for (const TextPiece& piece : line.pieces) {
    if (!piece.format || piece.text.empty()) continue;
    // Parts cut where the selection and the extra links start and end.
    const auto n = static_cast<CharPos>(piece.text.size());
    const CharPos from = paragraphStart + piece.start;
    std::vector<CharPos> cuts{0, n, std::clamp(selection_.min - from, 0, n),
                              std::clamp(selection_.max - from, 0, n)};
    auto link = std::upper_bound(links_.begin(), links_.end(), from,
                                 [](CharPos p, const CharRange& r) { return p < r.max; });
    const auto firstLink = link;
    for (; link != links_.end() && link->min < from + n; ++link) {
      cuts.push_back(std::clamp(link->min - from, 0, n));
      cuts.push_back(std::clamp(link->max - from, 0, n));
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    link = firstLink;
    for (std::size_t part = 0; part + 1 < cuts.size(); ++part) {
      const CharPos start = from + cuts[part];
      while (link != links_.end() && link->max <= start) ++link;
      const auto p0 = static_cast<std::size_t>(cuts[part]);
      const auto p1 = static_cast<std::size_t>(cuts[part + 1]);
      drawText(*piece.format, piece.text.substr(p0, p1 - p0),
               std::span<const std::int32_t>(piece.x).subspan(p0, p1 - p0 + 1),
               start >= selection_.min && start < selection_.max,
               link != links_.end() && link->min <= start, baseline, top, line.height);
    }
  }
  if (!line.label.empty()) {
    const CharFormat& format = line.labelFormat ? *line.labelFormat : fallback_;
    text_.Draw(fontFor(format), textColor(format), deviceX(line.labelX), deviceY(baseline),
               line.label, nullptr);
  }
  for (const LeaderPiece& leader : line.leaders) drawLeader(leader, baseline);
  for (const ObjectPiece& object : line.objects) {
    const Picture* picture = document.pictureAt(paragraphStart + object.start);
    if (!picture) continue;
    const RECT box{deviceX(object.x), deviceY(baseline - object.extent.height),
                   deviceX(std::int64_t{object.x} + object.extent.width), deviceY(baseline)};
    drawPicture(*picture, box);
  }
}

void GdiLineRenderer::drawText(const CharFormat& format, std::u16string_view text,
                               std::span<const std::int32_t> x, bool selected, bool linked,
                               std::int64_t baseline, std::int64_t lineTop,
                               std::int32_t lineHeight) {
  const int left = deviceX(x.front());
  const int right = deviceX(x.back());
  if (selected || !format.has(cfe::AutoBackColor)) {
    fill(dc_, {left, deviceY(lineTop), right, deviceY(lineTop + lineHeight)},
         selected ? selectionBack_ : static_cast<COLORREF>(format.backColor));
  }
  const COLORREF color = selected ? selectionText_ : textColor(format, linked);
  // Each character at its laid-out x: advances from rounded positions do not drift.
  std::vector<INT> dx(text.size());
  for (std::size_t i = 0; i < dx.size(); ++i) dx[i] = deviceX(x[i + 1]) - deviceX(x[i]);
  const std::int64_t raised = baseline - baselineRise(format);
  // Pieces of one size: small capitals draw in a smaller font than the rest of the run.
  std::u16string shown(text);
  for (std::size_t from = 0; from < text.size();) {
    const bool small = shownChar(format, text[from]).small;
    std::size_t to = from;
    for (; to < text.size(); ++to) {
      const ShownChar c = shownChar(format, text[to]);
      if (c.small != small) break;
      shown[to] = c.c;
    }
    text_.Draw(small ? smallCapsFontFor(format) : fontFor(format), color, deviceX(x[from]),
               deviceY(raised), std::u16string_view(shown).substr(from, to - from),
               dx.data() + from);
    from = to;
  }
  // Underline and strike-out as bars in the text's colour, about a twentieth of the size thick.
  const int thickness =
      std::max(1, static_cast<int>(std::lround(format.height / 20.0 * scale_.pixelsPerTwipY)));
  if (format.has(cfe::Underline) || format.has(cfe::Link) || linked) {
    drawUnderline(format, text, x, deviceY(raised + format.height / 10), thickness, color);
  }
  if (format.has(cfe::StrikeOut)) {
    const int y = deviceY(raised - format.height * 3 / 10);
    fill(dc_, {left, y, right, y + thickness}, color);
  }
}

void GdiLineRenderer::drawLeader(const LeaderPiece& leader, std::int64_t baseline) {
  const CharFormat& format = leader.format ? *leader.format : fallback_;
  const COLORREF color = textColor(format);
  const int thickness =
      std::max(1, static_cast<int>(std::lround(format.height / 20.0 * scale_.pixelsPerTwipY)));
  const int left = deviceX(leader.left);
  const int right = deviceX(leader.right);
  const int onBaseline = deviceY(baseline) - thickness;
  const int underline = deviceY(baseline + format.height / 10);
  switch (leader.leader) {
    case tab::Dots: {
      // Dots on a grid from the margin, so the leaders of lines one above the other line up.
      const int pitch = std::max(2 * thickness, deviceX(format.height / 4) - deviceX(0));
      const int first = left + (pitch - (left - deviceX(0)) % pitch) % pitch;
      for (int x = first; x + thickness <= right; x += pitch) {
        fill(dc_, {x, onBaseline, x + thickness, onBaseline + thickness}, color);
      }
      break;
    }
    case tab::Dashes: strokeBar(dc_, left, right, onBaseline, thickness, Dashes, color); break;
    case tab::Lines: strokeBar(dc_, left, right, underline, thickness, {}, color); break;
    case tab::Thick: strokeBar(dc_, left, right, underline, 2 * thickness, {}, color); break;
    case tab::Equals:
      strokeBar(dc_, left, right, underline - 2 * thickness, thickness, {}, color);
      strokeBar(dc_, left, right, underline, thickness, {}, color);
      break;
    default: break;
  }
}

void GdiLineRenderer::drawUnderline(const CharFormat& format, std::u16string_view text,
                                    std::span<const std::int32_t> x, int y, int thickness,
                                    COLORREF color) {
  // Links without an underline of their own show the single one.
  const std::uint8_t type = format.has(cfe::Underline) ? format.underlineType : cfu::Single;
  const UnderlineLook look = underlineLook(type);
  const int weight = look.weight == 0 ? 1 : thickness * look.weight;
  const auto stroke = [&](int left, int right) {
    for (int bar = 0; bar < look.bars; ++bar) {
      const int top = y + bar * 2 * weight;
      if (look.wave) {
        strokeWave(dc_, left, right, top + weight, weight, color);
      } else {
        strokeBar(dc_, left, right, top, weight, look.dashes, color);
      }
    }
  };
  if (type != cfu::Word) {
    stroke(deviceX(x.front()), deviceX(x.back()));
    return;
  }
  // Words only: each run of characters that are not blanks.
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == u' ' || text[i] == u'\t') {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] != u' ' && text[end] != u'\t') ++end;
    stroke(deviceX(x[i]), deviceX(x[end]));
    i = end;
  }
}

namespace {

struct EnhMetaFileDeleter {
  void operator()(HENHMETAFILE emf) const { DeleteEnhMetaFile(emf); }
};
using EnhMetaFile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetaFileDeleter>;

bool play(HDC dc, const EnhMetaFile& emf, const RECT& box) {
  return PlayMetafile(dc, emf.get(), box);
}

// Halftoned, so that a photograph shrunk onto the page keeps its tones instead of losing rows.
void stretchDib(HDC dc, const BITMAPINFO& info, const void* bits, const RECT& box) {
  SetStretchBltMode(dc, HALFTONE);
  StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0,
                info.bmiHeader.biWidth, std::abs(info.bmiHeader.biHeight), bits, &info,
                DIB_RGB_COLORS, SRCCOPY);
}

// Where a packed DIB's pixels start; 0 when its header or pixels would lie past its bytes.
std::size_t dibBitsOffset(std::string_view bytes) {
  if (bytes.size() < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER h;
  std::memcpy(&h, bytes.data(), sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > bytes.size()) return 0;
  std::size_t colours = h.biClrUsed;
  if (colours == 0 && h.biBitCount <= 8) colours = std::size_t{1} << h.biBitCount;
  std::size_t header = h.biSize + colours * sizeof(RGBQUAD);
  if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) header += 12;
  const auto width = static_cast<std::size_t>(std::abs(std::int64_t{h.biWidth}));
  const auto height = static_cast<std::size_t>(std::abs(std::int64_t{h.biHeight}));
  const std::size_t stride = (width * h.biBitCount + 31) / 32 * 4;
  if (header > bytes.size() || stride == 0 || height > (bytes.size() - header) / stride) return 0;
  return header;
}

// False when the bytes cannot be drawn.
bool drawContent(HDC dc, const Picture& picture, const RECT& box, PictureBitmaps& bitmaps) {
  const auto* bytes = reinterpret_cast<const BYTE*>(picture.data.data());
  const auto size = static_cast<UINT>(picture.data.size());
  switch (picture.kind) {
    case PictureKind::Emf: return play(dc, EnhMetaFile(SetEnhMetaFileBits(size, bytes)), box);
    case PictureKind::Wmf: {
      const METAFILEPICT mfp{picture.mapMode, picture.width, picture.height, nullptr};
      return play(dc, EnhMetaFile(SetWinMetaFileBits(size, bytes, nullptr, &mfp)), box);
    }
    case PictureKind::Dib: {
      const std::size_t offset = dibBitsOffset(picture.data);
      if (offset == 0) return false;
      stretchDib(dc, *reinterpret_cast<const BITMAPINFO*>(bytes), bytes + offset, box);
      return true;
    }
    case PictureKind::Png:
    case PictureKind::Jpeg: {
      const DecodedDib* dib = bitmaps.find(picture);
      if (dib) stretchDib(dc, *dib->info(), dib->pixels.data(), box);
      return dib != nullptr;
    }
  }
  return false;
}

}  // namespace

void GdiLineRenderer::drawPicture(const Picture& picture, const RECT& box) {
  if (box.right <= box.left || box.bottom <= box.top) return;
  if (drawContent(dc_, picture, box, bitmaps_)) return;
  // A picture that cannot be drawn (damaged, too large) still shows where it stands.
  const int edge = std::max(1, static_cast<int>(std::lround(15 * scale_.pixelsPerTwipX)));
  fill(dc_, box, RGB(160, 160, 160));
  const RECT inside{box.left + edge, box.top + edge, box.right - edge, box.bottom - edge};
  if (inside.left < inside.right && inside.top < inside.bottom) {
    fill(dc_, inside, RGB(224, 224, 224));
  }
}

}  // namespace richedit
