// The exports on our rich-edit control: the pages the control lays out become the pages of the
// PDF and the frames of the presentation, read back by qpdf, pdfinfo, pdftoppm and ImageMagick
// and compared with the page pictures themselves; the options window's choices; failures that
// leave an existing file alone.
#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "richedit/RichEditWindow.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/writer/export/ExternalReaders.h"
#include "writer/CompressedRichText.h"
#include "writer/EditorStreams.h"
#include "writer/export/DocumentExports.h"
#include "writer/export/ExportProgress.h"
#include "writer/export/PageRendering.h"
#include "writer/export/PresentationOptions.h"

namespace fs = std::filesystem;
using namespace writer;
using namespace export_tests;

namespace {

// Pages that each start with a page break: page k holds k lines, in colours.
std::string PagesRtf(int pages) {
  std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;\\red0\\green90"
      "\\blue160;}\\f0\\fs28 ";
  for (int k = 1; k <= pages; ++k) {
    for (int line = 0; line < k; ++line)
      rtf += std::string(k > 1 && line == 0 ? "\\pard\\pagebb" : "\\pard") + "\\cf" +
             std::to_string(line % 3) + " Page " + std::to_string(k) + ", line " +
             std::to_string(line + 1) + " of the sample\\par ";
  }
  return rtf + "}";
}

long DarkPixels(const RgbImage& image) {
  long dark = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const RgbColor p = image.Pixel(x, y);
      if (p.red + p.green + p.blue < 3 * 160) ++dark;
    }
  return dark;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// An editor answering EM_FORMATRANGE without placing a character.
LRESULT CALLBACK StuckEditorProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == EM_FORMATRANGE) return lp ? reinterpret_cast<FORMATRANGE*>(lp)->chrg.cpMin : 0;
  if (msg == EM_GETTEXTRANGE) return 40;
  if (msg == WM_GETTEXTLENGTH) return 40;
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

