// Document names: kinds by extension, the caption, Save As's suggestion, the save-changes
// question and the names that cannot be saved.
#include <gtest/gtest.h>

#include "writer/DocumentNames.h"

namespace {

TEST(DocumentNames, KindsCaptionsSuggestionsAndRefusals) {
  struct Case {
    const wchar_t* path;
    DocumentKind kind;
    const wchar_t* suggested;
    bool savable;
  };
  const Case cases[] = {
      {L"C:\\docs\\letter.rtf", DocumentKind::RichText, L"letter", true},
      {L"C:\\docs\\LETTER.RTF", DocumentKind::RichText, L"LETTER", true},
      {L"C:\\docs\\report.Doc", DocumentKind::RichText, L"report", true},
      {L"C:\\docs\\packed.rtc", DocumentKind::CompressedRichText, L"packed", true},
      {L"C:\\docs\\notes.TXT", DocumentKind::PlainText, L"notes", true},
      {L"C:\\docs\\out.pdf", DocumentKind::Pdf, L"out", true},
      {L"C:\\docs\\show.ovx", DocumentKind::Presentation, L"show", true},
      {L"C:\\docs\\notes.md", DocumentKind::Unknown, L"notes", false},
      {L"C:\\my.docs\\readme", DocumentKind::Unknown, L"readme", false},
      {L"Z:/home/u/a.b.txt", DocumentKind::PlainText, L"a.b", true},
      {L"C:\\docs\\letter.rtf.bak", DocumentKind::Unknown, L"letter.rtf", false},
      {L"Untitled Document", DocumentKind::Unknown, L"Untitled Document", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(DocumentKindOf(c.path), c.kind);
    EXPECT_EQ(SuggestedSaveName(c.path), c.suggested);
    EXPECT_EQ(UnsavableNameReason(c.path).empty(), c.savable);
  }
  EXPECT_EQ(DocumentCaption(L"C:\\docs\\letter.rtf"),
            L"Ombrel Tessary Express >>  [C:\\docs\\letter.rtf]");
  EXPECT_EQ(SaveChangesPrompt(L"C:\\docs\\letter.rtf"), L"Save changes to  [letter.rtf] ?");
  EXPECT_EQ(SaveChangesPrompt(kUntitledDocument), L"Save changes to  [Untitled Document] ?");
  EXPECT_EQ(UnsavableNameReason(L"C:\\a\\notes.md"),
            "Tessary cannot save documents as \".md\" files. Choose Rich Text Format, Rich Text "
            "Compressed, Word 97-2003 & 6.0/95 - RTF or Plain Text ANSI.");
  EXPECT_EQ(UnsavableNameReason(L"C:\\a\\readme")
                .rfind("Tessary cannot save documents as files without an extension.", 0),
            0u);
}

}  // namespace
