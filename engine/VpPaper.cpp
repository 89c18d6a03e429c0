#include "engine/VpPaper.h"

#include <array>
#include <stdexcept>

namespace {

struct PaperEntry {
  const char* name;
  long double width;  // portrait sheet, in `unit`
  long double height;
  TVpMeasurement unit;
  std::int16_t printerCode;
  bool envelope;
};

// In ordinal order. The sizes stand as the catalogue has them, including A5's 148.5 mm
// against A6's 148 mm and the three sheets that are wider than high.
constexpr std::array<PaperEntry, kVpPaperSizeCount> kPapers{{
    {"A3", 297, 420, vpMillimeters, 8, false},
    {"A4", 210, 297, vpMillimeters, 9, false},
    {"A5", 148.5L, 210, vpMillimeters, 11, false},
    {"A6", 105, 148, vpMillimeters, 70, false},
    {"B5", 6.92L, 9.84L, vpInches, 13, true},
    {"C5", 6.38L, 9.02L, vpInches, 28, true},
    {"C6", 114, 162, vpMillimeters, kVpNoPaperCode, true},
    {"C65", 114, 229, vpMillimeters, kVpNoPaperCode, true},
    {"Legal", 8.5L, 14, vpInches, 5, false},
    {"Letter", 8.5L, 11, vpInches, 1, false},
    {"Custom", 0, 0, vpInches, kVpNoPaperCode, false},
    {"B4", 250, 354, vpMillimeters, 12, true},
    {"Envelope_DL", 110, 220, vpMillimeters, kVpNoPaperCode, true},
    {"Envelope_DL_Maxi", 120, 235, vpMillimeters, kVpNoPaperCode, true},
    {"Envelope_09", 3.78L, 8.78L, vpInches, 19, true},
    {"Envelope_10", 4.18L, 9.12L, vpInches, 20, true},
    {"Envelope_11", 4.12L, 10.38L, vpInches, 21, true},
    {"Envelope_12", 12.44L, 11.0L, vpInches, 22, true},
    {"Envelope_14", 14.5L, 11.12L, vpInches, 23, true},
    {"Tabloid", 11, 17, vpInches, 3, false},
    {"Ledger", 17, 11, vpInches, 4, false},
    {"Executive", 7.14L, 10.12L, vpInches, 7, false},
}};

const PaperEntry& Entry(TVpPaperSize size) {
  const auto ordinal = static_cast<unsigned>(size);
  if (ordinal >= kPapers.size()) {
    throw std::invalid_argument("Unknown paper size " + std::to_string(ordinal));
  }
  return kPapers[ordinal];
}

}  // namespace

std::optional<TVpPaperSize> PaperSizeFromOrdinal(int ordinal) {
  if (ordinal < 0 || ordinal >= kVpPaperSizeCount) return std::nullopt;
  return static_cast<TVpPaperSize>(ordinal);
}

std::optional<TVpOrientation> OrientationFromOrdinal(int ordinal) {
  if (ordinal != vpPortrait && ordinal != vpLandscape) return std::nullopt;
  return static_cast<TVpOrientation>(ordinal);
}

TVpSize PaperSizeInches(TVpPaperSize size) {
  const PaperEntry& entry = Entry(size);
  return {ConvertValue(entry.width, entry.unit, vpInches),
          ConvertValue(entry.height, entry.unit, vpInches)};
}

std::string PaperSizeName(TVpPaperSize size) { return Entry(size).name; }

TVpPaperSize PaperSizeFromName(std::string_view name) {
  for (std::size_t i = 0; i < kPapers.size(); ++i) {
    if (name == kPapers[i].name) return static_cast<TVpPaperSize>(i);
  }
  return TVpPaperSize::Custom;
}

void GetPaperSizeNames(std::vector<std::string>& names) {
  names.clear();
  for (const PaperEntry& entry : kPapers) names.emplace_back(entry.name);
}

bool IsEnvelopeSize(TVpPaperSize size) { return Entry(size).envelope; }

std::int16_t PrinterPaperCode(TVpPaperSize size) { return Entry(size).printerCode; }
