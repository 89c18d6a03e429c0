#pragma once
// Measures text with GDI fonts at a virtual resolution of 1440 pixels per inch: fonts are made
// with their height in twips and measured on a memory device context, so one pixel is one twip
// and widths do not depend on any real device. Layout from these widths is the same on the
// screen, on a printer and in a bitmap; drawing places each character where layout put it and
// lets the device scale the glyphs.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/GdiHandles.h"
#include "richedit/TextMeasurer.h"

namespace richedit {

// The GDI font a character format draws with, pixelsPerTwip device pixels to the twip: 1 for
// measuring, a device's resolution / 1440 for drawing.
LOGFONTW logFontFor(const CharFormat& format, double pixelsPerTwip);

// How a character shows in a format: all caps shows letters as capitals, small caps shows
// lower-case letters as capitals of the smaller format below.
struct ShownChar {
  char16_t c;
  bool small;
};
ShownChar shownChar(const CharFormat& format, char16_t c);
// The format small capitals draw in: four fifths of the size.
CharFormat smallCapsFormat(const CharFormat& format);

class GdiTextMeasurer final : public TextMeasurer {
 public:
  GdiTextMeasurer();
  ~GdiTextMeasurer() override;
  GdiTextMeasurer(const GdiTextMeasurer&) = delete;
  GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

  void measure(const CharFormat& format, std::u16string_view text,
               std::span<std::int32_t> advances) override;
  FontMetrics metrics(const CharFormat& format) override;

 private:
  // One font with the widths of its characters, read from GDI 256 at a time as they are met.
  struct Font {
    FontHandle handle;
    FontMetrics metrics;
    std::array<std::unique_ptr<std::array<std::int32_t, 256>>, 256> pages;
  };
  struct Key {
    std::int32_t height;
    std::uint16_t weight;
    std::uint8_t italic;
    std::uint8_t charSet;
    std::uint8_t pitchAndFamily;
    std::array<char16_t, FaceNameCapacity> face;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const;
  };

  Font& fontFor(const CharFormat& format);
  const std::array<std::int32_t, 256>& page(Font& font, char16_t c);

  MemoryDC dc_;
  std::unordered_map<Key, std::unique_ptr<Font>, KeyHash> fonts_;
  const CharFormat* lastFormat_ = nullptr;  // the last lookup, for runs measured in a row
  CharFormat lastValue_;
  Font* lastFont_ = nullptr;
};

}  // namespace richedit
