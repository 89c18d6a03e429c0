#include "engine/VpFontMapper.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>

TVpFontMapper::TVpFontMapper() { originalFont_ = GetCurrentObject(dc_.get(), OBJ_FONT); }

// The DC lets go of the mapper's font before the font is deleted.
TVpFontMapper::~TVpFontMapper() { SelectObject(dc_.get(), originalFont_); }

void TVpFontMapper::UseFont(const TVpFont& font, int ppi) {
  if (fontKey_ && *fontKey_ == font && fontPpi_ == ppi) return;
  const LOGFONTW lf = VpLogFont(font, ppi, false);
  FontHandle created(CreateFontIndirectW(&lf));
  SelectObject(dc_.get(), created ? created.get() : originalFont_);
  font_ = std::move(created);
  fontKey_ = font;
  fontPpi_ = ppi;
}

TVpSize TVpFontMapper::MeasureText(const TVpFont& font, std::string_view text) {
  UseFont(font, kReference);
  const std::wstring wide = VpWideFromAcp(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return {static_cast<long double>(size.cx) / kReference,
          static_cast<long double>(size.cy) / kReference};
}

std::vector<INT> TVpFontMapper::Advances(const TVpFont& font, int targetPpi,
                                         const std::wstring& text, bool screen) {
  const int reference = screen ? kScreenReference : kReference;
  UseFont(font, reference);
  std::vector<INT> advances;
  advances.reserve(text.size());
  std::unordered_map<wchar_t, LONG> widths;  // a line repeats few characters
  long double carry = 0;
  for (wchar_t ch : text) {
    auto [known, fresh] = widths.try_emplace(ch, 0);
    if (fresh) {
      SIZE size{};
      GetTextExtentPoint32W(dc_.get(), &ch, 1, &size);
      known->second = size.cx;
    }
    const long double w = static_cast<long double>(known->second) / reference * targetPpi;
    long double whole = std::trunc(w);
    carry += w - whole;
    if (carry > 1) {
      const long double n = std::trunc(carry);
      whole += n;
      carry -= n;
    }
    advances.push_back(static_cast<INT>(std::clamp<long double>(whole, INT_MIN, INT_MAX)));
  }
  return advances;
}

void TVpFontMapper::PlaceText(HDC dc, const TVpFont& font, int targetPpi, TVpIntPoint at,
                              std::string_view text, const std::optional<TVpIntRect>& clip,
                              bool screen) {
  const std::wstring wide = VpWideFromAcp(text);
  RECT rect{};
  if (clip) rect = {clip->Left, clip->Top, clip->Right, clip->Bottom};
  const UINT options = clip ? ETO_CLIPPED : 0;
  if (wide.empty()) {
    ExtTextOutW(dc, at.X, at.Y, options, clip ? &rect : nullptr, L"", 0, nullptr);
    return;
  }
  const std::vector<INT> advances = Advances(font, targetPpi, wide, screen);
  ExtTextOutW(dc, at.X, at.Y, options, clip ? &rect : nullptr, wide.c_str(),
              static_cast<UINT>(wide.size()), advances.data());
}

int TVpFontMapper::FontCellHeight(const TVpFont& font, int ppi) {
  const LOGFONTW lf = VpLogFont(font, ppi);
  FontHandle created(CreateFontIndirectW(&lf));
  if (!created) return 0;
  const Selection selected(metafile_.get(), created.get());
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(metafile_.get(), &metrics)) return 0;
  return metrics.tmHeight;
}

TVpFontMapper& FontMapper() {
  static TVpFontMapper mapper;
  return mapper;
}
