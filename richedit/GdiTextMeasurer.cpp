#include "richedit/GdiTextMeasurer.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace richedit {

namespace {

// Superscript and subscript draw at two thirds of the size.
std::int32_t drawnHeight(const CharFormat& format) {
  const std::int32_t h = std::clamp(format.height, 1, MaxCharHeight);
  return format.has(cfe::SuperScript) || format.has(cfe::SubScript) ? std::max(h * 2 / 3, 1) : h;
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

LOGFONTW logFontFor(const CharFormat& format, double pixelsPerTwip) {
  LOGFONTW lf{};
  lf.lfHeight = -std::max(1L, std::lround(drawnHeight(format) * pixelsPerTwip));
  lf.lfWeight = format.weight;
  lf.lfItalic = format.has(cfe::Italic) ? TRUE : FALSE;
  lf.lfUnderline = FALSE;  // lines are drawn by the renderer to their own styles
  lf.lfStrikeOut = FALSE;
  lf.lfCharSet = format.charSet;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = format.pitchAndFamily;
  const std::u16string_view face = format.faceName();
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.data(), n, reinterpret_cast<char16_t*>(lf.lfFaceName));
  return lf;
}

ShownChar shownChar(const CharFormat& format, char16_t c) {
  if (!format.has(cfe::AllCaps) && !format.has(cfe::SmallCaps)) return {c, false};
  const auto upper = static_cast<char16_t>(std::towupper(c));
  return {upper, upper != c && !format.has(cfe::AllCaps)};
}

CharFormat smallCapsFormat(const CharFormat& format) {
  CharFormat small = format;
  small.height = std::max(1, format.height * 4 / 5);
  return small;
}

GdiTextMeasurer::GdiTextMeasurer() = default;
GdiTextMeasurer::~GdiTextMeasurer() = default;

std::size_t GdiTextMeasurer::KeyHash::operator()(const Key& k) const {
  std::size_t h = static_cast<std::size_t>(k.height) * 31 + k.weight;
  h = h * 31 + k.italic * 7 + k.charSet * 131 + k.pitchAndFamily;
  for (const char16_t c : k.face) {
    if (c == 0) break;
    h = h * 31 + c;
  }
  return h;
}

GdiTextMeasurer::Font& GdiTextMeasurer::fontFor(const CharFormat& format) {
  if (lastFont_ && lastFormat_ == &format && lastValue_ == format) return *lastFont_;
  Key key{drawnHeight(format),
          format.weight,
          static_cast<std::uint8_t>(format.has(cfe::Italic) ? 1 : 0),
          format.charSet,
          format.pitchAndFamily,
          format.face};
  auto& slot = fonts_[key];
  if (!slot) {
    slot = std::make_unique<Font>();
    LOGFONTW lf = logFontFor(format, 1.0);
    slot->handle.Reset(CreateFontIndirectW(&lf));
    TEXTMETRICW tm{};
    {
      Selection use(dc_.get(), slot->handle.get());
      GetTextMetricsW(dc_.get(), &tm);
    }
    slot->metrics = {static_cast<std::int32_t>(tm.tmAscent),
                     static_cast<std::int32_t>(tm.tmDescent)};
  }
  lastFormat_ = &format;
  lastValue_ = format;
  lastFont_ = slot.get();
  return *slot;
}

const std::array<std::int32_t, 256>& GdiTextMeasurer::page(Font& font, char16_t c) {
  auto& p = font.pages[c >> 8];
  if (!p) {
    p = std::make_unique<std::array<std::int32_t, 256>>();
    const UINT first = c & 0xFF00u;
    std::array<INT, 256> widths{};
    Selection use(dc_.get(), font.handle.get());
    if (!GetCharWidth32W(dc_.get(), first, first + 255, widths.data())) widths.fill(0);
    std::copy(widths.begin(), widths.end(), p->begin());
  }
  return *p;
}

void GdiTextMeasurer::measure(const CharFormat& format, std::u16string_view text,
                              std::span<std::int32_t> advances) {
  Font& font = fontFor(format);
  Font* small = format.has(cfe::SmallCaps) ? &fontFor(smallCapsFormat(format)) : nullptr;
  for (std::size_t i = 0; i < text.size() && i < advances.size(); ++i) {
    char16_t c = text[i];
    if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      // A pair outside the basic plane: its width on the first unit.
      SIZE size{};
      Selection use(dc_.get(), font.handle.get());
      GetTextExtentPoint32W(dc_.get(), reinterpret_cast<const wchar_t*>(text.data() + i), 2, &size);
      advances[i] = size.cx;
      if (i + 1 < advances.size()) advances[i + 1] = 0;
      ++i;
      continue;
    }
    const ShownChar shown = shownChar(format, c);
    Font& drawn = shown.small ? *small : font;
    advances[i] = page(drawn, shown.c)[shown.c & 0xFF];
  }
}

FontMetrics GdiTextMeasurer::metrics(const CharFormat& format) { return fontFor(format).metrics; }

}  // namespace richedit
