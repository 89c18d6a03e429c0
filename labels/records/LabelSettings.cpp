#include "labels/records/LabelSettings.h"

#include <charconv>
#include <variant>

namespace {

struct Key {
  const char* section;
  const char* name;
  std::variant<std::string TLabelSettings::*, int TLabelSettings::*> field;
};

// In the order the keys are written; a new file gets its sections in this order too.
const Key kKeys[] = {
    {"FontSettings", "FontNameAddress", &TLabelSettings::FontNameAddress},
    {"FontSettings", "FontSizeAddress", &TLabelSettings::FontSizeAddress},
    {"LabelSettings", "TypeAddress", &TLabelSettings::TypeAddress},
    {"CustomSettings", "StartAddress", &TLabelSettings::StartAddress},
    {"CustomSettings", "SpacingAddress", &TLabelSettings::SpacingAddress},
    {"CustomSettings", "TopAddress", &TLabelSettings::TopAddress},
    {"CustomSettings", "LeftAddress", &TLabelSettings::LeftAddress},
    {"LabelSettings", "LabelNameAddress", &TLabelSettings::LabelNameAddress},
    {"FontSettings", "FontColor", &TLabelSettings::FontColor},
    {"FontSettings", "FontNameGeneral", &TLabelSettings::FontNameGeneral},
    {"FontSettings", "FontSizeGeneral", &TLabelSettings::FontSizeGeneral},
    {"LabelSettings", "TypeGeneral", &TLabelSettings::TypeGeneral},
    {"CustomSettings", "StartGeneral", &TLabelSettings::StartGeneral},
    {"CustomSettings", "SpacingGeneral", &TLabelSettings::SpacingGeneral},
    {"CustomSettings", "TopGeneral", &TLabelSettings::TopGeneral},
    {"CustomSettings", "LeftGeneral", &TLabelSettings::LeftGeneral},
    {"LabelSettings", "LabelNameGeneral", &TLabelSettings::LabelNameGeneral},
    {"ImageSettings", "ImageTop", &TLabelSettings::ImageTop},
    {"ImageSettings", "ImageLeft", &TLabelSettings::ImageLeft},
    {"ImageSettings", "ImageBottom", &TLabelSettings::ImageBottom},
    {"ImageSettings", "ImageRight", &TLabelSettings::ImageRight},
    {"CSVFile", "Separator", &TLabelSettings::Separator},
};

}  // namespace

int IniInteger(const std::string& text, int defaultValue) {
  std::size_t first = text.find_first_not_of(" \t");
  const std::size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return defaultValue;
  if (text[first] == '+') ++first;
  int value = 0;
  const char* end = text.data() + last + 1;
  const auto [stop, ec] = std::from_chars(text.data() + first, end, value);
  return ec == std::errc() && stop == end ? value : defaultValue;
}

TLabelSettings ReadLabelSettings(IniFile& ini) {
  TLabelSettings s;
  for (const Key& key : kKeys) {
    if (const auto* text = std::get_if<std::string TLabelSettings::*>(&key.field)) {
      std::string value = ini.ReadString(key.section, key.name, s.*(*text));
      s.*(*text) = std::move(value);
    } else {
      int TLabelSettings::*number = std::get<int TLabelSettings::*>(key.field);
      s.*number = IniInteger(ini.ReadString(key.section, key.name, ""), s.*number);
    }
  }
  s.Separator = s.Separator.substr(0, 1);
  return s;
}

void WriteLabelSettings(const TLabelSettings& settings, IniFile& ini) {
  for (const Key& key : kKeys) {
    if (const auto* text = std::get_if<std::string TLabelSettings::*>(&key.field))
      ini.WriteString(key.section, key.name, settings.*(*text));
    else
      ini.WriteString(key.section, key.name,
                      std::to_string(settings.*std::get<int TLabelSettings::*>(key.field)));
  }
}
