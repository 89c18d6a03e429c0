#pragma once
// The program object: its title, its forms, the message loop and the general error handler
// that every window callback hands its failures to.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/GdiHandles.h"

class Form;

class Application {
 public:
  static Application& Get();

  void SetTitle(const std::wstring& title);
  const std::wstring& Title() const { return title_; }

  // The general handler: the failure's text with a full stop added, in an error box
  // captioned with the application title; the program goes on. Never throws.
  void HandleException(const std::exception& e) noexcept;
  // For use inside a catch block of any type.
  void HandleCurrentException() noexcept;
  // Runs f and hands any failure to the general handler; for callbacks that must not throw.
  template <typename F>
  void Guard(F&& f) noexcept {
    try {
      f();
    } catch (...) {
      HandleCurrentException();
    }
  }

  // Runs the message loop until Terminate; returns the exit code.
  int Run();
  void Terminate(int exitCode = 0);
  bool Terminated() const { return terminated_; }
  // Lets pending window messages run (progress windows repaint during long commands).
  void ProcessMessages();
  // Dispatches one message as the loop does: forms' own translation, dialog keys, dispatch.
  void DispatchOne(MSG& msg);
  // Custom-drawn buttons take Enter and Escape before the dialog manager does; the handler
  // returns true when it consumed the message.
  using DialogKeyHandler = bool (*)(const MSG&);
  void SetDialogKeyHandler(DialogKeyHandler handler) { dialogKeyHandler_ = handler; }

  // Forms register themselves when created and are destroyed in reverse order at exit.
  void AddForm(Form* form);
  void RemoveForm(Form* form);
  void DestroyForms();
  void SetMainForm(Form* form) { mainForm_ = form; }
  Form* MainForm() const { return mainForm_; }

  // The shared user-interface font (13-pixel sans serif).
  HFONT UiFont();

 private:
  Application() = default;
  std::wstring title_;
  std::vector<Form*> forms_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  int exitCode_ = 0;
  DialogKeyHandler dialogKeyHandler_ = nullptr;
  FontHandle uiFont_;
};

// Sends failures inside the styled controls' events to the general handler.
void InstallControlErrorHandler();

// The text of a failure as the user reads it (UTF-8 in what(), converted).
std::wstring ErrorText(const std::exception& e);
