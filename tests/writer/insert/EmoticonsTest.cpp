// The emoticon picker: its 29 pictures (named, sized, each drawn and each different), the
// name shown under the mouse, and the 6 divider lines handed over exactly as long as they are.
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/insert/EmotIcons.h"
#include "writer/insert/EmoticonPictures.h"
#include "writer/insert/InsertClipboard.h"

namespace {

// The picture played into a white bitmap of its own size, as rows of pixels.
std::vector<COLORREF> Pixels(HENHMETAFILE picture, int w, int h) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(dc, picture, &all);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

class EmoticonPicker : public testing::Test {
 protected:
  void SetUp() override { form.Create(nullptr); }
  int Open(int number) {
    ModalScript script;
    script.Then<TfrmEmoticons>([number](TfrmEmoticons& f) {
      if (number)
        f.Item(number).Click();
      else
        f.btnClose.Click();
    });
    return form.ShowModal();
  }
  TfrmEmoticons form;
};

TEST_F(EmoticonPicker, TwentyNineNamedPicturesEachDrawnAndEachDifferent) {
  const wchar_t* names[] = {L"Angry   :x",
                            L"Smiley   :)",
                            L"Tongue   :p or :P",
                            L"Laugh out Loud   :lol:",
                            L"Puke or Sick   +o(",
                            L"Oh My!   :o",
                            L"Unsure or Confused   :s or :?",
                            L"Wacko   x)",
                            L"ph34r",
                            L"Crying   :'(",
                            L"Mellow or Uninterested   :|",
                            L"Question",
                            L"Sad   :(",
                            L"Big Smile!   :D",
                            L"Cool   8)",
                            L"Wink   ;)",
                            L"Crazy   8x)",
                            L"Nea",
                            L"Sarcastic",
                            L"Bye-Bye",
                            L"Dancing",
                            L"Pardon",
                            L"Happy Smile   :)",
                            L"Hello",
                            L"Let's drink on that",
                            L"Praise",
                            L"Bomb",
                            L"Yahoo!",
                            L"Truce or Surrender"};
  ASSERT_EQ(writer::Emoticons().size(), std::size(names));
  std::set<std::vector<COLORREF>> drawings;
  for (int n = 1; n <= 29; ++n) {
    const writer::EmoticonInfo& info = writer::Emoticons()[n - 1];
    EXPECT_EQ(form.Item(n).Text(), names[n - 1]);
    EXPECT_GE(info.width, 20);
    EXPECT_LE(info.width, 54);
    EXPECT_GE(info.height, 20);
    EXPECT_LE(info.height, 45);
    ENHMETAHEADER header{};
    ASSERT_TRUE(GetEnhMetaFileHeader(form.Picture(n), sizeof header, &header)) << n;
    EXPECT_EQ(MulDiv(header.rclFrame.right, 96, 2540), info.width) << n;
    const std::vector<COLORREF> pixels = Pixels(form.Picture(n), info.width, info.height);
    const auto white = std::count(pixels.begin(), pixels.end(), RGB(255, 255, 255));
    EXPECT_GT(pixels.size() - white, pixels.size() / 5) << Narrow(names[n - 1]) << " is drawn";
    drawings.insert(pixels);
  }
  EXPECT_EQ(drawings.size(), 29u) << "no two pictures alike";
}

TEST_F(EmoticonPicker, TheNameUnderTheMouseShowsAndGoes) {
  SendMessageW(form.Item(2).Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form.HoverText(), L"Smiley   :)");
  SendMessageW(form.Item(2).Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(form.HoverText(), L"");
  SendMessageW(form.Item(28).Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form.HoverText(), L"Yahoo!");
}

TEST_F(EmoticonPicker, DividersHandOverTheirWholeLines) {
  const struct {
    int number;
    std::size_t length;
    const wchar_t* sample;
    std::wstring expected;
  } dividers[] = {
      {30, 67, L"|-----------------------|", L"|" + std::wstring(65, L'-') + L"|"},
      {31, 54, L"******************", std::wstring(54, L'*')},
      {32, 51, L"<<<<<< >>>>>>", std::wstring(25, L'<') + L" " + std::wstring(25, L'>')},
      {33, 50, L"~~~~~~~~~~~~~", std::wstring(50, L'~')},
      {35, 49, L"============", std::wstring(49, L'=')},
  };
  for (const auto& d : dividers) {
    writer::ClipboardPutText(nullptr, L"earlier");
    EXPECT_EQ(Open(d.number), mrOk);
    EXPECT_TRUE(form.Chosen());
    form.ClearChosen();
    const std::wstring text = writer::ClipboardGetText(nullptr);
    EXPECT_EQ(text.size(), d.length) << d.number;
    EXPECT_EQ(text, d.expected) << d.number;
    EXPECT_EQ(form.Item(d.number).Text(), d.sample);
  }
  // Divider 34: bullets, code 0x95 of Windows-1252.
  EXPECT_EQ(Open(34), mrOk);
  const std::wstring bullets = writer::ClipboardGetText(nullptr);
  std::string bytes(bullets.size(), '\0');
  WideCharToMultiByte(1252, 0, bullets.c_str(), static_cast<int>(bullets.size()), bytes.data(),
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  EXPECT_EQ(bytes, std::string(65, '\x95'));
}

TEST_F(EmoticonPicker, APictureGoesToTheClipboardAsAMetafileAndCloseHandsOverNothing) {
  writer::ClipboardPutText(nullptr, L"earlier");
  EXPECT_EQ(Open(0), mrCancel);
  EXPECT_FALSE(form.Chosen());
  EXPECT_EQ(writer::ClipboardGetText(nullptr), L"earlier");

  EXPECT_EQ(Open(27), mrOk);
  EXPECT_TRUE(form.Chosen());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ASSERT_NE(picture, nullptr);
  const UINT size = GetEnhMetaFileBits(picture, 0, nullptr);
  EXPECT_EQ(size, GetEnhMetaFileBits(form.Picture(27), 0, nullptr)) << "the bomb";
  CloseClipboard();
}

TEST_F(EmoticonPicker, Screenshot) {
  form.Show();
  SendMessageW(form.Item(14).Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SaveWindowScreenshot(form.Handle(), L"tessary-emoticons");
}

}  // namespace
