// The chain every later end-to-end test stands on: the real programs start in a folder of their
// own, show their main window, answer the driver and end with exit code 0 when closed.
#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

TEST(ProgramsStart, MarrowbyShowsItsWindowAndEndsCleanly) {
  ProgramRun run(MARROWBY_EXE);
  HWND main = run.WaitForWindow(L"Marrowby");
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(run.Close(main), 0u);
}

TEST(ProgramsStart, TessaryShowsItsWindowAndEndsCleanly) {
  ProgramRun run(TESSARY_EXE);
  // A first run has no document history yet, and says so.
  const MessageBoxSeen first = run.WaitForMessageBox();
  EXPECT_EQ(first.text, L"File not Found!");
  run.Answer(first, L"OK");
  HWND main = run.WaitForWindow(L"Ombrel Tessary Express");
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 1024);
  EXPECT_EQ(run.Close(main), 0u);
}
