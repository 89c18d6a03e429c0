#pragma once
#include <windows.h>

// Results a button hands to its window; the values are the dialog ids of the platform.
enum TModalResult : int {
  mrNone = 0,
  mrOk = IDOK,
  mrCancel = IDCANCEL,
  mrAbort = IDABORT,
  mrRetry = IDRETRY,
  mrIgnore = IDIGNORE,
  mrYes = IDYES,
  mrNo = IDNO
};

// The message a clicked button with a modal result sends to its top-level window:
// wParam is the result, lParam the button's window. A modal window that receives it ends
// its loop with that result; others may ignore it.
UINT ModalResultMessage();
