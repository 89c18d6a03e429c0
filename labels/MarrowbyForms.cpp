#include "labels/MarrowbyForms.h"

#include "platform/Application.h"

MarrowbyForms::MarrowbyForms()
    : frmAEContact(frmMain.Store().cdsContact),
      frmImport(frmMain.Store().cdsContact, frmMain.Settings().record, frmMain.Locale()),
      frmPrint(frmMain),
      frmSettings(frmMain.Settings()),
      frmAEGeneral(frmMain.Store().cdsGeneral),
      frmImportGeneral(frmMain.Store().cdsGeneral, frmMain.Settings().record, frmMain.Locale()),
      frmAECustomLabel(frmMain.Store().cdsCustomLabel),
      frmCustomLabels(frmPrint, frmAECustomLabel) {}

void MarrowbyForms::Create(const std::wstring& folder) {
  frmMain.Create(folder);
  Application::Get().SetMainForm(&frmMain);
  frmMain.Attach(*this);
  frmAEContact.Create();
  frmImport.Create();
  frmPrint.Create();
  frmPrint.Attach(frmCustomLabels);
  frmSettings.Create();
  frmAEGeneral.Create();
  frmImportGeneral.Create();
  frmCustomLabels.Create();
  frmAECustomLabel.Create();
}
