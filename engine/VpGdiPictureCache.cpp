#include "engine/VpGdiPictureCache.h"

#include <cstring>

#include "engine/VpStream.h"

void TVpGdiPictureCache::Load(TEntry& entry, const TVpPicture& picture) {
  // The bytes are checked again here: they may come from a stored page rather than a file
  // the loader read, and the GDI calls below trust every size inside them.
  TVpPicture checked;
  try {
    checked = PictureFromFileBytes(picture.Bytes);
  } catch (const EVpStreamError&) {
    return;
  }
  entry.Kind = checked.Kind;
  entry.Width = checked.Width;
  entry.Height = checked.Height;
  switch (checked.Kind) {
    case TVpPictureKind::Bitmap: {
      std::uint32_t offset = 0;
      std::memcpy(&offset, picture.Bytes.data() + 10, sizeof offset);
      entry.BitsOffset = offset;
      entry.Drawable = true;
      break;
    }
    case TVpPictureKind::Jpeg:
      try {
        entry.Decoded = DecodeJpeg(picture.Bytes, kMaxPixels);
        entry.Width = entry.Decoded.header.biWidth;
        entry.Height = entry.Decoded.header.biHeight;
        entry.Drawable = true;
      } catch (const EImageDecodeError&) {
      }
      break;
    case TVpPictureKind::Metafile:
      entry.Metafile.Reset(SetEnhMetaFileBits(static_cast<UINT>(picture.Bytes.size()),
                                              reinterpret_cast<const BYTE*>(picture.Bytes.data())));
      entry.Drawable = entry.Metafile.get() != nullptr;
      break;
  }
}

TVpGdiPictureCache::TReady TVpGdiPictureCache::Ready(const TEntry& entry,
                                                     const TVpPicture& picture) {
  TReady ready;
  if (!entry.Drawable) return ready;
  ready.Width = entry.Width;
  ready.Height = entry.Height;
  switch (entry.Kind) {
    case TVpPictureKind::Bitmap:
      ready.Info = reinterpret_cast<const BITMAPINFO*>(picture.Bytes.data() + 14);
      ready.Bits = picture.Bytes.data() + entry.BitsOffset;
      break;
    case TVpPictureKind::Jpeg:
      ready.Info = entry.Decoded.info();
      ready.Bits = entry.Decoded.pixels.data();
      break;
    case TVpPictureKind::Metafile: ready.Metafile = entry.Metafile.get(); break;
  }
  return ready;
}

TVpGdiPictureCache::TReady TVpGdiPictureCache::Find(const TVpPicture& picture) {
  if (auto found = index_.find(&picture); found != index_.end()) {
    TEntry& entry = *found->second;
    if (entry.Data == picture.Bytes.data() && entry.Size == picture.Bytes.size()) {
      entries_.splice(entries_.begin(), entries_, found->second);
      return Ready(entry, picture);
    }
    bytes_ -= entry.Decoded.pixels.size();
    entries_.erase(found->second);
    index_.erase(found);
  }
  entries_.emplace_front();
  TEntry& entry = entries_.front();
  entry.Picture = &picture;
  entry.Data = picture.Bytes.data();
  entry.Size = picture.Bytes.size();
  Load(entry, picture);
  ++decodes_;
  index_[&picture] = entries_.begin();
  bytes_ += entry.Decoded.pixels.size();
  Trim();
  return Ready(entry, picture);
}

void TVpGdiPictureCache::Trim() {
  // The newest entry stays even when it alone exceeds the budget: it is being drawn.
  while (bytes_ > kBudget && entries_.size() > 1) {
    TEntry& oldest = entries_.back();
    bytes_ -= oldest.Decoded.pixels.size();
    index_.erase(oldest.Picture);
    entries_.pop_back();
  }
}

void TVpGdiPictureCache::Clear() {
  index_.clear();
  entries_.clear();
  bytes_ = 0;
}
