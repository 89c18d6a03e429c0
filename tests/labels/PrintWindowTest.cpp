// The print window as the main window opens it: ticked records become labels at the sheet's
// positions, the label type and start spin follow the sheet, the choices are kept, and
// pictures and bad sheets are handled without losing the window.
#include <windows.h>

#include <cmath>
#include <fstream>

#include "engine/VpObjects.h"
#include "tests/labels/MarrowbyFixture.h"
#include "tests/support/Screenshot.h"

namespace {

struct PlacedText {
  std::string text;
  TVpPoint at;  // inches from the page's top-left corner
};

std::vector<PlacedText> Texts(const TVpPage& page) {
  std::vector<PlacedText> texts;
  for (int i = 0; i < page.ObjectCount(); ++i)
    if (const auto* t = dynamic_cast<const TVpTextObject*>(&page.Object(i)))
      texts.push_back({t->Text(), t->Position()});
  return texts;
}

template <typename T>
int Count(const TVpPage& page) {
  int n = 0;
  for (int i = 0; i < page.ObjectCount(); ++i)
    n += dynamic_cast<const T*>(&page.Object(i)) != nullptr;
  return n;
}

constexpr long double kMm = 1 / 25.4L;

// A 48 x 48 24-bit bitmap file: a blue disc with an orange ring on white.
std::string LogoBitmap() {
  constexpr int kSize = 48;
  constexpr int kRowBytes = kSize * 3;
  std::string pixels;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const double d = std::hypot(x - 23.5, y - 23.5);
      const char* bgr = d < 15 ? "\xC0\x60\x10" : d < 22 ? "\x20\x90\xF0" : "\xFF\xFF\xFF";
      pixels.append(bgr, 3);
    }
  auto le32 = [](std::uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  std::string file = "BM" + le32(54 + kRowBytes * kSize) + le32(0) + le32(54);
  file += le32(40) + le32(kSize) + le32(kSize) + std::string("\x01\0\x18\0", 4) + le32(0) +
          le32(kRowBytes * kSize) + le32(2835) + le32(2835) + le32(0) + le32(0);
  return file + pixels;
}

// The window as a user sees it, at a size that keeps the picture small.
void Screenshot(TfrmPrint& p, const std::wstring& name) {
  ShowWindow(p.Handle(), SW_RESTORE);
  p.SetBounds(0, 0, 1100, 800);
  SaveWindowScreenshot(p.Handle(), name);
}

class PrintWindowTest : public MarrowbyFixture {
 protected:
  void SetUp() override { Start(); }

  TLabelSettings& Settings() { return Main().Settings().record; }
  TfrmPrint& Print() { return Forms().frmPrint; }

  // Opens the print window from the main window, runs check inside it, then closes it as
  // the user does.
  void InPrintWindow(const std::function<void(TfrmPrint&)>& check) {
    modals.Then<TfrmPrint>([&](TfrmPrint& p) {
      check(p);
      p.btnClose.Click();
    });
    Main().btnPreviewClick();
  }

  void TickAll() { Main().btnSelectClick(); }
};

}  // namespace

