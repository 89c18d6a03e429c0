// The settings record against an ini file: defaults, the integer fallback, the one-character
// separator, and the fixed order in which the 22 keys are written.
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "labels/records/LabelSettings.h"

namespace {

class FakeIni final : public IniFile {
 public:
  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> written;  // "Section/Key=value" in order

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    const auto v = values.find({section, key});
    return v == values.end() ? defaultValue : v->second;
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    values[{section, key}] = value;
    written.push_back(section + "/" + key + "=" + value);
  }
};

}  // namespace

TEST(LabelSettings, AllKeysAreWrittenInTheirFixedOrder) {
  FakeIni ini;
  TLabelSettings s;
  s.FontColor = 0x0000FF;
  s.Separator = ";";
  s.LabelNameAddress = "Mine";
  WriteLabelSettings(s, ini);
  EXPECT_EQ(ini.written,
            (std::vector<std::string>{
                "FontSettings/FontNameAddress=Arial", "FontSettings/FontSizeAddress=8",
                "LabelSettings/TypeAddress=0",        "CustomSettings/StartAddress=1",
                "CustomSettings/SpacingAddress=1",    "CustomSettings/TopAddress=0",
                "CustomSettings/LeftAddress=0",       "LabelSettings/LabelNameAddress=Mine",
                "FontSettings/FontColor=255",         "FontSettings/FontNameGeneral=Arial",
                "FontSettings/FontSizeGeneral=8",     "LabelSettings/TypeGeneral=0",
                "CustomSettings/StartGeneral=1",      "CustomSettings/SpacingGeneral=1",
                "CustomSettings/TopGeneral=0",        "CustomSettings/LeftGeneral=0",
                "LabelSettings/LabelNameGeneral=",    "ImageSettings/ImageTop=0",
                "ImageSettings/ImageLeft=0",          "ImageSettings/ImageBottom=5",
                "ImageSettings/ImageRight=5",         "CSVFile/Separator=;"}));
  EXPECT_EQ(ReadLabelSettings(ini), s);
  FakeIni empty;
  EXPECT_EQ(ReadLabelSettings(empty), TLabelSettings{}) << "a missing key gives its default";
}

TEST(LabelSettings, IntegersThatAreNotIntegersGiveTheDefault) {
  FakeIni ini;
  ini.values[{"FontSettings", "FontSizeAddress"}] = "abc";
  ini.values[{"FontSettings", "FontSizeGeneral"}] = "";
  ini.values[{"CustomSettings", "TopAddress"}] = " -12 ";
  ini.values[{"CustomSettings", "LeftAddress"}] = "+7";
  ini.values[{"CustomSettings", "StartAddress"}] = "3mm";
  ini.values[{"CustomSettings", "StartGeneral"}] = "99999999999";
  ini.values[{"ImageSettings", "ImageTop"}] = "1.5";
  const TLabelSettings s = ReadLabelSettings(ini);
  EXPECT_EQ(s.FontSizeAddress, 8);
  EXPECT_EQ(s.FontSizeGeneral, 8);
  EXPECT_EQ(s.TopAddress, -12);
  EXPECT_EQ(s.LeftAddress, 7);
  EXPECT_EQ(s.StartAddress, 1);
  EXPECT_EQ(s.StartGeneral, 1);
  EXPECT_EQ(s.ImageTop, 0);
}

TEST(LabelSettings, TheSeparatorKeepsOneCharacterAndMayBeEmpty) {
  FakeIni ini;
  ini.values[{"CSVFile", "Separator"}] = ";x";
  EXPECT_EQ(ReadLabelSettings(ini).Separator, ";");
  ini.values[{"CSVFile", "Separator"}] = "";
  EXPECT_EQ(ReadLabelSettings(ini).Separator, "");

  TLabelSettings s;
  s.Separator = "";
  FakeIni written;
  WriteLabelSettings(s, written);
  EXPECT_EQ(written.written.back(), "CSVFile/Separator=");
  EXPECT_EQ(ReadLabelSettings(written).Separator, "");
}
