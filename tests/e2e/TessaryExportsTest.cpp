// Tessary's exports from outside: a three-page document saved as ".pdf" and as ".ovx" through
// the real Save dialog (and, for the presentation, its options window), the files read back by
// qpdf, pdfinfo and ImageMagick; the document keeps its name, caption and modified state.
#include <windows.h>

#include <fstream>

#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"
#include "tests/e2e/TessaryRun.h"
#include "tests/writer/export/ExternalReaders.h"

namespace fs = std::filesystem;
using namespace export_tests;

namespace {

// Three pages, each starting with a page break, in a few sizes and colours.
std::string ThreePageRtf() {
  std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}{\\colortbl;\\red200\\green0"
      "\\blue0;\\red0\\green90\\blue160;}";
  for (int page = 1; page <= 3; ++page) {
    rtf += std::string(page > 1 ? "\\pard\\pagebb" : "\\pard") + "\\f0\\fs40\\b Page " +
           std::to_string(page) + "\\b0\\par ";
    for (int line = 0; line < 12; ++line)
      rtf += "\\pard\\f" + std::to_string(line % 2) + "\\fs24\\cf" + std::to_string(line % 3) +
             " Line " + std::to_string(line + 1) + " of page " + std::to_string(page) +
             ": the quick brown fox jumps over the lazy dog.\\par ";
  }
  return rtf + "}";
}

}  // namespace

TEST(TessaryExports, SavingAsPdfAndPresentationWritesTheFilesAndKeepsTheDocument) {
  TessaryRun t;
  t.Attach(kCaption);
  // The documents live where the machine's readers can name them.
  ScratchFolder folder;
  const fs::path sample = folder.Local("sample.rtf").make_preferred();
  std::ofstream(sample, std::ios::binary) << ThreePageRtf();
  t.Command(writer::cmdOpen);
  t.run.ChooseFile(L"Open Document", sample, L"Open");
  t.WaitForCaption(CaptionFor(sample));
  t.Type(L"New ");
  ASSERT_TRUE(WaitUntil([&] { return t.Text().starts_with(L"New Page 1"); }));
  EXPECT_TRUE(t.ShowsModified());
  const std::wstring text = t.Text();

  struct Case {
    const char* name;
    const wchar_t* message;
  };
  const Case cases[] = {
      {"sample.pdf", L"Document succesfully exported to PDF format."},
      {"sample.ovx", L"Document Succesfully Exported to Ombrel Presentation File Format."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path target = folder.Local(c.name).make_preferred();
    t.Command(writer::cmdSaveAs);
    t.run.ChooseFile(L"Save As", target, L"Save");
    if (fs::path(c.name).extension() == ".ovx") {
      const HWND options = t.run.WaitForWindow(L"Presentation Options");
      ClickButton(options, L"Save");
    }
    const MessageBoxSeen box = t.run.WaitForMessageBox(std::chrono::seconds(60));
    EXPECT_EQ(box.text, c.message);
    t.run.Answer(box, L"OK");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    EXPECT_EQ(t.Caption(), CaptionFor(sample));
    EXPECT_TRUE(t.ShowsModified()) << "an export stores no document";
    EXPECT_EQ(t.Text(), text);
  }

  const CommandResult check = RunUnix("qpdf --check " + folder.Unix("sample.pdf"));
  EXPECT_EQ(check.status, 0) << check.output;
  auto info = PdfInfo(folder, "sample.pdf");
  EXPECT_EQ(info["Pages"], "3");
  EXPECT_TRUE(info["Page size"].starts_with("596 x 842 pts")) << info["Page size"];
  EXPECT_EQ(info["Title"], "sample.pdf");
  const CommandResult frames =
      RunUnix("identify -format '%wx%h %T\\n' " + folder.Unix("sample.ovx"));
  EXPECT_EQ(frames.output, "693x950 1500\n693x950 1500\n693x950 1500\n");

  // Pictures to look at: page 1 as poppler renders it, frame 2 as ImageMagick extracts it.
  // (a Unix folder named by TESSARY_EXPORT_PICTURES).
  if (const char* keep = std::getenv("TESSARY_EXPORT_PICTURES")) {
    const std::string into = std::string("'") + keep;
    RunUnix("pdftoppm -f 1 -l 1 -r 96 -png -singlefile " + folder.Unix("sample.pdf") + " " + into +
            "/pdf-page1'");
    RunUnix("convert " + folder.Unix("sample.ovx") + "'[1]' " + into + "/presentation-frame2.png'");
  }

  PostMessageW(t.main, WM_CLOSE, 0, 0);
  const MessageBoxSeen prompt = t.run.WaitForMessageBox();
  EXPECT_EQ(prompt.text, L"Save changes to  [sample.rtf] ?") << "still modified";
  t.run.Answer(prompt, L"No");
  EXPECT_EQ(t.run.WaitForExit(), 0u);
}
