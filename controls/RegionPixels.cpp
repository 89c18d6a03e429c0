#include "controls/RegionPixels.h"

#include <vector>

namespace controls {

TPixelRegion RegionPixels(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size == 0) return {};
  std::vector<unsigned char> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(region, size, header) == 0) return {};
  const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
  std::vector<TPixelRect> out;
  out.reserve(header->rdh.nCount);
  for (DWORD i = 0; i < header->rdh.nCount; ++i)
    out.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
  return TPixelRegion(std::move(out));
}

}  // namespace controls
