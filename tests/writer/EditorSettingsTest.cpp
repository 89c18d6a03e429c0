// The editor's settings without a file: the keys and their defaults, how integers and booleans
// are written and read back, and the ranges the controls hold stored values to.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "writer/EditorSettings.h"

using namespace writer;

namespace {

// An ini file in memory; keys written are kept in order.
class MemoryStore final : public SettingsStore {
 public:
  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> written;
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& defaultValue) override {
    const auto at = values.find({section, key});
    return at == values.end() ? defaultValue : at->second;
  }
  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    values[{section, key}] = value;
    written.push_back(section + "/" + key + "=" + value);
  }
};

}  // namespace

TEST(EditorSettings, IntegersAreDecimalOrHexadecimal) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"150", 150},
      {"  75\t", 75},
      {"-12", -12},
      {"+8", 8},
      {"0x96", 150},
      {"0X1f", 31},
      {"$C8", 200},
      {"$ffffffff", -1},
      {"-$10", -16},
      {"-0x80000000", INT32_MIN},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"0x123456789", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"12px", std::nullopt},
      {"1 2", std::nullopt},
      {"0x1G", std::nullopt},
      {"--1", std::nullopt},
      {"1e3", std::nullopt},
      {"\xFF\xFE", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    EXPECT_EQ(ParseSettingsInteger(c.text), c.value);
  }
}

TEST(EditorSettings, AllTenKeysWithTheirDefaults) {
  MemoryStore empty;
  const EditorSettings defaults = ReadEditorSettings(empty);
  EXPECT_EQ(defaults, EditorSettings{});
  EXPECT_EQ(defaults.Size, 12);
  EXPECT_EQ(defaults.Name, "Arial");
  EXPECT_EQ(defaults.Zoom, 100);
  EXPECT_FALSE(defaults.SideBar);
  EXPECT_EQ(defaults.Margins, (MarginSettings{15, 25, 15, 25, 10, 10}));

  MemoryStore store;
  WriteEditorSettings(defaults, store);
  EXPECT_EQ(
      store.written,
      (std::vector<std::string>{
          "Font Settings/Size=12", "Font Settings/Name=Arial", "Font Settings/Zoom=100",
          "Font Settings/SideBar=0", "Print Preview/Top Margin=15", "Print Preview/Left Margin=25",
          "Print Preview/Bottom Margin=15", "Print Preview/Right Margin=25",
          "Print Preview/Header Margin=10", "Print Preview/Footer Margin=10"}));

  EditorSettings changed;
  changed.Size = 22;
  changed.Name = "Courier New";
  changed.Zoom = 175;
  changed.SideBar = true;
  changed.Margins = {20, 30, 12, 18, 6, 14};
  MemoryStore again;
  WriteEditorSettings(changed, again);
  EXPECT_EQ((again.values[{"Font Settings", "SideBar"}]), "1");
  EXPECT_EQ(ReadEditorSettings(again), changed);
}

TEST(EditorSettings, ValuesThatDoNotParseGiveTheDefaults) {
  struct Case {
    const char* key;
    const char* text;
    EditorSettings expected;
  };
  const auto with = [](auto change) {
    EditorSettings s;
    change(s);
    return s;
  };
  const Case cases[] = {
      {"Size", "big", {}},
      {"Size", "$1A", with([](EditorSettings& s) { s.Size = 26; })},
      {"Zoom", "", {}},
      {"Zoom", "0x96", with([](EditorSettings& s) { s.Zoom = 150; })},
      {"SideBar", "yes", {}},
      {"SideBar", "1", with([](EditorSettings& s) { s.SideBar = true; })},
      {"SideBar", "-3", with([](EditorSettings& s) { s.SideBar = true; })},
      {"SideBar", "0x0", {}},
      {"Name", "", with([](EditorSettings& s) { s.Name = ""; })},
      {"Top Margin", "ten", {}},
      {"Footer Margin", "$C", with([](EditorSettings& s) { s.Margins.Footer = 12; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.text);
    MemoryStore store;
    const bool font = std::string(c.key).find("Margin") == std::string::npos;
    store.values[{font ? "Font Settings" : "Print Preview", c.key}] = c.text;
    EXPECT_EQ(ReadEditorSettings(store), c.expected);
  }
}

TEST(EditorSettings, StoredValuesAreHeldToTheControlsRanges) {
  EXPECT_EQ(ZoomBarPosition(10), 50);
  EXPECT_EQ(ZoomBarPosition(500), 200);
  EXPECT_EQ(ZoomBarPosition(135), 135);
  EXPECT_EQ(ZoomBarPosition(INT32_MIN), 50);
  EXPECT_EQ(FontBoxSize(2), 4);
  EXPECT_EQ(FontBoxSize(801), 800);
  EXPECT_EQ(FontBoxSize(13), 13);
  EXPECT_EQ(DialogMargins({15, 25, 15, 25, 10, 10}), (MarginSettings{15, 25, 15, 25, 10, 10}));
  EXPECT_EQ(DialogMargins({0, -5, 5000, 100, 1, 99}), (MarginSettings{1, 1, 100, 100, 5, 15}));
}

TEST(EditorSettings, DamagedTextIsRecognised) {
  EXPECT_FALSE(IsDamagedSettingsText(""));
  EXPECT_FALSE(IsDamagedSettingsText("[Font Settings]\r\nZoom=150\r\n"));
  EXPECT_FALSE(IsDamagedSettingsText(std::string("\xFF\xFE[\0F\0", 6))) << "UTF-16 text";
  EXPECT_TRUE(IsDamagedSettingsText(std::string("[Font\0Settings]", 15)));
}
