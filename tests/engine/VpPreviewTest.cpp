#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpPreview.h"
#include "tests/engine/RecordingTarget.h"

namespace {

// The VPM_ messages a hidden top-level window received, in order.
std::vector<UINT> received;

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= VPM_PAGESPERSHEET && msg <= VPM_CURRENTPAGE) {
    EXPECT_EQ(wp, 0u);
    EXPECT_EQ(lp, 0);
    received.push_back(msg);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND CreateRecorder() {
  static const ATOM registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecorderProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VpPreviewTestRecorder";
    return RegisterClassW(&wc);
  }();
  EXPECT_NE(registered, 0);
  return CreateWindowExW(0, L"VpPreviewTestRecorder", L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A printer that writes down which page each sheet showed: every test page carries its
// number as text.
class TPageSink : public TVpPrintSink {
 public:
  TRecordingTarget canvas{true};
  void SetJobOrientation(TVpOrientation) override {}
  void SetPagesPerSheet(TVpPagesPerSheet) override {}
  void SetPaper(TVpPaperSize) override {}
  bool BeginJob() override { return true; }
  bool Aborted() const override { return false; }
  TVpIntPoint Resolution() const override { return {300, 300}; }
  TVpDrawTarget& Canvas() override { return canvas; }
  void NextPage() override {}
  void EndJob() override {}
  void AbortJob() override {}
  std::string Printed() const {
    std::string pages;
    for (const std::string& call : canvas.calls)
      if (const auto at = call.find("'p"); at != std::string::npos) pages += call[at + 2];
    return pages;
  }
};

// A preview in a hidden top-level window, with a recorder attached.
struct TScene {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 700, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND recorder = CreateRecorder();
  std::unique_ptr<TVpPreview> preview;
  explicit TScene(int width = 240, int height = 300) {
    preview = std::make_unique<TVpPreview>(host, 0, 0, width, height);
    preview->AttachControl(recorder);
    preview->AttachControl(recorder);
    received.clear();
  }
  ~TScene() {
    preview.reset();
    DestroyWindow(recorder);
    DestroyWindow(host);
  }
  TVpPreview& operator*() { return *preview; }
  TVpPreview* operator->() { return preview.get(); }
  // Where the page image sits in the preview's client area.
  POINT ImageOrigin() const {
    RECT r{};
    GetWindowRect(preview->PaperImage().Handle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(preview->Handle(), &p);
    return p;
  }
  void AddNumberedPages(int count) {
    for (int n = 1; n <= count; ++n) {
      if (n > 1) preview->NewPage();
      preview->Canvas().TextOut(1, 1, "p" + std::to_string(n), vpInches);
    }
  }
};

}  // namespace

TEST(VpPreview, StartsAtZoomTwentyOnOnePageAndStepsWithinItsLimits) {
  TScene scene;
  EXPECT_EQ(scene->About(), "TVpPreview v2.96.6");
  EXPECT_EQ(scene->PageCount(), 1);
  EXPECT_EQ(scene->Zoom(), 20);
  RECT outer{};
  GetWindowRect(scene->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 240);
  EXPECT_EQ(outer.bottom - outer.top, 300);

  struct Case {
    TVpZoomStyle style;
    int increment, minZoom, maxZoom, start;
    void (TVpPreview::*step)();
    int expected;
  } cases[] = {
      {vpVariableZoom, 10, 5, 400, 32, &TVpPreview::ZoomIn, 45},
      {vpVariableZoom, 10, 5, 400, 32, &TVpPreview::ZoomOut, 30},
      {vpVariableZoom, 10, 5, 800, 800, &TVpPreview::ZoomIn, 800},
      {vpVariableZoom, 10, 5, 800, 7, &TVpPreview::ZoomOut, 7},
      {vpVariableZoom, 10, 10, 800, 7, &TVpPreview::ZoomOut, 10},  // 7 was raised to 10
      {vpVariableZoom, 10, 5, 400, 350, &TVpPreview::ZoomIn, 400},
      {vpFixedZoom, 50, 5, 400, 380, &TVpPreview::ZoomIn, 400},
      {vpFixedZoom, 15, 10, 800, 35, &TVpPreview::ZoomOut, 20},
      {vpFixedZoom, 15, 10, 800, 20, &TVpPreview::ZoomOut, 10},
  };
  for (const Case& c : cases) {
    scene->SetZoomStyle(c.style);
    scene->SetZoomIncrement(c.increment);
    scene->SetMinZoom(1);
    scene->SetMaxZoom(1000);
    scene->SetZoom(c.start);
    scene->SetMinZoom(c.minZoom);
    scene->SetMaxZoom(c.maxZoom);
    ((*scene).*c.step)();
    EXPECT_EQ(scene->Zoom(), c.expected) << c.start << " style " << int(c.style);
    EXPECT_EQ(scene->PaperImage().Zoom(), c.expected);
  }
  scene->SetMaxZoom(400);
  scene->SetZoom(1000);
  EXPECT_EQ(scene->Zoom(), 400) << "clamped to MaxZoom 400";
  scene->SetMinZoom(5);
  scene->SetMaxZoom(3);
  EXPECT_EQ(scene->MaxZoom(), 5);
  EXPECT_EQ(scene->Zoom(), 5);
}

TEST(VpPreview, FitsTheOuterSizeAndSizesTheBarsToThePage) {
  TScene scene(329, 568);
  scene->SetGutter(20);
  scene->FitWholePage();
  EXPECT_EQ(scene->Zoom(), 33) << "the width fit, 0.3389, truncated";
  scene->FitPageWidth();
  EXPECT_EQ(scene->Zoom(), 33);

  // A4 at 100 %: 794 by 1123 pixels plus the gutter on both sides.
  scene->SetGutter(30);
  scene->SetZoom(100);
  const auto bar = [&](int which) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(scene->Handle(), which, &info);
    return info;
  };
  RECT client{};
  GetClientRect(scene->Handle(), &client);
  EXPECT_EQ(bar(SB_HORZ).nMax + 1, 854);
  EXPECT_EQ(bar(SB_VERT).nMax + 1, 1183);
  EXPECT_EQ(static_cast<LONG>(bar(SB_HORZ).nPage), client.right);
  EXPECT_EQ(static_cast<LONG>(bar(SB_VERT).nPage), client.bottom);

  // Zooming keeps each bar's share of its travel.
  scene->ScrollToPercent(50, 25);
  scene->SetZoom(200);
  EXPECT_EQ(scene->ScrollRange(), (TVpIntPoint{1647, 2305}));
  GetClientRect(scene->Handle(), &client);
  EXPECT_NEAR(scene->ScrollPosition().X, (1647 - client.right) / 2, 2);
  EXPECT_NEAR(scene->ScrollPosition().Y, (2305 - client.bottom) / 4, 2);
  const POINT origin = scene.ImageOrigin();
  EXPECT_EQ(origin.x, -scene->ScrollPosition().X);
  EXPECT_EQ(origin.y, -scene->ScrollPosition().Y);

  // Landscape swaps the ranges; a size that fits hides both bars.
  scene->SetOrientation(vpLandscape);
  EXPECT_EQ(scene->ScrollRange(), (TVpIntPoint{2305, 1647}));
  scene->SetZoom(10);
  EXPECT_FALSE(GetWindowLongPtrW(scene->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  EXPECT_EQ(scene->ScrollPosition(), (TVpIntPoint{0, 0}));
}

TEST(VpPreview, ScrollBarsWheelAndKeysMoveThePage) {
  TScene scene;
  scene->SetZoom(100);
  RECT client{};
  GetClientRect(scene->Handle(), &client);
  const int endX = scene->ScrollRange().X - client.right;
  const int endY = scene->ScrollRange().Y - client.bottom;
  struct Case {
    UINT msg;
    WPARAM wp;
    TVpIntPoint expected;
  } cases[] = {
      {WM_VSCROLL, SB_LINEDOWN, {0, 8}},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), {0, 16}},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), {0, 8}},
      {WM_KEYDOWN, VK_NEXT, {0, 88}},
      {WM_KEYDOWN, VK_PRIOR, {0, 8}},
      {WM_HSCROLL, SB_LINEDOWN, {8, 8}},
      {WM_KEYDOWN, VK_RIGHT, {16, 8}},
      {WM_KEYDOWN, VK_DOWN, {16, 16}},
      {WM_VSCROLL, SB_PAGEDOWN, {16, 16 + client.bottom}},
      {WM_KEYDOWN, VK_END, {endX, endY}},
      {WM_HSCROLL, SB_LINEDOWN, {endX, endY}},
      {WM_KEYDOWN, VK_HOME, {0, 0}},
      {WM_KEYDOWN, VK_UP, {0, 0}},
  };
  for (const Case& c : cases) {
    SendMessageW(scene->Handle(), c.msg, c.wp, 0);
    EXPECT_EQ(scene->ScrollPosition(), c.expected) << c.msg << " " << c.wp;
    EXPECT_EQ(scene.ImageOrigin().y, -c.expected.Y);
  }
  // With no bar shown, no key moves anything.
  scene->SetZoom(5);
  SendMessageW(scene->Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(scene->ScrollPosition(), (TVpIntPoint{0, 0}));
}

