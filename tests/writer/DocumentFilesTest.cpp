// The document files on our rich-edit control: load and save by extension, the text modes,
// failures that must leave files and flags alone, and the commands with their dialogs. The
// window around the control is a recording fake.
#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"
#include "richedit/RichEditWindow.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/CompressedRichText.h"
#include "writer/DocumentFiles.h"
#include "writer/EditorStreams.h"

namespace fs = std::filesystem;

namespace {

const char kBoldRtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Bold\\b0  words}";
using History = std::vector<std::pair<std::wstring, HistoryKind>>;

class FakeHost final : public DocumentHost {
 public:
  void SetCaption(const std::wstring& text) override { caption = text; }
  void SetApplicationTitle(const std::wstring& text) override { title = text; }
  void SetModifiedPanel(const std::wstring& text) override { panel = text; }
  void ApplyZoom() override { ++zooms; }
  void FocusEditor() override { ++focuses; }
  void ProcessMessages() override {
    if (onMessages) std::exchange(onMessages, nullptr)();
  }
  void RecordInHistory(const std::wstring& path, HistoryKind kind) override {
    history.emplace_back(path, kind);
  }
  std::optional<std::wstring> FirstHistoryRow() override { return firstRow; }
  bool CanExport(DocumentKind) const override { return exports; }
  void Export(DocumentKind, const std::wstring& path) override { exported.push_back(path); }

  std::function<void()> onMessages;  // once, as the next pending messages are handled
  bool exports = false;
  std::vector<std::wstring> exported;
  std::wstring caption, title, panel;
  int zooms = 0, focuses = 0;
  History history;
  std::optional<std::wstring> firstRow;
};

std::string Compress(const std::string& text) {
  StringSink sink;
  RichTextCompressor compressor(sink);
  compressor.write(text.data(), text.size());
  compressor.finish();
  return sink.bytes;
}

// The file's content, unpacked when it is compressed rich text.
std::string Content(const std::wstring& path) {
  std::string bytes = fs::exists(path) ? ReadWholeFile(path) : "";
  if (DocumentKindOf(path) != DocumentKind::CompressedRichText || bytes.empty()) return bytes;
  BytesSource source(bytes);
  DecompressingReader reader(source);
  std::string all(1 << 20, '\0');
  all.resize(reader.read(all.data(), all.size()));
  return all;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The failure's message, or "(none)".
template <typename F>
std::string FailureOf(F&& action) {
  try {
    action();
  } catch (const EError& e) {
    return e.what();
  }
  return "(none)";
}

class DocumentFilesTest : public testing::Test {
 protected:
  DocumentFilesTest() {
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~DocumentFilesTest() override {
    DestroyWindow(parent);
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder);
  }

  std::wstring Path(const wchar_t* name) const { return (folder / name).wstring(); }
  std::set<std::wstring> Folder() const {
    std::set<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.insert(entry.path().filename().wstring());
    return names;
  }
  std::wstring Text() const {
    std::wstring text(GetWindowTextLengthW(editor) + 1, L'\0');
    text.resize(GetWindowTextW(editor, text.data(), static_cast<int>(text.size())));
    return text;
  }
  bool BoldAtStart() const {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
  }
  void Type(const wchar_t* text) {
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    files.SetModifiedState(true);
  }
  std::string Rtf() const { return StreamOutToString(editor, SF_RTF); }

  const fs::path folder =
      fs::temp_directory_path() / (L"tessary-files-" + std::to_wstring(GetCurrentProcessId()));
  const std::wstring sample =
      WideFromUtf8(std::string(TEST_DATA_DIR) + "/rtf/lo-char-formatting.rtf");
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr,
                                nullptr, nullptr, nullptr);
  HWND editor = CreateWindowExW(0, richedit::registerRichEditClass(), L"",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 0, 400, 300,
                                parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
  FakeHost host;
  DocumentFiles files{editor, host};
};

TEST_F(DocumentFilesTest, OpensEachKindByItsExtensionRegardlessOfCase) {
  struct Case {
    const wchar_t* name;
    std::string bytes;
    bool plain;
    std::wstring text;
    bool bold;
  };
  const Case cases[] = {
      {L"letter.rtf", kBoldRtf, false, L"Bold words", true},
      {L"notes.txt", kBoldRtf, true, WideFromUtf8(kBoldRtf), false},
      {L"LETTER.RTF", kBoldRtf, false, L"Bold words", true},
      {L"report.doc", kBoldRtf, false, L"Bold words", true},
      {L"notes.doc", "Just words", false, L"Just words", false},
      {L"fake.rtf", "Plain words, no markup", false, L"Plain words, no markup", false},
      {L"NOTES.TXT", "Some text", true, L"Some text", false},
      {L"readme.md", kBoldRtf, false, L"Bold words", true},
      {L"packed.rtc", Compress(kBoldRtf), false, L"Bold words", true},
      {L"PACKED.RTC", Compress(kBoldRtf), false, L"Bold words", true},
  };
  int zooms = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.name));
    const std::wstring path = Path(c.name);
    WriteBytes(path, c.bytes);
    Type(L"stale ");
    files.OpenDocumentFile(path);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(IsPlainTextMode(editor), c.plain);
    EXPECT_EQ(files.CurrentStreamFormat(),
              c.plain ? StreamFormat::sfPlainText : StreamFormat::sfRichText);
    CHARRANGE caret{-1, -1};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret.cpMin + caret.cpMax, 0);
    EXPECT_EQ(BoldAtStart(), c.bold);
    EXPECT_EQ(files.DocumentName(), path);
    EXPECT_EQ(host.caption, L"Ombrel Tessary Express >>  [" + path + L"]");
    EXPECT_EQ(host.title, c.name);
    EXPECT_FALSE(files.Modified());
    EXPECT_EQ(host.panel, L"");
    EXPECT_EQ(host.zooms, ++zooms);
  }
}

