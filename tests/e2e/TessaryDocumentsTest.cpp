// Tessary's documents from outside, as a user works with them: a letter opened from the command
// line, typed into and saved through the real Save dialog in the compressed, rich and plain
// formats, the program ended and started again on what it saved; the save-changes prompt of
// New; files whose contents do not match their names.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "richedit/ByteStream.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/TessaryRun.h"
#include "writer/MainCommands.h"

namespace fs = std::filesystem;

namespace {

// A folder of the test's own for documents that must exist before the program starts.
class ScratchFolder {
 public:
  ScratchFolder()
      : path_(fs::temp_directory_path() / (L"e2e-docs-" + std::to_wstring(GetCurrentProcessId()) +
                                           L"-" + std::to_wstring(GetTickCount64()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

richedit::RichTextDocument ReadDocument(const fs::path& path) {
  const std::string bytes = Slurp(path);
  richedit::MemorySource source(bytes);
  richedit::RichTextDocument doc;
  doc.load(richedit::readRtf(source).fragment);
  return doc;
}

// Every character and paragraph of original keeps its format in saved, where it starts at
// shift (text typed before it). The formats come from the original file, read on its own, so
// a writer that drops one is caught; the sample must have them to make the point.
void ExpectFormatsOf(const fs::path& original, const fs::path& saved, richedit::CharPos shift) {
  const richedit::RichTextDocument want = ReadDocument(original);
  const richedit::RichTextDocument got = ReadDocument(saved);
  ASSERT_EQ(got.textLength(), want.textLength() + shift);
  std::set<std::int32_t> sizes;
  int bold = 0, italic = 0, centred = 0, mismatches = 0;
  for (richedit::CharPos i = 0; i < want.textLength(); ++i) {
    const richedit::CharFormat c = want.charFormatAt(i);
    const richedit::ParaFormat p = want.paraFormatAt(i);
    bold += c.has(richedit::cfe::Bold);
    italic += c.has(richedit::cfe::Italic);
    sizes.insert(c.height);
    centred += p.alignment == richedit::pfa::Center;
    const bool same = got.charFormatAt(i + shift) == c && got.paraFormatAt(i + shift) == p;
    if (!same && ++mismatches <= 3) ADD_FAILURE() << "the format at character " << i << " changed";
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(bold, 0);
  EXPECT_GT(italic, 0);
  EXPECT_GT(centred, 0);
  EXPECT_GT(sizes.size(), 1u);
}

}  // namespace

TEST(TessaryDocuments, TypedTextAndFormatsSurviveTheCompressedFormatAcrossRuns) {
  ScratchFolder scratch;
  const fs::path letter = scratch.Path() / "letter.rtf";
  fs::copy_file(fs::path(TEST_DATA_DIR) / "rtf" / "lo-alignment-letter.rtf", letter);
  TessaryRun t(L"\"" + letter.wstring() + L"\"");
  t.Attach(CaptionFor(letter));
  const std::wstring opened = t.Text();
  EXPECT_EQ(opened.substr(0, 32), L"Harbourline Office Furniture Ltd");
  EXPECT_FALSE(t.ShowsModified());

  t.Type(L"Ref. 4471 ");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"Ref. 4471 " + opened; }));
  EXPECT_TRUE(t.ShowsModified());

  const fs::path before = scratch.Path() / "before.rtf";
  const fs::path compressed = scratch.Path() / "letter.rtc";
  t.SaveAs(before);
  t.SaveAs(compressed);
  EXPECT_FALSE(t.ShowsModified());
  const std::string rtf = Slurp(before);
  EXPECT_EQ(rtf.substr(0, 6), "{\\rtf1");
  EXPECT_NE(rtf.find("Ref. 4471 "), std::string::npos);
  EXPECT_EQ(Slurp(compressed).substr(0, 2), "\x78\x01");
  EXPECT_EQ(Slurp(letter).size(),
            fs::file_size(fs::path(TEST_DATA_DIR) / "rtf" / "lo-alignment-letter.rtf"))
      << "Save As leaves the opened file alone";
  EXPECT_EQ(t.run.Close(t.main), 0u) << "closed without a prompt";

  t.run.Restart(L"\"" + compressed.wstring() + L"\"");
  t.Attach(CaptionFor(compressed));
  EXPECT_EQ(t.Text(), L"Ref. 4471 " + opened);
  const fs::path after = scratch.Path() / "after.rtf";
  t.SaveAs(after);
  EXPECT_EQ(Slurp(after), rtf) << "the same text in the same formats";
  ExpectFormatsOf(fs::path(TEST_DATA_DIR) / "rtf" / "lo-alignment-letter.rtf", after, 10);
  EXPECT_FALSE(t.PlainTextMode());

  const fs::path plain = scratch.Path() / "letter.txt";
  t.SaveAs(plain);
  EXPECT_TRUE(t.PlainTextMode());
  // Line breaks inside paragraphs become line ends of their own in plain text.
  std::wstring lines = L"Ref. 4471 " + opened;
  for (std::size_t at = 0; (at = lines.find(L'\v', at)) != std::wstring::npos; at += 2)
    lines.replace(at, 1, L"\r\n");
  const std::wstring text = t.Text();
  EXPECT_EQ(text, lines);
  EXPECT_EQ(Slurp(plain), BytesFromWide(text));
  EXPECT_EQ(t.run.Close(t.main), 0u);
}

TEST(TessaryDocuments, NewAsksWhetherToSaveChanges) {
  TessaryRun t;
  t.Attach(kCaption);
  const fs::path named = t.run.Folder() / "notes.rtf";
  t.Type(L"first");
  t.SaveAs(named);
  t.Type(L" draft");
  ASSERT_TRUE(WaitUntil([&] { return t.ShowsModified(); }));

  struct Case {
    const wchar_t* answer;
    std::wstring captionAfter;
    std::wstring textAfter;
  };
  // Cancel keeps everything; No abandons the changes (the file keeps the saved text).
  const Case cases[] = {
      {L"Cancel", CaptionFor(named), L"first draft"},
      {L"No", kCaption, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.answer));
    t.Command(writer::cmdNew);
    const MessageBoxSeen box = t.run.WaitForMessageBox();
    EXPECT_EQ(box.text, L"Save changes to  [notes.rtf] ?");
    t.run.Answer(box, c.answer);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    t.WaitForCaption(c.captionAfter);
    EXPECT_EQ(t.Text(), c.textAfter);
  }
  EXPECT_FALSE(t.ShowsModified());
  EXPECT_NE(Slurp(named).find("first"), std::string::npos);
  EXPECT_EQ(Slurp(named).find("draft"), std::string::npos);