TEST_F(PrintWindowTest, TickedContactsFillTheSheetFromTheStartPositionInTableOrder) {
  AddContact(L"Dr", L"Sam", L"Young");
  AddContact(L"Mr", L"", L"Brown");
  AddContact(L"", L"Ann", L"Lee");
  AddContact(L"", L"", L"Zed");  // not ticked: filtered out
  ClickCheckMark(0);
  ClickCheckMark(1);
  ClickCheckMark(2);
  Settings().StartAddress = 5;
  InPrintWindow([](TfrmPrint& p) {
    Screenshot(p, L"marrowby-print-address");
    ASSERT_EQ(p.Preview().PageCount(), 1);
    const TVpPage& page = p.Preview().GetPage(1);
    EXPECT_EQ(Count<TVpRoundRectShape>(page), 7) << "positions 1 to 4 show empty outlines";
    const std::vector<PlacedText> texts = Texts(page);
    ASSERT_EQ(texts.size(), 15u);
    // Surname order; position 5 is row 2, column 2 of L7159_Address.
    const std::string firstLines[] = {"Mr Brown", "Ann Lee", "Dr Sam Young"};
    const TVpPoint corners[] = {{0.25L + 2.63L, 0.54L + 1.33L},
                                {0.25L + 2 * 2.63L, 0.54L + 1.33L},
                                {0.25L, 0.54L + 2 * 1.33L}};
    for (int label = 0; label < 3; ++label) {
      SCOPED_TRACE(label);
      EXPECT_EQ(texts[label * 5].text, firstLines[label]);
      for (int k = 0; k < 5; ++k) {
        const TVpPoint at = texts[label * 5 + k].at;
        EXPECT_NEAR(static_cast<double>(at.X), static_cast<double>(corners[label].X + 15 * kMm),
                    1e-6);
        const long double base[] = {4, 10, 16, 22, 28};
        EXPECT_NEAR(static_cast<double>(at.Y),
                    static_cast<double>(corners[label].Y + (base[k] + k) * kMm), 1e-6);
      }
    }
    for (int i = 0; i < page.ObjectCount(); ++i)
      EXPECT_EQ(page.Object(i).Printable(),
                dynamic_cast<const TVpRoundRectShape*>(&page.Object(i)) == nullptr)
          << "outlines show on screen only";
  });
  EXPECT_FALSE(Main().Store().cdsContact.Filtered()) << "closing switches the filter off";
}

TEST_F(PrintWindowTest, TheLabelTypeSetsTheSheetAndLimitsTheStart) {
  AddContact(L"", L"", L"Adams");
  AddContact(L"", L"", L"Brown");
  TickAll();
  struct Case {
    int type;
    int start;
    int expectedStart;
    double expectedMax;
    int pages;
  } cases[] = {
      {0, 24, 24, 24, 2},   // the second label goes to the top of page 2
      {8, 10, 1, 1, 2},     // one shipping label per sheet
      {19, 50, 1, 100, 1},  // no custom sheet yet: start 1 and a blank page
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Settings().TypeAddress = c.type;
    Settings().StartAddress = c.start;
    InPrintWindow([&](TfrmPrint& p) {
      EXPECT_EQ(p.spnStart.Value(), c.expectedStart);
      EXPECT_EQ(p.spnStart.MaxValue(), c.expectedMax);
      EXPECT_EQ(p.Preview().PageCount(), c.pages);
      EXPECT_EQ(p.btnCustomLabels.Enabled(), c.type == 19);
      if (c.type == 19) {
        EXPECT_EQ(p.Preview().GetPage(1).ObjectCount(), 0);
      }
    });
  }
}

TEST_F(PrintWindowTest, ChoicesMadeInTheWindowAreKeptPerMode) {
  AddContact(L"", L"", L"Adams");
  TickAll();
  InPrintWindow([&](TfrmPrint& p) {
    p.cmbLabelType.SetSelectedIndex(3);
    p.cmbLabelTypeChange();
    p.spnStart.SetValue(4);
    p.spnSpacing.SetValue(-2);
    p.spnTop.SetValue(7);
    p.spnLeft.SetValue(-9);
    FontChoice font;
    font.face = L"Liberation Serif";
    font.pointSize = 12;
    font.color = RGB(0, 0, 128);
    dialogs.AnswerFont(font);
    p.btnFontClick();
    ASSERT_TRUE(dialogs.lastFontRequest);
    EXPECT_TRUE(dialogs.lastFontRequest->trueTypeOnly);
    EXPECT_EQ(dialogs.lastFontRequest->minPointSize, 8);
    EXPECT_EQ(dialogs.lastFontRequest->maxPointSize, 16);
    const std::vector<PlacedText> texts = Texts(p.Preview().GetPage(1));
    ASSERT_FALSE(texts.empty());
  });
  const TLabelSettings& s = Settings();
  EXPECT_EQ(s.TypeAddress, 3);
  EXPECT_EQ(s.StartAddress, 4);
  EXPECT_EQ(s.SpacingAddress, -2);
  EXPECT_EQ(s.TopAddress, 7);
  EXPECT_EQ(s.LeftAddress, -9);
  EXPECT_EQ(s.FontNameAddress, "Liberation Serif");
  EXPECT_EQ(s.FontSizeAddress, 12);
  EXPECT_EQ(s.FontColor, static_cast<int>(RGB(0, 0, 128)));
  EXPECT_EQ(s.TypeGeneral, 0) << "general printing keeps its own choices";

  InPrintWindow([](TfrmPrint& p) {
    EXPECT_EQ(p.cmbLabelType.SelectedIndex(), 3);
    EXPECT_EQ(p.spnStart.Value(), 4);
    EXPECT_EQ(p.Preview().Canvas().Font.Name, "Liberation Serif");
  });
}