TEST_F(DocumentFilesTest, SavesEachKindAndReadsTheSameDocumentBack) {
  for (const wchar_t* name : {L"out.rtf", L"OUT.DOC", L"out.rtc", L"out.txt"}) {
    SCOPED_TRACE(Utf8FromWide(name));
    const std::wstring path = Path(name);
    const bool plain = DocumentKindOf(path) == DocumentKind::PlainText;
    files.OpenDocumentFile(sample);
    const std::string rtf = Rtf();
    const std::string text = StreamOutToString(editor, SF_TEXT);
    WriteBytes(path + L".tmp", "stale temporary file");
    Type(L"");

    files.SaveDocumentFile(path);
    EXPECT_EQ(Content(path), plain ? text : rtf);
    if (DocumentKindOf(path) == DocumentKind::CompressedRichText) {
      EXPECT_EQ(ReadWholeFile(path).substr(0, 2), "\x78\x01");
      EXPECT_EQ(Folder(), std::set<std::wstring>{name});  // the temporary file is gone
    }
    EXPECT_EQ(IsPlainTextMode(editor), plain);
    EXPECT_EQ(files.DocumentName(), path);
    EXPECT_EQ(host.title, name);
    EXPECT_FALSE(files.Modified());

    files.OpenDocumentFile(path);
    EXPECT_EQ(plain ? StreamOutToString(editor, SF_TEXT) : Rtf(), plain ? text : rtf);
    fs::remove(path + L".tmp");
    fs::remove(path);
  }
  // The text save left plain mode on: a later Save writes text again.
  files.SaveDocumentFile(Path(L"notes.txt"));
  Type(L"Added line. ");
  EXPECT_TRUE(files.Save());
  EXPECT_TRUE(IsPlainTextMode(editor));
  EXPECT_EQ(ReadWholeFile(Path(L"notes.txt")).rfind("Added line. ", 0), 0u);
  EXPECT_TRUE(host.history.empty());  // the commands record, not the file operations

  // An export keeps the document's name, mode and modified flag.
  host.exports = true;
  Type(L"More. ");
  files.SaveDocumentFile(Path(L"out.pdf"));
  EXPECT_EQ(host.exported, std::vector<std::wstring>{Path(L"out.pdf")});
  EXPECT_EQ(files.DocumentName(), Path(L"notes.txt"));
  EXPECT_EQ(host.title, L"notes.txt");
  EXPECT_TRUE(files.Modified());
}

