// Marrowby: prints labels from the contacts and general records kept beside the program.
#include "labels/Main.h"
#include "platform/Application.h"
#include "platform/ProgramMain.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    TfrmMain frmMain;
    return RunProgram(L"Marrowby", [&] {
        frmMain.Create();
        Application::Get().SetMainForm(&frmMain);
        frmMain.Show();
    });
}
