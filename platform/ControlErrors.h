#pragma once
#include <exception>
#include <functional>

// Where a failure inside a control's event (a click handler that throws) goes, since no
// exception may leave a window procedure. The application installs its general handler;
// until then the failure's text is shown in a message box.
using TControlErrorHandler = std::function<void(const std::exception&)>;
void SetControlErrorHandler(TControlErrorHandler handler);
void ReportControlError(const std::exception& e);
