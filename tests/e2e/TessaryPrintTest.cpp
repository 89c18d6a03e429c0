// Tessary's printing from outside, as a user works with it: a long document opened from the
// command line, previewed, given margins and a centre header with the page tokens, printed
// whole; a selection printed through the print dialog; landscape pages two to a sheet. What was
// printed is read back from the test printer (tests/e2e/marrowby-print-test.sh runs this test
// with a collector of the jobs) and compared with what our rich-edit control, loaded here with
// the same document, lays out with EM_FORMATRANGE.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "richedit/RichEditWindow.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/PrintedJobs.h"
#include "tests/e2e/TessaryRun.h"
#include "tests/support/Screenshot.h"
#include "writer/MainCommands.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kTwipsPerPoint = 20;

// A4 in twips, and the text rectangle the preview uses with 20 mm margins and 10 mm bands:
// 20 mm = 1134 twips, 10 mm = 567, plus the 90-twip lead above the first line.
constexpr RECT kA4{0, 0, 11906, 16838};
constexpr RECT kTextArea{1134, 1134 + 567 + 90, 11906 - 1134, 16838 - 1134 - 567};

// One printed (or expected) line: where it starts, its baseline, its text without spaces.
struct Line {
  double left = 0, baseline = 0;
  std::string text;
};

std::string WithoutSpaces(std::string text) {
  std::erase_if(text, [](char c) { return c == ' '; });
  // Wine writes a space as U+00A0 (C2 A0 in UTF-8); the reader gives it as a space already.
  return text;
}

// Runs on one baseline (within a quarter point) become one line, in reading order whatever
// order they were printed in.
std::vector<Line> Lines(std::vector<TextRun> runs) {
  std::stable_sort(runs.begin(), runs.end(),
                   [](const TextRun& a, const TextRun& b) { return a.left < b.left; });
  std::vector<Line> lines;
  for (const TextRun& r : runs) {
    auto same = std::find_if(lines.begin(), lines.end(), [&](const Line& l) {
      return std::abs(l.baseline - r.baseline) < 0.25;
    });
    if (same == lines.end()) {
      lines.push_back({r.left, r.baseline, WithoutSpaces(r.text)});
    } else {
      same->left = std::min(same->left, r.left);
      same->text += WithoutSpaces(r.text);
    }
  }
  std::sort(lines.begin(), lines.end(),
            [](const Line& a, const Line& b) { return a.baseline < b.baseline; });
  return lines;
}

// What our control draws for a range, as text runs in points: recorded into a metafile for the
// reference device and read back from its text records (drawn at their baselines).
struct MetafileRuns {
  int dpi;
  int page;
  std::vector<TextRun> runs;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM lp) {
  auto* out = reinterpret_cast<MetafileRuns*>(lp);
  if (record->iType != EMR_EXTTEXTOUTW) return 1;
  const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
  const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                       text->emrtext.offString);
  std::wstring s(chars, text->emrtext.nChars);
  std::replace(s.begin(), s.end(), L'\u00A0', L' ');
  out->runs.push_back({out->page, text->emrtext.ptlReference.x * 72.0 / out->dpi,
                       text->emrtext.ptlReference.y * 72.0 / out->dpi, "", 0, Utf8FromWide(s)});
  return 1;
}

