// Tessary's symbol insert tools from outside: a formula inserted as a picture, an emoticon and
// two characters collected in the character map, the document saved as rich text and read back
// by our own reader.
#include <windows.h>

#include <gtest/gtest.h>

#include "richedit/ByteStream.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/TessaryRun.h"
#include "writer/MainCommands.h"

namespace fs = std::filesystem;

namespace {

richedit::RichTextDocument ReadBack(const fs::path& path) {
  const std::string bytes = Slurp(path);
  richedit::MemorySource source(bytes);
  richedit::RichTextDocument doc;
  doc.load(richedit::readRtf(source).fragment);
  return doc;
}

// A tool window of the program, shown modally over the main window, until it closes.
HWND OpenTool(TessaryRun& t, writer::Command command, const std::wstring& caption) {
  t.Command(command);
  return t.run.WaitForWindow(caption);
}

void WaitClosed(HWND tool) {
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(tool); }));
}

// A cell of the character map's grid, clicked as the mouse does.
void ClickCell(HWND map, int row, int column) {
  HWND grid = FindChildByIndex(map, L"TessaryPaintBox", 0);
  const LPARAM at = MAKELPARAM(column * 24 + 10, row * 24 + 10);
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(grid, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST(TessaryInsertTools, AFormulaAnEmoticonAndMapCharactersAreSavedInTheDocument) {
  TessaryRun t;
  t.Attach(kCaption);
  t.Type(L"E ");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"E "; }));

  HWND builder = OpenTool(t, writer::cmdInsertEquation, L"Equation Builder");
  HWND formula = FindChildByIndex(builder, L"RichTextEdit", 0);
  ClickButton(builder, L"S");  // capital sigma in the Symbol font
  ClickButton(builder, L"\u00B2");
  ASSERT_TRUE(WaitUntil([&] { return ControlText(formula) == L"S\u00B2"; }));
  ClickButton(builder, L"   Insert As Image");
  WaitClosed(builder);
  ASSERT_TRUE(WaitUntil([&] { return t.Text().size() == 3; })) << Utf8FromWide(t.Text());

  HWND picker = OpenTool(t, writer::cmdEmoticons, L"Emotional Icons");
  ClickButton(picker, L"Bomb");
  WaitClosed(picker);
  ASSERT_TRUE(WaitUntil([&] { return t.Text().size() == 4; }));

  HWND map = OpenTool(t, writer::cmdSpecialChar, L"Character Map");
  HWND fonts = FindChildByIndex(map, WC_COMBOBOXW, 0);
  ASSERT_GE(
      Ask(fonts, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Symbol")), 0);
  PostMessageW(map, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(fonts), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(fonts));
  ClickCell(map, 4, 17);  // 0x61, alpha
  ClickButton(map, L"Add");
  ClickCell(map, 4, 18);  // 0x62, beta
  ClickButton(map, L"Add");
  HWND line = FindChildByIndex(map, WC_EDITW, 0);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(line) == L"ab"; }));
  ClickButton(map, L"Insert Line");
  WaitClosed(map);
  ASSERT_TRUE(WaitUntil([&] { return t.Text().size() == 6; }));

  const fs::path saved = t.run.Folder() / "symbols.rtf";
  t.SaveAs(saved);
  const richedit::RichTextDocument doc = ReadBack(saved);
  EXPECT_EQ(doc.pictureCount(), 2u);
  ASSERT_GE(doc.textLength(), 6);
  EXPECT_EQ(doc.charAt(0), u'E');
  EXPECT_EQ(doc.charAt(2), u'\uFFFC');
  EXPECT_EQ(doc.charAt(3), u'\uFFFC');
  ASSERT_NE(doc.pictureAt(2), nullptr);
  EXPECT_EQ(doc.pictureAt(2)->kind, richedit::PictureKind::Emf);
  for (richedit::CharPos at : {4, 5}) {
    const richedit::CharFormat format = doc.charFormatAt(at);
    EXPECT_EQ(format.faceName(), u"Symbol") << at;
    EXPECT_EQ(format.charSet, 2) << "the symbol character set";
    EXPECT_EQ(format.height, 12 * 20) << "the size at the caret";
  }
  EXPECT_EQ(doc.charAt(4), u'a');
  EXPECT_EQ(doc.charAt(5), u'b');
  EXPECT_EQ(doc.charFormatAt(0).faceName(), u"Arial") << "the typed text keeps its font";
  EXPECT_EQ(t.run.Close(t.main), 0u);
}
