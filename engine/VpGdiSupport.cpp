#include "engine/VpGdiSupport.h"

#include <algorithm>
#include <climits>

#include "engine/VpRounding.h"

COLORREF VpColorRef(std::uint32_t color) {
  if ((color & 0xFF000000u) == 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFFu;
}

std::wstring VpWideFromAcp(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(count, 0)), L'\0');
  if (count > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), count);
  return wide;
}

std::string VpAcpFromWide(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int count = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(std::max(count, 0)), '\0');
  if (count > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), count, nullptr, nullptr);
  return narrow;
}

LOGFONTW VpLogFont(const TVpFont& font, int ppi, bool rotate) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.Size, ppi, 72);
  lf.lfWeight = font.Style & vpBold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style & vpItalic ? TRUE : FALSE;
  lf.lfUnderline = font.Style & vpUnderline ? TRUE : FALSE;
  lf.lfStrikeOut = font.Style & vpStrikeOut ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.Charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  if (rotate && font.Angle != 0) {
    lf.lfEscapement = lf.lfOrientation = VpRoundToInt(font.Angle * 10);
  }
  // A face name longer than the field is cut; the field always ends with a terminator.
  const std::wstring face = VpWideFromAcp(font.Name);
  const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), length, lf.lfFaceName);
  return lf;
}
