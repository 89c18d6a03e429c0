// What the real Tessary keeps between runs, from outside: the zoom, font, size, side panel and
// margins the user left ("Tessary.ini"), and the documents opened through the real Open dialog
// ("WrdFileList.dat"), listed most recent first in the history window and reopened by Open Last
// Active Document; a history file of random bytes does not stop the program.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/TessaryRun.h"
#include "tests/support/Screenshot.h"
#include "writer/MainCommands.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string IniValue(const fs::path& ini, const wchar_t* section, const wchar_t* key) {
  wchar_t value[128] = L"";
  GetPrivateProfileStringW(section, key, L"(missing)", value, 128, ini.c_str());
  return BytesFromWide(value);
}

// The side panel's controls, in the order they are made.
struct SidePanel {
  explicit SidePanel(HWND main)
      : font(FindChildByIndex(main, L"ComboBox", 0)),
        size(FindChildByIndex(main, L"Edit", 0)),
        zoom(FindChildByIndex(main, TRACKBAR_CLASSW, 0)),
        panel(GetParent(font)) {}
  bool Shown() const { return (GetWindowLongPtrW(panel, GWL_STYLE) & WS_VISIBLE) != 0; }
  std::wstring Face() const { return ControlText(font); }
  int Zoom() const { return static_cast<int>(Ask(zoom, TBM_GETPOS)); }

  HWND font, size, zoom, panel;
};

// The margins dialog of the print preview, filled or read, then applied or closed.
std::vector<std::wstring> UseMargins(TessaryRun& t, const std::vector<std::wstring>& values) {
  t.Command(writer::cmdPrintPreview);
  HWND preview = t.run.WaitForWindow(L"Print Preview");
  ClickButton(preview, L"Margins");
  HWND dialog = t.run.WaitForWindow(L"Page Margins");
  // The dialog loads the stored margins whenever it becomes active: fill it once it is.
  WaitUntil([&] { return GetForegroundWindow() == dialog; }, std::chrono::seconds(3));
  std::vector<std::wstring> shown;
  for (int i = 0; i < 6; ++i) {
    HWND edit = FindChildByIndex(dialog, L"Edit", i);
    shown.push_back(ControlText(edit));
    if (!values.empty()) SetControlText(edit, values[static_cast<std::size_t>(i)]);
  }
  ClickButton(dialog, values.empty() ? L"Close" : L"Apply");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  ClickButton(preview, L"Close");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }));
  return shown;
}

}  // namespace

TEST(TessaryRemembers, ZoomFontSizeSidePanelAndMarginsAcrossRuns) {
  TessaryRun t;
  t.Attach(kCaption);
  SidePanel panel(t.main);
  EXPECT_FALSE(panel.Shown()) << "a first run hides the side panel";
  EXPECT_EQ(panel.Zoom(), 100);

  // "Hide Side Panel" in the context menu shows it again.
  PostMessageW(t.main, WM_COMMAND, MAKEWPARAM(writer::cmdHideSidePanel, 0), 0);
  ASSERT_TRUE(WaitUntil([&] { return panel.Shown(); }));
  Ask(panel.zoom, TBM_SETPOS, TRUE, 150);
  PostMessageW(panel.panel, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(panel.zoom));
  const LRESULT courier = Ask(panel.font, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"Courier New"));
  ASSERT_GE(courier, 0);
  Ask(panel.font, CB_SETCURSEL, static_cast<WPARAM>(courier));
  PostMessageW(panel.panel, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(panel.font), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(panel.font));
  SetControlText(panel.size, L"20");
  // Another window taking the focus away and giving it back reloads the dialog: applied until
  // the dialog shows what was typed.
  const std::vector<std::wstring> margins = {L"20", L"30", L"22", L"12", L"6", L"14"};
  for (int attempt = 0; attempt < 5 && UseMargins(t, {}) != margins; ++attempt)
    UseMargins(t, margins);
  ASSERT_EQ(UseMargins(t, {}), margins);
  t.Type(L"Kept");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"Kept"; }));
  EXPECT_TRUE(WaitUntil([&] { return panel.Face() == L"Courier New"; }));

  t.Command(writer::cmdClose);
  const MessageBoxSeen prompt = t.run.WaitForMessageBox();
  t.run.Answer(prompt, L"No");
  EXPECT_EQ(t.run.WaitForExit(), 0u);

  const fs::path ini = t.run.Folder() / "Tessary.ini";
  struct Key {
    const wchar_t* section;
    const wchar_t* key;
    const char* value;
  };
  const Key keys[] = {
      {L"Font Settings", L"Size", "20"},          {L"Font Settings", L"Name", "Courier New"},
      {L"Font Settings", L"Zoom", "150"},         {L"Font Settings", L"SideBar", "1"},
      {L"Print Preview", L"Top Margin", "20"},    {L"Print Preview", L"Left Margin", "30"},
      {L"Print Preview", L"Bottom Margin", "12"}, {L"Print Preview", L"Right Margin", "22"},
      {L"Print Preview", L"Header Margin", "6"},  {L"Print Preview", L"Footer Margin", "14"},
  };
  for (const Key& k : keys)
    EXPECT_EQ(IniValue(ini, k.section, k.key), k.value) << Utf8FromWide(k.key);

  t.run.Restart();
  t.Attach(kCaption);
  SidePanel again(t.main);
  EXPECT_TRUE(again.Shown());
  EXPECT_EQ(again.Zoom(), 150);
  EXPECT_EQ(again.Face(), L"Courier New");
  EXPECT_EQ(ControlText(again.size), L"20");
  EXPECT_EQ(UseMargins(t, {}), margins);
  // What the user types takes the stored font.
  t.Type(L"x");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"x"; }));
  t.Command(writer::cmdClose);
  t.run.Answer(t.run.WaitForMessageBox(), L"No");
  EXPECT_EQ(t.run.WaitForExit(), 0u);
}

