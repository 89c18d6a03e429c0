#include "platform/Dialogs.h"

#include "platform/Application.h"

namespace {
Dialogs* installed = nullptr;

DialogAnswer Box(DialogKind kind, DialogButtons buttons, const std::wstring& text) {
  return CurrentDialogs().ShowBox(kind, buttons, Application::Get().Title(), text);
}
}  // namespace

Dialogs& CurrentDialogs() {
  static const std::unique_ptr<Dialogs> windows = MakeWindowsDialogs();
  return installed ? *installed : *windows;
}

Dialogs* InstallDialogs(Dialogs* dialogs) {
  Dialogs* previous = installed;
  installed = dialogs;
  return previous;
}

void ShowInformation(const std::wstring& text) {
  Box(DialogKind::Information, DialogButtons::Ok, text);
}
void ShowError(const std::wstring& text) { Box(DialogKind::Error, DialogButtons::Ok, text); }
void ShowWarning(const std::wstring& text) { Box(DialogKind::Warning, DialogButtons::Ok, text); }
void ShowPlainMessage(const std::wstring& text) {
  Box(DialogKind::Message, DialogButtons::Ok, text);
}

bool ConfirmYesNo(const std::wstring& text) {
  return Box(DialogKind::Confirmation, DialogButtons::YesNo, text) == DialogAnswer::Yes;
}

DialogAnswer ConfirmYesNoCancel(const std::wstring& text) {
  return Box(DialogKind::Confirmation, DialogButtons::YesNoCancel, text);
}

std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request) {
  return CurrentDialogs().PickFile(DialogKind::OpenFile, request);
}

std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest& request) {
  return CurrentDialogs().PickFile(DialogKind::SaveFile, request);
}

std::optional<FontChoice> FontDialog(const FontRequest& request) {
  return CurrentDialogs().PickFont(request);
}
