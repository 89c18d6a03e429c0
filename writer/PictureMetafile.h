#pragma once
// Picture files as enhanced metafiles: the one form in which pictures enter a document, so
// that every picture scales and prints alike.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace writer {

struct EnhMetaFileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using EnhMetaFileHandle = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetaFileDeleter>;

// The picture of a ".gif", ".jpg", ".jpeg", ".bmp", ".emf" or ".wmf" file (chosen by its
// extension; other extensions are tried as bitmaps) recorded as an enhanced metafile of the
// picture's size. Throws EError naming the file when it cannot be read or decoded.
EnhMetaFileHandle LoadPictureAsMetafile(const std::wstring& path);

// Puts a copy of the metafile on the clipboard in place of what it held.
void PutMetafileOnClipboard(HWND owner, HENHMETAFILE metafile);

}  // namespace writer
