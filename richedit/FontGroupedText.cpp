#include "richedit/FontGroupedText.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <tuple>
#include <utility>

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
  if (!holdBack_) {
    drawNow(font, color, x, y, text, dx);
    return;
  }
  Run run{font, color, x, y, std::u16string(text), {}};
  if (dx) run.dx.assign(dx, dx + text.size());
  runs_.push_back(std::move(run));
}

void FontGroupedText::Flush() {
  // Faces in the order they first came, and the face of each font met; a page has only a few.
  std::vector<FaceKey> faces;
  std::vector<std::pair<HFONT, std::size_t>> fonts;
  std::vector<std::size_t> faceOfRun;
  faceOfRun.reserve(runs_.size());
  for (const Run& run : runs_) {
    auto known = std::find_if(fonts.begin(), fonts.end(),
                              [&](const auto& f) { return f.first == run.font; });
    if (known == fonts.end()) {
      FaceKey key = FaceOf(run.font);
      auto at = std::find(faces.begin(), faces.end(), key);
      if (at == faces.end()) at = faces.insert(faces.end(), std::move(key));
      known = fonts.insert(fonts.end(), {run.font, static_cast<std::size_t>(at - faces.begin())});
    }
    faceOfRun.push_back(known->second);
  }
  for (std::size_t face = 0; face < faces.size(); ++face) {
    for (std::size_t i = 0; i < runs_.size(); ++i) {
      const Run& run = runs_[i];
      if (faceOfRun[i] == face)
        drawNow(run.font, run.color, run.x, run.y, run.text,
                run.dx.empty() ? nullptr : run.dx.data());
    }
  }
  runs_.clear();
}

void FontGroupedText::drawNow(HFONT font, COLORREF color, int x, int y, std::u16string_view text,
                              const INT* dx) const {
  Selection selected(dc_, font);
  SetTextColor(dc_, color);
  ExtTextOutW(dc_, x, y, 0, nullptr, reinterpret_cast<const wchar_t*>(text.data()),
              static_cast<UINT>(text.size()), dx);
}

}  // namespace richedit
