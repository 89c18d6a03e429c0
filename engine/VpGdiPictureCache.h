#pragma once
// Pictures made ready for GDI, kept per shared picture entry so that a page of 24 identical
// logos is decoded once, not 24 times per paint.
//
// Whoever creates draw targets owns one cache and passes it to each target it makes (a
// preview keeps one beside its page list and its printing); a target made without one uses a
// cache of its own that lives as long as the target. Entries are found by the picture's
// address and checked against its bytes' address and size, so a freed entry whose memory is
// reused is decoded afresh; still, the owner should Clear the cache whenever it clears its
// resource table. Decoded pixels are bounded: past kBudget bytes the least recently used
// entries are dropped.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "engine/VpGdiSupport.h"
#include "engine/VpResource.h"
#include "platform/ImageDecoding.h"

class TVpGdiPictureCache {
 public:
  static constexpr std::size_t kBudget = 256u << 20;
  // No decoded picture is larger than this many pixels.
  static constexpr std::int64_t kMaxPixels = kMaxPicturePixels;

  // A picture ready to draw: a device-independent bitmap (bitmaps point into the picture's
  // own bytes, JPEGs into decoded pixels) or a metafile. Neither when the bytes cannot be
  // drawn.
  struct TReady {
    const BITMAPINFO* Info = nullptr;
    const void* Bits = nullptr;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    HENHMETAFILE Metafile = nullptr;
  };

  TVpGdiPictureCache() = default;
  TVpGdiPictureCache(const TVpGdiPictureCache&) = delete;
  TVpGdiPictureCache& operator=(const TVpGdiPictureCache&) = delete;

  // Decodes on first use; damaged bytes give an empty TReady (and are not decoded again).
  TReady Find(const TVpPicture& picture);
  void Clear();

  std::size_t Count() const { return entries_.size(); }
  // How many pictures were decoded since the cache was made (for tests and benchmarks).
  std::size_t Decodes() const { return decodes_; }

 private:
  struct TEntry {
    const TVpPicture* Picture = nullptr;
    const char* Data = nullptr;
    std::size_t Size = 0;
    bool Drawable = false;
    TVpPictureKind Kind = TVpPictureKind::Bitmap;
    std::size_t BitsOffset = 0;  // bitmaps: where the pixels start in the picture's bytes
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    DecodedDib Decoded;  // JPEGs
    TVpEnhMetaFile Metafile;
  };

  static void Load(TEntry& entry, const TVpPicture& picture);
  static TReady Ready(const TEntry& entry, const TVpPicture& picture);
  void Trim();

  std::list<TEntry> entries_;  // most recently used first
  std::unordered_map<const TVpPicture*, std::list<TEntry>::iterator> index_;
  std::size_t bytes_ = 0;
  std::size_t decodes_ = 0;
};