TEST(VpPreview, AttachedWindowsHearOfChangesButOnlyTheBracketsOfAnUpdate) {
  TScene scene;
  struct Case {
    const char* what;
    std::function<void(TVpPreview&)> act;
    std::vector<UINT> expected;
  } cases[] = {
      {"new page",
       [](TVpPreview& p) { p.NewPage(); },
       {VPM_PAGECOUNT, VPM_PAGECONTENT, VPM_CURRENTPAGE}},
      {"content",
       [](TVpPreview& p) { p.Canvas().TextOut(1, 1, "x", vpInches); },
       {VPM_PAGECONTENT}},
      {"go to page", [](TVpPreview& p) { p.FirstPage(); }, {VPM_CURRENTPAGE}},
      {"previous on page 1", [](TVpPreview& p) { p.PrevPage(); }, {}},
      {"next", [](TVpPreview& p) { p.NextPage(); }, {VPM_CURRENTPAGE}},
      {"next on the last page", [](TVpPreview& p) { p.NextPage(); }, {}},
      {"pages per sheet, unchanged",
       [](TVpPreview& p) { p.SetPagesPerSheet(vpOnePage); },
       {VPM_PAGESPERSHEET}},
      {"update",
       [](TVpPreview& p) {
         p.BeginUpdate();
         p.NewPage();
         p.Canvas().TextOut(1, 1, "x", vpInches);
         p.FirstPage();
         p.SetPagesPerSheet(vpTwoPage);
         p.EndUpdate();
       },
       {VPM_BEGINUPDATE, VPM_ENDUPDATE}},
      {"nested update",
       [](TVpPreview& p) {
         p.BeginUpdate();
         p.BeginUpdate();
         p.LastPage();
         p.EndUpdate();
         p.EndUpdate();
       },
       {VPM_BEGINUPDATE, VPM_ENDUPDATE}},
      {"detached",
       [&](TVpPreview& p) {
         p.DetachControl(scene.recorder);
         p.NewPage();
       },
       {}},
  };
  for (const Case& c : cases) {
    received.clear();
    c.act(*scene);
    EXPECT_EQ(received, c.expected) << c.what;
  }
  EXPECT_EQ(scene->PageCount(), 4);

  int changed = 0;
  scene->OnPageChanged = [&](TVpPreview&) { ++changed; };
  scene->GoToPage(9);
  scene->GoToPage(2);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(scene->PaperImage().Page(), &scene->GetPage(2));
}

