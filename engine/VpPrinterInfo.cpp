#include "engine/VpPrinterInfo.h"

#include <algorithm>

#include "engine/VpRounding.h"

TVpIntPoint TVpPrinterInfo::Resolution(TVpOrientation orientation) const {
  if (orientation == vpLandscape) return {ResolutionY, ResolutionX};
  return {ResolutionX, ResolutionY};
}

TVpSize TVpPrinterInfo::PaperSize(TVpOrientation orientation) const {
  const long double width = static_cast<long double>(PhysicalWidth) / ResolutionX;
  const long double height = static_cast<long double>(PhysicalHeight) / ResolutionY;
  if (orientation == vpLandscape) return {height, width};
  return {width, height};
}

TVpIntRect TVpPrinterInfo::Offsets(TVpOrientation orientation) const {
  if (orientation == vpLandscape) return {OffsetTop, OffsetRight(), OffsetBottom(), OffsetLeft};
  return {OffsetLeft, OffsetTop, OffsetRight(), OffsetBottom()};
}

TVpRect TVpPrinterInfo::OffsetsInches(TVpOrientation orientation) const {
  const TVpIntRect px = Offsets(orientation);
  const TVpIntPoint r = Resolution(orientation);
  const long double x = r.X, y = r.Y;
  return {px.Left / x, px.Top / y, px.Right / x, px.Bottom / y};
}

// Device-mode values --------------------------------------------------------------------------

std::int16_t DuplexToDevice(TVpDuplexType duplex) {
  switch (duplex) {
    case vpHorzDuplex: return 3;
    case vpVertDuplex: return 2;
    default: return 1;
  }
}

TVpDuplexType DuplexFromDevice(std::int16_t value) {
  return value == 3 ? vpHorzDuplex : value == 2 ? vpVertDuplex : vpSimplex;
}

std::int16_t PrintColorToDevice(TVpPrintColor color) { return color == vpMonochrome ? 1 : 2; }

TVpPrintColor PrintColorFromDevice(std::int16_t value) {
  return value == 1 ? vpMonochrome : vpColor;
}

namespace {
constexpr std::uint32_t kDitherValues[] = {1, 2, 3, 4, 10};
constexpr std::int16_t kQualityValues[] = {-1, -2, -3, -4};
}  // namespace

std::uint32_t DitherTypeToDevice(TVpDitherType dither) { return kDitherValues[dither % 5]; }

TVpDitherType DitherTypeFromDevice(std::uint32_t value) {
  for (int i = 0; i < 5; ++i)
    if (kDitherValues[i] == value) return static_cast<TVpDitherType>(i);
  return vpNone;
}

std::int16_t PrintQualityToDevice(TVpPrintQuality quality) { return kQualityValues[quality % 4]; }

TVpPrintQuality PrintQualityFromDevice(std::int16_t value) {
  for (int i = 0; i < 4; ++i)
    if (kQualityValues[i] == value) return static_cast<TVpPrintQuality>(i);
  return vpMedium;
}

// Sheets --------------------------------------------------------------------------------------

TVpSheetMapping SheetMapping(const TVpPrinterInfo& info, TVpOrientation orientation,
                             TVpPagesPerSheet pagesPerSheet, int k) {
  const TVpIntPoint r = info.Resolution(orientation);
  const TVpSize paper = info.PaperSize(orientation);
  const std::int32_t w = VpRoundToInt(r.X * paper.Width);
  const std::int32_t h = VpRoundToInt(r.Y * paper.Height);
  const std::int32_t w2 = w / 2, h2 = h / 2;
  TVpSheetMapping m;
  switch (pagesPerSheet) {
    case vpOnePage: m.Target = {0, 0, w, h}; break;
    case vpTwoPage: {
      const long long small = std::min(w, h), large = std::max(w, h);
      m.Scale = large > 0 ? static_cast<int>(small * 100 / large) : 100;
      const bool first = k % 2 == 1;
      if (orientation == vpLandscape)
        m.Target = first ? TVpIntRect{0, 0, w2, h} : TVpIntRect{w2, 0, w, h};
      else
        m.Target = first ? TVpIntRect{0, 0, w, h2} : TVpIntRect{0, h2, w, h};
      break;
    }
    case vpFourPage: {
      m.Scale = 49;
      static constexpr int kColumn[] = {1, 0, 1, 0};  // by k mod 4: 0, 1, 2, 3
      static constexpr int kRow[] = {1, 0, 0, 1};
      const int q = ((k % 4) + 4) % 4;
      m.Target = {kColumn[q] * w2, kRow[q] * h2, kColumn[q] ? w : w2, kRow[q] ? h : h2};
      break;
    }
  }
  const std::int32_t tw = m.Target.Right - m.Target.Left;
  const std::int32_t th = m.Target.Bottom - m.Target.Top;
  m.WindowExtent = {tw, th};
  m.ViewportExtent = {static_cast<std::int32_t>(static_cast<long long>(tw) * m.Scale / 100),
                      static_cast<std::int32_t>(static_cast<long long>(th) * m.Scale / 100)};
  const TVpIntRect offsets = info.Offsets(orientation);
  m.ViewportOrigin = {m.Target.Left - offsets.Left, m.Target.Top - offsets.Top};
  return m;
}

bool SheetEndsAfter(TVpPagesPerSheet pagesPerSheet, int k) {
  switch (pagesPerSheet) {
    case vpOnePage: return true;
    case vpTwoPage: return k % 2 == 0;
    case vpFourPage: return k % 4 == 0;
  }
  return true;
}
