#pragma once
// Text that looks the same on screen and on paper: the mapper measures text at a high
// reference resolution and places it on any device with explicit character advances derived
// from those measurements, so line breaks and widths do not depend on the device's hinting.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpGdiSupport.h"
#include "engine/VpResource.h"
#include "engine/VpTypes.h"
#include "platform/GdiHandles.h"

class TVpFontMapper {
 public:
  // Pixels per inch at which text is measured (the 3600 of very old systems is not kept).
  static constexpr int kReference = 7200;
  // The reference when text is placed on a screen, which hints at its own resolution.
  static constexpr int kScreenReference = 96;

  TVpFontMapper();
  ~TVpFontMapper();
  TVpFontMapper(const TVpFontMapper&) = delete;
  TVpFontMapper& operator=(const TVpFontMapper&) = delete;

  // Width and height in inches of text (system code page) in font at the reference resolution.
  TVpSize MeasureText(const TVpFont& font, std::string_view text);

  // Writes text (system code page) at (x, y) on dc with the font already selected there,
  // which was made from font at targetPpi. Each character advances by its width at the
  // reference (kScreenReference when screen is set) scaled to targetPpi, the fractions carried
  // so that no error exceeds one pixel. Clipped to clip when given.
  void PlaceText(HDC dc, const TVpFont& font, int targetPpi, TVpIntPoint at, std::string_view text,
                 const std::optional<TVpIntRect>& clip, bool screen);

  // The advances PlaceText passes for text, one per UTF-16 unit.
  std::vector<INT> Advances(const TVpFont& font, int targetPpi, const std::wstring& text,
                            bool screen);

  // The cell height (tmHeight) of font at ppi on a device-independent metafile surface.
  int FontCellHeight(const TVpFont& font, int ppi);

 private:
  // Selects font at ppi into the off-screen DC (without rotation), reusing the last one.
  void UseFont(const TVpFont& font, int ppi);

  MemoryDC dc_;
  TVpMetafileDC metafile_;
  FontHandle font_;
  HGDIOBJ originalFont_ = nullptr;
  std::optional<TVpFont> fontKey_;
  int fontPpi_ = 0;
};

// The one mapper of the program, made on first use.
TVpFontMapper& FontMapper();
