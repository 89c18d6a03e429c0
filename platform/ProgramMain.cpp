#include "platform/ProgramMain.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/Application.h"
#include "platform/Form.h"

int RunProgram(const std::wstring& title, const std::function<void()>& createForms) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Application& app = Application::Get();
  app.SetTitle(title);
  InstallControlErrorHandler();
  app.Guard(createForms);
  if (!app.MainForm()) return 1;
  const int code = app.Run();
  app.DestroyForms();
  return code;
}
