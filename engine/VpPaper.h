#pragma once
// The catalogue of 22 paper sizes: names shown to users, sizes of the portrait sheet and the
// printer's paper codes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpTypes.h"

enum TVpOrientation : std::uint8_t {
  vpPortrait = 0,
  vpLandscape = 1,
};

// The enumerator names are the paper names users see and that PaperSizeFromName matches.
enum class TVpPaperSize : std::uint8_t {
  A3 = 0,
  A4,
  A5,
  A6,
  B5,
  C5,
  C6,
  C65,
  Legal,
  Letter,
  Custom,
  B4,
  Envelope_DL,
  Envelope_DL_Maxi,
  Envelope_09,
  Envelope_10,
  Envelope_11,
  Envelope_12,
  Envelope_14,
  Tabloid,
  Ledger,
  Executive,
};

inline constexpr int kVpPaperSizeCount = 22;

// The printer code of a size the catalogue has no code for.
inline constexpr std::int16_t kVpNoPaperCode = -1;

// The size and orientation for stored ordinals; std::nullopt when out of range.
std::optional<TVpPaperSize> PaperSizeFromOrdinal(int ordinal);
std::optional<TVpOrientation> OrientationFromOrdinal(int ordinal);

// Width and height of the portrait sheet in inches, exactly as the catalogue gives them
// (Envelope_12, Envelope_14 and Ledger are wider than high). Custom gives 0 by 0.
// The functions taking a TVpPaperSize throw std::invalid_argument for a value outside the
// enumeration.
TVpSize PaperSizeInches(TVpPaperSize size);

// The enumerator name, e.g. "Envelope_DL".
std::string PaperSizeName(TVpPaperSize size);

// The first size whose name equals the text exactly (case matters); Custom when none does.
TVpPaperSize PaperSizeFromName(std::string_view name);

// Clears the list and adds the 22 names in ordinal order.
void GetPaperSizeNames(std::vector<std::string>& names);

// Whether the size is drawn with the envelope picture in paper lists.
bool IsEnvelopeSize(TVpPaperSize size);

// The DEVMODE paper number (DMPAPER_*), or kVpNoPaperCode.
std::int16_t PrinterPaperCode(TVpPaperSize size);