TEST(VpPreview, PrintsRangesInTheirDirectionInsideOneUpdate) {
  TScene scene;
  TPageSink sink;
  scene->SetPrintSink(&sink);
  scene.AddNumberedPages(6);
  int progress = 0;
  scene->OnPrintProgress = [&](TVpPreview&, int printed, int total) {
    EXPECT_EQ(printed, ++progress);
    EXPECT_EQ(total, 4);
  };
  received.clear();
  scene->PrintRange(5, 2);
  EXPECT_EQ(sink.Printed(), "5432");
  EXPECT_EQ(progress, 4);
  EXPECT_EQ(received, (std::vector<UINT>{VPM_BEGINUPDATE, VPM_ENDUPDATE}));

  scene->OnPrintProgress = nullptr;
  const struct {
    std::function<void(TVpPreview&)> print;
    const char* expected;
  } cases[] = {
      {[](TVpPreview& p) { p.PrintRange(2, 4); }, "234"},
      {[](TVpPreview& p) { p.PrintRange(3, 3); }, "3"},
      {[](TVpPreview& p) { p.PrintAll(); }, "123456"},
      {[](TVpPreview& p) {
         p.GoToPage(4);
         p.PrintCurrentPage();
       },
       "4"},
      // Numbers past either end are brought back to the document.
      {[](TVpPreview& p) { p.PrintRange(5, 9); }, "56"},
      {[](TVpPreview& p) { p.PrintRange(2, -3); }, "21"},
  };
  for (const auto& c : cases) {
    sink.canvas.calls.clear();
    c.print(*scene);
    EXPECT_EQ(sink.Printed(), c.expected);
  }
}

