// Tessary's print preview and quick print inside the program: the preview window opened from
// the main window, its margins and header and footer dialogs, the quality list, and quick
// print's page rectangle and its loops, with the scripted dialogs standing in for the user.
#include <windows.h>

#include <richedit.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/ModalResult.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/Main.h"
#include "writer/print/PrintPreview.h"
#include "writer/print/QuickPrint.h"

using namespace writer;

namespace {

TEST(QuickPrintPageRect, KeepsWholePixelsPerMillimetreAndFiveMoreAtTheSides) {
  const struct Case {
    double left, top, right, bottom;
    POINT resolution;
    SIZE page;
    RECT expected;
  } cases[] = {
      // 600 per inch: 24 pixels a millimetre; 25 + 5 mm at the sides, 15 mm above and below.
      {25, 15, 25, 15, {600, 600}, {4800, 6600}, {720, 360, 4800 - 720, 6600 - 360}},
      // 300 per inch: 12 a millimetre; 12.6 mm rounds to 18 with the five, 7.5 to 8 (even).
      {12.6, 7.5, 0, 0.4, {300, 300}, {2450, 3200}, {216, 96, 2450 - 60, 3200}},
  };
  for (const Case& c : cases) {
    const RECT r = QuickPrintPageRect(c.left, c.top, c.right, c.bottom, c.resolution, c.page);
    EXPECT_TRUE(EqualRect(&r, &c.expected))
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(PrintRangeLoop, StartsAPageForWhatIsLeftAndStopsWhenACallMakesNoProgress) {
  const struct Case {
    const char* name;
    long first, end;
    std::vector<long> answers;  // what each formatting call returns
    int pages;                  // -1: the loop gives up with a failure
  } cases[] = {
      {"one page", 0, 50, {50}, 1},
      {"three pages", 10, 95, {40, 80, 95}, 3},
      {"the control's end", 0, 90, {60, -1}, 2},
      {"a page that takes nothing", 0, 90, {60, 60}, -1},
  };
  for (const Case& c : cases) {
    std::size_t call = 0;
    int newPages = 0;
    std::vector<long> starts;
    const auto format = [&](long start) {
      starts.push_back(start);
      return c.answers.at(call++);
    };
    if (c.pages < 0) {
      try {
        PrintRangeLoop(c.first, c.end, format, [&] { ++newPages; });
        ADD_FAILURE() << c.name << ": no failure";
      } catch (const EError& e) {
        EXPECT_EQ(std::string(e.what()).back(), '.') << c.name;
      }
      continue;
    }
    EXPECT_EQ(PrintRangeLoop(c.first, c.end, format, [&] { ++newPages; }), c.pages) << c.name;
    EXPECT_EQ(newPages, c.pages - 1) << c.name;
    EXPECT_EQ(starts.front(), c.first) << c.name;
    for (std::size_t i = 1; i < starts.size(); ++i)
      EXPECT_EQ(starts[i], c.answers[i - 1]) << c.name << ": the next page starts where one ended";
  }
}

TEST(WheelScrollTarget, MovesTenPositionsAndStopsAtTheEnds) {
  const struct Case {
    int range, position, delta, expected;
  } cases[] = {
      {100, 0, -120, 10},   // a step down
      {100, 89, -120, 99},  // more than ten left
      {100, 90, -120, 90},  // ten or fewer left: stays
      {100, 50, 120, 40},   // a step up
      {100, 4, 120, 0},     // up stops at the start
      {0, 0, -120, 0},      // nothing to scroll
  };
  for (const Case& c : cases)
    EXPECT_EQ(WheelScrollTarget(c.range, c.position, c.delta), c.expected)
        << c.range << " " << c.position << " " << c.delta;
}

TEST(InchesHint, ShowsOneOrTwoDecimals) {
  const std::pair<int, const wchar_t*> cases[] = {
      {15, L"0.59"}, {25, L"0.98"}, {5, L"0.2"}, {100, L"3.94"}, {254, L"10.0"}};
  for (const auto& [mm, inches] : cases)
    EXPECT_EQ(InchesHint(mm), std::wstring(L"Value in Inches: ") + inches) << mm;
}

class TessaryPrintPreview : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFrmMain>();
    form->Create();
    form->Show();
    Pump();
  }
  void TearDown() override {
    Form::SetModalHandler(previous);
    form.reset();
  }
  static void Pump() { Application::Get().ProcessMessages(); }
  TfrmPrintPreview& Preview() { return form->PrintPreview(); }
  // Every modal window runs the script for it and closes with its answer.
  void OnModal(std::function<int(Form&)> script) {
    previous = Form::SetModalHandler([script](Form& f) { f.SetModalResult(script(f)); });
  }
  std::wstring PageLabel() { return Preview().Label3.Text(); }

  ScriptedDialogs dialogs;
  std::unique_ptr<TFrmMain> form;
  Form::ModalHandler previous;
};

}  // namespace

TEST_F(TessaryPrintPreview, AnEmptyDocumentShowsOnePageAndTheLabelsNavigateALongOne) {
  OnModal([](Form&) { return mrCancel; });
  form->RunCommand(cmdPrintPreview);
  EXPECT_EQ(PageLabel(), L"Page: 1 of 1");
  EXPECT_EQ(Preview().VpPreview1().PageCount(), 1);

  std::wstring text;
  for (int i = 0; i < 200; ++i) text += L"Line " + std::to_wstring(i) + L"\r\n";
  SetWindowTextW(form->Editor.Handle(), text.c_str());
  form->RunCommand(cmdPrintPreview);
  const int pages = Preview().VpPreview1().PageCount();
  ASSERT_GE(pages, 3);
  const std::wstring of = L" of " + std::to_wstring(pages);
  const struct Step {
    Label& label;
    std::wstring shown;
  } steps[] = {{Preview().Label8, L"Page: " + std::to_wstring(pages) + of},
               {Preview().Label7, L"Page: " + std::to_wstring(pages - 1) + of},
               {Preview().Label6, L"Page: 1" + of},
               {Preview().Label9, L"Page: 2" + of}};
  for (const Step& s : steps) {
    s.label.OnClick();
    EXPECT_EQ(PageLabel(), s.shown);
  }
}

