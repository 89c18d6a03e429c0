// The clipboard of the rich-edit window: the selection goes out as Unicode text, as text in
// the system code page and as rich text; what comes in is taken in the order rich text, plain
// text, picture.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "richedit/EditControl.h"

namespace richedit {
namespace {

UINT rtfFormat() {
  static const UINT format = RegisterClipboardFormatW(L"Rich Text Format");
  return format;
}

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

// Hands a copy of bytes to the clipboard, which owns the memory once it took it.
void put(UINT format, const std::string& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory)) return;
  }
  GlobalFree(memory);
}

// The clipboard's data in format, up to its first NUL character (of unitSize bytes; 0 for
// binary data, taken whole).
std::string take(UINT format, std::size_t unitSize) {
  HGLOBAL memory = GetClipboardData(format);
  if (!memory) return {};
  const auto* p = static_cast<const char*>(GlobalLock(memory));
  if (!p) return {};
  const std::size_t size = GlobalSize(memory);
  std::size_t end = unitSize == 0 ? size : 0;
  while (unitSize > 0 && end + unitSize <= size && std::memcmp(p + end, "\0\0", unitSize) != 0) {
    end += unitSize;
  }
  std::string bytes(p, end);
  GlobalUnlock(memory);
  return bytes;
}

// The clipboard's picture: its enhanced metafile when metafile is set, else its bitmap (a
// bitmap on the clipboard is offered as a DIB too).
std::optional<Picture> clipboardPicture(bool metafile) {
  if (metafile) {
    const auto emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    ENHMETAHEADER header{};
    const UINT size = emf ? GetEnhMetaFileBits(emf, 0, nullptr) : 0;
    if (size == 0 || !GetEnhMetaFileHeader(emf, sizeof header, &header)) return std::nullopt;
    Picture p;
    p.kind = PictureKind::Emf;
    p.data.resize(size);
    GetEnhMetaFileBits(emf, size, reinterpret_cast<BYTE*>(p.data.data()));
    p.width = header.rclFrame.right - header.rclFrame.left;  // 0.01 mm
    p.height = header.rclFrame.bottom - header.rclFrame.top;
    p.goalWidth = MulDiv(p.width, 1440, 2540);
    p.goalHeight = MulDiv(p.height, 1440, 2540);
    return p;
  }
  std::string dib = take(CF_DIB, 0);
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return std::nullopt;
  BITMAPINFOHEADER header{};
  std::memcpy(&header, dib.data(), sizeof header);
  Picture p;
  p.kind = PictureKind::Dib;
  p.data = std::move(dib);
  p.width = header.biWidth;
  p.height = std::abs(header.biHeight);
  return p;
}

// The same text in the system code page, for programs that read only 8-bit text.
std::string ansiText(const std::string& unicode) {
  const auto* wide = reinterpret_cast<const wchar_t*>(unicode.data());
  const int units = static_cast<int>(unicode.size() / sizeof(wchar_t));
  std::string bytes(static_cast<std::size_t>(
                        WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr)),
                    '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, units, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                      nullptr);
  return bytes;
}

}  // namespace

void EditControl::copy() {
  if (session_.selection().empty()) return;
  StringSink text;
  session_.streamOut(sf::Text | sf::Unicode | sf::Selection, text);
  text.bytes.append(2, '\0');
  StringSink rtf;
  if (session_.textMode() == TextMode::Rich) {
    session_.streamOut(sf::Rtf | sf::Selection, rtf);
    rtf.bytes.push_back('\0');
  }
  const OpenedClipboard clipboard(window_);
  if (!clipboard) return;
  EmptyClipboard();
  put(CF_UNICODETEXT, text.bytes);
  put(CF_TEXT, ansiText(text.bytes));  // ends in NUL as the Unicode text does
  if (!rtf.bytes.empty()) put(rtfFormat(), rtf.bytes);
}

void EditControl::cut() {
  copy();
  if (readOnly()) return refuse();
  clear();
}

void EditControl::clear() {
  if (readOnly() || session_.selection().empty()) return;
  if (allowChange(session_.selection(), WM_CLEAR, 0, 0)) session_.replaceSelection(u"");
}

bool EditControl::canPaste(UINT format) const {
  const bool rich = session_.textMode() == TextMode::Rich;
  const auto available = [&](UINT f) {
    const bool picture = f == CF_ENHMETAFILE || f == CF_DIB || f == CF_BITMAP;
    const bool known =
        f == CF_UNICODETEXT || f == CF_TEXT || (rich && (f == rtfFormat() || picture));
    return known && IsClipboardFormatAvailable(f);
  };
  if (format != 0) return available(format);
  return available(rtfFormat()) || available(CF_UNICODETEXT) || available(CF_ENHMETAFILE) ||
         available(CF_DIB);
}

void EditControl::paste(UINT format) {
  if (readOnly()) return refuse();
  if (!canPaste(format) || !allowChange(session_.selection(), WM_PASTE, format, 0)) return;
  const OpenedClipboard clipboard(window_);
  if (!clipboard) return;
  // The first of rich text, plain text and picture the clipboard holds, or the format asked.
  const auto wanted = [&](UINT f) { return (format == 0 || format == f) && canPaste(f); };
  if (wanted(rtfFormat())) {
    const std::string rtf = take(rtfFormat(), 1);
    MemorySource source(rtf);
    if (session_.streamIn(sf::Rtf | sf::Selection, source).ok) return;
  }
  if (wanted(CF_UNICODETEXT) || wanted(CF_TEXT)) {
    const std::string bytes = take(CF_UNICODETEXT, sizeof(char16_t));
    std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    session_.replaceSelection(text);
    return;
  }
  const bool metafile = wanted(CF_ENHMETAFILE);
  if (metafile || wanted(CF_DIB) || wanted(CF_BITMAP)) {
    if (std::optional<Picture> picture = clipboardPicture(metafile)) {
      session_.insertPicture(std::move(*picture));
    }
  }
}

}  // namespace richedit
