#include "platform/ControlErrors.h"

#include <windows.h>

#include <string>

namespace {

TControlErrorHandler& Handler() {
  static TControlErrorHandler handler;
  return handler;
}

void ShowInMessageBox(const std::exception& e) {
  const std::string text = e.what();
  std::wstring wide(text.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  MessageBoxW(nullptr, wide.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

}  // namespace

void SetControlErrorHandler(TControlErrorHandler handler) { Handler() = std::move(handler); }

void ReportControlError(const std::exception& e) {
  try {
    if (Handler()) {
      Handler()(e);
      return;
    }
    ShowInMessageBox(e);
  } catch (...) {
    // A failing error handler has nowhere left to report to.
  }
}
