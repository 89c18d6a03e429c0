#pragma once
// The pictures general labels carry: read from the file a record names, recognised by their
// content rather than their extension. Bitmaps, JPEG images and enhanced metafiles are kept
// as the file's bytes; every other format the system's imaging component decodes (PNG, GIF,
// TIFF, icons…) becomes a 24-bit bitmap with its transparent parts laid over white, the
// colour of the label paper.
#include <optional>
#include <string>
#include <unordered_map>

#include "engine/VpResource.h"

// nullopt when the path is empty or no file of that name exists (a folder is no file).
// Throws EError naming the file when it exists but cannot be read, is damaged, is in no
// format known here, or is larger than 100 million pixels.
std::optional<TVpPicture> LoadLabelPicture(const std::wstring& path);

// Loads each path once per build of the label pages, so a sheet of identical logos reads
// its file once. The paths are compared as they are written.
class LabelPictureCache {
 public:
  // The path's picture, or nullptr when it has none; both answers are remembered until
  // Clear. Failures throw as LoadLabelPicture does and are not remembered: they end the
  // build, and the next build reads the file again, after the user may have mended it.
  // The pointer stays valid until Clear.
  const TVpPicture* Find(const std::wstring& path);
  void Clear() { pictures_.clear(); }

 private:
  std::unordered_map<std::wstring, std::optional<TVpPicture>> pictures_;
};
