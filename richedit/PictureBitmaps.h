#pragma once
// PNG and JPEG pictures decoded once for many paints. The window keeps one cache for as long
// as it shows its document, so repainting decodes nothing; a renderer made without one decodes
// for its own pass. Entries are found by a hash of the picture's bytes and their size, so a
// changed picture is never shown stale and the same picture twice is decoded once.
// Decoded pixels are bounded: a picture that would take the cache past its budget makes it
// forget every other one.
#include <cstddef>
#include <optional>
#include <unordered_map>

#include "platform/ImageDecoding.h"
#include "richedit/Picture.h"

namespace richedit {

class PictureBitmaps {
 public:
  static constexpr std::size_t kBudget = 256u << 20;

  PictureBitmaps() = default;
  PictureBitmaps(const PictureBitmaps&) = delete;
  PictureBitmaps& operator=(const PictureBitmaps&) = delete;

  // The picture's pixels, decoded on first use by its content (a JPEG stored as PNG still
  // shows); nullptr when they cannot be decoded: damaged, in no known format, or larger than
  // kMaxPicturePixels. Failures are remembered too, and nothing is thrown. The pointer stays
  // valid until the next find or clear.
  const DecodedDib* find(const Picture& picture);
  void clear();

  // How many pictures were decoded since the cache was made.
  std::size_t decodes() const { return decodes_; }

 private:
  struct Entry {
    std::size_t size = 0;
    std::optional<DecodedDib> dib;
  };

  std::unordered_map<std::size_t, Entry> entries_;  // by the hash of the bytes
  std::size_t bytes_ = 0;
  std::size_t decodes_ = 0;
};

}  // namespace richedit