  t.Type(L"again");
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == L"again"; }));
  t.Command(writer::cmdNew);
  const MessageBoxSeen box = t.run.WaitForMessageBox();
  EXPECT_EQ(box.text, L"Save changes to  [Untitled Document] ?");
  t.run.Answer(box, L"Cancel");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
  EXPECT_EQ(t.Text(), L"again");
  EXPECT_TRUE(IsWindowVisible(t.main));
  EXPECT_EQ(t.Caption(), kCaption);
}

TEST(TessaryDocuments, FilesThatAreNotWhatTheirNamesSayAreOpenedOrRefused) {
  TessaryRun t;
  t.Attach(kCaption);
  struct Case {
    const char* name;
    std::string bytes;
    std::wstring error;  // empty: opens as this text
    std::wstring text;
  };
  const Case cases[] = {
      {"words.rtf", "Plain words,\r\nnot rich text.", L"", L"Plain words,\r\nnot rich text."},
      // A zlib header, then a block of the reserved type.
      {"damaged.rtc", std::string("\x78\x01\xff\xfe\xfd\x00\x00", 7), L"Failed to Load Stream",
       L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = t.run.Folder() / c.name;
    WriteFile(path, c.bytes);
    t.Command(writer::cmdOpen);
    t.run.ChooseFile(L"Open Document", path, L"Open");
    if (!c.error.empty()) {
      const MessageBoxSeen box = t.run.WaitForMessageBox();
      EXPECT_NE(box.text.find(c.error), std::wstring::npos) << Utf8FromWide(box.text);
      t.run.Answer(box, L"OK");
      t.WaitForCaption(kCaption);
    } else {
      t.WaitForCaption(CaptionFor(path));
    }
    EXPECT_EQ(t.Text(), c.text);
    EXPECT_FALSE(t.ShowsModified());
    EXPECT_EQ(Slurp(path), c.bytes) << "opening never writes";
  }
  EXPECT_EQ(t.run.Close(t.main), 0u);
}

// Formatting from outside: the side panel's real buttons and the real Replace dialog.

namespace {

// The side panel's buttons in the order they are made: help, last document, envelope, painter,
// paragraph; bold, italic, underline, left, centre, right; spell, merge, four indents; three
// spacings, bullets, numbering, highlight.
constexpr int kBoldButton = 5, kCentreButton = 9, kOneAndAHalfButton = 18;

fs::path CopySample(const ScratchFolder& scratch, const std::string& name) {
  const fs::path copy = scratch.Path() / name;
  fs::copy(fs::path(TEST_DATA_DIR) / "rtf" / name, copy);
  return copy;
}

}  // namespace

TEST(TessaryFormatting, ABoldCentredSpacedWordSurvivesSavingAsRichText) {
  ScratchFolder scratch;
  const fs::path sample = CopySample(scratch, "lo-alignment-letter.rtf");
  TessaryRun t(L"\"" + sample.wstring() + L"\"");
  t.Attach(CaptionFor(sample));
  // "Thank" of the letter's first plain paragraph; the control counts a paragraph end as one.
  const std::wstring opened = t.Text();
  const std::size_t at = opened.find(L"Thank you");
  ASSERT_NE(at, std::wstring::npos);
  const auto word =
      static_cast<LPARAM>(at - std::count(opened.begin(), opened.begin() + at, L'\n'));
  Ask(t.editor, EM_SETSEL, static_cast<WPARAM>(word), word + 5);
  for (int button : {kBoldButton, kCentreButton, kOneAndAHalfButton})
    PostMessageW(FindChildByIndex(t.main, L"TStyledButton", button), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return t.ShowsModified(); }));
  const fs::path saved = scratch.Path() / "formatted.rtf";
  t.SaveAs(saved);
  EXPECT_EQ(t.run.Close(t.main), 0u);

  const richedit::RichTextDocument document = ReadDocument(saved);
  const auto thank = static_cast<richedit::CharPos>(word);
  const richedit::CharFormat format = document.charFormatAt(thank + 1);
  EXPECT_TRUE(format.has(richedit::cfe::Bold));
  EXPECT_FALSE(document.charFormatAt(thank + 7).has(richedit::cfe::Bold)) << "only the word";
  const richedit::ParaFormat paragraph = document.paraFormatAt(thank);
  EXPECT_EQ(paragraph.alignment, richedit::pfa::Center);
  EXPECT_EQ(paragraph.lineSpacingRule, richedit::lsr::AtLeast);
  // One and a half times the word's size in whole points, halves to the even neighbour.
  const int points = format.height / 20;
  const int spacing = points * 3 / 2 + ((points * 3) % 2 != 0 && (points * 3 / 2) % 2 != 0);
  EXPECT_EQ(paragraph.lineSpacing, spacing * 20) << points << " points";
  EXPECT_NE(document.paraFormatAt(thank - 3).alignment, richedit::pfa::Center)
      << "the paragraph before keeps its alignment";
}

