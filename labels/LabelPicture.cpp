#include "labels/LabelPicture.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "engine/VpGdiPictureCache.h"
#include "engine/VpStream.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/ImageDecoding.h"
#include "platform/WholeFile.h"

namespace {

// The engine draws nothing larger; refusing it here names the file.
constexpr std::int64_t kMaxPixels = TVpGdiPictureCache::kMaxPixels;

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
  throw EError("The picture \"" + path + "\" could not be read. " + WithFullStop(reason));
}

// False for a path that names nothing, or names a folder. Other failures to look (a folder
// that may not be listed, say) are left to the read, which reports them.
bool NamesFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return false;
    default: return true;
  }
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

bool IsJpeg(std::string_view bytes) { return StartsWith(bytes, "\xFF\xD8\xFF"); }

// The other formats the engine keeps as they are: a bitmap file, an enhanced metafile.
bool IsKeptAsItIs(std::string_view bytes) {
  return StartsWith(bytes, "BM") || (StartsWith(bytes, std::string_view("\1\0\0\0", 4)) &&
                                     bytes.size() >= 44 && bytes.substr(40, 4) == " EMF");
}

// The bytes of a .bmp file holding the bitmap.
std::string BitmapFile(const DecodedDib& dib) {
  constexpr std::size_t kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  std::string file(kHeaders + dib.pixels.size(), '\0');
  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfSize = static_cast<DWORD>(file.size());
  fileHeader.bfOffBits = kHeaders;
  std::memcpy(file.data(), &fileHeader, sizeof fileHeader);
  std::memcpy(file.data() + sizeof fileHeader, &dib.header, sizeof dib.header);
  std::memcpy(file.data() + kHeaders, dib.pixels.data(), dib.pixels.size());
  return file;
}

TVpPicture PictureFromContent(std::string bytes) {
  if (bytes.empty()) throw EImageDecodeError("The file is empty.");
  if (IsJpeg(bytes)) {
    TVpPicture picture = PictureFromFileBytes(std::move(bytes));
    // The header walk stops at the frame size; damage further on shows only when decoded.
    DecodeJpeg(picture.Bytes, kMaxPixels);
    return picture;
  }
  if (IsKeptAsItIs(bytes)) return PictureFromFileBytes(std::move(bytes));
  // Everything else becomes a bitmap with its transparent parts over the white label paper.
  return PictureFromFileBytes(BitmapFile(DecodeWithImaging(bytes, kMaxPixels)));
}

}  // namespace

std::optional<TVpPicture> LoadLabelPicture(const std::wstring& path) {
  if (path.empty() || !NamesFile(path)) return std::nullopt;
  std::optional<std::string> bytes;
  try {
    bytes = ReadFileIfExists(path);
  } catch (const EError& e) {
    throw EError(WithFullStop(e.what()));
  }
  if (!bytes) return std::nullopt;  // removed since it was looked at
  try {
    return PictureFromContent(std::move(*bytes));
  } catch (const EImageDecodeError& e) {
    Refuse(Utf8FromWide(path), e.what());
  } catch (const EVpStreamError& e) {
    Refuse(Utf8FromWide(path), e.what());
  } catch (const std::bad_alloc&) {
    Refuse(Utf8FromWide(path), "There is not enough memory to load it.");
  }
}

const TVpPicture* LabelPictureCache::Find(const std::wstring& path) {
  auto found = pictures_.find(path);
  if (found == pictures_.end()) found = pictures_.emplace(path, LoadLabelPicture(path)).first;
  return found->second ? &*found->second : nullptr;
}
