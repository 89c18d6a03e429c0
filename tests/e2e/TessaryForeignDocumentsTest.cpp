// Documents from the rest of the world in the real Tessary. A Japanese letter as the
// platform's word processor writes it (a charset-128 font, Shift-JIS bytes) opens as Japanese
// text and is saved back in Shift-JIS. A binary file is never taken for text: a Word document
// in binary format, an Office Open XML package, a PDF or a file with NUL bytes is refused with
// a sentence naming what it is; the window keeps its document and its name, and the refused
// file stays byte for byte as it was, also after a Save. Rich text in a ".doc" still opens.
#include <windows.h>

#include <commctrl.h>

#include <fstream>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/TessaryRun.h"
#include "writer/MainCommands.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The start of an OLE compound file as Word 97-2003 writes a ".doc": the signature, a header
// sector, and the directory's "WordDocument" stream name in UTF-16.
std::string OleWordDocument() {
  std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  bytes += std::string(16, '\0') + std::string("\x3E\x00\x03\x00\xFE\xFF\x09\x00", 8);
  bytes.resize(512, '\0');
  for (char c : std::string("WordDocument")) bytes += std::string{c, '\0'};
  bytes.resize(2048, '\xFF');
  bytes += "Text of the letter that a text view would show among the binary bytes.";
  return bytes;
}

}  // namespace

TEST(TessaryForeignDocuments, AJapaneseLetterInShiftJisOpensAndIsSavedBackTheSame) {
  const std::string letter =
      "{\\rtf1\\ansi\\ansicpg932\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset128 "
      "\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs24 "
      "\\'82\\'b1\\'82\\'f1\\'82\\'c9\\'82\\'bf\\'82\\'cd\\'81A\\'90\\'a2\\'8aE\\'81B\\par\r\n"
      "\\'95\\'5c\\'83\\'5c\\'94O \\'ca\\'dd\\'b6\\'b8\\par\r\n}";
  ProgramRun run(TESSARY_EXE, L"", TessaryRanBefore());
  HWND main = run.WaitForWindow(kCaption);
  HWND editor = FindChildByIndex(main, L"RichTextEdit", 0);
  HWND toolbar = FindChildByIndex(main, TOOLBARCLASSNAMEW, 0);
  const fs::path path = run.Folder() / "letter-ja.rtf";
  WriteFile(path, letter);
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(writer::cmdOpen, 0), reinterpret_cast<LPARAM>(toolbar));
  run.ChooseFile(L"Open Document", path, L"Open");
  ASSERT_TRUE(WaitUntil([&] { return ControlText(main) == CaptionFor(path); }));
  const std::wstring text =
      L"\u3053\u3093\u306b\u3061\u306f\u3001\u4e16\u754c\u3002\r\n"
      L"\u8868\u30bd\u5ff5 \uff8a\uff9d\uff76\uff78";  // こんにちは、世界。 表ソ念 ﾊﾝｶｸ
  EXPECT_EQ(ControlText(editor), text);

  const fs::path saved = run.Folder() / "saved-ja.rtf";
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(writer::cmdSaveAs, 0),
               reinterpret_cast<LPARAM>(toolbar));
  run.ChooseFile(L"Save As", saved, L"Save");
  ASSERT_TRUE(WaitUntil([&] { return ControlText(main) == CaptionFor(saved); }));
  const std::string rtf = Slurp(saved);
  // Written under its font in Shift-JIS, each byte as \'hh: a trail byte 0x5c never becomes
  // an escape of its own.
  EXPECT_NE(rtf.find("\\fcharset128"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\'82\\'b1\\'82\\'f1"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\'95\\'5c\\'83\\'5c\\'94\\'4f"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("\\u"), rtf.find("\\uc1")) << "no character needed \\u: " << rtf;

  EXPECT_EQ(run.Close(main), 0u);
  run.Restart(L"\"" + saved.wstring() + L"\"");
  main = run.WaitForWindow(CaptionFor(saved));
  EXPECT_EQ(ControlText(FindChildByIndex(main, L"RichTextEdit", 0)), text);
  EXPECT_EQ(run.Close(main), 0u);
}

