#pragma once
// What the page engine knows of a printer's sheet, measured in device pixels for the portrait
// orientation, the queries that turn it with the orientation, and how the pages of a job map
// onto sheets one, two or four to a sheet. No device is needed, so the arithmetic is tested on
// its own; the printer wrapper fills the information from the device.

#include <cstdint>

#include "engine/VpPageList.h"
#include "engine/VpTypes.h"

struct TVpPrinterInfo {
  // An A4 sheet at 300 pixels per inch: what is used without a printer.
  std::int32_t PhysicalWidth = 2481;
  std::int32_t PhysicalHeight = 3507;
  std::int32_t PrintableWidth = 2358;
  std::int32_t PrintableHeight = 3407;
  std::int32_t OffsetLeft = 65;
  std::int32_t OffsetTop = 50;
  std::int32_t ResolutionX = 300;
  std::int32_t ResolutionY = 300;
  // 0 none, 1 turned by 90 degrees, 2 by 270 degrees.
  std::int32_t LandscapeRotation = 1;
  bool NoDevice = false;

  // Whatever the sheet's margins are, right and bottom are what the printable area leaves.
  std::int32_t OffsetRight() const { return PhysicalWidth - PrintableWidth - OffsetLeft; }
  std::int32_t OffsetBottom() const { return PhysicalHeight - PrintableHeight - OffsetTop; }
  // How many screen pixels one printer pixel is across.
  long double ScreenRatio(int screenPpi) const {
    return static_cast<long double>(screenPpi) / ResolutionX;
  }

  TVpIntPoint Resolution(TVpOrientation orientation) const;
  // Paper width and height in inches.
  TVpSize PaperSize(TVpOrientation orientation) const;
  // Left, top, right, bottom unprintable margins in pixels; landscape turns them.
  TVpIntRect Offsets(TVpOrientation orientation) const;
  // The same in inches: left and right by the horizontal, top and bottom by the vertical
  // resolution.
  TVpRect OffsetsInches(TVpOrientation orientation) const;
};

// Device-mode values of the printer settings; anything a device reports that has no value
// of its own reads as the first.
enum TVpDuplexType : std::uint8_t { vpSimplex, vpHorzDuplex, vpVertDuplex };
enum TVpPrintColor : std::uint8_t { vpColor, vpMonochrome };
enum TVpDitherType : std::uint8_t { vpNone, vpCourse, vpFine, vpLineArt, vpGrayScale };
enum TVpPrintQuality : std::uint8_t { vpDraft, vpLow, vpMedium, vpHigh };

std::int16_t DuplexToDevice(TVpDuplexType duplex);
TVpDuplexType DuplexFromDevice(std::int16_t value);
std::int16_t PrintColorToDevice(TVpPrintColor color);
TVpPrintColor PrintColorFromDevice(std::int16_t value);
std::uint32_t DitherTypeToDevice(TVpDitherType dither);
TVpDitherType DitherTypeFromDevice(std::uint32_t value);
std::int16_t PrintQualityToDevice(TVpPrintQuality quality);
// Anything else reads as vpMedium.
TVpPrintQuality PrintQualityFromDevice(std::int16_t value);

// How one page of a job lands on its sheet: the canvas maps window extent onto viewport
// extent, with the viewport origin taking the printer's unprintable margin off.
struct TVpSheetMapping {
  TVpIntRect Target;
  int Scale = 100;  // percent
  TVpIntPoint WindowExtent;
  TVpIntPoint ViewportExtent;
  TVpIntPoint ViewportOrigin;
  friend bool operator==(const TVpSheetMapping&, const TVpSheetMapping&) = default;
};

// The mapping of the k-th page (from 1) of a job in the given orientation.
TVpSheetMapping SheetMapping(const TVpPrinterInfo& info, TVpOrientation orientation,
                             TVpPagesPerSheet pagesPerSheet, int k);
// True when the page after the k-th starts a new sheet.
bool SheetEndsAfter(TVpPagesPerSheet pagesPerSheet, int k);
