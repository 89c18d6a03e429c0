#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpPaper.h"
#include "engine/VpPreview.h"
#include "engine/VpPropertyPickers.h"
#include "platform/GdiHandles.h"

namespace {

// A memory picture filled with grey.
struct TCanvas {
  MemoryDC dc;
  BitmapHandle bitmap;
  HGDIOBJ old;
  TCanvas(int width, int height) {
    const WindowDC screen(nullptr);
    bitmap.Reset(CreateCompatibleBitmap(screen.get(), width, height));
    old = SelectObject(dc.get(), bitmap.get());
    const RECT all{0, 0, width, height};
    const BrushHandle grey(CreateSolidBrush(RGB(128, 128, 128)));
    FillRect(dc.get(), &all, grey.get());
  }
  ~TCanvas() { SelectObject(dc.get(), old); }
  COLORREF At(int x, int y) const { return GetPixel(dc.get(), x, y); }
};

struct THost {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 700, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  std::unique_ptr<TVpPreview> preview = std::make_unique<TVpPreview>(window, 0, 0, 240, 300);
  ~THost() {
    preview.reset();
    DestroyWindow(window);
  }
};

TEST(VpPropertyPickers, PaperListFiltersChoosesFollowsAndDrawsItsPictures) {
  THost host;
  TVpPropertyComboBox combo(host.window, 250, 0);
  combo.SetPreviewProperty(vpPaperList);
  combo.OnAddItem = [](TVpPropertyComboBox&, const std::string& item, bool& add) {
    EXPECT_TRUE(add);
    add = item.rfind("Envelope", 0) != 0;
  };
  int changes = 0;
  combo.OnChange = [&](TVpPropertyComboBox&) { ++changes; };
  combo.SetPreview(host.preview.get());
  ASSERT_EQ(combo.ItemCount(), kVpPaperSizeCount - 7) << "the seven Envelope names left out";
  EXPECT_EQ(combo.Item(0), "A3");
  EXPECT_EQ(combo.Item(combo.ItemIndex()), PaperSizeName(host.preview->PaperSize()));

  auto indexOf = [&](const std::string& name) {
    for (int i = 0; i < combo.ItemCount(); ++i)
      if (combo.Item(i) == name) return i;
    return -1;
  };
  struct Picture {
    const char* name;
    TVpPropertyPicture picture;
  };
  for (const Picture p : {Picture{"C6", vpEnvelopePicture}, Picture{"B4", vpEnvelopePicture},
                          Picture{"A4", vpPaperPicture}, Picture{"Letter", vpPaperPicture}}) {
    const int index = indexOf(p.name);
    ASSERT_GE(index, 0) << p.name;
    EXPECT_EQ(combo.ItemPicture(index), p.picture) << p.name;
    // The drawn item: the envelope's top-left corner lies where the paper leaves background.
    TCanvas canvas(145, 20);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = static_cast<UINT>(index);
    item.hDC = canvas.dc.get();
    item.rcItem = {0, 0, 145, 20};
    SendMessageW(combo.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    const bool corner = canvas.At(6 + 1, 2 + 3) == RGB(0, 0, 0);
    EXPECT_EQ(corner, p.picture == vpEnvelopePicture) << p.name;
  }

  // The user's choice through the combo box's own notification.
  const TVpSize before = host.preview->GetPage(1).Size();
  SendMessageW(combo.ComboHandle(), CB_SETCURSEL, indexOf("Custom"), 0);
  SendMessageW(combo.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo.ComboHandle()));
  EXPECT_EQ(host.preview->PaperSize(), TVpPaperSize::Custom);
  EXPECT_EQ(host.preview->GetPage(1).Size().Width, before.Width) << "the page size stays";
  EXPECT_EQ(changes, 1);
  // A change made elsewhere reaches the list.
  host.preview->SetPaperSize(TVpPaperSize::A5);
  EXPECT_EQ(combo.ItemIndex(), indexOf("A5"));
  EXPECT_EQ(changes, 1);
}

TEST(VpPropertyPickers, PagePictureButtonsSetThePreviewAndFollowIt) {
  THost host;
  TVpPropertyGraphic graphic(host.window, 250, 40);
  graphic.SetPreviewProperty(vpMultipageGraphic);
  graphic.SetPreview(host.preview.get());
  ASSERT_EQ(graphic.ButtonCount(), 3);

  // The button column, centred: 3 buttons of 23 with gaps of 8 in 105 pixels.
  auto buttonTop = [&](int n) {
    RECT r;
    GetWindowRect(graphic.Button(n), &r);
    POINT p{r.left, r.top};
    ScreenToClient(graphic.Handle(), &p);
    EXPECT_EQ(p.x, TVpPropertyGraphic::kButtonLeft);
    return p.y;
  };
  EXPECT_EQ(buttonTop(1), 10);
  EXPECT_EQ(buttonTop(3), 72);

  struct Press {
    int button;
    TVpPagesPerSheet pages;
    TVpOrientation sheet;
  };
  for (const Press p : {Press{2, vpTwoPage, vpLandscape}, Press{3, vpFourPage, vpPortrait},
                        Press{1, vpOnePage, vpPortrait}}) {
    SendMessageW(graphic.Handle(), WM_COMMAND, MAKEWPARAM(p.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(graphic.Button(p.button)));
    EXPECT_EQ(host.preview->PagesPerSheet(), p.pages);
    EXPECT_EQ(graphic.Choice(), p.button);
    EXPECT_EQ(graphic.SheetOrientation(), p.sheet);
  }
  // Two pages on portrait pages: a landscape sheet split into two halves by a silver line.
  graphic.PressButton(2);
  {
    const TVpIntRect sheet = graphic.SheetRect();
    EXPECT_GT(sheet.Right - sheet.Left, sheet.Bottom - sheet.Top);
    TCanvas canvas(137, 105);
    graphic.Paint(canvas.dc.get());
    const int midX = (sheet.Left + sheet.Right) / 2;
    EXPECT_EQ(canvas.At(midX, sheet.Top + 2), RGB(192, 192, 192));
    EXPECT_EQ(canvas.At(sheet.Left + 2, sheet.Top + 2), RGB(255, 255, 255));
  }

  graphic.SetPreviewProperty(vpOrientationGraphic);
  ASSERT_EQ(graphic.ButtonCount(), 2);
  EXPECT_EQ(buttonTop(1), 25);
  graphic.PressButton(2);
  EXPECT_EQ(host.preview->Orientation(), vpLandscape);
  EXPECT_EQ(graphic.SheetOrientation(), vpLandscape);
  host.preview->SetOrientation(vpPortrait);
  EXPECT_EQ(graphic.Choice(), 1) << "VPM_ORIENTATION re-reads the preview";
  EXPECT_EQ(graphic.SheetOrientation(), vpPortrait);

  // Hiding the buttons gives the sheet the whole width; showing them again reserves a gutter
  // a little wider than the first one.
  const TVpIntRect shown = graphic.SheetRect();
  const int width = shown.Right - shown.Left;
  EXPECT_EQ(shown.Left, 26 + (137 - 26 - width) / 2);
  graphic.SetShowButtons(false);
  EXPECT_FALSE(IsWindowVisible(graphic.Button(1)));
  EXPECT_EQ(graphic.SheetRect().Left, (137 - width) / 2);
  graphic.SetShowButtons(true);
  EXPECT_EQ(graphic.SheetRect().Left, 30 + (137 - 30 - width) / 2);
}

}  // namespace
