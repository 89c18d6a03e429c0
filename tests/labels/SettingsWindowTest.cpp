// The settings window: a borderless 315 x 150 window that edits the one-character separator
// and writes the settings file when saved.
#include <windows.h>

#include "platform/Application.h"
#include "tests/labels/MarrowbyFixture.h"
#include "tests/support/Screenshot.h"

namespace {

class SettingsWindowTest : public MarrowbyFixture {
 protected:
  void SetUp() override { Start(); }
};

}  // namespace

TEST_F(SettingsWindowTest, SaveTakesTheFirstCharacterAndWritesTheFile) {
  modals.Then<TfrmSettings>([&](TfrmSettings& f) {
    const RECT r = f.Bounds();
    EXPECT_EQ(r.right - r.left, 315);
    EXPECT_EQ(r.bottom - r.top, 150);
    EXPECT_FALSE(GetWindowLongW(f.Handle(), GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(f.edtSeparator.Text(), L",");
    EXPECT_EQ(GetFocus(), f.edtSeparator.Handle());
    f.edtSeparator.SetText(L";");
    SaveWindowScreenshot(f.Handle(), L"marrowby-settings");
    f.btnSave.Click();
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  Main().btnSettingsClick();
  EXPECT_EQ(Main().Settings().record.Separator, ";");
  EXPECT_NE(Read("Settings.ini").find("Separator=;"), std::string::npos);
  EXPECT_NE(Read("Settings.ini").find("FontNameAddress=Arial"), std::string::npos);

  // An empty box saves an empty separator, which reads back empty after a restart.
  modals.Then<TfrmSettings>([](TfrmSettings& f) {
    EXPECT_EQ(f.edtSeparator.Text(), L";");
    f.edtSeparator.SetText(L"");
    f.btnSave.Click();
  });
  Main().btnSettingsClick();
  Restart();
  EXPECT_EQ(Main().Settings().record.Separator, "");
}

TEST_F(SettingsWindowTest, CancelChangesNothing) {
  modals.Then<TfrmSettings>([](TfrmSettings& f) {
    f.edtSeparator.SetText(L"|");
    f.btnCancel.Click();
  });
  Main().btnSettingsClick();
  EXPECT_EQ(Main().Settings().record.Separator, ",");
  EXPECT_FALSE(Exists("Settings.ini"));
}

TEST_F(SettingsWindowTest, AFailedWriteIsShownAndTheWindowStaysOpen) {
  std::filesystem::create_directory(File("Settings.ini"));  // no file can be written there
  modals.Then<TfrmSettings>([&](TfrmSettings& f) {
    dialogs.Answer(DialogAnswer::Ok);
    f.btnSave.Click();
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
    EXPECT_NE(dialogs.Last().text.find(L"Settings.ini"), std::wstring::npos);
    EXPECT_EQ(f.ModalResult(), mrNone);
    f.btnCancel.Click();
  });
  Main().btnSettingsClick();
  dialogs.Answer(DialogAnswer::Ok);  // closing the program reports it again
  Stop();
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
}
