// The equation builder: its palette against the published Symbol and Windows-1252 codes, what
// a button writes and in which font, the script, underline and size controls, and the formula
// handed over as rich text or as a picture whose height follows its lines.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/insert/EquationBuilder.h"
#include "writer/insert/InsertClipboard.h"

using writer::EquationFont;

namespace {

class EquationBuilder : public testing::Test {
 protected:
  void SetUp() override {
    form.Create(nullptr);
    form.Show();
  }
  HWND Editor() const { return form.EQBuilder.Handle(); }
  std::size_t ButtonOf(const std::wstring& text, EquationFont font) const {
    for (std::size_t i = 0; i < form.InsertButtonCount(); ++i)
      if (form.InsertKey(i).text == text && form.InsertKey(i).font == font) return i;
    ADD_FAILURE() << "no button for " << Narrow(text);
    return 0;
  }
  void Press(const std::wstring& text, EquationFont font = EquationFont::Symbol) {
    form.InsertButton(ButtonOf(text, font)).Click();
  }
  std::wstring Text() const {
    wchar_t text[512] = {};
    GetWindowTextW(Editor(), text, 512);
    return text;
  }
  CHARFORMAT2W FormatAt(LONG at) const {
    CHARRANGE keep{}, one{at, at + 1};
    SendMessageW(Editor(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&keep));
    SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(Editor(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&keep));
    return format;
  }
  void Replace(const std::wstring& text) {
    SendMessageW(Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }

  TfrmEBuilder form;
};

TEST_F(EquationBuilder, ThePaletteHoldsTheSymbolAndWindowsCodesInTheirFonts) {
  // The Symbol codes as the published encoding lists them.
  std::set<int> symbolCodes = {
      0x22, 0x23, 0x24, 0x25, 0x27, 0x28, 0x29, 0x2B, 0x2D, 0x2E, 0x3C, 0x3D, 0x3E, 0x40,
      0x5B, 0x5C, 0x5D, 0x7B, 0x7D, 0x7E, 0xA1, 0xA2, 0xA3, 0xA5, 0xA6, 0xAB, 0xAC, 0xAE,
      0xAF, 0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBE, 0xC7,
      0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD1, 0xD5, 0xD6, 0xD8, 0xDB, 0xDC,
      0xDD, 0xDE, 0xDF, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xF2,
      0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE};
  for (int c = 0x41; c <= 0x5A; ++c) symbolCodes.insert(c);
  for (int c = 0x61; c <= 0x7A; ++c) symbolCodes.insert(c);
  for (int c = 0x30; c <= 0x39; ++c) symbolCodes.insert(c);
  ASSERT_EQ(symbolCodes.size(), 144u);
  // Windows-1252 bytes of the Arial buttons.
  const std::set<int> arialBytes = {0xBA, 0xB9, 0xB2, 0xB3, 0xBC, 0xBD, 0xBE, 0x83};

  ASSERT_EQ(form.InsertButtonCount(), 157u);
  std::set<int> seenSymbol, seenArial;
  std::multiset<std::wstring> others;
  for (std::size_t i = 0; i < form.InsertButtonCount(); ++i) {
    const writer::EquationButton& b = form.InsertKey(i);
    LOGFONTW font{};
    GetObjectW(
        reinterpret_cast<HFONT>(SendMessageW(form.InsertButton(i).Handle(), WM_GETFONT, 0, 0)),
        sizeof font, &font);
    EXPECT_EQ(form.InsertButton(i).Text(), b.caption);
    switch (b.font) {
      case EquationFont::Symbol:
        ASSERT_EQ(b.text.size(), 1u);
        seenSymbol.insert(b.text[0]);
        EXPECT_STREQ(font.lfFaceName, L"Symbol");
        EXPECT_EQ(font.lfCharSet, SYMBOL_CHARSET);
        break;
      case EquationFont::Arial: {
        char byte = 0;
        WideCharToMultiByte(1252, 0, b.text.c_str(), 1, &byte, 1, nullptr, nullptr);
        seenArial.insert(static_cast<unsigned char>(byte));
        EXPECT_STREQ(font.lfFaceName, L"Arial");
        break;
      }
      case EquationFont::TimesNewRoman:
        EXPECT_STREQ(font.lfFaceName, L"Times New Roman");
        others.insert(b.text);
        break;
      case EquationFont::Unchanged: others.insert(b.caption + L"=" + b.text); break;
    }
  }
  EXPECT_EQ(seenSymbol, symbolCodes);
  EXPECT_EQ(seenArial, arialBytes);
  EXPECT_EQ(others, (std::multiset<std::wstring>{L"sin", L"cos", L"tan", L"Tab=\t", L"Space= "}));
}

TEST_F(EquationBuilder, AButtonWritesItsCodeInItsFontThroughTheClipboard) {
  const struct {
    std::wstring text;
    EquationFont font;
    const wchar_t* face;
    BYTE charset;
  } presses[] = {
      {L"a", EquationFont::Symbol, L"Symbol", SYMBOL_CHARSET},
      {L"\u00B2", EquationFont::Arial, L"Arial", ANSI_CHARSET},
      {L"sin", EquationFont::TimesNewRoman, L"Times New Roman", ANSI_CHARSET},
      {L"\u00D6", EquationFont::Symbol, L"Symbol", SYMBOL_CHARSET},  // the root sign
      {L" ", EquationFont::Unchanged, L"Symbol", SYMBOL_CHARSET},    // keeps the last font
  };
  std::wstring expected;
  for (const auto& p : presses) {
    const LONG at = static_cast<LONG>(expected.size());
    Press(p.text, p.font);
    expected += p.text;
    EXPECT_EQ(Text(), expected);
    EXPECT_EQ(writer::ClipboardGetText(nullptr), p.text) << "the clipboard holds the caption";
    const CHARFORMAT2W format = FormatAt(at);
    EXPECT_STREQ(format.szFaceName, p.face) << Narrow(p.text);
    EXPECT_EQ(format.bCharSet, p.charset) << Narrow(p.text);
    EXPECT_EQ(GetFocus(), Editor());
  }
  form.InsertButton(ButtonOf(L"\t", EquationFont::Unchanged)).Click();
  EXPECT_EQ(Text(), expected + L"\t");
}

TEST_F(EquationBuilder, SuperscriptPressedAgainTurnsBothScriptsOff) {
  form.btnSubscriptClick();
  EXPECT_TRUE(form.Subscript());
  EXPECT_TRUE(form.starSubscript.Visible());
  form.btnSuperscript.Click();
  EXPECT_TRUE(form.Superscript());
  EXPECT_FALSE(form.Subscript()) << "one script at a time";
  EXPECT_TRUE(form.starSuperscript.Visible());
  EXPECT_FALSE(form.starSubscript.Visible());
  Press(L"p");
  EXPECT_TRUE(FormatAt(0).dwEffects & CFE_SUPERSCRIPT) << "an inserted symbol is superscript";

  form.btnSuperscript.Click();
  EXPECT_FALSE(form.Superscript());
  EXPECT_FALSE(form.Subscript());
  EXPECT_FALSE(form.starSuperscript.Visible());
  Press(L"q");
  EXPECT_FALSE(FormatAt(1).dwEffects & (CFE_SUPERSCRIPT | CFE_SUBSCRIPT));

  // The stars follow the selection.
  CHARRANGE first{0, 1};
  SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_TRUE(form.Superscript());
  EXPECT_TRUE(form.starSuperscript.Visible());
}

TEST_F(EquationBuilder, UnderlineChangesOnlyTheUnderline) {
  Press(L"S");
  CHARRANGE all{0, 1};
  SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  CHARFORMAT2W bold{};
  bold.cbSize = sizeof bold;
  bold.dwMask = CFM_BOLD | CFM_ITALIC;
  bold.dwEffects = CFE_BOLD | CFE_ITALIC;
  SendMessageW(Editor(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
  form.btnUnderline.Click();
  EXPECT_EQ(FormatAt(0).dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE),
            static_cast<DWORD>(CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE));
  EXPECT_TRUE(form.starUnderline.Visible());
  form.btnUnderline.Click();
  EXPECT_EQ(FormatAt(0).dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE),
            static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
}

TEST_F(EquationBuilder, TheSizeBoxSetsTheSelectionsSizeOnEnterAndArrows) {
  Press(L"x");
  EXPECT_EQ(form.RxSpinEdit1.Value(), 14) << "the default font is 19 pixels, 14 points";
  CHARRANGE all{0, 1};
  SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  form.RxSpinEdit1.SetText(L"16");
  SendMessageW(form.RxSpinEdit1.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(FormatAt(0).yHeight, 16 * 20);
  EXPECT_EQ(GetFocus(), Editor());
  form.RxSpinEdit1.Step(1);
  form.RxSpinEdit1.OnArrow(1);
  EXPECT_EQ(FormatAt(0).yHeight, 17 * 20);
  form.RxSpinEdit1.SetText(L"500");
  SendMessageW(form.RxSpinEdit1.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(FormatAt(0).yHeight, 100 * 20) << "held to 100 points";

  SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  form.RxSpinEdit1.SetText(L"20");
  form.btnPlainText.Click();
  const CHARFORMAT2W plain = FormatAt(0);
  EXPECT_STREQ(plain.szFaceName, L"Arial");
  EXPECT_EQ(plain.yHeight, 20 * 20);
  EXPECT_EQ(plain.bCharSet, SYMBOL_CHARSET) << "the character set stays";
}

// The picture is one line-height taller than the formula's lines, whatever the line height;
// the lines start a few pixels down, so the lower half of the last line-height stays blank.
TEST_F(EquationBuilder, AFormulaOfThreeLinesGivesAPictureFourLineHeightsHigh) {
  std::map<int, LONG> heights;
  for (int lines = 1; lines <= 3; ++lines) {
    form.btnClearClick();
    Press(L"S");
    for (int i = 1; i < lines; ++i) {
      Replace(L"\r");
      Press(L"p");
    }
    writer::ClipboardPutText(nullptr, L"earlier");
    ModalScript script;
    script.Then<TfrmEBuilder>([](TfrmEBuilder& f) { f.btnInsertImage.Click(); });
    ASSERT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(form.PictureResult());
    EXPECT_FALSE(form.TextResult());
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    ENHMETAHEADER header{};
    ASSERT_TRUE(picture && GetEnhMetaFileHeader(picture, sizeof header, &header));
    heights[lines] = header.rclFrame.bottom - header.rclFrame.top;
    const int w = 200, h = 120;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, picture, &all);
    CloseClipboard();
    int inkAbove = 0, inkBelow = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (GetPixel(dc, x, y) != RGB(255, 255, 255))
          ++(y * 2 * (lines + 1) < h * (2 * lines + 1) ? inkAbove : inkBelow);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_GT(inkAbove, 20) << lines << " lines";
    EXPECT_EQ(inkBelow, 0) << lines << " lines";
  }
  EXPECT_EQ(heights[2] * 2, heights[1] * 3);
  EXPECT_EQ(heights[3] * 2, heights[1] * 4);
}

TEST_F(EquationBuilder, InsertAsTextCopiesTheWholeFormulaAsRichText) {
  EXPECT_FALSE(form.btnInsertText.Enabled()) << "nothing to insert yet";
  EXPECT_FALSE(form.btnInsertImage.Enabled());
  Press(L"a");
  Press(L"b");
  EXPECT_TRUE(form.btnInsertText.Enabled());
  CHARRANGE caret{1, 1};
  SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  ModalScript script;
  script.Then<TfrmEBuilder>([](TfrmEBuilder& f) { f.btnInsertText.Click(); });
  ASSERT_EQ(form.ShowModal(), mrOk);
  EXPECT_TRUE(form.TextResult());
  EXPECT_EQ(writer::ClipboardGetText(nullptr), L"ab");
  EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Rich Text Format")));
}

TEST_F(EquationBuilder, ShowingClearsTheResultsAndPutsTheCaretAtTheLastSelectionsLength) {
  Press(L"a");
  Press(L"b");
  Press(L"c");
  CHARRANGE two{1, 3};
  SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&two));
  form.Hide();
  ModalScript script;
  script.Then<TfrmEBuilder>([this](TfrmEBuilder& f) {
    CHARRANGE now{};
    SendMessageW(Editor(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    EXPECT_EQ(now.cpMin, 2);
    EXPECT_EQ(now.cpMax, 2);
    EXPECT_FALSE(f.TextResult());
    EXPECT_FALSE(f.PictureResult());
    f.btnCopyClick();
    f.btnClose.Click();
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(Text(), L"abc") << "the formula stays for the next use";
}

TEST_F(EquationBuilder, ClearEmptiesAndPastePastesOnlyText) {
  Press(L"a");
  form.btnClear.Click();
  EXPECT_EQ(Text(), L"");
  writer::ClipboardPutText(nullptr, L"xyz");
  form.btnPaste.Click();
  EXPECT_EQ(Text(), L"xyz");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  form.btnPaste.Click();
  EXPECT_EQ(Text(), L"xyz");
}

TEST_F(EquationBuilder, HelpExplainsCopyingAndTheBlankLastLine) {
  ScriptedDialogs dialogs;
  dialogs.Answer(DialogAnswer::Ok);
  form.SpeedButton1.Click();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  const std::wstring& text = dialogs.Last().text;
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Message);
  EXPECT_EQ(text.substr(0, 32), L"This is a short help tutorial.\r\n");
  EXPECT_NE(
      text.find(L"\r\nInserting equations as an image\r\n" + std::wstring(21, L'^') + L"\r\n"),
      std::wstring::npos);
  EXPECT_EQ(text.substr(text.size() - 30), L"fit properly inside the image.");
}

// The quadratic formula, and a sum with a subscript on a second line.
TEST_F(EquationBuilder, Screenshot) {
  const auto latin = [this](const wchar_t* text) {
    form.btnPlainTextClick();
    CHARFORMAT2W ansi{};
    ansi.cbSize = sizeof ansi;
    ansi.dwMask = CFM_CHARSET | CFM_ITALIC;
    ansi.bCharSet = ANSI_CHARSET;
    ansi.dwEffects = CFE_ITALIC;
    SendMessageW(Editor(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&ansi));
    Replace(text);
    ansi.dwMask = CFM_ITALIC;
    ansi.dwEffects = 0;
    SendMessageW(Editor(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&ansi));
  };
  latin(L"x ");
  Press(L"=");
  Press(L" ", EquationFont::Unchanged);
  Press(L"-");
  latin(L"b");
  Press(L"\u00B1");
  Press(L"\u00D6");
  Press(L"(");
  latin(L"b");
  form.btnSuperscriptClick();
  Press(L"2", EquationFont::Symbol);
  form.btnSuperscriptClick();
  Press(L"-");
  Press(L"4", EquationFont::Symbol);
  latin(L"ac");
  Press(L")");
  Press(L"\u00B8");
  Press(L"2", EquationFont::Symbol);
  latin(L"a");
  Replace(L"\r");
  Press(L"\u00E5");
  latin(L"a");
  form.btnSubscriptClick();
  latin(L"k");
  form.btnSubscriptClick();
  Press(L" ", EquationFont::Unchanged);
  Press(L"\u00BB");
  Press(L" ", EquationFont::Unchanged);
  Press(L"\u00F2");
  Press(L"sin", EquationFont::TimesNewRoman);
  Press(L"q");
  Press(L" ", EquationFont::Unchanged);
  latin(L"d");
  Press(L"q");
  SaveWindowScreenshot(form.Handle(), L"tessary-equation-builder");
}

}  // namespace
