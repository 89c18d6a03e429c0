// The Wine prefix must give the programs the fonts a Windows machine has: the core faces
// replaced by metric-compatible fonts, and Symbol and Wingdings as real symbol fonts.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/GdiHandles.h"

namespace {

std::wstring RealFontName(const wchar_t* face) {
  MemoryDC dc;
  FontHandle font(CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH, face));
  Selection sel(dc.get(), font.get());
  const UINT size = GetOutlineTextMetricsW(dc.get(), 0, nullptr);
  if (size == 0) return {};
  std::vector<char> buffer(size);
  auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
  GetOutlineTextMetricsW(dc.get(), size, otm);
  return reinterpret_cast<const wchar_t*>(buffer.data() +
                                          reinterpret_cast<std::size_t>(otm->otmpFullName));
}

int CALLBACK CollectFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lp) {
  reinterpret_cast<std::set<std::wstring>*>(lp)->insert(lf->lfFaceName);
  return 1;
}

}  // namespace

TEST(FontSetup, CoreFacesAreTheMetricCompatibleLiberationFonts) {
  // Only the full name shows the file behind a replaced face (it may carry a vendor prefix).
  EXPECT_NE(RealFontName(L"Arial").find(L"Liberation Sans"), std::wstring::npos);
  EXPECT_NE(RealFontName(L"Times New Roman").find(L"Liberation Serif"), std::wstring::npos);
  EXPECT_NE(RealFontName(L"Courier New").find(L"Liberation Mono"), std::wstring::npos);
}

TEST(FontSetup, SymbolAndWingdingsAreSymbolCharsetFonts) {
  MemoryDC dc;
  LOGFONTW query{};
  query.lfCharSet = SYMBOL_CHARSET;
  std::set<std::wstring> families;
  EnumFontFamiliesExW(dc.get(), &query, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
  EXPECT_TRUE(families.count(L"Symbol"));
  EXPECT_TRUE(families.count(L"Wingdings"));
}

// Text in the symbol character set is looked up at U+F020 to U+F0FF, as Windows does: every
// code of the Symbol font's published encoding has its glyph there, and the plain code finds
// the same glyph (0xB4 is the multiplication sign, 0xD6 the radical).
TEST(FontSetup, SymbolFontTextFindsItsGlyphsByTheSymbolCodes) {
  MemoryDC dc;
  FontHandle font(CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                              OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH, L"Symbol"));
  Selection sel(dc.get(), font.get());
  std::set<WORD> glyphs;
  for (wchar_t code :
       {0x22, 0x41, 0x61, 0xA5, 0xAB, 0xB4, 0xB8, 0xB9, 0xC7, 0xD6, 0xE5, 0xF2, 0xFE}) {
    const wchar_t codes[2] = {code, static_cast<wchar_t>(0xF000 + code)};
    WORD indices[2] = {};
    ASSERT_EQ(GetGlyphIndicesW(dc.get(), codes, 2, indices, GGI_MARK_NONEXISTING_GLYPHS), 2u);
    EXPECT_NE(indices[1], 0xFFFF) << std::hex << static_cast<int>(code);
    EXPECT_EQ(indices[0], indices[1]) << std::hex << static_cast<int>(code);
    glyphs.insert(indices[1]);
  }
  EXPECT_EQ(glyphs.size(), 13u) << "each code its own glyph";
}