// The document's pages as our control lays them out into the area: each page's lines.
std::vector<std::vector<Line>> ExpectedPages(const std::string& rtf, const RECT& area,
                                             const RECT& page) {
  HWND control = CreateWindowExW(0, richedit::registerRichEditClass(), L"", ES_MULTILINE, 0, 0, 10,
                                 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowTextW(control, std::wstring(rtf.begin(), rtf.end()).c_str());
  GETTEXTLENGTHEX how{GTL_DEFAULT, 0};
  const LONG n = static_cast<LONG>(
      SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
  HDC reference = CreateICW(L"WINSPOOL", L"TestPS", nullptr, nullptr);
  std::vector<std::vector<Line>> pages;
  LONG start = 0;
  do {
    RECT frame{0, 0, MulDiv(page.right, 2540, 1440), MulDiv(page.bottom, 2540, 1440)};
    HDC dc = CreateEnhMetaFileW(reference, nullptr, &frame, nullptr);
    FORMATRANGE fr{dc, reference, area, page, {start, -1}};
    const LONG next = static_cast<LONG>(
        SendMessageW(control, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr)));
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    MetafileRuns runs{GetDeviceCaps(reference, LOGPIXELSX), static_cast<int>(pages.size()) + 1, {}};
    EnumEnhMetaFile(nullptr, emf, CollectText, &runs, nullptr);
    DeleteEnhMetaFile(emf);
    pages.push_back(Lines(runs.runs));
    if (next <= start) break;
    start = next;
  } while (start < n);
  SendMessageW(control, EM_FORMATRANGE, FALSE, 0);
  DeleteDC(reference);
  DestroyWindow(control);
  return pages;
}

struct ChildPrefix {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK MatchPrefix(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<ChildPrefix*>(lp);
  if (ControlText(w).rfind(s->prefix, 0) != 0) return TRUE;
  s->found = w;
  return FALSE;
}

class TessaryPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    const wchar_t* jobs = _wgetenv(L"E2E_PRINT_JOBS");
    if (!jobs || !*jobs)
      GTEST_SKIP() << "Needs the test printer: run tests/e2e/marrowby-print-test.sh.";
    collector_ = std::make_unique<JobCollector>(fs::path(L"Z:" + std::wstring(jobs)));
    source_ = fs::path(TEST_DATA_DIR) / "rtf" / "lo-long-document.rtf";
    rtf_ = Slurp(source_);
    folder_ = fs::temp_directory_path() / (L"e2e-print-" + std::to_wstring(GetCurrentProcessId()) +
                                           L"-" + std::to_wstring(GetTickCount64()));
    fs::create_directories(folder_);
    document_ = folder_ / "handbook.rtf";
    fs::copy_file(source_, document_);
    run_ = std::make_unique<ProgramRun>(TESSARY_EXE, L"\"" + document_.wstring() + L"\"",
                                        TessaryRanBefore());
    main_ = run_->WaitForWindow(CaptionFor(document_));
    editor_ = FindChildByIndex(main_, L"RichTextEdit", 0);
    toolbar_ = FindChildByIndex(main_, TOOLBARCLASSNAMEW, 0);
  }

  void TearDown() override {
    run_.reset();
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }

  void Command(writer::Command command) const {
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(command, 0), reinterpret_cast<LPARAM>(toolbar_));
  }

  void OpenPreview() {
    Command(writer::cmdPrintPreview);
    preview_ = run_->WaitForWindow(L"Print Preview");
  }

  // "Page: 1 of N" -> N.
  int PreviewPageCount() const {
    ChildPrefix search{L"Page: "};
    EnumChildWindows(preview_, MatchPrefix, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 0;
    const std::wstring text = ControlText(search.found);
    return std::stoi(text.substr(text.find(L" of ") + 4));
  }

  // A borderless dialog of the preview: filled, photographed, applied.
  void UseDialog(const std::wstring& button, const std::wstring& caption,
                 const std::map<int, std::wstring>& edits, const std::wstring& shot) {
    ClickButton(preview_, button);
    HWND dialog = run_->WaitForWindow(caption);
    // The margins dialog loads the stored margins whenever it becomes active: fill it once it is.
    WaitUntil([&] { return GetForegroundWindow() == dialog; }, std::chrono::seconds(3));
    for (const auto& [index, text] : edits)
      SetControlText(FindChildByIndex(dialog, L"Edit", index), text);
    screenshots_.push_back(SaveWindowScreenshot(dialog, shot));
    ClickButton(dialog, L"Apply");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  }

  void ClickPicker(int picker, int button) const {
    HWND graphic = FindChildByIndex(preview_, L"VpPropertyGraphic", picker);
    PostMessageW(FindChildByIndex(graphic, L"Button", button), BM_CLICK, 0, 0);
  }

  std::unique_ptr<JobCollector> collector_;
  std::unique_ptr<ProgramRun> run_;
  fs::path source_, folder_, document_;
  std::string rtf_;
  HWND main_ = nullptr, editor_ = nullptr, toolbar_ = nullptr, preview_ = nullptr;
  std::vector<std::wstring> screenshots_;
};

}  // namespace

