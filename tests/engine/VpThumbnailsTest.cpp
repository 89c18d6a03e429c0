#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpPreview.h"
#include "engine/VpThumbnails.h"
#include "platform/GdiHandles.h"

namespace {

// A preview and a thumbnail strip side by side in a hidden top-level window.
struct TScene {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 700, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  std::unique_ptr<TVpPreview> preview = std::make_unique<TVpPreview>(host, 0, 0, 240, 300);
  std::unique_ptr<TVpThumbnails> thumbs = std::make_unique<TVpThumbnails>(host, 250, 0);
  TScene() { thumbs->SetPreview(preview.get()); }
  ~TScene() {
    thumbs.reset();
    preview.reset();
    DestroyWindow(host);
  }
  // Adds pages inside one update so the strip rebuilds once at its end.
  void AddPages(int count) {
    const int before = thumbs->ThumbnailCount();
    preview->BeginUpdate();
    for (int i = 0; i < count; ++i) preview->NewPage();
    EXPECT_TRUE(thumbs->IsUpdating());
    EXPECT_EQ(thumbs->ThumbnailCount(), before) << "no rebuild while updating";
    preview->EndUpdate();
  }
  void Click(int index) {
    const TVpIntRect r = thumbs->ThumbnailRect(index);
    SendMessageW(thumbs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }
};

// The strip's client area painted into a memory picture; returns one pixel's colour.
struct TPainted {
  MemoryDC dc;
  BitmapHandle bitmap;
  HGDIOBJ old;
  explicit TPainted(TVpThumbnails& thumbs) {
    RECT client;
    GetClientRect(thumbs.Handle(), &client);
    const WindowDC screen(nullptr);
    bitmap.Reset(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    old = SelectObject(dc.get(), bitmap.get());
    thumbs.Paint(dc.get());
  }
  ~TPainted() { SelectObject(dc.get(), old); }
  COLORREF At(int x, int y) const { return GetPixel(dc.get(), x, y); }
};

TEST(VpThumbnails, FollowsThePreviewLaysOutAndSelectsByClick) {
  TScene scene;
  TVpThumbnails& thumbs = *scene.thumbs;
  EXPECT_EQ(thumbs.ThumbnailCount(), 1) << "the preview's one empty page";
  scene.AddPages(6);
  ASSERT_EQ(thumbs.ThumbnailCount(), 7);
  EXPECT_FALSE(thumbs.IsUpdating());

  // The label program's settings: rows of 3, 3 and 1.
  thumbs.SetGridWidth(3);
  thumbs.SetLayout(vpThumbGrid);
  thumbs.SetPageCaptions("Page: #");
  thumbs.SetThumbSize(8);
  std::map<int, int> rows;
  for (int i = 0; i < 7; ++i) ++rows[thumbs.ThumbnailRect(i).Top + thumbs.ScrollPosition().Y];
  std::vector<int> lengths;
  for (const auto& [top, count] : rows) lengths.push_back(count);
  EXPECT_EQ(lengths, (std::vector<int>{3, 3, 1}));
  EXPECT_EQ(thumbs.Caption(2), "Page: 3");

  struct Click {
    int index;
    int page;
  };
  for (const Click c : {Click{2, 3}, Click{1, 2}, Click{6, 7}}) {
    scene.Click(c.index);
    EXPECT_EQ(scene.preview->CurrentPage(), c.page);
    EXPECT_EQ(thumbs.SelectedIndex(), c.index) << "VPM_CURRENTPAGE keeps it selected";
    const TVpIntRect in = thumbs.ThumbnailRect(c.index);
    EXPECT_GE(in.Top, 0) << "scrolled into view";
  }
  scene.preview->GoToPage(4);
  EXPECT_EQ(thumbs.SelectedIndex(), 3) << "the preview's page change reaches the strip";

  // Thick frame of the selected colour just outside the selected sheet; none on the others.
  thumbs.SetScrollPosition(0, 0);
  scene.preview->GoToPage(1);
  {
    const TPainted painted(thumbs);
    const TVpIntRect sheet = thumbs.SheetRect(0);
    EXPECT_EQ(painted.At(sheet.Left - 1, sheet.Top + 5), RGB(0, 0, 255));
    EXPECT_EQ(painted.At(sheet.Left - 2, sheet.Top + 5), RGB(0, 0, 255));
    const TVpIntRect other = thumbs.SheetRect(1);
    EXPECT_NE(painted.At(other.Left - 1, other.Top + 5), RGB(0, 0, 255));
  }

  // Without a preview the strip empties; freeing the preview clears the property.
  scene.thumbs->SetPreview(nullptr);
  EXPECT_EQ(thumbs.ThumbnailCount(), 0);
  scene.thumbs->SetPreview(scene.preview.get());
  EXPECT_EQ(thumbs.ThumbnailCount(), 7);
  scene.preview.reset();
  EXPECT_EQ(thumbs.Preview(), nullptr);
}

TEST(VpThumbnails, AThousandPagesPaintOnlyWhatIsInViewWithBoundedPictures) {
  TScene scene;
  TVpThumbnails& thumbs = *scene.thumbs;
  scene.AddPages(999);
  ASSERT_EQ(thumbs.ThumbnailCount(), 1000);
  // No child window per thumbnail.
  EXPECT_EQ(GetWindow(thumbs.Handle(), GW_CHILD), nullptr);

  EXPECT_EQ(scene.preview->CurrentPage(), 1000);
  EXPECT_EQ(thumbs.SelectedIndex(), 999);
  const int last = thumbs.ThumbnailRect(999).Right + thumbs.ScrollPosition().X;
  for (const int x : {0, last / 2, last}) {
    thumbs.SetScrollPosition(x, 0);
    const int before = thumbs.CachedPictureCount();
    { const TPainted painted(thumbs); }
    const int added = thumbs.CachedPictureCount() - before;
    EXPECT_GT(added, 0);
    EXPECT_LE(added, 6) << "only the few thumbnails in view at " << x;
  }
  RECT client;
  GetClientRect(thumbs.Handle(), &client);
  EXPECT_LE(thumbs.ThumbnailRect(999).Right, client.right) << "scrolled to the end";
  // Walking the whole strip keeps the pictures bounded.
  for (int x = 0; x <= last; x += 200) {
    thumbs.SetScrollPosition(x, 0);
    const TPainted painted(thumbs);
  }
  EXPECT_EQ(thumbs.CachedPictureCount(), TVpThumbnails::kCachedPictures);
}

}  // namespace