TEST(VpPreview, MouseOverThePageReachesWheelObjectAndHandScrollHandlers) {
  TScene scene;
  scene->SetZoom(100);
  std::vector<std::string> events;
  const auto wheel = [&](const char* name) {
    return [&events, name](TVpPreview& p, WPARAM, int delta, int, int) {
      events.push_back(std::string(name) + std::to_string(delta) + "@" +
                       std::to_string(p.ScrollPosition().Y));
    };
  };
  scene->OnMouseWheel = wheel("wheel");
  scene->OnMouseWheelDown = wheel("down");
  scene->OnMouseWheelUp = wheel("up");
  SendMessageW(scene->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  SendMessageW(scene->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(events,
            (std::vector<std::string>{"wheel-120@8", "down-120@8", "wheel120@0", "up120@0"}))
      << "the bar moves first";

  // A press on an object: the page event, then the object event with the topmost object.
  scene->Canvas().Rectangle(1, 1, 2, 2, vpInches);
  TVpBaseObject* square = scene->Canvas().LastObject();
  events.clear();
  TVpBaseObject* hit = nullptr;
  scene->OnPageMouseDown = [&](TVpPreview&, TVpMouseButton, WPARAM, long double x, long double) {
    events.push_back("page" + std::to_string(static_cast<int>(x * 10)));
  };
  scene->OnObjectMouseDown = [&](TVpPreview&, TVpMouseButton, WPARAM, long double, long double,
                                 TVpVisibleObject& object) {
    events.push_back("object");
    hit = &object;
  };
  const TVpIntRect sheet = scene->PaperImage().PageImageRect();
  const HWND image = scene->PaperImage().Handle();
  for (const int inches10 : {15, 25}) {
    const int at = inches10 * 96 / 10;
    SendMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sheet.Left + at, sheet.Top + at));
    SendMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(sheet.Left + at, sheet.Top + at));
  }
  EXPECT_EQ(events, (std::vector<std::string>{"page15", "object", "page25"}));
  EXPECT_EQ(hit, square);
  EXPECT_EQ(scene->ObjectAtPoint(2.5L, 2.5L, vpInches), nullptr);

  // Hand scrolling: the page follows the mouse until the button goes up.
  POINT cursor{100, 100};
  scene->CursorPosition = [&] { return cursor; };
  scene->SetScrollPosition(50, 60);
  scene->StartHandScroll();
  cursor = {70, 60};
  SendMessageW(image, WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(scene->ScrollPosition(), (TVpIntPoint{80, 100}));
  SendMessageW(image, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(scene->HandScrolling());
  cursor = {40, 40};
  SendMessageW(image, WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(scene->ScrollPosition(), (TVpIntPoint{80, 100}))
      << "moves after the end scroll nothing";
}

TEST(VpPreview, RecordsFromThePrintersMarginsAndIsSilverAroundTheSheet) {
  TScene scene;
  EXPECT_EQ(scene->Color(), RGB(192, 192, 192));
  const TVpRect offsets = scene->VpPrinter().Info().OffsetsInches(scene->PageList().Orientation());
  ASSERT_GT(offsets.Left, 0) << "every printer (and the stand-in sheet) has an unprintable edge";
  TVpCanvas& canvas = scene->Canvas();
  canvas.SetCoordsRelativeTo(vpFromPrinterMargins);
  canvas.Rectangle(1, 1, 2, 2, vpInches);
  const auto* shifted = dynamic_cast<TVpRectangleShape*>(canvas.LastObject());
  ASSERT_NE(shifted, nullptr);
  EXPECT_NEAR(static_cast<double>(shifted->Rect().Left), static_cast<double>(1 + offsets.Left),
              1e-9);
  EXPECT_NEAR(static_cast<double>(shifted->Rect().Top), static_cast<double>(1 + offsets.Top), 1e-9);
}
