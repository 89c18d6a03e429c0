#include "platform/Application.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/ControlErrors.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Form.h"
#include "platform/Tooltips.h"

Application& Application::Get() {
  static Application app;
  return app;
}

void Application::SetTitle(const std::wstring& title) { title_ = title; }

void InstallControlErrorHandler() {
  SetControlErrorHandler([](const std::exception& e) { Application::Get().HandleException(e); });
}

std::wstring ErrorText(const std::exception& e) { return WideFromUtf8(e.what()); }

void Application::HandleException(const std::exception& e) noexcept {
  try {
    ShowError(WideFromUtf8(WithFullStop(e.what())));
  } catch (...) {
    // Reporting failed too (out of memory); there is nothing sensible left to show.
  }
}

void Application::HandleCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    HandleException(e);
  } catch (...) {
    HandleException(EError("Unknown error"));
  }
}

namespace {
constexpr ULONG_PTR kDialogClassAtom = 0x8002;  // "#32770", the system's dialog class
}  // namespace

void Application::DispatchOne(MSG& msg) {
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
    if (const Form* owner = Form::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)))
      if (const Tooltips* hints = owner->HintsIfAny()) hints->Relay(msg);
  HWND active = GetActiveWindow();
  if (Form* form = Form::FromHandle(active)) {
    if (form->PreTranslateMessage(msg)) return;
    // Enter and Escape reach the custom Default and Cancel buttons first.
    if ((dialogKeyHandler_ && dialogKeyHandler_(msg)) || IsDialogMessageW(active, &msg)) return;
  } else if (active && GetClassLongPtrW(active, GCW_ATOM) == kDialogClassAtom &&
             IsDialogMessageW(active, &msg)) {
    // A modeless dialog of the system (find, replace) gets its keys: Tab, Enter, Escape.
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int Application::Run() {
  MSG msg{};
  while (!terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    DispatchOne(msg);
  }
  terminated_ = true;
  return exitCode_;
}

void Application::Terminate(int exitCode) {
  if (terminated_) return;
  exitCode_ = exitCode;
  terminated_ = true;
  PostQuitMessage(exitCode);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchOne(msg);
  }
}

void Application::AddForm(Form* form) { forms_.push_back(form); }

void Application::RemoveForm(Form* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::DestroyForms() {
  while (!forms_.empty()) {
    Form* last = forms_.back();
    Guard([last] { last->Destroy(); });
    RemoveForm(last);
  }
}

HFONT Application::UiFont() {
  if (!uiFont_)
    uiFont_.Reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  return uiFont_.get();
}
