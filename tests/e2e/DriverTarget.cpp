// A small program for the driver's own tests: a form with the kinds of controls the real
// programs have, a command that asks a question, and one that fails.
#include <windows.h>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Form.h"
#include "platform/ProgramMain.h"

namespace {

class TfrmTarget : public Form {
 public:
  Edit edtName;
  ListBox lstRows;
  Label lblAnswer;
  Button btnAdd, btnAsk, btnFail;

  void Create() {
    Form::Create(FormStyle::Dialog(L"Driver Target", 360, 260));
    edtName.Create(Handle(), 10, 10, 200, 22);
    btnAdd.Create(Handle(), L"&Add", 220, 10, 80, 24);
    btnAdd.OnClick = [this] { lstRows.Add(edtName.Text()); };
    lstRows.Create(Handle(), 10, 40, 200, 120, true);
    lstRows.SetItemHeight(21);
    lstRows.OnDrawItem = [this](const DRAWITEMSTRUCT& item) { DrawRow(item); };
    btnAsk.Create(Handle(), L"Ask", 220, 40, 80, 24);
    btnAsk.OnClick = [this] {
      lblAnswer.SetText(ConfirmYesNo(L"Delete checked [x] contact(s)?") ? L"yes" : L"no");
    };
    btnFail.Create(Handle(), L"Fail", 220, 70, 80, 24);
    btnFail.OnClick = [] { throw EError("Cannot open file \"x.csv\""); };
    lblAnswer.Create(Handle(), L"", 10, 170, 200, 20);
  }

 private:
  void DrawRow(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    RECT text = item.rcItem;
    text.left += 10;
    DrawTextW(item.hDC, lstRows.ItemText(static_cast<int>(item.itemID)).c_str(), -1, &text,
              DT_SINGLELINE | DT_VCENTER);
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TfrmTarget frmTarget;
  return RunProgram(L"Driver Target", [&] {
    frmTarget.Create();
    Application::Get().SetMainForm(&frmTarget);
    frmTarget.Show();
  });
}