TEST(TessaryRemembers, OpenedDocumentsAreListedMostRecentFirstAndTheLastOneReopens) {
  TessaryRun t;
  t.Attach(kCaption);
  std::vector<fs::path> documents;
  for (const char* name : {"first.rtf", "second.txt", "third.rtc"}) {
    const fs::path path = t.run.Folder() / name;
    documents.push_back(path);
    if (path.extension() == ".rtc") {
      t.Type(L"third");
      ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"third"; }));
      t.SaveAs(path);  // a saved document is listed too; Open below moves it up
      t.Command(writer::cmdNew);
      t.WaitForCaption(kCaption);
    } else {
      WriteFile(path, path.extension() == ".rtf" ? "{\\rtf1 first\\par}" : "second");
    }
  }
  for (const fs::path& path : documents) {
    t.Command(writer::cmdOpen);
    t.run.ChooseFile(L"Open Document", path, L"Open");
    t.WaitForCaption(CaptionFor(path));
  }
  EXPECT_EQ(t.run.Close(t.main), 0u);
  EXPECT_EQ(Slurp(t.run.Folder() / "WrdFileList.dat"),
            BytesFromWide(documents[2].wstring() + L"\r\n" + documents[1].wstring() + L"\r\n" +
                          documents[0].wstring() + L"\r\n"));

  t.run.Restart();
  t.Attach(kCaption);
  t.Command(writer::cmdHistory);
  HWND history = t.run.WaitForWindow(L"Document History");
  HWND list = FindChildByIndex(history, L"ListBox", 0);
  EXPECT_EQ(ListRows(list),
            (std::vector<std::wstring>{documents[2].wstring(), documents[1].wstring(),
                                       documents[0].wstring()}));
  EXPECT_EQ(Ask(list, LB_GETSEL, 0), 1) << "the first row is selected";
  std::wcout << L"screenshot: " << SaveWindowScreenshot(history, L"tessary-history-e2e") << L"\n";
  ClickButton(history, L"Close");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(history); }));

  t.Command(writer::cmdLastDocument);
  t.WaitForCaption(CaptionFor(documents[2]));
  // The caption comes first, the text once it is loaded.
  EXPECT_TRUE(WaitUntil([&] { return t.Text() == L"third"; })) << Utf8FromWide(t.Text());
  EXPECT_EQ(t.run.Close(t.main), 0u);
}

TEST(TessaryRemembers, AHistoryOfRandomBytesStartsTheProgramNormally) {
  std::mt19937 random(26);
  std::string noise(256 * 1024, '\0');
  for (char& b : noise) b = static_cast<char>(random());
  TessaryRun t(L"", {{L"WrdFileList.dat", noise}});
  const MessageBoxSeen box = t.run.WaitForMessageBox();
  EXPECT_EQ(box.text, L"File not Found!");
  t.run.Answer(box, L"OK");
  t.Attach(kCaption);
  t.Type(L"still works");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"still works"; }));
  t.Command(writer::cmdHistory);
  HWND history = t.run.WaitForWindow(L"Document History");
  EXPECT_TRUE(ListRows(FindChildByIndex(history, L"ListBox", 0)).empty());
  ClickButton(history, L"Close");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(history); }));
  t.Command(writer::cmdClose);
  t.run.Answer(t.run.WaitForMessageBox(), L"No");
  EXPECT_EQ(t.run.WaitForExit(), 0u);
  EXPECT_EQ(Slurp(t.run.Folder() / "WrdFileList.dat"), "") << "an empty list is written back";
}
