#pragma once
// ".rtc" documents between the editor control and files.
#include <windows.h>

#include <string>

// Writes the control's RTF, compressed, to the file. The RTF passes through the temporary
// file path + ".tmp", which is always deleted; the compressed bytes go to a temporary file
// beside the target that replaces it only when complete, so a failure leaves the old file.
void SaveCompressedRichText(HWND editor, const std::wstring& path);

// Loads the file into the control as RTF, or as 8-bit text when the control rejects the RTF;
// throws "Failed to Load Stream" when both fail. Redrawing is off meanwhile and on again
// afterwards in every case; the caret ends at the start.
void LoadCompressedRichText(HWND editor, const std::wstring& path);
