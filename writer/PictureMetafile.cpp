#include "writer/PictureMetafile.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/ImageDecoding.h"
#include "platform/WholeFile.h"

namespace writer {
namespace {

std::wstring LowerExtension(const std::wstring& path) {
  const std::size_t dot = path.find_last_of(L'.');
  const std::size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  std::wstring ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](wchar_t c) { return std::towlower(c); });
  return ext;
}

// A bitmap recorded as a metafile of its own size.
EnhMetaFileHandle RecordDib(const DecodedDib& dib) {
  const int width = dib.header.biWidth;
  const int height = std::abs(dib.header.biHeight);
  HDC screen = GetDC(nullptr);
  // The frame is in hundredths of a millimetre: the bitmap's pixels at the screen's density.
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  const RECT frame{0, 0, MulDiv(width, 2540, dpiX), MulDiv(height, 2540, dpiY)};
  HDC recorder = CreateEnhMetaFileW(screen, nullptr, &frame, L"Tessary\0Picture\0");
  ReleaseDC(nullptr, screen);
  if (!recorder) return nullptr;
  StretchDIBits(recorder, 0, 0, width, height, 0, 0, width, height, dib.pixels.data(), dib.info(),
                DIB_RGB_COLORS, SRCCOPY);
  return EnhMetaFileHandle(CloseEnhMetaFile(recorder));
}

// A placeable Windows metafile starts with a 22-byte header giving its size in its own units.
EnhMetaFileHandle FromWindowsMetafile(const std::string& bytes) {
  constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
  std::uint32_t key = 0;
  if (bytes.size() >= 4) std::memcpy(&key, bytes.data(), 4);
  METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
  std::size_t skip = 0;
  if (key == kPlaceableKey && bytes.size() > 22) {
    std::int16_t box[4];
    std::uint16_t unitsPerInch = 0;
    std::memcpy(box, bytes.data() + 6, sizeof box);
    std::memcpy(&unitsPerInch, bytes.data() + 14, 2);
    if (unitsPerInch > 0) {
      picture.xExt = MulDiv(box[2] - box[0], 2540, unitsPerInch);
      picture.yExt = MulDiv(box[3] - box[1], 2540, unitsPerInch);
    }
    skip = 22;
  }
  const auto* data = reinterpret_cast<const BYTE*>(bytes.data() + skip);
  return EnhMetaFileHandle(
      SetWinMetaFileBits(static_cast<UINT>(bytes.size() - skip), data, nullptr, &picture));
}

EnhMetaFileHandle Decode(const std::wstring& extension, const std::string& bytes) {
  if (extension == L".emf")
    return EnhMetaFileHandle(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()),
                                                reinterpret_cast<const BYTE*>(bytes.data())));
  if (extension == L".wmf") return FromWindowsMetafile(bytes);
  if (extension == L".jpg" || extension == L".jpeg")
    return RecordDib(DecodeJpeg(bytes, kMaxPicturePixels));
  return RecordDib(DecodeWithImaging(bytes, kMaxPicturePixels));
}

}  // namespace

EnhMetaFileHandle LoadPictureAsMetafile(const std::wstring& path) {
  const std::string name = Utf8FromWide(path);
  const std::string bytes = ReadWholeFile(path);
  EnhMetaFileHandle metafile;
  try {
    metafile = Decode(LowerExtension(path), bytes);
  } catch (const EImageDecodeError& e) {
    throw EError("The picture \"" + name + "\" cannot be read. " + e.what());
  }
  if (!metafile) throw EError("The picture \"" + name + "\" cannot be read as a picture.");
  return metafile;
}

void PutMetafileOnClipboard(HWND owner, HENHMETAFILE metafile) {
  HENHMETAFILE copy = CopyEnhMetaFileW(metafile, nullptr);
  if (!copy) return;
  if (!OpenClipboard(owner)) {
    DeleteEnhMetaFile(copy);
    throw EError("The clipboard is in use by another program; try again.");
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_ENHMETAFILE, copy)) DeleteEnhMetaFile(copy);
  CloseClipboard();
}

}  // namespace writer
