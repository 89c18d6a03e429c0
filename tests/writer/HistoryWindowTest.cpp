// The document history window in the real main window: the file read at start and written at
// the end, the rows and how they are drawn, the type filters, search, open, remove and clear,
// the names the Open and Save commands record, Open Last Active Document, and screenshots.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/DibSurface.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/HistoryPictures.h"
#include "writer/Main.h"

using namespace writer;
namespace fs = std::filesystem;

namespace {

using Paths = std::vector<std::wstring>;

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A program folder of the test's own, with documents that exist.
class HistoryWindow : public testing::Test {
 protected:
  HistoryWindow()
      : folder(fs::temp_directory_path() / (L"history-" + std::to_wstring(GetCurrentProcessId()) +
                                            L"-" + std::to_wstring(GetTickCount64()))) {
    fs::create_directories(folder);
  }
  ~HistoryWindow() override {
    form.reset();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  fs::path Document(const std::wstring& name, const std::string& text = "{\\rtf1 text\\par}") {
    const fs::path path = folder / name;
    WriteBytes(path, text);
    return path;
  }
  fs::path HistoryFile() const { return folder / L"WrdFileList.dat"; }
  void WriteHistory(const Paths& paths) {
    std::string bytes;
    for (const std::wstring& p : paths) bytes += BytesFromWide(p) + "\r\n";
    WriteBytes(HistoryFile(), bytes);
  }

  void Start() {
    form = std::make_unique<TFrmMain>();
    form->SetDataFolder(folder.wstring() + L"\\");
    form->Create();
    form->Show();
    Pump();
  }
  // The end of the program: the windows are destroyed and write their files.
  void End() {
    form->History().Destroy();
    form->Destroy();
    form.reset();
  }
  static void Pump() { Application::Get().ProcessMessages(); }

  THistoryForm& History() { return form->History(); }
  HistoryListBox& List() { return form->History().ListBox1; }
  Paths Rows() {
    Paths rows;
    for (int i = 0; i < List().Count(); ++i) rows.push_back(List().ItemText(i));
    return rows;
  }
  // Shows the window modally and runs the steps inside it (the user), then closes it unless
  // a step did.
  void WithWindowOpen(std::function<void(THistoryForm&)> steps) {
    ModalScript modal;
    modal.Then<THistoryForm>([steps](THistoryForm& h) {
      steps(h);
      if (h.IsModal() && h.ModalResult() == mrNone) h.btnCloseClick();
    });
    form->RunCommand(cmdHistory);
  }
  std::wstring Path(const fs::path& p) const { return p.wstring(); }

  fs::path folder;
  ScriptedDialogs dialogs;
  std::unique_ptr<TFrmMain> form;
};

// A window that shows a picture, for a screenshot of the pictures themselves.
class PictureSheet : public Form {
 public:
  explicit PictureSheet(const controls::TPixelBuffer& sheet)
      : surface_(sheet.Width(), sheet.Height()) {
    controls::CopyPixels(surface_.Pixels(), 0, 0, sheet.View(), sheet.View().Bounds());
    Create(FormStyle::Borderless(L"pictures", sheet.Width(), sheet.Height()));
    Show();
  }

 protected:
  void FormPaint(HDC dc) override { surface_.CopyTo(dc); }

