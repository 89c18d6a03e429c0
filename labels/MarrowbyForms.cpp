#include "labels/MarrowbyForms.h"

#include "platform/Application.h"

MarrowbyForms::MarrowbyForms()
    : frmAEContact(frmMain.Store().cdsContact),
      frmImport(frmMain.Store().cdsContact, frmMain.Settings().record, frmMain.Locale()),
      frmSettings(frmMain.Settings()),
      frmAEGeneral(frmMain.Store().cdsGeneral),
      frmImportGeneral(frmMain.Store().cdsGeneral, frmMain.Settings().record, frmMain.Locale()) {}

void MarrowbyForms::Create(const std::wstring& folder) {
  frmMain.Create(folder);
  Application::Get().SetMainForm(&frmMain);
  frmMain.Attach(*this);
  frmAEContact.Create();
  frmImport.Create();
  // TfrmPrint comes here.
  frmSettings.Create();
  frmAEGeneral.Create();
  frmImportGeneral.Create();
  // TfrmCustomLabels and TfrmAECustomLabel come here.
}
