// Tessary: a rich-text word processor.
#include <windows.h>

#include "platform/Application.h"
#include "platform/ExeFolder.h"
#include "platform/ProgramMain.h"
#include "writer/Main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TFrmMain frmMain;
  return RunProgram(L"Ombrel Tessary", [&] {
    // The settings and the history live beside the program.
    frmMain.SetDataFolder(ExeFolder());
    frmMain.Create();
    Application::Get().SetMainForm(&frmMain);
    frmMain.Show();
  });
}
