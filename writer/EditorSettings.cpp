#include "writer/EditorSettings.h"

#include <algorithm>
#include <cstdint>

namespace writer {
namespace {

constexpr char kFont[] = "Font Settings";
constexpr char kPrint[] = "Print Preview";

struct MarginKey {
  const char* key;
  int MarginSettings::*field;
};
constexpr MarginKey kMarginKeys[] = {
    {"Top Margin", &MarginSettings::Top},       {"Left Margin", &MarginSettings::Left},
    {"Bottom Margin", &MarginSettings::Bottom}, {"Right Margin", &MarginSettings::Right},
    {"Header Margin", &MarginSettings::Header}, {"Footer Margin", &MarginSettings::Footer},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int ReadInteger(SettingsStore& store, const char* section, const char* key, int defaultValue) {
  return ParseSettingsInteger(store.Read(section, key, std::to_string(defaultValue)))
      .value_or(defaultValue);
}

}  // namespace

std::optional<int> ParseSettingsInteger(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    hex = true;
    text.remove_prefix(2);
  } else if (text.starts_with("$")) {
    hex = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  if (hex) {
    if (text.size() > 8) return std::nullopt;
    for (char c : text) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + digit;
    }
    const auto pattern = static_cast<std::uint32_t>(value);
    const auto signedValue = static_cast<std::int32_t>(pattern);
    // -$80000000 would leave 32 bits; the pattern keeps its own sign otherwise.
    if (negative && signedValue == INT32_MIN) return signedValue;
    return negative ? -signedValue : signedValue;
  }
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int>(value);
}

EditorSettings ReadEditorSettings(SettingsStore& store) {
  EditorSettings s;
  s.Size = ReadInteger(store, kFont, "Size", s.Size);
  s.Name = store.Read(kFont, "Name", s.Name);
  s.Zoom = ReadInteger(store, kFont, "Zoom", s.Zoom);
  s.SideBar = ReadInteger(store, kFont, "SideBar", s.SideBar ? 1 : 0) != 0;
  for (const MarginKey& m : kMarginKeys)
    s.Margins.*m.field = ReadInteger(store, kPrint, m.key, s.Margins.*m.field);
  return s;
}

void WriteEditorSettings(const EditorSettings& s, SettingsStore& store) {
  store.Write(kFont, "Size", std::to_string(s.Size));
  store.Write(kFont, "Name", s.Name);
  store.Write(kFont, "Zoom", std::to_string(s.Zoom));
  store.Write(kFont, "SideBar", s.SideBar ? "1" : "0");
  for (const MarginKey& m : kMarginKeys)
    store.Write(kPrint, m.key, std::to_string(s.Margins.*m.field));
}

int ZoomBarPosition(int stored) { return std::clamp(stored, 50, 200); }

int FontBoxSize(int stored) { return std::clamp(stored, 4, 800); }

MarginSettings DialogMargins(const MarginSettings& stored) {
  MarginSettings m = stored;
  for (int* page : {&m.Top, &m.Left, &m.Bottom, &m.Right}) *page = std::clamp(*page, 1, 100);
  for (int* band : {&m.Header, &m.Footer}) *band = std::clamp(*band, 5, 15);
  return m;
}

bool IsDamagedSettingsText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return false;
  return bytes.find('\0') != std::string_view::npos;
}

}  // namespace writer