TEST_F(TessaryPrintPreview, MarginsApplyToThePreviewAndCloseChangesNothing) {
  TfrmPrintPreview& p = Preview();
  const MarginSettings before = form->Margins;
  // "Close" after changes: the stored margins and the preview stay; reopening shows them again.
  OnModal([&](Form& f) {
    if (&f == &p.MarginsForm) p.MarginsForm.spnTop.SetValue(40);
    return mrCancel;
  });
  p.btnMarginsClick();
  EXPECT_EQ(form->Margins, before);
  EXPECT_NEAR(p.VpPreview1().Margins().Top().AsMillimeters(), before.Top, 1e-9);
  p.MarginsForm.Load(form->Margins);
  EXPECT_EQ(p.MarginsForm.Values(), before);

  OnModal([&](Form& f) {
    if (&f == &p.MarginsForm) {
      p.MarginsForm.spnTop.SetValue(20);
      p.MarginsForm.spnHeader.SetValue(15);
    }
    return mrOk;
  });
  p.btnMarginsClick();
  EXPECT_EQ(form->Margins.Top, 20);
  EXPECT_EQ(form->Margins.Header, 15);
  EXPECT_NEAR(p.VpRtfPreview1.TopAllowance().AsMillimeters(), 35, 0.05);
  EXPECT_NEAR(p.VpPreview1().Margins().Top().AsMillimeters(), 20, 1e-9);
}

TEST_F(TessaryPrintPreview, HeaderTextsStopAtFortyCharactersAndReachThePreview) {
  TfrmPrintPreview& p = Preview();
  THeaderFooterForm& dialog = p.HeaderFooterForm;
  for (int i = 0; i < 41; ++i)
    SendMessageW(dialog.edtTitles[1].Handle(), WM_CHAR, L'a' + i % 26, 1);
  EXPECT_EQ(dialog.edtTitles[1].Text().size(), 40u);
  OnModal([&](Form& f) {
    if (&f == &dialog) {
      dialog.edtTitles[1].SetText(L"Page: {PAGE} of {NUMPAGES}");
      dialog.chkHeaderLine.SetChecked(true);
    }
    return mrOk;
  });
  p.btnHeaderFooterClick();
  EXPECT_EQ(p.VpPreview1().Header().CaptionCenter().Caption(), "Page: {PAGE} of {NUMPAGES}");
  EXPECT_TRUE(p.VpPreview1().Header().ShowLine());
  EXPECT_FALSE(p.VpPreview1().Footer().ShowLine());
  EXPECT_TRUE(p.VpPreview1().Header().Visible());
}

TEST_F(TessaryPrintPreview, DefaultQualityLeavesTheChosenOneInPlace) {
  TfrmPrintPreview& p = Preview();
  TVpPrinter& printer = p.VpPreview1().VpPrinter();
  if (printer.PrinterIndex() < 0) GTEST_SKIP() << "Needs the test printer.";
  const struct Step {
    int item;
    TVpPrintQuality expected;
  } steps[] = {{2, vpDraft}, {4, vpDraft}, {1, vpMedium}, {0, vpHigh}, {3, vpLow}, {4, vpLow}};
  for (const Step& s : steps) {
    p.ComboBox2.SetSelectedIndex(s.item);
    p.ComboBox2Change();
    EXPECT_EQ(printer.PrintQuality(), s.expected) << "item " << s.item;
  }
}

TEST_F(TessaryPrintPreview, ADialogPrintWithNoRoomForTextFailsWithoutTouchingTheDocument) {
  TfrmPrintPreview& p = Preview();
  TVpPrinter& printer = p.VpPreview1().VpPrinter();
  if (printer.PrinterIndex() < 0) GTEST_SKIP() << "Needs the test printer.";
  SetWindowTextW(form->Editor.Handle(), L"Some text that cannot be placed.");
  SendMessageW(form->Editor.Handle(), EM_SETMODIFY, FALSE, 0);
  p.VpPreview1().Margins().Top().SetAsMillimeters(200);
  p.VpPreview1().Margins().Bottom().SetAsMillimeters(200);
  PrintChoice choice;
  choice.printerName = printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())];
  // The selection's loop: the whole document's falls back to the whole page when the margins
  // leave nothing.
  choice.range = PrintChoice::Range::Selection;
  form->Editor.Select(0, 9);
  dialogs.AnswerPrint(choice);
  try {
    form->BtnQuickPrintClick(false);
    ADD_FAILURE() << "the job was reported as printed";
  } catch (const EError& e) {
    EXPECT_EQ(std::string(e.what()).back(), '.');
  }
  EXPECT_FALSE(dialogs.lastPrintRequest.allowPageRange);
  EXPECT_TRUE(dialogs.lastPrintRequest.allowSelection);
  EXPECT_TRUE(dialogs.lastPrintRequest.selectionChosen);
  EXPECT_FALSE(SendMessageW(form->Editor.Handle(), EM_GETMODIFY, 0, 0));
  EXPECT_FALSE(printer.Printing());
}
