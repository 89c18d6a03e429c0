#pragma once
// Small pieces shared by the GDI side of drawing: colours, text in the system code page,
// logical fonts from the shared font resource, and owners for metafile handles.

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "engine/VpResource.h"

// A stored colour as a COLORREF: system-colour values (high byte 0x80) are looked up, the
// no-colour value and any stray high bits are dropped.
COLORREF VpColorRef(std::uint32_t color);

// Text in the system code page as UTF-16.
std::wstring VpWideFromAcp(std::string_view text);
// UTF-16 in the system code page (characters it lacks become its default character).
std::string VpAcpFromWide(std::wstring_view text);

// The font's logical description at ppi pixels per inch: height -MulDiv(size, ppi, 72), its
// style, character set and face name; with rotate, escapement and orientation in tenths of a
// degree when the angle is not 0.
LOGFONTW VpLogFont(const TVpFont& font, int ppi, bool rotate = true);

// Owns an enhanced metafile, deleted with DeleteEnhMetaFile.
class TVpEnhMetaFile {
 public:
  TVpEnhMetaFile() = default;
  explicit TVpEnhMetaFile(HENHMETAFILE handle) : handle_(handle) {}
  ~TVpEnhMetaFile() { Reset(); }
  TVpEnhMetaFile(TVpEnhMetaFile&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  TVpEnhMetaFile& operator=(TVpEnhMetaFile&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  TVpEnhMetaFile(const TVpEnhMetaFile&) = delete;
  TVpEnhMetaFile& operator=(const TVpEnhMetaFile&) = delete;

  HENHMETAFILE get() const { return handle_; }
  void Reset(HENHMETAFILE handle = nullptr) {
    if (handle_) DeleteEnhMetaFile(handle_);
    handle_ = handle;
  }

 private:
  HENHMETAFILE handle_ = nullptr;
};

// A metafile device context that records nowhere, used as a device-independent reference
// surface; closed and its metafile deleted on destruction.
class TVpMetafileDC {
 public:
  TVpMetafileDC() : dc_(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr)) {}
  ~TVpMetafileDC() {
    if (dc_) TVpEnhMetaFile(CloseEnhMetaFile(dc_));
  }
  TVpMetafileDC(const TVpMetafileDC&) = delete;
  TVpMetafileDC& operator=(const TVpMetafileDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};
