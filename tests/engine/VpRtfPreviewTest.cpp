#include <richedit.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpPageBitmap.h"
#include "engine/VpRtfPreview.h"
#include "richedit/RichEditWindow.h"

namespace {

// A4 with half-inch margins and 10 mm header and footer bands.
struct TScene {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 700, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND editor = CreateWindowExW(0, richedit::registerRichEditClass(), L"", WS_CHILD | ES_MULTILINE,
                                0, 0, 400, 300, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  std::unique_ptr<TVpPreview> preview = std::make_unique<TVpPreview>(host);
  TVpRtfPreview rtf;
  std::vector<int> progress;

  TScene() {
    preview->SetPaperSize(TVpPaperSize::A4);
    for (TVpValue* side : {&preview->Margins().Left(), &preview->Margins().Top(),
                           &preview->Margins().Right(), &preview->Margins().Bottom()})
      side->SetAsInches(0.5);
    preview->Header().SetHeight(vpMillimeters, 10);
    preview->Footer().SetHeight(vpMillimeters, 10);
    rtf.SetPreview(preview.get());
    rtf.OnProgress = [this](TVpRtfPreview&, int percent) { progress.push_back(percent); };
  }
  ~TScene() {
    preview.reset();
    DestroyWindow(host);
  }
  void SetText(const std::string& rtfText) {
    SetWindowTextW(editor, std::wstring(rtfText.begin(), rtfText.end()).c_str());
  }
  void Layout() {
    preview->ClearPreview();
    preview->FirstPage();
    rtf.LoadRichEdit(editor);
  }
  const TVpPageRtfInfo* Info(int page) const {
    const auto* block = dynamic_cast<const TVpRtfPageBlock*>(preview->GetPage(page).RtfBlock());
    return block ? &block->Info() : nullptr;
  }
  RECT TwipsRect(int page) const {
    const TVpRect r = Info(page)->Rect;
    auto t = [](long double inches) { return static_cast<LONG>(inches * 1440 + 0.5L); };
    return {t(r.Left), t(r.Top), t(r.Right), t(r.Bottom)};
  }
};

// Paragraphs "Line 1" .. "Line count" in 12 point.
std::string Lines(int count, const std::string& extra = "") {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
  for (int i = 1; i <= count; ++i) {
    rtf += "Line " + std::to_string(i) + "\\par ";
    if (i == count / 2) rtf += extra;
  }
  return rtf + "}";
}

LONG Length(HWND editor) {
  GETTEXTLENGTHEX how{GTL_DEFAULT, 0};
  return static_cast<LONG>(
      SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// Every page's range starts where the previous one ended; together they cover the text.
void ExpectContiguous(const TScene& scene, int pages) {
  int next = 0;
  for (int p = 1; p <= pages; ++p) {
    ASSERT_NE(scene.Info(p), nullptr) << "page " << p;
    EXPECT_EQ(scene.Info(p)->FirstChar, next) << "page " << p;
    EXPECT_GT(scene.Info(p)->EndChar, next) << "page " << p;
    next = scene.Info(p)->EndChar;
  }
  EXPECT_EQ(next, Length(scene.editor));
}

}  // namespace

TEST(VpRtfPreview, AnEmptyEditorTakesTheA4RectangleOfOnePage) {
  TScene scene;
  EXPECT_EQ(scene.rtf.TopAllowance().AsTwips(), 1287);
  EXPECT_EQ(scene.rtf.BottomAllowance().AsTwips(), 1287);
  scene.Layout();
  ASSERT_EQ(scene.preview->PageCount(), 1);
  const RECT r = scene.TwipsRect(1);
  EXPECT_EQ(r.left, 720);
  EXPECT_EQ(r.top, 1377);
  EXPECT_EQ(r.right, 11186);
  EXPECT_EQ(r.bottom, 15551);
  EXPECT_EQ(scene.Info(1)->FirstChar, 0);
  EXPECT_EQ(scene.Info(1)->EndChar, 0);
  EXPECT_EQ(scene.progress, std::vector<int>{100});
}

TEST(VpRtfPreview, LongTextRunsOverPagesAndReportsAHundredOnceAtTheEnd) {
  TScene scene;
  scene.SetText(Lines(200));
  scene.Layout();
  const int pages = scene.preview->PageCount();
  // About 50 lines of 12 point fit between the allowances.
  EXPECT_GE(pages, 3);
  EXPECT_LE(pages, 5);
  ExpectContiguous(scene, pages);
  ASSERT_EQ(static_cast<int>(scene.progress.size()), pages);
  EXPECT_EQ(std::count(scene.progress.begin(), scene.progress.end(), 100), 1);
  EXPECT_EQ(scene.progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(scene.progress.begin(), scene.progress.end()));
  // One hidden copy, shared by every page and counted again by a second layout.
  EXPECT_EQ(scene.preview->PageList().Resources().Memos.Count(), 1);
  scene.rtf.LoadRichEdit(scene.editor);
  EXPECT_EQ(scene.preview->PageList().Resources().Memos.Count(), 1);
  EXPECT_EQ(scene.preview->PageList().Resources().Memos.References(0), 2);
}

TEST(VpRtfPreview, WithoutForcedPagesExistingPagesAreReused) {
  TScene scene;
  scene.SetText(Lines(80));
  scene.preview->NewPage();
  scene.preview->NewPage();
  scene.preview->FirstPage();
  scene.rtf.ForceNewPages = false;
  scene.rtf.LoadRichEdit(scene.editor);
  EXPECT_EQ(scene.preview->PageCount(), 3);
  ExpectContiguous(scene, 2);
  EXPECT_EQ(scene.preview->GetPage(3).RtfBlock(), nullptr);
}

TEST(VpRtfPreview, ANewPageHandlerMovesTheTextOfLaterPages) {
  TScene scene;
  scene.SetText(Lines(200));
  scene.rtf.OnNewPage = [](TVpRtfPreview&, TVpValue& top, TVpValue&) { top.SetAsInches(1); };
  scene.Layout();
  ASSERT_GE(scene.preview->PageCount(), 3);
  EXPECT_EQ(scene.TwipsRect(1).top, 1377);
  for (int p = 2; p <= scene.preview->PageCount(); ++p)
    EXPECT_EQ(scene.TwipsRect(p).top, 1440 + 90) << "page " << p;
}

TEST(VpRtfPreview, WhatCannotFitNeverHangsTheLayout) {
  struct Case {
    const char* name;
    std::string text;
    long double topMargin;  // inches
    int minPages, maxPages;
  } cases[] = {
      // A line of 1000 point is taller than the page: it stands on a page of its own.
      {"tall line", Lines(60, "\\fs2000 I\\par\\fs24 "), 0.5, 3, 3},
      // Margins that leave no room for a line at all: one page, and the loop stops.
      {"no room", Lines(60), 11, 1, 1},
  };
  for (const Case& c : cases) {
    TScene scene;
    scene.SetText(c.text);
    scene.preview->Margins().Top().SetAsInches(c.topMargin);
    scene.rtf.SetPreview(scene.preview.get());
    scene.Layout();
    EXPECT_GE(scene.preview->PageCount(), c.minPages) << c.name;
    EXPECT_LE(scene.preview->PageCount(), c.maxPages) << c.name;
    EXPECT_EQ(scene.progress.back(), 100) << c.name;
    if (c.minPages == 1) continue;
    ExpectContiguous(scene, scene.preview->PageCount());
    EXPECT_EQ(scene.Info(2)->EndChar - scene.Info(2)->FirstChar, 2) << "the tall line alone";
  }
}

TEST(VpRtfPreview, WithoutAPreviewTheEngineSaysSoAndDoesNothing) {
  TScene scene;
  TVpRtfPreview lone;
  std::string shown;
  lone.ShowMessage = [&](const std::string& text) { shown = text; };
  lone.LoadRichEdit(scene.editor);
  EXPECT_EQ(shown,
            "TVpRtfPreview Error!\r\n\r\nThe \"Preview\" property must be set to a TVpPreview "
            "component.");
}

// The page's text is drawn through a metafile at the page image's resolution: every dark
// pixel lies inside the layout rectangle, and the first line starts just below its top.
TEST(VpRtfPreview, APageDrawsItsTextInsideItsRectangle) {
  TScene scene;
  scene.SetText(Lines(200));
  scene.preview->Header().SetVisible(false);
  scene.preview->Footer().SetVisible(false);
  scene.Layout();
  for (const int drawPpi : {96, 600}) {
    TVpPageBitmap bitmap(scene.preview->GetPage(2).Size(), 96);
    bitmap.Draw(scene.preview->PageList(), scene.preview->GetPage(2), drawPpi, false);
    int top = bitmap.Height(), bottom = -1, left = bitmap.Width(), right = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if ((bitmap.Pixel(x, y) & 0xFF) < 128) {
          top = std::min(top, y), bottom = std::max(bottom, y);
          left = std::min(left, x), right = std::max(right, x);
        }
    const RECT r = scene.TwipsRect(2);
    ASSERT_GE(bottom, 0) << drawPpi;
    EXPECT_GE(left, r.left * 96 / 1440 - 1) << drawPpi;
    EXPECT_LE(left, r.left * 96 / 1440 + 3) << drawPpi;
    EXPECT_GE(top, r.top * 96 / 1440 - 1) << drawPpi;
    EXPECT_LE(top, r.top * 96 / 1440 + 12) << drawPpi;
    EXPECT_LE(right, r.right * 96 / 1440 + 1) << drawPpi;
    EXPECT_LE(bottom, r.bottom * 96 / 1440 + 1) << drawPpi;
  }
}
