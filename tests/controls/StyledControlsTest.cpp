// The styled controls inside the framework's forms: their modal results end a modal form,
// their failures reach the general error box, and the message loop gives them Enter.
#include <gtest/gtest.h>

#include "controls/StyledButton.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/Form.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

class HostForm : public Form {
 public:
  void Create() { Form::Create(FormStyle::Dialog(L"Host", 300, 200)); }
};

class StyledInFormTest : public testing::Test {
 protected:
  void SetUp() override {
    Application::Get().SetTitle(L"Marrowby");
    form.Create();
  }
  ScriptedDialogs dialogs;
  HostForm form;
};

}  // namespace

TEST_F(StyledInFormTest, ButtonWithAModalResultEndsTheRealModalLoop) {
  controls::TStyledButton btnSave(form.Handle(), 10, 10);
  btnSave.SetModalResult(mrOk);
  const auto saved = Form::SetModalHandler(nullptr);
  PostMessageW(btnSave.Handle(), BM_CLICK, 0, 0);
  const int result = form.ShowModal();
  Form::SetModalHandler(saved);
  EXPECT_EQ(result, mrOk);
}

TEST_F(StyledInFormTest, FailureInAStyledButtonsClickReachesTheGeneralErrorBox) {
  controls::TStyledButton btnFail(form.Handle(), 10, 10);
  btnFail.OnClick = [](controls::TStyledControl&) {
    throw EError("Could not find template Avery");
  };
  dialogs.Answer(DialogAnswer::Ok);
  SendMessageW(btnFail.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Error);
  EXPECT_EQ(dialogs.Last().caption, L"Marrowby");
  EXPECT_EQ(dialogs.Last().text, L"Could not find template Avery.");
}

TEST_F(StyledInFormTest, EnterInTheMessageLoopClicksTheDefaultStyledButton) {
  controls::TStyledButton btnOther(form.Handle(), 10, 10);
  controls::TStyledButton btnDefault(form.Handle(), 10, 50);
  btnDefault.SetDefault(true);
  int clicks = 0;
  btnDefault.OnClick = [&](controls::TStyledControl&) { ++clicks; };
  form.Show();
  SetFocus(btnOther.Handle());
  MSG msg{btnOther.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  SetActiveWindow(form.Handle());
  Application::Get().DispatchOne(msg);
  EXPECT_EQ(clicks, 0) << "Enter belongs to the focused styled button";
  SetFocus(nullptr);
  msg.hwnd = form.Handle();
  Application::Get().DispatchOne(msg);
  EXPECT_EQ(clicks, 1);
}
