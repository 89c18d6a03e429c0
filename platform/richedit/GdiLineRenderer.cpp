#include "platform/richedit/GdiLineRenderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/richedit/GdiTextMeasurer.h"

namespace richedit {

namespace {

// Automatic colour is black on paper and on the white page pictures; links without a colour
// of their own show in blue.
COLORREF textColor(const CharFormat& format) {
  if (!format.has(cfe::AutoColor)) return static_cast<COLORREF>(format.textColor);
  return format.has(cfe::Link) ? RGB(0, 0, 255) : RGB(0, 0, 0);
}

void fill(HDC dc, const RECT& r, COLORREF color) {
  BrushHandle brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.get());
}

}  // namespace

GdiLineRenderer::GdiLineRenderer(HDC dc, DeviceScale scale)
    : dc_(dc), scale_(scale), savedDc_(SaveDC(dc)) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

GdiLineRenderer::~GdiLineRenderer() { RestoreDC(dc_, savedDc_); }

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
    // Up to three parts: before, inside and after the selection.
    const auto n = static_cast<CharPos>(piece.text.size());
    const CharPos from = paragraphStart + piece.start;
    const CharPos a = std::clamp(selection_.min - from, 0, n);
    const CharPos b = std::clamp(selection_.max - from, a, n);
    const CharPos cuts[] = {0, a, b, n};
    for (int part = 0; part < 3; ++part) {
      const auto p0 = static_cast<std::size_t>(cuts[part]);
      const auto p1 = static_cast<std::size_t>(cuts[part + 1]);
      if (p0 >= p1) continue;
      drawText(*piece.format, piece.text.substr(p0, p1 - p0),
               std::span<const std::int32_t>(piece.x).subspan(p0, p1 - p0 + 1), part == 1, baseline,
               top, line.height);
    }
  }
  if (!line.label.empty()) {
    const CharFormat& format = line.labelFormat ? *line.labelFormat : fallback_;
    Selection font(dc_, fontFor(format));
    SetTextColor(dc_, textColor(format));
    ExtTextOutW(dc_, deviceX(line.labelX), deviceY(baseline), 0, nullptr,
                reinterpret_cast<const wchar_t*>(line.label.data()),
                static_cast<UINT>(line.label.size()), nullptr);
  }
  for (const ObjectPiece& object : line.objects) {
    const Picture* picture = document.pictureAt(paragraphStart + object.start);
    if (!picture) continue;
    const RECT box{deviceX(object.x), deviceY(baseline - object.extent.height),
                   deviceX(std::int64_t{object.x} + object.extent.width), deviceY(baseline)};
    drawPicture(*picture, box);
  }
}

void GdiLineRenderer::drawText(const CharFormat& format, std::u16string_view text,
                               std::span<const std::int32_t> x, bool selected,
                               std::int64_t baseline, std::int64_t lineTop,
                               std::int32_t lineHeight) {
  const int left = deviceX(x.front());
  const int right = deviceX(x.back());
  if (selected || !format.has(cfe::AutoBackColor)) {
    fill(dc_, {left, deviceY(lineTop), right, deviceY(lineTop + lineHeight)},
         selected ? selectionBack_ : static_cast<COLORREF>(format.backColor));
  }
  const COLORREF color = selected ? selectionText_ : textColor(format);
  // Each character at its laid-out x: advances from rounded positions do not drift.
  std::vector<INT> dx(text.size());
  for (std::size_t i = 0; i < dx.size(); ++i) dx[i] = deviceX(x[i + 1]) - deviceX(x[i]);
  const std::int64_t raised = baseline - baselineRise(format);
  Selection font(dc_, fontFor(format));
  SetTextColor(dc_, color);
  ExtTextOutW(dc_, left, deviceY(raised), 0, nullptr, reinterpret_cast<const wchar_t*>(text.data()),
              static_cast<UINT>(text.size()), dx.data());
  // Underline and strike-out as bars in the text's colour, about a twentieth of the size thick.
  const int thickness =
      std::max(1, static_cast<int>(std::lround(format.height / 20.0 * scale_.pixelsPerTwipY)));
  if (format.has(cfe::Underline) || format.has(cfe::Link)) {
    const int y = deviceY(raised + format.height / 10);
    fill(dc_, {left, y, right, y + thickness}, color);
  }
  if (format.has(cfe::StrikeOut)) {
    const int y = deviceY(raised - format.height * 3 / 10);
    fill(dc_, {left, y, right, y + thickness}, color);
  }
}

void GdiLineRenderer::drawPicture(const Picture& picture, const RECT& box) {
  const auto* bytes = reinterpret_cast<const BYTE*>(picture.data.data());
  const auto size = static_cast<UINT>(picture.data.size());
  switch (picture.kind) {
    case PictureKind::Emf: {
      const HENHMETAFILE emf = SetEnhMetaFileBits(size, bytes);
      if (emf) {
        PlayEnhMetaFile(dc_, emf, &box);
        DeleteEnhMetaFile(emf);
      }
      break;
    }
    case PictureKind::Wmf: {
      METAFILEPICT mfp{picture.mapMode, picture.width, picture.height, nullptr};
      const HENHMETAFILE emf = SetWinMetaFileBits(size, bytes, nullptr, &mfp);
      if (emf) {
        PlayEnhMetaFile(dc_, emf, &box);
        DeleteEnhMetaFile(emf);
      }
      break;
    }
    case PictureKind::Dib: {
      if (size < sizeof(BITMAPINFOHEADER)) break;
      const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes);
      const BITMAPINFOHEADER& h = info->bmiHeader;
      if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) break;
      std::size_t colours = h.biClrUsed;
      if (colours == 0 && h.biBitCount <= 8) colours = std::size_t{1} << h.biBitCount;
      std::size_t header = h.biSize + colours * sizeof(RGBQUAD);
      if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) header += 12;
      const std::size_t stride =
          ((static_cast<std::size_t>(std::abs(h.biWidth)) * h.biBitCount + 31) / 32) * 4;
      if (header > size ||
          stride * static_cast<std::size_t>(std::abs(h.biHeight)) > size - header) {
        break;  // a truncated picture draws nothing rather than reading past its bytes
      }
      SetStretchBltMode(dc_, HALFTONE);
      StretchDIBits(dc_, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0,
                    h.biWidth, std::abs(h.biHeight), bytes + header, info, DIB_RGB_COLORS, SRCCOPY);
      break;
    }
    case PictureKind::Png:
    case PictureKind::Jpeg: break;  // decoded through the imaging component: not drawn yet
  }
}

}  // namespace richedit
