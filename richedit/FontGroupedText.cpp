#include "richedit/FontGroupedText.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <tuple>

#include "platform/GdiHandles.h"

namespace richedit {

namespace {

// What a printer driver downloads as one font: the face with its weight and slant; sizes and
// colours of the same face share it.
struct FaceKey {
  std::wstring face;
  LONG weight;
  BYTE italic;
  bool operator==(const FaceKey& other) const {
    return std::tie(face, weight, italic) == std::tie(other.face, other.weight, other.italic);
  }
};

FaceKey FaceOf(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  return {lf.lfFaceName, lf.lfWeight, lf.lfItalic};
}

}  // namespace

void FontGroupedText::Draw(HFONT font, COLORREF color, int x, int y, std::u16string_view text,
                           const INT* dx) {
  Run run{font, color, x, y, std::u16string(text), {}};
  if (dx) run.dx.assign(dx, dx + text.size());
  if (holdBack_) {
    runs_.push_back(std::move(run));
  } else {
    drawNow(run);
  }
}

void FontGroupedText::Flush() {
  std::vector<FaceKey> faces;  // in the order they first came; a page has only a few
  std::vector<std::size_t> faceOfRun;
  faceOfRun.reserve(runs_.size());
  for (const Run& run : runs_) {
    FaceKey key = FaceOf(run.font);
    auto at = std::find(faces.begin(), faces.end(), key);
    if (at == faces.end()) at = faces.insert(faces.end(), std::move(key));
    faceOfRun.push_back(static_cast<std::size_t>(at - faces.begin()));
  }
  for (std::size_t face = 0; face < faces.size(); ++face) {
    for (std::size_t i = 0; i < runs_.size(); ++i) {
      if (faceOfRun[i] == face) drawNow(runs_[i]);
    }
  }
  runs_.clear();
}

void FontGroupedText::drawNow(const Run& run) const {
  Selection font(dc_, run.font);
  SetTextColor(dc_, run.color);
  ExtTextOutW(dc_, run.x, run.y, 0, nullptr, reinterpret_cast<const wchar_t*>(run.text.data()),
              static_cast<UINT>(run.text.size()), run.dx.empty() ? nullptr : run.dx.data());
}

}  // namespace richedit