TEST(TessaryForeignDocuments, AreRefusedAndTheWindowKeepsItsDocument) {
  ProgramRun run(TESSARY_EXE, L"", TessaryRanBefore());
  HWND main = run.WaitForWindow(kCaption);
  HWND editor = FindChildByIndex(main, L"RichTextEdit", 0);
  HWND toolbar = FindChildByIndex(main, TOOLBARCLASSNAMEW, 0);
  HWND status = FindChildByIndex(main, STATUSCLASSNAMEW, 0);
  auto command = [&](writer::Command c) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(c, 0), reinterpret_cast<LPARAM>(toolbar));
  };
  auto caption = [&] { return ControlText(main); };
  auto open = [&](const fs::path& path) {
    command(writer::cmdOpen);
    run.ChooseFile(L"Open Document", path, L"Open");
  };

  const fs::path letter = run.Folder() / "letter.rtf";
  fs::copy_file(fs::path(TEST_DATA_DIR) / "rtf" / "lo-alignment-letter.rtf", letter);
  open(letter);
  ASSERT_TRUE(WaitUntil([&] { return caption() == CaptionFor(letter); }));
  const std::wstring text = ControlText(editor);
  ASSERT_EQ(text.substr(0, 32), L"Harbourline Office Furniture Ltd");

  struct Case {
    const char* name;
    std::string bytes;
    std::wstring says;
  };
  const Case cases[] = {
      {"report.doc", OleWordDocument(), L"This file is a Word document in binary format"},
      {"report.docx", std::string("PK\x03\x04\x14\x00\x06\x00", 8) + "[Content_Types].xml",
       L"This file is an Office Open XML document"},
      {"manual.pdf", "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n",
       L"This file is a PDF document"},
      {"notes.txt", std::string("Name\0\0\0\x01\x02 binary records", 22),
       L"This file holds binary data, not text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = run.Folder() / c.name;
    WriteFile(path, c.bytes);
    open(path);
    const MessageBoxSeen box = run.WaitForMessageBox();
    EXPECT_EQ(box.text.rfind(c.says, 0), 0u) << Utf8FromWide(box.text);
    EXPECT_NE(box.text.find(L"; Tessary opens rich text and plain text files."), std::wstring::npos)
        << Utf8FromWide(box.text);
    run.Answer(box, L"OK");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    EXPECT_EQ(caption(), CaptionFor(letter)) << "the document keeps its name";
    EXPECT_EQ(ControlText(editor), text) << "and its text";
    EXPECT_EQ(LOWORD(Ask(status, SB_GETTEXTLENGTHW, 2)), 0) << "and stays unmodified";
    EXPECT_EQ(Slurp(path), c.bytes) << "the refused file is untouched";
  }

  // A Save now writes the letter where it came from, never over a refused file.
  PostMessageW(editor, WM_CHAR, L'X', 1);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(editor) == L"X" + text; }));
  command(writer::cmdSave);
  ASSERT_TRUE(WaitUntil([&] { return Slurp(letter).find("XHarbourline") != std::string::npos; }));
  for (const Case& c : cases) EXPECT_EQ(Slurp(run.Folder() / c.name), c.bytes) << c.name;

  // Rich text in a ".doc", and plain text in one, still open as before.
  const fs::path richDoc = run.Folder() / "memo.doc";
  WriteFile(richDoc, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Rich text in a doc file.\\par}");
  open(richDoc);
  ASSERT_TRUE(WaitUntil([&] { return caption() == CaptionFor(richDoc); }));
  EXPECT_EQ(ControlText(editor), L"Rich text in a doc file.");
  const fs::path plain = run.Folder() / "plain.doc";
  WriteFile(plain, "Just words.");
  open(plain);
  ASSERT_TRUE(WaitUntil([&] { return caption() == CaptionFor(plain); }));
  EXPECT_EQ(ControlText(editor), L"Just words.");
  EXPECT_EQ(run.Close(main), 0u);
}