TEST(TessaryFormatting, ReplaceAllThroughTheRealDialogIsOneUndoStep) {
  TessaryRun t;
  t.Attach(kCaption);
  const std::wstring text = L"The cat sat; the Cat ran; concatenate.";
  t.Type(text);
  ASSERT_TRUE(WaitUntil([&] { return t.Text() == text; }));
  Ask(t.editor, EM_SETSEL, 0, 0);
  t.Command(writer::cmdFindReplace);
  HWND dialog = t.run.WaitForWindow(L"Replace");
  SetControlText(GetDlgItem(dialog, 0x480), L"cat");
  SetControlText(GetDlgItem(dialog, 0x481), L"dog");
  ClickButton(dialog, L"Replace All");
  const std::wstring replaced = L"The dog sat; the dog ran; condogenate.";
  EXPECT_TRUE(WaitUntil([&] { return t.Text() == replaced; })) << Utf8FromWide(t.Text());
  EXPECT_TRUE(t.ShowsModified());
  Ask(t.editor, EM_UNDO);  // what Ctrl+Z sends
  EXPECT_EQ(t.Text(), text);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  t.Command(writer::cmdClose);
  const MessageBoxSeen prompt = t.run.WaitForMessageBox();
  t.run.Answer(prompt, L"No");
  t.run.WaitForExit();
}
