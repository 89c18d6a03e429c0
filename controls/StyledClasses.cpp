#include "controls/StyledClasses.h"

#include <cwchar>
#include <mutex>

#include "controls/DialogKeys.h"
#include "controls/StyledButton.h"
#include "controls/StyledCheckBox.h"
#include "controls/StyledPanel.h"
#include "controls/StyledRadioButton.h"
#include "platform/Application.h"

namespace controls {
namespace {

struct TClassEntry {
  const wchar_t* name;
  TStyledControl* (*make)();
};

const TClassEntry kClasses[] = {
    {L"TStyledPanel", &TStyledPanel::NewForWindow},
    {L"TStyledButton", &TStyledButton::NewForWindow},
    {L"TStyledCheckBox", &TStyledCheckBox::NewForWindow},
    {L"TStyledRadioButton", &TStyledRadioButton::NewForWindow},
};

const TClassEntry* EntryOf(HWND hwnd) {
  wchar_t name[64] = {};
  if (GetClassNameW(hwnd, name, 64) == 0) return nullptr;
  for (const TClassEntry& e : kClasses)
    if (std::wcscmp(e.name, name) == 0) return &e;
  return nullptr;
}

}  // namespace

void RegisterStyledControlClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const TClassEntry& e : kClasses) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.style = CS_GLOBALCLASS;  // usable in dialog templates of any module
      wc.lpfnWndProc = StyledWindowProc;
      wc.cbWndExtra = sizeof(void*);
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = e.name;
      RegisterClassExW(&wc);
    }
    Application::Get().SetDialogKeyHandler(&HandleStyledDialogKey);
  });
}

bool IsStyledControlWindow(HWND hwnd) {
  return GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StyledWindowProc) ||
         EntryOf(hwnd) != nullptr;
}

TStyledControl* NewStyledControlForWindow(HWND hwnd) {
  const TClassEntry* e = EntryOf(hwnd);
  return e ? e->make() : nullptr;
}

}  // namespace controls
