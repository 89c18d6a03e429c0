// The services every window uses: the dialog interface, the cursor guard, the exe folder,
// code-page conversion and the input box.
#include <atomic>
#include <stdexcept>
#include <thread>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ExeFolder.h"
#include "platform/HourglassCursor.h"
#include "platform/InputBox.h"
#include "tests/support/ScriptedDialogs.h"

TEST(Dialogs, MessageBoxesAreCaptionedWithTheTitleAndAnswerFromTheScript) {
  Application::Get().SetTitle(L"Ombrel Tessary");
  ScriptedDialogs dialogs;
  dialogs.Answer(DialogAnswer::Ok)
      .Answer(DialogAnswer::Yes)
      .Answer(DialogAnswer::No)
      .Answer(DialogAnswer::Cancel);
  ShowInformation(L"Please select contact to Edit.");
  EXPECT_TRUE(ConfirmYesNo(L"Delete checked [x] contact(s)?"));
  EXPECT_FALSE(ConfirmYesNo(L"Again?"));
  EXPECT_EQ(ConfirmYesNoCancel(L"Save changes?"), DialogAnswer::Cancel);

  const auto& calls = dialogs.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, DialogKind::Information);
  EXPECT_EQ(calls[0].buttons, DialogButtons::Ok);
  EXPECT_EQ(calls[0].caption, L"Ombrel Tessary");
  EXPECT_EQ(calls[0].text, L"Please select contact to Edit.");
  EXPECT_EQ(calls[1].kind, DialogKind::Confirmation);
  EXPECT_EQ(calls[1].buttons, DialogButtons::YesNo);
  EXPECT_EQ(calls[3].buttons, DialogButtons::YesNoCancel);
}

TEST(Dialogs, FileDialogsPassTheRequestAndReturnTheScriptedPath) {
  ScriptedDialogs dialogs;
  dialogs.AnswerFile(L"C:\\data\\contacts.csv", 2).Cancel();
  FileDialogRequest request;
  request.filter = L"CSV|*.csv|All|*.*";
  request.defaultExt = L"csv";
  const auto chosen = SaveFileDialog(request);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->path, L"C:\\data\\contacts.csv");
  EXPECT_EQ(chosen->filterIndex, 2);
  EXPECT_EQ(dialogs.lastFileRequest.defaultExt, L"csv");
  EXPECT_EQ(dialogs.Last().kind, DialogKind::SaveFile);
  EXPECT_FALSE(OpenFileDialog(request));
  EXPECT_EQ(dialogs.Last().kind, DialogKind::OpenFile);
}

TEST(Dialogs, AnUnscriptedDialogFailsTheTestAndIsRefused) {
  static bool answered;
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        answered = ConfirmYesNo(L"Delete?");
      },
      "unexpected dialog");
  EXPECT_FALSE(answered);
}

TEST(HourglassCursor, RestoresTheCursorAlsoWhenTheCommandFails) {
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  SetCursor(arrow);
  try {
    HourglassCursor busy;
    EXPECT_EQ(GetCursor(), wait);
    {
      HourglassCursor nested;
      EXPECT_EQ(HourglassCursor::Depth(), 2);
    }
    EXPECT_EQ(GetCursor(), wait);  // still busy after the inner command
    throw std::runtime_error("failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(HourglassCursor::Depth(), 0);
}

TEST(ExeFolder, IsTheFolderOfTheRunningProgramWithItsSeparator) {
  const std::wstring folder = ExeFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_EQ(std::wstring(exe).rfind(folder, 0), 0u);
  EXPECT_EQ(std::wstring(exe).find(L'\\', folder.size()), std::wstring::npos);
}

TEST(CodePage, SystemCodePageIsWindows1252AndRoundTrips) {
  EXPECT_EQ(GetACP(), 1252u);
  const std::string bytes = "Gr\xFC\xDF Gott \x80";
  EXPECT_EQ(WideFromBytes(bytes), L"Grüß Gott €");
  EXPECT_EQ(BytesFromWide(L"Grüß Gott €"), bytes);
  EXPECT_EQ(WideFromUtf8("\xC3\xA9t\xC3\xA9"), L"été");
  EXPECT_EQ(Utf8FromWide(L"été"), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(WideFromBytes(""), L"");
}

TEST(InputBox, ReturnsTheTypedTextOnOkAndNothingOnCancel) {
  // A second thread plays the user: it finds the box, types and presses a button.
  auto user = [](const wchar_t* text, int button) {
    return std::thread([=] {
      HWND box = nullptr;
      for (int i = 0; i < 400 && !box; ++i) {
        box = FindWindowW(L"#32770", L"Search for a Document");
        Sleep(10);
      }
      if (!box) return;
      if (text) SetDlgItemTextW(box, 101, text);
      PostMessageW(box, WM_COMMAND, button, 0);
    });
  };
  std::thread typing = user(L"letter", IDOK);
  const auto typed = RunInputBox(nullptr, L"Search for a Document",
                                 L"Enter a document name to search for:", L"Document Name");
  typing.join();
  ASSERT_TRUE(typed);
  EXPECT_EQ(*typed, L"letter");

  std::thread cancelling = user(nullptr, IDCANCEL);
  EXPECT_FALSE(RunInputBox(nullptr, L"Search for a Document", L"prompt", L"x"));
  cancelling.join();
}