TEST_F(DocumentFilesTest, DamagedCompressedFilesFailWithoutBeingTouched) {
  std::string longRtf = "{\\rtf1\\ansi ";
  for (int i = 0; i < 3000; ++i) longRtf += "word" + std::to_string(i) + " ";
  const std::string packed = Compress(longRtf + "}");
  std::string badChecksum = packed;
  badChecksum.back() ^= 0x40;
  struct Case {
    const char* name;
    std::string bytes;
    bool fails;
  };
  const Case cases[] = {
      {"uncompressed RTF", kBoldRtf, true},
      {"bad checksum", badChecksum, true},
      {"bad header", "\x78\x02" + packed.substr(2), true},
      {"truncated", packed.substr(0, packed.size() / 2), false},
  };
  const std::wstring path = Path(L"damaged.rtc");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path, c.bytes);
    Type(L"before");
    if (c.fails) {
      EXPECT_EQ(FailureOf([&] { files.OpenDocumentFile(path); }), "Failed to Load Stream");
      EXPECT_EQ(Text(), L"");
      EXPECT_EQ(files.DocumentName(), kUntitledDocument);  // a later Save cannot overwrite it
      EXPECT_EQ(host.caption, L"Ombrel Tessary Express");
      EXPECT_FALSE(files.Modified());
    } else {
      files.OpenDocumentFile(path);
      EXPECT_EQ(Text().rfind(L"word0 word1 word2 ", 0), 0u);
      EXPECT_GT(Text().size(), 1000u);
      EXPECT_LT(Text().size(), 20000u);
    }
    EXPECT_EQ(ReadWholeFile(path), c.bytes);
    EXPECT_EQ(Folder(), std::set<std::wstring>{L"damaged.rtc"});
  }
}

TEST_F(DocumentFilesTest, FailedAndRefusedSavesKeepFilesNameModeAndModifiedFlag) {
  const std::wstring original = Path(L"original.rtf");
  WriteBytes(original, kBoldRtf);
  files.OpenDocumentFile(original);
  Type(L"Changed ");
  const std::string rtf = Rtf();
  for (const wchar_t* name : {L"folder.rtf", L"folder.rtc", L"folder.txt"})
    fs::create_directory(folder / name);
  WriteBytes(folder / L"locked.rtc", "old");
  SetFileAttributesW(Path(L"locked.rtc").c_str(), FILE_ATTRIBUTE_READONLY);
  const std::set<std::wstring> before = Folder();

  const std::pair<const wchar_t*, std::string> cases[] = {
      {L"folder.rtf", "Could not write"},
      {L"folder.rtc", "Could not write"},
      {L"folder.txt", "Could not write"},
      {L"locked.rtc", "Could not write"},
      {L"notes.xyz",
       "Tessary cannot save documents as \".xyz\" files. Choose Rich Text Format, Rich Text "
       "Compressed, Word 97-2003 & 6.0/95 - RTF or Plain Text ANSI."},
      {L"out.pdf", "Export to PDF is not available yet."},
      {L"show.ovx", "Export to presentation files is not available yet."},
  };
  for (const auto& [name, message] : cases) {
    SCOPED_TRACE(Utf8FromWide(name));
    const std::string failure = FailureOf([&] { files.SaveDocumentFile(Path(name)); });
    EXPECT_EQ(failure.substr(0, message.size()), message);
    EXPECT_EQ(Folder(), before);
    EXPECT_EQ(ReadWholeFile(Path(L"locked.rtc")), "old");
    EXPECT_EQ(ReadWholeFile(original), kBoldRtf);
    EXPECT_EQ(files.DocumentName(), original);
    EXPECT_TRUE(files.Modified());
    EXPECT_FALSE(IsPlainTextMode(editor));
    EXPECT_EQ(Rtf(), rtf);
  }

  // The Save command of an untitled document refuses before taking the name.
  ScriptedDialogs dialogs;
  dialogs.Answer(DialogAnswer::No).AnswerFile(Path(L"draft.xyz"));
  files.New();
  Type(L"Draft");
  EXPECT_EQ(FailureOf([&] { files.Save(); }).rfind("Tessary cannot save documents as", 0), 0u);
  EXPECT_EQ(files.DocumentName(), kUntitledDocument);
  EXPECT_TRUE(host.history.empty());
}