 private:
  controls::TDibSurface surface_;
};

}  // namespace

TEST_F(HistoryWindow, TheFileIsReadAtStartAndWrittenWholeAtTheEnd) {
  WriteBytes(HistoryFile(), "C:\\a.rtf\rC:\\b.txt\nC:\\c.rtc\r\n\r\nC:\\d.doc");
  Start();
  const Paths loaded = {L"C:\\a.rtf", L"C:\\b.txt", L"C:\\c.rtc", L"", L"C:\\d.doc"};
  EXPECT_EQ(History().History().Entries(), loaded);
  EXPECT_TRUE(History().FirstShow());
  EXPECT_TRUE(dialogs.Calls().empty());

  // With a filter in effect the file still receives the whole master list.
  WithWindowOpen([](THistoryForm& h) { h.FilterClick(HistoryFilter::PlainText); });
  EXPECT_EQ(History().History().Rows(), Paths{L"C:\\b.txt"});
  form->RecordInHistory(L"C:\\new.rtf", HistoryKind::Saved);
  End();
  EXPECT_EQ(ReadBytes(HistoryFile()),
            "C:\\new.rtf\r\nC:\\a.rtf\r\nC:\\b.txt\r\nC:\\c.rtc\r\n\r\nC:\\d.doc\r\n");
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_TRUE(entry.path().extension() == L".ini" || entry.path().extension() == L".dat")
        << "no temporary file is left: " << entry.path().string();
}

TEST_F(HistoryWindow, AMissingOrDamagedFileStartsEmptyWithTheMessage) {
  std::mt19937 random(5);
  std::string noise(20000, '\0');
  for (char& b : noise) b = static_cast<char>(random());
  const std::string big = "C:\\a.rtf\r\n" + std::string(1 << 20, 'x') + "\r\nC:\\b.rtf\r\n";
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nothing: no file
    bool message;
    Paths entries;
  };
  const Case cases[] = {
      {"first run", std::nullopt, true, {}},
      {"random bytes", noise, true, {}},
      {"a line of a megabyte", big, false, {L"C:\\a.rtf", L"C:\\b.rtf"}},
      {"an empty file", std::string(), false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(HistoryFile());
    if (c.bytes) WriteBytes(HistoryFile(), *c.bytes);
    dialogs.ClearCalls();
    if (c.message) dialogs.Answer(DialogAnswer::Ok);
    Start();
    if (c.message) {
      ASSERT_EQ(dialogs.Calls().size(), 1u);
      EXPECT_EQ(dialogs.Last().kind, DialogKind::Message);
      EXPECT_EQ(dialogs.Last().text, L"File not Found!");
    } else {
      EXPECT_TRUE(dialogs.Calls().empty());
    }
    EXPECT_EQ(History().History().Entries(), c.entries);
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << "the program goes on";
    End();
  }
}

TEST_F(HistoryWindow, PathsInAnotherCodePageComeBackByteForByte) {
  std::string bytes;
  for (int b = 0x20; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  bytes = "C:\\" + bytes +
          ".rtf\r\nC:\\\xC3\x9C"
          "bersicht.rtf\r\n";
  WriteBytes(HistoryFile(), bytes);
  Start();
  EXPECT_EQ(History().History().Entries().size(), 2u);
  End();
  EXPECT_EQ(ReadBytes(HistoryFile()), bytes);
}

TEST_F(HistoryWindow, AFailedWriteKeepsTheOldFileAndSaysNothing) {
  WriteHistory({L"C:\\old.rtf"});
  Start();
  form->RecordInHistory(L"C:\\new.rtf", HistoryKind::Opened);
  SetFileAttributesW(HistoryFile().c_str(), FILE_ATTRIBUTE_READONLY);
  End();
  SetFileAttributesW(HistoryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(HistoryFile()), "C:\\old.rtf\r\n");
  EXPECT_TRUE(dialogs.Calls().empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
      << "the list and the settings, no temporary file";
}

TEST_F(HistoryWindow, TheWindowItsRowsAndItsFilters) {
  const fs::path letter = Document(L"letter.rtf");
  WriteHistory({Path(letter), L"C:\\notes.txt", L"C:\\page.html", L"C:\\A.RTF", L"C:\\src\\x.cpp"});
  Start();
  WithWindowOpen([&](THistoryForm& h) {
    const RECT client = h.ClientRect();
    EXPECT_EQ(client.right, 777);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(h.Caption(), L"Document History");
    EXPECT_EQ(SendMessageW(List().Handle(), LB_GETITEMHEIGHT, 0, 0), 35);
    EXPECT_EQ(GetFocus(), List().Handle());
    EXPECT_EQ(List().SelectedRows(), std::vector<std::size_t>{0});
    EXPECT_FALSE(h.FirstShow());
    const wchar_t* hints[] = {L"All Documents", L"Rich Text Format", L"Rich Text Compressed",
                              L"MS Word Doc",   L"Plain Text ANSI",  L"Other Document Types"};
    for (int i = 0; i < kHistoryFilterCount; ++i) EXPECT_EQ(h.imgFilters[i].Hint(), hints[i]);
    for (const wchar_t* caption :
         {L"Clear List", L"Remove From List", L"Search", L"Open", L"Close"})
      EXPECT_TRUE(FindWindowExW(h.Handle(), nullptr, nullptr, caption)) << Narrow(caption);

    struct Click {
      int picture;
      Paths rows;
    };
    const Click clicks[] = {
        {1, {Path(letter)}},       // not C:\A.RTF
        {5, {L"C:\\src\\x.cpp"}},  // not C:\page.html
        {3, {}},
        {0, {Path(letter), L"C:\\notes.txt", L"C:\\page.html", L"C:\\A.RTF", L"C:\\src\\x.cpp"}},
        {4, {L"C:\\notes.txt"}},
    };
    for (const Click& c : clicks) {
      SCOPED_TRACE(c.picture);
      h.imgFilters[c.picture].Click();
      EXPECT_EQ(Rows(), c.rows);
      EXPECT_TRUE(h.imgFilters[c.picture].Styled().Down());
      EXPECT_EQ(List().SelectedRows(),
                c.rows.empty() ? std::vector<std::size_t>{} : std::vector<std::size_t>{0});
    }
  });
  // The filter stays when the window is shown again, and decides the last active document.
  WithWindowOpen([&](THistoryForm&) { EXPECT_EQ(Rows(), Paths{L"C:\\notes.txt"}); });
  EXPECT_EQ(form->FirstHistoryRow(), L"C:\\notes.txt");
}

TEST_F(HistoryWindow, RowsAreDrawnWithTheirPictureAndTheWarmHighlight) {
  WriteHistory(
      {L"C:\\Docs\\a rather long folder name\\and another one\\letter.rtf", L"C:\\notes.txt"});
  Start();
  WithWindowOpen([&](THistoryForm&) {
    RECT row{};
    SendMessageW(List().Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    ASSERT_EQ(row.bottom - row.top, 35);
    UpdateWindow(List().Handle());
    HDC dc = GetDC(List().Handle());
    const auto pixel = [&](int x, int y) { return GetPixel(dc, row.left + x, row.top + y); };
    // Row 0 is selected: the gradient's first colour under the text, its last at the foot.
    EXPECT_EQ(pixel(300, 3), RGB(255, 245, 221));
    EXPECT_EQ(pixel(300, 33), RGB(255, 212, 102)) << "15/16 of the second section";
    EXPECT_EQ(pixel(300, 34), RGB(197, 197, 197)) << "outline";
    EXPECT_EQ(pixel(row.right - row.left - 1, 17), RGB(197, 197, 197)) << "outline";
    // Row 1 is white with a picture at (2, 1) and black text from x = 40.
    RECT second{};
    SendMessageW(List().Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    int picture = 0, text = 0, left = 1000;
    for (int y = second.top; y < second.bottom; ++y)
      for (int x = 0; x < 300; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        if (c == RGB(255, 255, 255)) continue;
        if (x < 2 || x >= 34 || y < second.top + 1 || y >= second.top + 33) {
          ++text;
          left = std::min(left, x);
        } else {
          ++picture;
        }
      }
    ReleaseDC(List().Handle(), dc);
    EXPECT_GT(picture, 100);
    EXPECT_GT(text, 50);
    EXPECT_GE(left, 39);
    EXPECT_LT(left, 44);
  });
}

TEST_F(HistoryWindow, OpenTakesExactlyOneExistingRow) {
  const fs::path a = Document(L"a.rtf", "{\\rtf1 Alpha\\par}");
  const fs::path b = Document(L"b.txt", "Beta");
  const std::wstring gone = Path(folder / L"gone.rtf");
  WriteHistory({Path(a), gone, Path(b)});
  Start();
  for (int i = 0; i < 4; ++i) dialogs.Answer(DialogAnswer::Ok);
  WithWindowOpen([&](THistoryForm& h) {
    // Two rows, then none.
    List().SetSelected(1, true);
    h.btnOpenClick();
    List().DeselectAll();
    h.btnOpenClick();
    // A document that is gone: the window stays open.
    List().SetSelected(1, true);
    h.btnOpenClick();
    EXPECT_TRUE(h.IsModal());
    EXPECT_EQ(h.ModalResult(), mrNone);
    // Clicking its row says so too.
    List().SetFocusedRow(1);
    h.ListBox1Click();
    List().DeselectAll();
    List().SetSelected(2, true);
    h.btnOpenClick();
    EXPECT_EQ(h.ModalResult(), mrOk);
  });
  ASSERT_EQ(dialogs.Calls().size(), 4u);
  EXPECT_EQ(dialogs.Calls()[0].text, L"Please select only one document to open.");
  EXPECT_EQ(dialogs.Calls()[1].text, L"Please select only one document to open.");
  EXPECT_EQ(dialogs.Calls()[2].text, L"Document does not exist or has been moved.");
  EXPECT_EQ(dialogs.Calls()[3].text,
            L"Document does not exist or has been moved.\r\n\r\n"
            L"Please remove this listing from document history.");
  EXPECT_EQ(dialogs.Calls()[3].kind, DialogKind::Information);
  EXPECT_EQ(form->Documents().DocumentName(), Path(b));
  EXPECT_EQ(form->Editor.Text(), L"Beta");
  EXPECT_EQ(History().History().Rows(), (Paths{Path(b), Path(a), gone}));
  EXPECT_EQ(History().History().Entries(), (Paths{Path(b), Path(a), gone}));
  EXPECT_FALSE(History().Visible());
  EXPECT_EQ(History().History().Entries().size(), 3u) << "a missing document stays listed";
}

TEST_F(HistoryWindow, OpenAsksAboutChangesAndEnterNeedsAFocusedRow) {
  const fs::path a = Document(L"a.rtf", "{\\rtf1 Alpha\\par}");
  WriteHistory({Path(a)});
  Start();
  form->Editor.Select(0, 0);
  SendMessageW(form->Editor.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"draft"));
  ASSERT_TRUE(form->Documents().Modified());
  dialogs.Answer(DialogAnswer::Cancel);
  WithWindowOpen([&](THistoryForm& h) {
    h.btnOpenClick();
    EXPECT_EQ(h.ModalResult(), mrNone) << "Cancel abandons the Open";
  });
  EXPECT_EQ(dialogs.Last().text, L"Save changes to  [Untitled Document] ?");
  EXPECT_EQ(form->Editor.Text(), L"draft");

  dialogs.Answer(DialogAnswer::No);
  WithWindowOpen([&](THistoryForm& h) {
    PostMessageW(List().Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(h.ModalResult(), mrOk) << "Enter on the focused row opens it";
  });
  EXPECT_EQ(form->Editor.Text(), L"Alpha");

  dialogs.ClearCalls();
  dialogs.Answer(DialogAnswer::Yes).Answer(DialogAnswer::Ok);
  WithWindowOpen([&](THistoryForm& h) {
    h.btnClearClick();
    h.ListBox1Enter();
  });
  ASSERT_EQ(dialogs.Calls().size(), 2u);
  EXPECT_EQ(dialogs.Last().text, L"Please make a selection first.");
}

TEST_F(HistoryWindow, SearchFocusesTheFirstMatchingFileName) {
  WriteHistory({L"C:\\letter\\notes.txt", L"C:\\Docs\\plan.rtf", L"C:\\Docs\\letter.rtf",
                L"C:\\Docs\\letters.rtf"});
  Start();
  dialogs.AnswerText(L"LETTER")
      .AnswerText(L"")
      .Answer(DialogAnswer::Ok)
      .Cancel()
      .AnswerText(L"nothing like it");
  WithWindowOpen([&](THistoryForm& h) {
    List().SetSelected(1, true);  // rows 0 and 1 selected, row 0 focused
    List().SetFocusedRow(0);
    h.btnSearchClick();
    EXPECT_EQ(List().FocusedRow(), 2u);
    EXPECT_EQ(List().SelectedRows(), (std::vector<std::size_t>{1, 2}))
        << "the focused row is deselected, the others stay";
    EXPECT_EQ(GetFocus(), List().Handle());
    h.btnSearchClick();  // empty
    h.btnSearchClick();  // cancelled
    h.btnSearchClick();  // no match: nothing said
    EXPECT_EQ(List().FocusedRow(), 2u);
  });
  ASSERT_EQ(dialogs.Calls().size(), 5u);
  EXPECT_EQ(dialogs.Calls()[0].kind, DialogKind::Input);
  EXPECT_EQ(dialogs.Calls()[0].caption, L"Search for a Document");
  EXPECT_EQ(dialogs.Calls()[0].text, L"Enter a document name to search for:");
  EXPECT_EQ(dialogs.Calls()[2].text, L"Please enter a valid document name to search for.");
}

TEST_F(HistoryWindow, RemoveTakesTheFirstOccurrencesAndClearEmptiesBoth) {
  WriteHistory({L"C:\\a.rtf", L"C:\\b.txt", L"C:\\a.rtf", L"C:\\c.txt", L"C:\\d.txt"});
  Start();
  dialogs.Answer(DialogAnswer::No)
      .Answer(DialogAnswer::Yes)
      .Answer(DialogAnswer::No)
      .Answer(DialogAnswer::Yes);
  WithWindowOpen([&](THistoryForm& h) {
    List().DeselectAll();
    List().SetSelected(2, true);
    List().SetSelected(4, true);
    h.btnRemoveClick();  // No
    EXPECT_EQ(Rows().size(), 5u);
    h.btnRemoveClick();  // Yes
    EXPECT_EQ(Rows(), (Paths{L"C:\\a.rtf", L"C:\\b.txt", L"C:\\c.txt"}));
    EXPECT_EQ(h.History().Entries(), (Paths{L"C:\\b.txt", L"C:\\a.rtf", L"C:\\c.txt"}));
    ASSERT_TRUE(List().FocusedRow());
    EXPECT_TRUE(List().IsSelected(*List().FocusedRow())) << "the focused row is selected again";
    h.btnClearClick();  // No
    EXPECT_EQ(Rows().size(), 3u);
    h.btnClearClick();  // Yes
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(h.History().Entries().empty());
  });
  EXPECT_EQ(dialogs.Calls()[0].text, L"Remove Selected Document(s)?");
  EXPECT_EQ(dialogs.Calls()[0].buttons, DialogButtons::YesNo);
  EXPECT_EQ(dialogs.Calls()[2].text, L"Clear All of List?");
  dialogs.Answer(DialogAnswer::Ok);
  form->RunCommand(cmdLastDocument);
  EXPECT_EQ(dialogs.Last().text, L"Document History List is Empty.");
}

TEST_F(HistoryWindow, TheFileCommandsRecordAndTheLastDocumentOpens) {
  const fs::path a = Document(L"a.rtf", "{\\rtf1 Alpha\\par}");
  const fs::path b = Document(L"b.txt", "Beta");
  WriteHistory({Path(b)});
  Start();
  dialogs.AnswerFile(Path(a)).AnswerFile(Path(a));
  form->RunCommand(cmdOpen);
  form->RunCommand(cmdOpen);
  EXPECT_EQ(History().History().Entries(), (Paths{Path(a), Path(b)})) << "one entry, at the top";

  const fs::path pdf = folder / L"a.pdf", copy = folder / L"copy.rtc";
  dialogs.AnswerFile(Path(pdf)).Answer(DialogAnswer::Ok);  // the export's report
  dialogs.AnswerFile(Path(copy)).AnswerFile(Path(b));
  form->RunCommand(cmdSaveAs);
  EXPECT_TRUE(fs::exists(pdf));
  form->RunCommand(cmdSaveAs);
  form->RunCommand(cmdSaveAs);  // an existing entry's name: it keeps its place
  EXPECT_EQ(History().History().Entries(), (Paths{Path(copy), Path(a), Path(b)}))
      << "an export is never recorded";

  // The last document is the first shown row, opened without reordering.
  form->RunCommand(cmdNew);
  form->RunCommand(cmdLastDocument);
  EXPECT_EQ(form->Documents().DocumentName(), Path(copy));
  EXPECT_EQ(History().History().Entries(), (Paths{Path(copy), Path(a), Path(b)}));
  // A missing one is reported and stays listed.
  fs::remove(copy);
  dialogs.Answer(DialogAnswer::Ok);
  form->RunCommand(cmdNew);
  form->RunCommand(cmdLastDocument);
  EXPECT_EQ(dialogs.Last().text, L"Document does not exist or has been deleted.");
  EXPECT_EQ(History().History().Entries().front(), Path(copy));
}

TEST_F(HistoryWindow, HistoryButtonAndCtrlHAreEnabled) {
  WriteHistory({});
  Start();
  EXPECT_TRUE(form->CommandEnabled(cmdHistory));
  EXPECT_TRUE(SendMessageW(form->ToolBar1.Handle(), TB_ISBUTTONENABLED, cmdHistory, 0));
  ModalScript modal;
  modal.Then<THistoryForm>([](THistoryForm& h) { h.btnCloseClick(); });
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG msg{form->Editor.Handle(), WM_KEYDOWN, 'H', 0, 0, {}};
  EXPECT_TRUE(form->PreTranslateMessage(msg));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(modal.Shown(), 1u);
}

std::vector<controls::TColor> PixelsOf(const controls::TPixelBuffer& picture) {
  std::vector<controls::TColor> pixels;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) pixels.push_back(picture.Pixel(x, y));
  return pixels;
}

constexpr HistoryPicture kFilterPictures[] = {
    HistoryPicture::OtherFile,    HistoryPicture::RichText,  HistoryPicture::CompressedRichText,
    HistoryPicture::WordDocument, HistoryPicture::PlainText, HistoryPicture::OtherFile};

TEST(HistoryPictures, EachKindHasAPictureOfItsOwnSharpAtBothSizes) {
  // Drawn over black and over white, a pixel's difference is how much background shows.
  const auto coverage = [](const controls::TPixelBuffer& dark, const controls::TPixelBuffer& light,
                           int x, int y) {
    return 255 - (controls::GreenOf(light.Pixel(x, y)) - controls::GreenOf(dark.Pixel(x, y)));
  };
  std::set<std::vector<controls::TColor>> seen;
  const auto check = [&](const std::function<controls::TPixelBuffer(int, controls::TColor)>& draw,
                         const std::string& name) {
    for (int size : {32, 48}) {
      SCOPED_TRACE(name + " at " + std::to_string(size));
      const controls::TPixelBuffer dark = draw(size, controls::kBlack);
      const controls::TPixelBuffer light = draw(size, controls::kWhite);
      ASSERT_EQ(light.Width(), size);
      int solid = 0, soft = 0, clear = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          const int c = coverage(dark, light, x, y);
          (c >= 250 ? solid : c <= 5 ? clear : soft)++;
        }
      EXPECT_GT(solid, size * size / 4) << "draws something";
      EXPECT_GT(clear, size * size / 8) << "leaves some background";
      // Edges on the pixel grid: few pixels are only partly covered.
      EXPECT_LT(soft * 4, solid) << soft << " soft pixels, " << solid << " solid";
      EXPECT_TRUE(seen.insert(PixelsOf(light)).second) << "looks like another picture";
    }
  };
  for (int i : {0, 1, 2, 3, 4, 6})
    check(
        [i](int size, controls::TColor ground) {
          return DrawHistoryPicture(static_cast<HistoryPicture>(i), size, ground);
        },
        "row picture " + std::to_string(i));
  // The other filters show the picture of their kind.
  check(
      [](int size, controls::TColor ground) {
        return DrawHistoryFilter(HistoryFilter::AllDocuments, size, ground);
      },
      "all documents");
  for (int f = 1; f < kHistoryFilterCount; ++f)
    EXPECT_EQ(PixelsOf(DrawHistoryFilter(static_cast<HistoryFilter>(f), 48, controls::kWhite)),
              PixelsOf(DrawHistoryPicture(kFilterPictures[f], 48, controls::kWhite)));
}

TEST(HistoryPictures, RowPicturesBlendIntoAnyBackgroundAsIfDrawnThere) {
  const HistoryRowPictures pictures;
  for (controls::TColor ground :
       {controls::RGBColor(255, 245, 221), controls::RGBColor(255, 210, 94), controls::kWhite}) {
    for (int i : {0, 1, 2, 3, 4, 6}) {
      const auto picture = static_cast<HistoryPicture>(i);
      const controls::TPixelBuffer expected = DrawHistoryPicture(picture, 32, ground);
      controls::TPixelBuffer row(60, 35, ground);
      pictures.Blend(row.View(), 2, 1, picture);
      int worst = 0;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const controls::TColor a = expected.Pixel(x, y), b = row.Pixel(x + 2, y + 1);
          worst = std::max({worst, std::abs(controls::RedOf(a) - controls::RedOf(b)),
                            std::abs(controls::GreenOf(a) - controls::GreenOf(b)),
                            std::abs(controls::BlueOf(a) - controls::BlueOf(b))});
        }
      EXPECT_LE(worst, 2) << "picture " << i;
      EXPECT_EQ(row.Pixel(1, 0), ground) << "nothing outside its square";
      EXPECT_EQ(row.Pixel(34, 33), ground);
    }
  }
}

TEST_F(HistoryWindow, Screenshots) {
  std::vector<std::wstring> paths;
  const wchar_t* names[] = {
      L"C:\\Users\\Ada\\Documents\\Letters\\letter to the harbour office.rtf",
      L"C:\\Users\\Ada\\Documents\\Reports\\quarterly figures.rtc",
      L"C:\\Users\\Ada\\Documents\\Notes\\shopping list.txt",
      L"C:\\Users\\Ada\\Documents\\Letters\\letter of thanks.doc",
      L"C:\\Users\\Ada\\Documents\\Web\\index.html",
      L"C:\\Users\\Ada\\Source\\report\\main.cpp",
      L"D:\\Archive\\2019\\Minutes of the annual general meeting of the rowing club, "
      L"final version as approved.rtf",
      L"C:\\Users\\Ada\\Documents\\Notes\\letterbox measurements.txt",
      L"C:\\Users\\Ada\\Documents\\Reports\\annual report.rtf",
      L"C:\\Users\\Ada\\Documents\\Web\\feed.xml",
      L"C:\\Users\\Ada\\Documents\\Notes\\phone numbers.txt",
      L"C:\\Users\\Ada\\Documents\\Reports\\budget.rtc",
  };
  for (const wchar_t* n : names) paths.push_back(n);
  WriteHistory(paths);
  Start();
  dialogs.AnswerText(L"letter");
  WithWindowOpen([&](THistoryForm& h) {
    Pump();
    SaveWindowScreenshot(h.Handle(), L"tessary-history-all");
    h.imgFilters[static_cast<int>(HistoryFilter::RichTextFormat)].Click();
    Pump();
    SaveWindowScreenshot(h.Handle(), L"tessary-history-filter-rtf");
    // Plain text, then a search: the second of its rows.
    h.imgFilters[static_cast<int>(HistoryFilter::PlainText)].Click();
    h.btnSearchClick();
    EXPECT_EQ(List().SelectedRows(), std::vector<std::size_t>{1});
    Pump();
    SaveWindowScreenshot(h.Handle(), L"tessary-history-filter-txt-search-letter");
    h.imgFilters[static_cast<int>(HistoryFilter::AllDocuments)].Click();
  });

  // The pictures at both sizes, side by side, on white and on the selected row's colour.
  controls::TPixelBuffer sheet(8 * 56, 3 * 56, controls::kWhite);
  for (int i = 0; i < 7; ++i) {
    if (i == 5) continue;
    const auto p = static_cast<HistoryPicture>(i);
    controls::CopyPixels(sheet.View(), i * 56 + 4, 4,
                         DrawHistoryPicture(p, 32, controls::kWhite).View(), {0, 0, 32, 32});
    controls::CopyPixels(sheet.View(), i * 56 + 4, 60,
                         DrawHistoryPicture(p, 48, controls::RGBColor(255, 230, 160)).View(),
                         {0, 0, 48, 48});
  }
  for (int f = 0; f < kHistoryFilterCount; ++f)
    controls::CopyPixels(
        sheet.View(), f * 56 + 4, 116,
        DrawHistoryFilter(static_cast<HistoryFilter>(f), 48, controls::RGBColor(226, 231, 239))
            .View(),
        {0, 0, 48, 48});
  PictureSheet shown(sheet);
  SaveWindowScreenshot(shown.Handle(), L"tessary-history-pictures");
}
