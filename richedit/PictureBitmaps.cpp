#include "richedit/PictureBitmaps.h"

#include <exception>
#include <functional>
#include <string_view>

namespace richedit {

namespace {

std::optional<DecodedDib> decode(std::string_view bytes) {
  try {
    if (bytes.substr(0, 3) == "\xFF\xD8\xFF") return DecodeJpeg(bytes, kMaxPicturePixels);
    return DecodeWithImaging(bytes, kMaxPicturePixels);
  } catch (const std::exception&) {
    return std::nullopt;  // drawn as a placeholder; painting goes on
  }
}

std::size_t pixelBytes(const std::optional<DecodedDib>& dib) {
  return dib ? dib->pixels.size() : 0;
}

}  // namespace

const DecodedDib* PictureBitmaps::find(const Picture& picture) {
  const std::string_view bytes = picture.data;
  const std::size_t key = std::hash<std::string_view>{}(bytes);
  if (auto found = entries_.find(key);
      found != entries_.end() && found->second.size == bytes.size()) {
    return found->second.dib ? &*found->second.dib : nullptr;
  }
  Entry entry{bytes.size(), decode(bytes)};
  ++decodes_;
  const std::size_t added = pixelBytes(entry.dib);
  if (bytes_ + added > kBudget) clear();
  if (auto stale = entries_.find(key); stale != entries_.end()) {
    bytes_ -= pixelBytes(stale->second.dib);
    entries_.erase(stale);
  }
  bytes_ += added;
  const Entry& kept = entries_.emplace(key, std::move(entry)).first->second;
  return kept.dib ? &*kept.dib : nullptr;
}

void PictureBitmaps::clear() {
  entries_.clear();
  bytes_ = 0;
}

}  // namespace richedit
