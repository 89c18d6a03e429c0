#pragma once
// The insert tools hand their result to the main window through the clipboard: text or an
// enhanced metafile, each replacing whatever the clipboard held.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace writer {

struct MetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
// An enhanced metafile deleted with its owner.
using MetafileHandle = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, MetafileDeleter>;

// Puts text on the clipboard as Unicode text (the system offers the 8-bit form from it).
// Throws EError when another program holds the clipboard.
void ClipboardPutText(HWND owner, const std::wstring& text);

// Puts a copy of the metafile on the clipboard; the caller keeps its own.
void ClipboardPutMetafile(HWND owner, HENHMETAFILE metafile);

// The clipboard's Unicode text, empty when it holds none.
std::wstring ClipboardGetText(HWND owner);

}  // namespace writer
