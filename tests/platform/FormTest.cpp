// The framework's forms and controls as real windows: the general error handler, modal
// forms (scripted and with the real loop), centring, title dragging and the standard
// controls' behaviour that the programs' windows rely on.
#include <filesystem>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Error.h"
#include "platform/Form.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

class TestForm : public Form {
 public:
  Button btnFail, btnOk, btnCount;
  Edit edtName;
  CheckBox chkOption;
  RadioButton radA, radB, radC;
  ListBox lstRows;
  int clicks = 0;
  int sysCommand = 0;

  void Create(const std::wstring& caption = L"Test form") {
    Form::Create(FormStyle::Dialog(caption, 320, 260));
    btnFail.Create(Handle(), L"Fail", 8, 8, 80, 24);
    btnFail.OnClick = [] { throw EError("The disk is full"); };
    btnOk.Create(Handle(), L"OK", 96, 8, 80, 24);
    btnOk.SetModalResult(mrOk);
    btnCount.Create(Handle(), L"Count", 184, 8, 80, 24);
    btnCount.OnClick = [this] { ++clicks; };
    edtName.Create(Handle(), 8, 40, 200, 22);
    chkOption.Create(Handle(), L"Option", 8, 70, 100, 20);
    radA.Create(Handle(), L"A", 8, 94, 40, 20, true);
    radB.Create(Handle(), L"B", 52, 94, 40, 20, false);
    radC.Create(Handle(), L"C", 96, 94, 40, 20, true);
    lstRows.Create(Handle(), 8, 120, 200, 90, true);
    lstRows.SetItemHeight(21);
    lstRows.OnDrawItem = [](const DRAWITEMSTRUCT&) {};
    SetDefaultButton(&btnCount);
  }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_MOVE) {
      sysCommand = static_cast<int>(wp);
      return 0;  // do not enter the real move loop
    }
    return Form::WndProc(msg, wp, lp);
  }
};

class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    Application::Get().SetTitle(L"Marrowby");
    form.Create();
  }
  ScriptedDialogs dialogs;
  ModalScript modals;
  TestForm form;
};

}  // namespace

TEST_F(FormTest, FailureInAnEventHandlerShowsTheGeneralErrorBoxAndTheProgramGoesOn) {
  dialogs.Answer(DialogAnswer::Ok).Answer(DialogAnswer::Ok);
  form.btnFail.Click();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_EQ(dialogs.Last().caption, L"Marrowby");
  EXPECT_EQ(dialogs.Last().text, L"The disk is full.");

  // The window still works: later events run, and a second failure is reported again.
  form.btnCount.Click();
  EXPECT_EQ(form.clicks, 1);
  form.btnFail.Click();
  EXPECT_EQ(dialogs.Calls().size(), 2u);
}

TEST_F(FormTest, ErrorCaptionFollowsTheApplicationTitle) {
  Application::Get().SetTitle(L"letter.rtf");
  dialogs.Answer(DialogAnswer::Ok);
  form.btnFail.Click();
  EXPECT_EQ(dialogs.Last().caption, L"letter.rtf");
}

