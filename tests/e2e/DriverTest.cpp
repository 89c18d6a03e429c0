// The driver against a program of known behaviour: texts, rows, message boxes, a failing
// command handled by the general error box, and a clean exit.

#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

TEST(Driver, ReadsAndWritesControlsAndListRows) {
  ProgramRun run(DRIVER_TARGET_EXE);
  HWND main = run.WaitForWindow(L"Driver Target");
  HWND name = FindChildByIndex(main, L"Edit", 0);
  HWND list = FindChildByIndex(main, L"ListBox", 0);
  for (const wchar_t* row : {L"1:   Smith, John Mr", L"2:   Jones"}) {
    SetControlText(name, row);
    EXPECT_EQ(ControlText(name), row);
    ClickButton(main, L"Add");
    WaitUntil([&] { return ListRows(list).size() == (row[0] == L'1' ? 1u : 2u); });
  }
  EXPECT_EQ(ListRows(list), (std::vector<std::wstring>{L"1:   Smith, John Mr", L"2:   Jones"}));
  EXPECT_EQ(run.Close(main), 0u);
}

TEST(Driver, AnswersAMessageBoxAndReadsItsText) {
  ProgramRun run(DRIVER_TARGET_EXE);
  HWND main = run.WaitForWindow(L"Driver Target");
  HWND answer = FindChildByIndex(main, L"Static", 0);
  for (const wchar_t* button : {L"Yes", L"No"}) {
    ClickButton(main, L"Ask");
    const MessageBoxSeen box = run.WaitForMessageBox();
    EXPECT_EQ(box.caption, L"Driver Target");
    EXPECT_EQ(box.text, L"Delete checked [x] contact(s)?");
    run.Answer(box, button);
    const std::wstring expected = button[0] == L'Y' ? L"yes" : L"no";
    WaitUntil([&] { return ControlText(answer) == expected; });
    EXPECT_EQ(ControlText(answer), expected);
  }
  EXPECT_EQ(run.Close(main), 0u);
}

TEST(Driver, FailingCommandShowsTheGeneralErrorBoxAndTheProgramGoesOn) {
  ProgramRun run(DRIVER_TARGET_EXE);
  HWND main = run.WaitForWindow(L"Driver Target");
  ClickButton(main, L"Fail");
  const MessageBoxSeen box = run.WaitForMessageBox();
  EXPECT_EQ(box.caption, L"Driver Target");
  EXPECT_EQ(box.text, L"Cannot open file \"x.csv\".");
  run.Answer(box, L"OK");

  // Still alive and answering.
  SetControlText(FindChildByIndex(main, L"Edit", 0), L"after");
  ClickButton(main, L"Add");
  HWND list = FindChildByIndex(main, L"ListBox", 0);
  WaitUntil([&] { return ListRows(list).size() == 1; });
  EXPECT_EQ(ListRows(list), std::vector<std::wstring>{L"after"});
  EXPECT_EQ(run.Close(main), 0u);
}

TEST(Driver, StartsEachRunInAFreshEmptyFolder) {
  ProgramRun run(DRIVER_TARGET_EXE);
  HWND main = run.WaitForWindow(L"Driver Target");
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(run.Folder())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1u);  // only the program itself
  EXPECT_EQ(run.Close(main), 0u);
  run.Restart();
  EXPECT_EQ(run.Close(run.WaitForWindow(L"Driver Target")), 0u);
}
