// "Tessary.ini" with the real main window: the defaults of a first run, the stored values applied
// at the first activation and held to the controls' ranges, the state written when the window
// is destroyed, and the file replaced whole, keeping what else it holds, or not at all.
#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/EditorSettingsFile.h"
#include "writer/Main.h"
#include "writer/print/PrintPreview.h"

using namespace writer;
namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EditorSettingsWindow : public testing::Test {
 protected:
  EditorSettingsWindow()
      : folder(fs::temp_directory_path() / (L"settings-" + std::to_wstring(GetCurrentProcessId()) +
                                            L"-" + std::to_wstring(GetTickCount64()))) {
    fs::create_directories(folder);
    // A program that ran before: an empty history.
    std::ofstream(folder / L"WrdFileList.dat", std::ios::binary);
  }
  ~EditorSettingsWindow() override {
    form.reset();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  fs::path Ini() const { return folder / L"Tessary.ini"; }
  void WriteIni(const std::string& text) {
    std::ofstream(Ini(), std::ios::binary | std::ios::trunc) << text;
  }
  void Start() {
    form = std::make_unique<TFrmMain>();
    form->SetDataFolder(folder.wstring() + L"\\");
    form->Create();
    form->Show();
    Application::Get().ProcessMessages();
    ASSERT_TRUE(form->SettingsLoaded()) << "the window was activated";
  }
  void End() {
    form->History().Destroy();
    form->Destroy();
    form.reset();
  }
  std::wstring Face() const { return form->FontName.ItemText(form->FontName.SelectedIndex()); }
  CHARFORMAT2W TypedFormat() {
    // The empty document takes the default format at once.
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(form->Editor.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&format));
    return format;
  }
  std::string Key(const char* section, const char* key) {
    wchar_t value[256] = L"";
    GetPrivateProfileStringW(WideFromBytes(section).c_str(), WideFromBytes(key).c_str(), L"(none)",
                             value, 256, Ini().c_str());
    return BytesFromWide(value);
  }
  bool PanelShown() const {
    return (GetWindowLongPtrW(form->pnlSide.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
  }

  fs::path folder;
  ScriptedDialogs dialogs;
  std::unique_ptr<TFrmMain> form;
};

}  // namespace

TEST_F(EditorSettingsWindow, AFirstRunHasTheDefaultsAndEndingWritesAllTenKeys) {
  Start();
  EXPECT_EQ(Face(), L"Arial");
  EXPECT_EQ(form->FontSize1.Value(), 12);
  EXPECT_EQ(form->ZoomBar.Position(), 100);
  EXPECT_EQ(form->StatusBar1.Panel(3), L"Zoom Factor: 100%");
  EXPECT_FALSE(PanelShown());
  EXPECT_TRUE(form->EditorMenu().Checked(cmdHideSidePanel));
  EXPECT_EQ(form->Margins, (MarginSettings{15, 25, 15, 25, 10, 10}));
  EXPECT_EQ(TypedFormat().yHeight, 240);
  EXPECT_STREQ(TypedFormat().szFaceName, L"Arial");
  End();
  const std::pair<const char*, const char*> keys[] = {
      {"Size", "12"},          {"Name", "Arial"},      {"Zoom", "100"},
      {"SideBar", "0"},        {"Top Margin", "15"},   {"Left Margin", "25"},
      {"Bottom Margin", "15"}, {"Right Margin", "25"}, {"Header Margin", "10"},
      {"Footer Margin", "10"},
  };
  for (const auto& [key, value] : keys) {
    const bool font = std::string(key).find("Margin") == std::string::npos;
    EXPECT_EQ(Key(font ? "Font Settings" : "Print Preview", key), value) << key;
  }
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(EditorSettingsWindow, StoredValuesAreAppliedWithinTheControlsRanges) {
  struct Case {
    const char* name;
    std::string ini;
    int zoom, size;
    std::wstring face;
    bool panel;
  };
  const Case cases[] = {
      {"zoom 10 and size 2", "[Font Settings]\nZoom=10\nSize=2\n", 50, 4, L"Arial", false},
      {"zoom 500, hexadecimal size", "[Font Settings]\nZoom=500\nSize=$12\n", 200, 18, L"Arial",
       false},
      {"a font named in other letters", "[Font Settings]\nName=courier NEW\nSideBar=1\n", 100, 12,
       L"Courier New", true},
      {"a font not installed", "[Font Settings]\nName=No Such Face\nSideBar=0\n", 100, 12, L"Arial",
       false},
      {"values that do not parse", "[Font Settings]\nZoom=big\nSize=\nSideBar=yes\n", 100, 12,
       L"Arial", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteIni(c.ini);
    Start();
    EXPECT_EQ(form->ZoomBar.Position(), c.zoom);
    EXPECT_EQ(form->FontSize1.Value(), c.size);
    EXPECT_EQ(Face(), c.face);
    EXPECT_EQ(PanelShown(), c.panel);
    EXPECT_EQ(form->EditorMenu().Checked(cmdHideSidePanel), !c.panel);
    // The editor's default font is what the boxes show.
    EXPECT_EQ(TypedFormat().yHeight, c.size * 20);
    EXPECT_EQ(std::wstring(TypedFormat().szFaceName), c.face);
    const RECT editor = form->Editor.Bounds();
    EXPECT_EQ(editor.left, c.panel ? 314 : 10) << "the editor takes the panel's room";
    form.reset();
  }
}

TEST_F(EditorSettingsWindow, TheMarginsReachThePrintPreviewAndComeBackOut) {
  WriteIni(
      "[Print Preview]\nTop Margin=20\nLeft Margin=0x1E\nBottom Margin=12\n"
      "Right Margin=18\nHeader Margin=6\nFooter Margin=500\n");
  Start();
  EXPECT_EQ(form->Margins, (MarginSettings{20, 30, 12, 18, 6, 15}))
      << "a margin the dialog could not give is taken as near as it allows";
  TVpPreview& preview = form->PrintPreview().VpPreview1();
  EXPECT_NEAR(preview.Margins().Top().AsMillimeters(), 20, 1e-9);
  EXPECT_NEAR(preview.Margins().Left().AsMillimeters(), 30, 1e-9);
  EXPECT_NEAR(preview.Margins().Right().AsMillimeters(), 18, 1e-9);
  EXPECT_NEAR(preview.Margins().Bottom().AsMillimeters(), 12, 1e-9);
  EXPECT_NEAR(form->PrintPreview().VpRtfPreview1.TopAllowance().AsMillimeters(), 26, 1e-9);
  EXPECT_NEAR(form->PrintPreview().VpRtfPreview1.BottomAllowance().AsMillimeters(), 27, 1e-9);
  EXPECT_EQ(form->PrintPreview().TrackBar1.Position(), 100);
  form->Margins.Left = 41;  // as the margins dialog's Apply leaves them
  End();
  EXPECT_EQ(Key("Print Preview", "Left Margin"), "41");
  EXPECT_EQ(Key("Print Preview", "Footer Margin"), "15");
}

TEST_F(EditorSettingsWindow, TheStateAtTheEndIsWrittenAndReadOnlyOnce) {
  Start();
  form->ZoomBar.SetPosition(150);
  form->RunCommand(cmdZoom);
  // A dialog opened and closed activates the window again: the settings are not read again.
  WriteIni("[Font Settings]\nZoom=60\n");
  ModalScript modal;
  modal.Then<THistoryForm>([](THistoryForm& h) { h.btnCloseClick(); });
  form->RunCommand(cmdHistory);
  SetForegroundWindow(form->Handle());
  Application::Get().ProcessMessages();
  EXPECT_EQ(form->ZoomBar.Position(), 150);
  form->HideSidePanelClick();
  EXPECT_TRUE(PanelShown());
  form->FontSize1.SetValue(22);
  End();
  EXPECT_EQ(Key("Font Settings", "Zoom"), "150");
  EXPECT_EQ(Key("Font Settings", "SideBar"), "1");
  EXPECT_EQ(Key("Font Settings", "Size"), "22");
}

TEST_F(EditorSettingsWindow, TheFileIsReplacedWholeKeepingItsOtherKeysOrNotAtAll) {
  WriteIni(
      "; written by hand\r\n[Spelling]\r\nLanguage=en-GB\r\n[Font Settings]\r\nZoom=120\r\n"
      "Extra=kept\r\n");
  Start();
  EXPECT_EQ(form->ZoomBar.Position(), 120);
  End();
  EXPECT_EQ(Key("Spelling", "Language"), "en-GB");
  EXPECT_EQ(Key("Font Settings", "Extra"), "kept");
  EXPECT_EQ(Key("Font Settings", "Zoom"), "120");
  EXPECT_NE(ReadBytes(Ini()).find("; written by hand"), std::string::npos);

  // A file that cannot be replaced keeps its old content, and nothing is said.
  const std::string before = ReadBytes(Ini());
  Start();
  form->ZoomBar.SetPosition(180);
  SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_READONLY);
  End();
  SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(Ini()), before);
  EXPECT_TRUE(dialogs.Calls().empty());
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_NE(entry.path().extension(), L".tmp") << "no copy is left behind";
}

TEST_F(EditorSettingsWindow, ADamagedFileGivesTheDefaultsAndIsWrittenAfresh) {
  std::mt19937 random(54);
  std::string noise = "[Font Settings]\r\nZoom=150\r\n";
  for (int i = 0; i < 4000; ++i) noise += static_cast<char>(random());
  noise[30] = '\0';
  WriteIni(noise);
  Start();
  EXPECT_EQ(form->ZoomBar.Position(), 100);
  EXPECT_EQ(form->FontSize1.Value(), 12);
  EXPECT_FALSE(PanelShown());
  form->ZoomBar.SetPosition(70);
  End();
  EXPECT_EQ(Key("Font Settings", "Zoom"), "70");
  EXPECT_EQ(ReadEditorSettingsFile(Ini()).Zoom, 70);
  EXPECT_EQ(ReadBytes(Ini()).find('\0'), std::string::npos);

  // Far larger than any settings file: not the program's either.
  std::string huge = "[Font Settings]\r\nZoom=150\r\n";
  while (huge.size() <= (1u << 20)) huge += "; padding padding padding padding padding\r\n";
  WriteIni(huge);
  EXPECT_EQ(ReadEditorSettingsFile(Ini()), EditorSettings{});
  WriteEditorSettingsFile(Ini(), EditorSettings{});
  EXPECT_LT(ReadBytes(Ini()).size(), 1000u);
}