TEST_F(FormTest, ScriptedModalFormEndsWithTheResultOfTheButton) {
  TestForm owner;
  owner.Create(L"Owner");
  owner.Show();
  bool ownerDisabledWhileModal = false;
  modals.Then<TestForm>([&](TestForm& f) {
    ownerDisabledWhileModal = !IsWindowEnabled(owner.Handle());
    EXPECT_TRUE(f.Visible());
    f.btnOk.Click();
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_TRUE(ownerDisabledWhileModal);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, ModalFormLeftOpenByATestFailsInsteadOfHanging) {
  static TestForm* shown;
  shown = &form;
  EXPECT_NONFATAL_FAILURE(
      {
        ModalScript script;
        script.Then([](Form&) {});
        EXPECT_EQ(shown->ShowModal(), mrCancel);
      },
      "left the modal form open");
}

TEST_F(FormTest, RealModalLoopEndsWhenTheFormIsClosed) {
  const auto saved = Form::SetModalHandler(nullptr);
  PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
  const int result = form.ShowModal();
  Form::SetModalHandler(saved);
  EXPECT_EQ(result, mrCancel);
}

TEST_F(FormTest, RealModalLoopTakesTheResultOfAClickedButton) {
  const auto saved = Form::SetModalHandler(nullptr);
  PostMessageW(form.btnOk.Handle(), BM_CLICK, 0, 0);
  const int result = form.ShowModal();
  Form::SetModalHandler(saved);
  EXPECT_EQ(result, mrOk);
}

TEST_F(FormTest, CentresOnAnotherWindow) {
  TestForm other;
  other.Create(L"Other");
  other.SetBounds(100, 50, 600, 400);
  form.CenterOn(other.Handle());
  const RECT r = form.Bounds();
  EXPECT_EQ(r.left, 100 + (600 - 320) / 2);
  EXPECT_EQ(r.top, 50 + (400 - 260) / 2);
}

TEST_F(FormTest, TitleDragAsksTheSystemToMoveTheWindow) {
  form.BeginTitleDrag();
  EXPECT_EQ(form.sysCommand, 61458);
}

TEST_F(FormTest, EnterClicksTheDefaultButtonAndEscapeCancelsAModalForm) {
  SendMessageW(form.Handle(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(form.clicks, 1);
  modals.Then([](Form& f) { SendMessageW(f.Handle(), WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST_F(FormTest, StandardControlsBehaveAsTheWindowsOnes) {
  form.edtName.SetText(L"Grüße");
  EXPECT_EQ(form.edtName.Text(), L"Grüße");

  form.chkOption.Click();
  EXPECT_TRUE(form.chkOption.Checked());
  form.chkOption.Click();
  EXPECT_FALSE(form.chkOption.Checked());

  // A radio button clears the others of its group only.
  form.radC.SetChecked(true);
  form.radA.Click();
  form.radB.Click();
  EXPECT_FALSE(form.radA.Checked());
  EXPECT_TRUE(form.radB.Checked());
  EXPECT_TRUE(form.radC.Checked());

  // Owner-drawn rows still carry their strings for LB_GETTEXT readers.
  form.lstRows.Add(L"1:   Smith, John Mr");
  form.lstRows.Add(L"2:   Jones");
  ASSERT_EQ(form.lstRows.Count(), 2);
  wchar_t row[64] = {};
  SendMessageW(form.lstRows.Handle(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
  EXPECT_STREQ(row, L"2:   Jones");
  EXPECT_EQ(SendMessageW(form.lstRows.Handle(), LB_GETITEMHEIGHT, 0, 0), 21);
}

TEST_F(FormTest, ControlsAreFoundFromTheirWindows) {
  EXPECT_EQ(Control::FromHandle(form.btnOk.Handle()), &form.btnOk);
  EXPECT_EQ(Form::FromHandle(form.Handle()), &form);
  EXPECT_EQ(Form::FromHandle(form.btnOk.Handle()), nullptr);
  EXPECT_EQ(Control::FromHandle(nullptr), nullptr);
}

TEST_F(FormTest, ScreenshotIsWrittenAsAPngOfTheWindowSize) {
  form.Show();
  const std::wstring path = SaveWindowScreenshot(form.Handle(), L"platform-test-form");
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_GT(std::filesystem::file_size(path), 100u);
}

TEST_F(FormTest, ActivationGivesTheFocusBackToTheControlThatHadIt) {
  TestForm other;
  other.Create(L"Other");
  form.Show();
  form.edtName.SetFocus();
  other.Show();
  SetActiveWindow(other.Handle());
  EXPECT_NE(GetFocus(), form.edtName.Handle());
  SetActiveWindow(form.Handle());
  EXPECT_EQ(GetFocus(), form.edtName.Handle());
}

TEST_F(FormTest, FirstFocusIsTakenEachTimeTheFormIsShown) {
  form.SetFirstFocus(&form.edtName);
  form.Show();
  EXPECT_EQ(GetFocus(), form.edtName.Handle());
  form.btnCount.SetFocus();
  form.Hide();
  form.Show();
  EXPECT_EQ(GetFocus(), form.edtName.Handle());
}
