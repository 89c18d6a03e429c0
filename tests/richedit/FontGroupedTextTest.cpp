// Text held back for a printer comes out face by face, each run where and in the colour it
// was asked for; on other devices it comes out in the order it was drawn.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/GdiHandles.h"
#include "richedit/FontGroupedText.h"

namespace {

struct DrawnRun {
  std::wstring text;
  std::wstring face;
  LONG weight;
  COLORREF color;
  LONG x, y;
  std::vector<INT> advances;
  bool operator==(const DrawnRun&) const = default;
};

// Plays the metafile record by record and notes, for each text record, the font and colour
// the playing DC holds at that moment.
int CALLBACK NoteText(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles,
                      LPARAM out) {
  if (record->iType == EMR_EXTTEXTOUTW) {
    const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                         text->emrtext.offString);
    const auto* dx =
        reinterpret_cast<const INT*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offDx);
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    reinterpret_cast<std::vector<DrawnRun>*>(out)->push_back(
        {std::wstring(chars, text->emrtext.nChars), lf.lfFaceName, lf.lfWeight, GetTextColor(dc),
         text->emrtext.ptlReference.x, text->emrtext.ptlReference.y,
         std::vector<INT>(dx, dx + text->emrtext.nChars)});
  }
  PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
  return 1;
}

FontHandle Font(const wchar_t* face, LONG weight) {
  return FontHandle(
      CreateFontW(-20, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face));
}

std::vector<DrawnRun> Drawn(bool holdBack) {
  const FontHandle sans = Font(L"Arial", FW_NORMAL), bold = Font(L"Arial", FW_BOLD),
                   serif = Font(L"Times New Roman", FW_NORMAL);
  const HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  {
    richedit::FontGroupedText text(recorder, holdBack);
    const INT advances[] = {10, 11, 12};
    text.Draw(sans.get(), RGB(1, 2, 3), 10, 20, u"one", advances);
    text.Draw(bold.get(), RGB(4, 5, 6), 40, 20, u"two", advances);
    text.Draw(serif.get(), RGB(7, 8, 9), 70, 20, u"six", advances);
    text.Draw(sans.get(), RGB(10, 11, 12), 10, 50, u"ten", advances);
    text.Draw(bold.get(), RGB(13, 14, 15), 40, 50, u"end", advances);
  }
  const HENHMETAFILE recorded = CloseEnhMetaFile(recorder);
  MemoryDC player;
  std::vector<DrawnRun> runs;
  const RECT frame{0, 0, 200, 100};
  EnumEnhMetaFile(player.get(), recorded, NoteText, &runs, &frame);
  DeleteEnhMetaFile(recorded);
  return runs;
}

TEST(FontGroupedText, APrinterGetsItsTextFaceByFaceAndOtherDevicesInOrder) {
  const std::vector<INT> dx{10, 11, 12};
  const DrawnRun one{L"one", L"Arial", FW_NORMAL, RGB(1, 2, 3), 10, 20, dx},
      two{L"two", L"Arial", FW_BOLD, RGB(4, 5, 6), 40, 20, dx},
      six{L"six", L"Times New Roman", FW_NORMAL, RGB(7, 8, 9), 70, 20, dx},
      ten{L"ten", L"Arial", FW_NORMAL, RGB(10, 11, 12), 10, 50, dx},
      end{L"end", L"Arial", FW_BOLD, RGB(13, 14, 15), 40, 50, dx};
  EXPECT_EQ(Drawn(true), (std::vector<DrawnRun>{one, ten, two, end, six}));
  EXPECT_EQ(Drawn(false), (std::vector<DrawnRun>{one, two, six, ten, end}));
}

}  // namespace