class DocumentExports : public ::testing::Test {
 protected:
  void SetUp() override {
    progress.Create(parent);
    options.Create(parent);
  }
  void TearDown() override {
    progress.Destroy();
    options.Destroy();
    DestroyWindow(parent);
  }
  void Load(const std::string& rtf) {
    BytesSource source(rtf);
    StreamInWithFallback(editor, source, SF_RTF, SF_TEXT);
  }
  ExportContext Context() {
    return {editor, parent, &progress, [this] {
              PumpMessages();
              if (++messageRuns == 3 && screenshotProgress) {
                SaveWindowScreenshot(progress.Handle(), L"export-progress");
              }
            }};
  }
  std::vector<std::pair<RgbImage, int>> RenderedPages(const PageShape& shape) {
    std::vector<std::pair<RgbImage, int>> pages;
    PagingSteps steps;
    steps.page = [&](const RgbImage& page, int percent) { pages.emplace_back(page, percent); };
    RenderDocumentPages(editor, shape, CurrentScreenResolution(), steps);
    return pages;
  }
  std::wstring Target(const std::string& name) { return folder.Local(name).wstring(); }

  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 100, 100, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
  HWND editor = CreateWindowExW(0, richedit::registerRichEditClass(), L"",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 0, 400, 300,
                                parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
  TfrmExport progress;
  TfrmPresentation options;
  ScriptedDialogs dialogs;
  ScratchFolder folder;
  int messageRuns = 0;
  bool screenshotProgress = false;
};

TEST_F(DocumentExports, APdfHasAPagePictureForEachPageTheControlLaysOut) {
  struct Case {
    const char* name;
    std::string rtf;
    int pages;
  };
  screenshotProgress = true;
  const Case cases[] = {
      {"one.pdf", PagesRtf(1), 1}, {"three.pdf", PagesRtf(3), 3}, {"empty.pdf", "{\\rtf1 }", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.rtf);
    const auto drawn = RenderedPages(kPdfPageShape);
    ASSERT_EQ(drawn.size(), static_cast<std::size_t>(c.pages));
    EXPECT_EQ(drawn.back().second, 100);
    for (std::size_t k = 1; k < drawn.size(); ++k) EXPECT_GT(drawn[k].second, drawn[k - 1].second);

    dialogs.Answer(DialogAnswer::Ok);
    ExportToPdf(Context(), Target(c.name), L"My (draft " + WideFromUtf8(c.name));
    EXPECT_EQ(dialogs.Last().text, L"Document succesfully exported to PDF format.");
    EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
    EXPECT_FALSE(progress.Visible());
    EXPECT_EQ(progress.lblProgBar.Text(), L"0%");

    const CommandResult check = RunUnix("qpdf --check " + folder.Unix(c.name));
    EXPECT_EQ(check.status, 0) << check.output;
    auto info = PdfInfo(folder, c.name);
    EXPECT_EQ(info["Pages"], std::to_string(c.pages));
    EXPECT_TRUE(info["Page size"].starts_with("596 x 842 pts")) << info["Page size"];
    EXPECT_EQ(info["Title"], std::string("My (draft ") + c.name);
    EXPECT_EQ(info["Keywords"], "RTF Export to PDF");

    // Each page rendered at the picture's own scale matches the picture, apart from
    // resampling at the glyphs' edges: at 96 per inch the 693 x 950 picture stands as
    // 537 x 784 points at (25, 20) on the 596 x 842 page.
    for (int k = 0; k < c.pages; ++k) {
      const std::string ppm = "page" + std::to_string(k) + ".ppm";
      const CommandResult render =
          RunUnix("pdftoppm -f " + std::to_string(k + 1) + " -l " + std::to_string(k + 1) +
                  " -scale-to-x 769 -scale-to-y 1020 -x 32 -y 24 -W 693 -H 950 " +
                  folder.Unix(c.name) + " >" + folder.Unix(ppm));
      ASSERT_EQ(render.status, 0) << render.output;
      const std::optional<RgbImage> page = ParsePpm(ReadBytes(folder.Local(ppm)));
      ASSERT_TRUE(page);
      const RgbImage& picture = drawn[k].first;
      const long dark = DarkPixels(picture), renderedDark = DarkPixels(*page);
      EXPECT_NEAR(renderedDark, dark, dark / 5 + 20) << "page " << k + 1;
      long total = 0;
      for (int y = 0; y < 950; ++y)
        for (int x = 0; x < 693; ++x) {
          const RgbColor p = page->Pixel(x, y), q = picture.Pixel(x, y);
          total +=
              std::abs(p.red - q.red) + std::abs(p.green - q.green) + std::abs(p.blue - q.blue);
        }
      EXPECT_LT(static_cast<double>(total) / (693 * 950), 6.0) << "page " << k + 1;
      if (c.rtf == "{\\rtf1 }") {
        EXPECT_EQ(dark, 0) << "an empty document gives a blank page";
      }
    }
  }
}

TEST_F(DocumentExports, APresentationHasAFrameForEachPageWithTheChosenOptions) {
  Load(PagesRtf(3));
  struct Case {
    const char* name;
    std::function<void(TfrmPresentation&)> choose;
    int frames, width, height;
    const char* delay;
  };
  const Case cases[] = {
      {"full.ovx", [](TfrmPresentation&) {}, 3, 693, 950, "1500"},
      {"screen.ovx",
       [](TfrmPresentation& f) {
         f.Label3.OnClick();
         f.btnLargerClick();
         f.btnLargerClick();
         f.RxSpinEdit1.SetValue(60);
         f.chkFrame.SetChecked(true);
       },
       3, 1000, 750, "6000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModalScript modal;
    modal.Then<TfrmPresentation>([&](TfrmPresentation& f) {
      f.Show();
      c.choose(f);
      PumpMessages();
      SaveWindowScreenshot(f.Handle(), L"presentation-options-" + WideFromUtf8(c.name));
      f.btnClose.Click();
    });
    dialogs.Answer(DialogAnswer::Ok);
    ExportPresentation(Context(), options, Target(c.name));
    EXPECT_EQ(dialogs.Last().text,
              L"Document Succesfully Exported to Ombrel Presentation File Format.");

    const CommandResult id = RunUnix("identify -format '%wx%h %T\\n' " + folder.Unix(c.name));
    ASSERT_EQ(id.status, 0) << id.output;
    std::string expected;
    for (int k = 0; k < c.frames; ++k)
      expected += std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.delay + "\n";
    EXPECT_EQ(id.output, expected);

    const auto drawn = RenderedPages(options.Shape());
    ASSERT_EQ(drawn.size(), static_cast<std::size_t>(c.frames));
    for (int k = 0; k < c.frames; ++k) {
      const std::string ppm = "frame" + std::to_string(k) + ".ppm";
      const CommandResult convert = RunUnix("convert " + folder.Unix(c.name) + "'[" +
                                            std::to_string(k) + "]' " + folder.Unix(ppm));
      ASSERT_EQ(convert.status, 0) << convert.output;
      const std::optional<RgbImage> frame = ParsePpm(ReadBytes(folder.Local(ppm)));
      ASSERT_TRUE(frame);
      if (options.FramePages()) {
        EXPECT_EQ(frame->Pixel(1, c.height / 2), (RgbColor{0, 128, 192})) << "the frame's colour";
      } else {
        // Fewer than 256 colours: the frame is the page picture exactly.
        EXPECT_EQ(Compare(*frame, drawn[k].first, 0).pixelsBeyond, 0) << "frame " << k;
      }
    }
  }
  EXPECT_EQ(options.Label3.Text(), L"1000 x 750") << "the choices carry over";
}

TEST_F(DocumentExports, FailuresLeaveAnExistingFileAsItWas) {
  const fs::path existing = folder.Local("kept.pdf");
  WriteBytes(existing, "the old file");
  // A control that places no character on a page.
  WNDCLASSW wc{};
  wc.lpfnWndProc = StuckEditorProc;
  wc.lpszClassName = L"StuckEditor";
  RegisterClassW(&wc);
  HWND stuck = CreateWindowExW(0, L"StuckEditor", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
  ExportContext context = Context();
  context.editor = stuck;
  try {
    ExportToPdf(context, existing.wstring(), L"kept.pdf");
    ADD_FAILURE() << "no error";
  } catch (const EError& e) {
    EXPECT_STREQ(e.what(),
                 "Page 1 of the document cannot be laid out: nothing on it fits the page.");
  }
  EXPECT_EQ(ReadBytes(existing), "the old file");
  EXPECT_FALSE(progress.Visible());
  DestroyWindow(stuck);

  // A target in a folder that does not exist: the platform's message, and nothing written.
  Load(PagesRtf(1));
  EXPECT_THROW(ExportToPdf(Context(), folder.Local("missing/x.pdf").wstring(), L"x.pdf"), EError);
  EXPECT_TRUE(dialogs.Calls().empty()) << "no success message after a failure";
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder.Local(""))) (void)entry, ++files;
  EXPECT_EQ(files, 1u) << "no temporary file left beside the old one";
}

TEST_F(DocumentExports, TheOptionsWindowStartsAtItsDefaultsAndKeepsOneChoice) {
  EXPECT_EQ(options.Choice(), PresentationChoice::FullPage);
  EXPECT_EQ(options.Label3.Text(), L"800 x 600");
  EXPECT_EQ(options.Delay(), 15000);
  EXPECT_FALSE(options.FramePages());
  EXPECT_EQ(options.FrameColour(), RGB(0, 128, 192));
  EXPECT_EQ(options.Caption(), L"Presentation Options");
  RECT client{};
  GetClientRect(options.Handle(), &client);
  EXPECT_EQ(client.right, 634);
  EXPECT_EQ(client.bottom, 253);

  // Clicks reach the panels as the platform reports them.
  auto click = [](Label& panel) {
    SendMessageW(GetParent(panel.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(panel.Handle()), STN_CLICKED),
                 reinterpret_cast<LPARAM>(panel.Handle()));
  };
  click(options.Panel3);
  EXPECT_EQ(options.Choice(), PresentationChoice::HalfPage);
  EXPECT_EQ(options.Shape().height, 485);
  options.btnLargerClick();
  EXPECT_EQ(options.Choice(), PresentationChoice::HalfPage) << "the arrows change only the label";
  click(options.Label3);
  EXPECT_EQ(options.Choice(), PresentationChoice::ScreenSize);
  EXPECT_EQ(options.Shape().width, 900);
  click(options.Panel1);
  EXPECT_EQ(options.Choice(), PresentationChoice::FullPage);

  dialogs.AnswerColor(RGB(200, 30, 40));
  options.btnColourClick();
  EXPECT_EQ(options.FrameColour(), RGB(200, 30, 40));
  dialogs.Cancel();
  options.btnColourClick();
  EXPECT_EQ(options.FrameColour(), RGB(200, 30, 40)) << "Cancel keeps the colour";
}
