// Entry point of the window tests: no real message box or modal form may ever appear, so
// the whole run refuses them unless a test scripted an answer.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "tests/support/ScriptedDialogs.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  InstallControlErrorHandler();
  ScriptedDialogs refuseDialogs;
  ModalScript refuseModals;
  return RUN_ALL_TESTS();
}
