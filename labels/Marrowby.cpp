// Marrowby: prints labels from the contacts and general records kept beside the program.
#include <windows.h>

#include "labels/MarrowbyForms.h"
#include "platform/ExeFolder.h"
#include "platform/ProgramMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MarrowbyForms forms;
  return RunProgram(L"Marrowby", [&] {
    forms.Create(ExeFolder());
    forms.frmMain.Show();
  });
}
