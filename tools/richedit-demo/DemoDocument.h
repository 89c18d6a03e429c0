#pragma once
// Moving a document between a file and a rich-edit control through its stream messages.
#include <windows.h>

#include <richedit.h>

#include <string>

namespace demo {

// How a file's bytes go into the control: RTF as it is, text as UTF-16 when it is Unicode
// (a UTF-16 byte-order mark, or valid UTF-8), otherwise as text in the system code page.
struct StreamInput {
  WPARAM format = SF_TEXT;
  std::string bytes;
};
StreamInput PrepareForControl(std::string bytes);

// Replaces the control's whole content with the file (RTF the control cannot read comes in
// as text). Throws EError naming the file when it cannot be read.
void LoadIntoControl(HWND edit, const std::wstring& path);
// Writes the control's content as RTF. The old file stays as it was when writing fails
// (EError naming the file).
void SaveFromControl(HWND edit, const std::wstring& path);

}  // namespace demo