TEST_F(TessaryPrinting, PrintAllPutsEveryLineWhereThePreviewLaidItOut) {
  OpenPreview();
  UseDialog(L"Margins", L"Page Margins", {{0, L"20"}, {1, L"20"}, {2, L"20"}, {3, L"20"}},
            L"tessary-margins-dialog");
  UseDialog(L"Header & Footer", L"Header and Footer Titles",
            {{1, L"Page: {PAGE} of {NUMPAGES}"}, {4, L"Handbook footer"}},
            L"tessary-header-footer-dialog");
  const std::vector<std::vector<Line>> expected = ExpectedPages(rtf_, kTextArea, kA4);
  ASSERT_TRUE(WaitUntil([&] { return PreviewPageCount() == static_cast<int>(expected.size()); }))
      << "the preview shows " << PreviewPageCount() << " pages, EM_FORMATRANGE makes "
      << expected.size();
  const int pages = PreviewPageCount();
  ASSERT_GE(pages, 3);
  // The window opens maximised, partly off the screen's edges; restored, all of it shows.
  EXPECT_TRUE(IsZoomed(preview_));
  ShowWindow(preview_, SW_RESTORE);
  Sleep(500);
  screenshots_.push_back(SaveWindowScreenshot(preview_, L"tessary-print-preview"));

  ClickButton(preview_, L"Print All");
  const PrintedJob job = collector_->Next();
  EXPECT_EQ(job.pages, pages);
  // One page a sheet: the page's clip holds the whole sheet and is left out, or the driver
  // would wrap every run of text in it.
  EXPECT_EQ(job.postscript.find("rectclip"), std::string::npos);
  for (int p = 1; p <= std::min(job.pages, pages); ++p) {
    const std::string header = "Page: " + std::to_string(p) + " of " + std::to_string(pages);
    const auto found = job.Find(header);
    EXPECT_TRUE(
        std::any_of(found.begin(), found.end(), [&](const TextRun* r) { return r->page == p; }))
        << header << " is not on sheet " << p;
    // The body's lines: those between the header and footer bands.
    std::vector<TextRun> body;
    for (const TextRun* r : job.OnPage(p))
      if (r->baseline > kTextArea.top / double(kTwipsPerPoint) &&
          r->baseline < kTextArea.bottom / double(kTwipsPerPoint) + 2)
        body.push_back(*r);
    const std::vector<Line> printed = Lines(body);
    const std::vector<Line>& want = expected[static_cast<std::size_t>(p - 1)];
    ASSERT_EQ(printed.size(), want.size()) << "lines on sheet " << p;
    for (std::size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(printed[i].text, want[i].text) << "sheet " << p << " line " << i;
      EXPECT_NEAR(printed[i].left, want[i].left, 1.0) << "sheet " << p << " line " << i;
      EXPECT_NEAR(printed[i].baseline, want[i].baseline, 1.0) << "sheet " << p << " line " << i;
    }
  }

  // Landscape, two pages to a sheet: the pages are laid out again on the turned paper and
  // printed side by side, scaled by the short side over the long one.
  ClickPicker(1, 1);
  ASSERT_TRUE(WaitUntil([&] { return PreviewPageCount() != pages; }));
  ClickPicker(0, 1);
  Sleep(300);
  const int landscapePages = PreviewPageCount();
  ClickButton(preview_, L"Print All");
  const PrintedJob twoUp = collector_->Next();
  EXPECT_EQ(twoUp.pages, (landscapePages + 1) / 2);
  const std::string total = " of " + std::to_string(landscapePages);
  const auto first = job.Find("Page: 1" + total), second = twoUp.Find("Page: 2" + total);
  const auto firstTwoUp = twoUp.Find("Page: 1" + total);
  ASSERT_EQ(firstTwoUp.size(), 1u);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(firstTwoUp[0]->page, 1);
  EXPECT_EQ(second[0]->page, 1);
  EXPECT_NEAR(firstTwoUp[0]->size, 12.0 * 210 / 297, 0.6) << "scaled by 210/297";
  EXPECT_GT(std::hypot(second[0]->left - firstTwoUp[0]->left,
                       second[0]->baseline - firstTwoUp[0]->baseline),
            200.0)
      << "the second page sits on the other half of the sheet";
  (void)first;
  for (const std::wstring& shot : screenshots_) std::wcout << L"screenshot: " << shot << L"\n";
  ClickButton(preview_, L"Close");
}

TEST_F(TessaryPrinting, ASelectionPrintedThroughThePrintDialogGivesOnlyTheSelectedText) {
  // The second paragraph: after the 36 characters of the title and its paragraph mark.
  const std::wstring text = ControlText(editor_);
  const std::size_t start = text.find(L"A long sample");
  const std::size_t end = text.find(L"\r\n", start);
  ASSERT_NE(start, std::wstring::npos);
  const std::wstring selected = text.substr(start, end - start);
  // Window text counts a paragraph end as two characters, control positions as one.
  const LONG first = static_cast<LONG>(start - 1);
  Ask(editor_, EM_SETSEL, first, first + static_cast<LONG>(selected.size()));
  Command(writer::cmdPrint);
  HWND dialog = run_->WaitForWindow(L"Print");
  ClickButton(dialog, L"OK");
  const PrintedJob job = collector_->Next();
  EXPECT_EQ(job.pages, 1);
  std::string printed;
  for (const Line& line : Lines(job.runs)) printed += line.text;
  EXPECT_EQ(printed, WithoutSpaces(Utf8FromWide(selected)));
}
