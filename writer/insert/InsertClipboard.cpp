#include "writer/insert/InsertClipboard.h"

#include <cstring>

#include "platform/Error.h"

namespace writer {
namespace {

class OpenClipboardFor {
 public:
  explicit OpenClipboardFor(HWND owner) {
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(20);
    }
  }
  ~OpenClipboardFor() {
    if (open_) CloseClipboard();
  }
  OpenClipboardFor(const OpenClipboardFor&) = delete;
  OpenClipboardFor& operator=(const OpenClipboardFor&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

void RequireOpen(const OpenClipboardFor& clipboard) {
  if (!clipboard.Open()) throw EError("The clipboard is in use by another program; try again.");
}

}  // namespace

void ClipboardPutText(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) throw EError("There is not enough memory for the clipboard.");
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  const OpenClipboardFor clipboard(owner);
  if (!clipboard.Open()) GlobalFree(memory);
  RequireOpen(clipboard);
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
}

void ClipboardPutMetafile(HWND owner, HENHMETAFILE metafile) {
  HENHMETAFILE copy = CopyEnhMetaFileW(metafile, nullptr);
  if (!copy) throw EError("The picture cannot be copied to the clipboard.");
  const OpenClipboardFor clipboard(owner);
  if (!clipboard.Open()) DeleteEnhMetaFile(copy);
  RequireOpen(clipboard);
  EmptyClipboard();
  if (!SetClipboardData(CF_ENHMETAFILE, copy)) DeleteEnhMetaFile(copy);
}

std::wstring ClipboardGetText(HWND owner) {
  const OpenClipboardFor clipboard(owner);
  if (!clipboard.Open()) return {};
  HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  if (!memory) return {};
  const auto* text = static_cast<const wchar_t*>(GlobalLock(memory));
  std::wstring result = text ? std::wstring(text, wcsnlen(text, GlobalSize(memory) / 2)) : L"";
  GlobalUnlock(memory);
  return result;
}

}  // namespace writer