// A key typed while a load or save finishes is handled with the pending messages: the document
// it changed is not the one stored, so it stays modified.
TEST_F(DocumentFilesTest, KeysTypedWhileALoadOrSaveFinishesKeepTheDocumentModified) {
  const std::function<void()> steps[] = {
      [&] { files.SaveDocumentFile(Path(L"typed.rtf")); },
      [&] { files.OpenDocumentFile(Path(L"typed.rtf")); },
  };
  for (const auto& step : steps) {
    host.onMessages = [&] { SendMessageW(editor, WM_CHAR, L'x', 0); };
    step();
    EXPECT_TRUE(files.Modified());
    EXPECT_EQ(host.panel, L"Modified");
  }
}

TEST_F(DocumentFilesTest, SaveChangesPromptGoesOnSavesOrAbandonsTheCommand) {
  struct Case {
    const char* name;
    bool named;
    std::optional<DialogAnswer> answer;  // none: not modified, no prompt
    std::optional<std::wstring> saveAs;  // the Save dialog's answer; empty: Cancel
    bool cleared;
    bool saved;
  };
  const std::wstring letter = Path(L"letter.rtf");
  const std::wstring picked = Path(L"picked.rtc");
  const Case cases[] = {
      {"yes saves, then clears", true, DialogAnswer::Yes, std::nullopt, true, true},
      {"no clears unsaved", true, DialogAnswer::No, std::nullopt, true, false},
      {"cancel keeps everything", true, DialogAnswer::Cancel, std::nullopt, false, false},
      {"unmodified clears silently", true, std::nullopt, std::nullopt, true, false},
      {"yes asks for a name", false, DialogAnswer::Yes, picked, true, true},
      {"cancelled save dialog abandons", false, DialogAnswer::Yes, L"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(letter, kBoldRtf);
    fs::remove(picked);
    c.named ? files.OpenDocumentFile(letter) : files.New();
    if (c.answer) Type(L"Typed ");
    const std::wstring name = files.DocumentName();
    const std::wstring text = Text();
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.Answer(*c.answer);
    if (c.saveAs && c.saveAs->empty()) dialogs.Cancel();
    if (c.saveAs && !c.saveAs->empty()) dialogs.AnswerFile(*c.saveAs);
    const int focuses = host.focuses;

    files.New();
    ASSERT_EQ(dialogs.Calls().empty(), !c.answer);
    if (c.answer) {
      const DialogCall& prompt = dialogs.Calls().front();
      EXPECT_EQ(prompt.kind, DialogKind::Confirmation);
      EXPECT_EQ(prompt.buttons, DialogButtons::YesNoCancel);
      EXPECT_EQ(prompt.text, c.named ? L"Save changes to  [letter.rtf] ?"
                                     : L"Save changes to  [Untitled Document] ?");
      EXPECT_GT(host.focuses, focuses);
    }
    EXPECT_EQ(files.DocumentName(), c.cleared ? std::wstring(kUntitledDocument) : name);
    EXPECT_EQ(Text(), c.cleared ? L"" : text);
    EXPECT_EQ(files.Modified(), !c.cleared);
    EXPECT_EQ(host.caption == L"Ombrel Tessary Express", c.cleared || !c.named);
    const std::string saved = Content(c.named ? letter : picked);
    EXPECT_EQ(saved.find("Typed") != std::string::npos, c.saved);
  }
  EXPECT_EQ(host.history, (History{{picked, HistoryKind::Saved}}));
}

TEST_F(DocumentFilesTest, CommandDialogsAndOpenLastActiveDocument) {
  const std::wstring letter = Path(L"letter.rtf");
  WriteBytes(letter, kBoldRtf);
  ScriptedDialogs dialogs;
  dialogs.AnswerFile(letter).Cancel().Cancel();
  files.Open();
  EXPECT_EQ(dialogs.lastFileRequest.title, L"Open Document");
  EXPECT_EQ(dialogs.lastFileRequest.defaultExt, L"rtf");
  EXPECT_EQ(dialogs.lastFileRequest.filter,
            L"Rich Text Format (*.rtf)|*.rtf|Rich Text Compressed (*.rtc)|*.rtc|Word 97-2003 & "
            L"6.0/95 - RTF (*.doc)|*.doc|Plain Text ANSI (*.txt)|*.txt|All Files (*.*)|*.*");
  EXPECT_EQ(files.DocumentName(), letter);
  EXPECT_EQ(host.history, (History{{letter, HistoryKind::Opened}}));

  files.SaveAs();  // cancelled: nothing changes
  EXPECT_EQ(dialogs.Calls().back().kind, DialogKind::SaveFile);
  EXPECT_EQ(dialogs.lastFileRequest.fileName, L"letter");
  EXPECT_EQ(dialogs.lastFileRequest.defaultExt, L"rtf");
  EXPECT_EQ(dialogs.lastFileRequest.filter,
            L"Rich Text Format (*.rtf)|*.rtf|Rich Text Compressed (*.rtc)|*.rtc|Word 97-2003 & "
            L"6.0/95 - RTF (*.doc)|*.doc|Portable Document Format (*.pdf)|*.pdf|Ombrel "
            L"Presentation Format (*.ovx)|*.ovx|Plain Text ANSI (*.txt)|*.txt");
  files.New();
  Type(L"x");
  EXPECT_FALSE(files.Save());  // cancelled
  EXPECT_EQ(dialogs.lastFileRequest.fileName, L"Untitled Document");

  struct Case {
    const char* name;
    std::optional<std::wstring> firstRow;
    bool withText;  // a modified document with text asks first (answered No)
    const wchar_t* information;
  };
  const Case cases[] = {
      {"empty history", std::nullopt, false, L"Document History List is Empty."},
      {"deleted document", Path(L"gone.rtf"), false,
       L"Document does not exist or has been deleted."},
      {"modified but empty document", letter, false, nullptr},
      {"modified document", letter, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files.SetModifiedState(false);
    files.New();
    files.SetModifiedState(true);
    if (c.withText) Type(L"Some text");
    host.firstRow = c.firstRow;
    dialogs.ClearCalls();
    if (c.withText) dialogs.Answer(DialogAnswer::No);
    if (c.information) dialogs.Answer(DialogAnswer::Ok);
    files.OpenLastActiveDocument();
    std::vector<std::wstring> asked;
    for (const DialogCall& call : dialogs.Calls()) asked.push_back(call.text);
    std::vector<std::wstring> expected;
    if (c.withText) expected.push_back(L"Save current document?");
    if (c.information) expected.push_back(c.information);
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(files.DocumentName(), c.information ? std::wstring(kUntitledDocument) : letter);
  }
  EXPECT_EQ(host.history.size(), 1u);  // opening the last document does not reorder
}

}  // namespace
