#pragma once
// Every window of Marrowby, created once at start in the program's fixed order and kept
// until the end.
#include <string>

#include "labels/AEContact.h"
#include "labels/AECustomLabel.h"
#include "labels/AEGeneral.h"
#include "labels/CustomLabels.h"
#include "labels/Import.h"
#include "labels/ImportGeneral.h"
#include "labels/Main.h"
#include "labels/Print.h"
#include "labels/Settings.h"

struct MarrowbyForms {
  MarrowbyForms();

  TfrmMain frmMain;
  TfrmAEContact frmAEContact;
  TfrmImport frmImport;
  TfrmPrint frmPrint;
  TfrmSettings frmSettings;
  TfrmAEGeneral frmAEGeneral;
  TfrmImportGeneral frmImportGeneral;
  TfrmAECustomLabel frmAECustomLabel;
  TfrmCustomLabels frmCustomLabels;

  // Creates the windows; the main window opens the tables of folder (shown errors aside,
  // the program goes on). The main window becomes the application's main form.
  void Create(const std::wstring& folder);
};
