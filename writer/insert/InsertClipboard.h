#pragma once
// The insert tools hand their result to the main window through the clipboard: text or an
// enhanced metafile, each replacing whatever the clipboard held.
#include <windows.h>

#include <string>

namespace writer {

// Puts text on the clipboard as Unicode text (the system offers the 8-bit form from it).
// Throws EError when another program holds the clipboard.
void ClipboardPutText(HWND owner, const std::wstring& text);

// Puts a copy of the metafile on the clipboard; the caller keeps its own.
void ClipboardPutMetafile(HWND owner, HENHMETAFILE metafile);

// The clipboard's Unicode text, empty when it holds none.
std::wstring ClipboardGetText(HWND owner);

}  // namespace writer