TEST_F(PrintWindowTest, GeneralLabelsDrawTheirPictureAndReportADamagedOne) {
  // A small logo, and a JPEG that ends after its first bytes.
  Write("logo.bmp", LogoBitmap());
  Write("broken.jpg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
  Main().radGeneral.Click();
  AddGeneral(L"Logo", Folder() + L"logo.bmp");
  AddGeneral(L"Missing", Folder() + L"nothing-here.png");
  TickAll();
  // The logo at the label's right, beside the lines.
  Settings().ImageTop = 4;
  Settings().ImageLeft = 44;
  Settings().ImageBottom = 20;
  Settings().ImageRight = 60;
  InPrintWindow([](TfrmPrint& p) {
    EXPECT_TRUE(p.spnImageTop.Enabled());
    Screenshot(p, L"marrowby-print-general");
    const TVpPage& page = p.Preview().GetPage(1);
    EXPECT_EQ(Count<TVpGraphicObject>(page), 1) << "a missing file draws no picture";
    EXPECT_EQ(Texts(page).size(), 10u) << "both labels get their five lines";
  });

  Main().radAddress.Click();
  Main().radGeneral.Click();
  AddGeneral(L"Broken", Folder() + L"broken.jpg");
  TickAll();
  dialogs.ClearCalls();
  dialogs.Answer(DialogAnswer::Ok);
  InPrintWindow([](TfrmPrint&) {});
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_NE(dialogs.Last().text.find(L"broken.jpg"), std::wstring::npos)
      << Narrow(dialogs.Last().text);
}

TEST_F(PrintWindowTest, ASheetThatCannotBeLaidOutIsRefusedWithAMessage) {
  AddContact(L"", L"", L"Adams");
  TickAll();
  TVpLabelSheetValues absurd{};
  absurd.Across = 10'000;
  absurd.Down = 10'000;
  absurd.LabelWidth = 1e300L;
  absurd.LabelHeight = 1;
  Print().Templates().AddCustomTemplate("Custom_Template", absurd, std::nullopt, TVpPaperSize::A4,
                                        TVpLabelShape::RoundRect, vpMillimeters);
  Settings().TypeAddress = 19;
  Settings().LabelNameAddress = "huge";
  dialogs.Answer(DialogAnswer::Ok);
  InPrintWindow([](TfrmPrint& p) { EXPECT_EQ(p.Preview().PageCount(), 1); });
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_EQ(dialogs.Last().text.back(), L'.');
}

TEST_F(PrintWindowTest, TheWheelMovesTheSheetTenPixelsAlsoWhenThePreviewHasTheFocus) {
  AddContact(L"", L"Ann", L"Lee");
  TickAll();
  InPrintWindow([](TfrmPrint& p) {
    TVpPreview& preview = p.Preview();
    preview.FitPageWidth();
    ASSERT_GT(preview.ScrollRange().Y, 30) << "the sheet must be taller than the window";
    const auto wheel = [&](HWND to, int delta) {
      SendMessageW(to, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
      return preview.ScrollPosition().Y;
    };
    const int start = preview.ScrollPosition().Y;
    EXPECT_EQ(wheel(p.Handle(), -WHEEL_DELTA), start + 10);
    SetFocus(preview.Handle());  // as a click on the sheet leaves it
    EXPECT_EQ(wheel(preview.Handle(), -WHEEL_DELTA), start + 20);
    EXPECT_EQ(wheel(preview.Handle(), WHEEL_DELTA), start + 10);
  });
}
