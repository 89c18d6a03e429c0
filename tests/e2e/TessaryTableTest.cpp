// Insert Table in the real program: the table builder filled from outside by keys and text,
// its whole grid inserted as a metafile, and the document saved as RTF; our RTF reader finds
// one picture in the file, an enhanced metafile of the grid's size.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/ByteStream.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/TessaryRun.h"

namespace fs = std::filesystem;

namespace {

// Types the text into the builder's text box, confirms it with Enter (into the selected cell)
// and moves the grid's selection right, which empties the box for the next, empty cell.
void FillSelectedCell(HWND builder, HWND grid, const std::wstring& text) {
  const HWND box = FindChildByIndex(builder, L"Edit", 0);
  SetControlText(box, text);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(grid, WM_KEYDOWN, VK_RIGHT, 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(box).empty(); }));
}

TEST(TessaryTable, AMetafileOfTheWholeGridIsInsertedAndSavedAsOnePicture) {
  TessaryRun t;
  t.Attach(kCaption);
  t.Type(L"Table: ");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"Table: "; }));
  t.Command(writer::cmdInsertTable);
  const HWND builder = t.run.WaitForWindow(L"String Grid Table");
  const HWND grid = FindChildByIndex(builder, L"TextGrid", 0);
  ASSERT_TRUE(grid);
  for (const wchar_t* text : {L"North", L"South", L"East"}) FillSelectedCell(builder, grid, text);
  ClickButton(builder, L"Metafile");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(builder); }));
  ASSERT_TRUE(WaitUntil([&] { return t.Text().size() == 8; })) << Utf8FromWide(t.Text());

  const fs::path saved = t.run.Folder() / "table.rtf";
  t.SaveAs(saved);
  const std::string bytes = Slurp(saved);
  richedit::MemorySource source(bytes);
  richedit::RichTextDocument doc;
  doc.load(richedit::readRtf(source).fragment);
  std::vector<const richedit::Picture*> pictures;
  for (richedit::CharPos i = 0; i < doc.textLength(); ++i)
    if (const richedit::Picture* p = doc.pictureAt(i)) pictures.push_back(p);
  ASSERT_EQ(pictures.size(), 1u);
  const richedit::Picture& picture = *pictures[0];
  ASSERT_EQ(picture.kind, richedit::PictureKind::Emf);
  ENHMETAHEADER header{};
  ASSERT_GE(picture.data.size(), sizeof header);
  std::memcpy(&header, picture.data.data(), sizeof header);
  EXPECT_EQ(header.iType, static_cast<DWORD>(EMR_HEADER));
  // Five columns of 64 pixels and five rows of 24, the texts being short.
  EXPECT_EQ(header.rclBounds.right - header.rclBounds.left + 1, 5 * 64);
  EXPECT_EQ(header.rclBounds.bottom - header.rclBounds.top + 1, 5 * 24);
  // Its size on the page: the same pixels at the screen's size per pixel.
  EXPECT_EQ(picture.width, header.rclFrame.right - header.rclFrame.left);
  EXPECT_NEAR(picture.goalWidth, 320 * 15, 320 * 15 / 50) << "320 pixels at about 96 per inch";
  // The texts are kept as text.
  HENHMETAFILE emf = SetEnhMetaFileBits(static_cast<UINT>(picture.data.size()),
                                        reinterpret_cast<const BYTE*>(picture.data.data()));
  ASSERT_TRUE(emf);
  std::wstring found;
  EnumEnhMetaFile(
      nullptr, emf,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM out) -> int {
        if (r->iType == EMR_EXTTEXTOUTW) {
          const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
          reinterpret_cast<std::wstring*>(out)->append(
              reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) +
                                               t->emrtext.offString),
              t->emrtext.nChars);
          reinterpret_cast<std::wstring*>(out)->push_back(L'|');
        }
        return 1;
      },
      &found, nullptr);
  DeleteEnhMetaFile(emf);
  EXPECT_EQ(found, L"North|South|East|");
}

}  // namespace
