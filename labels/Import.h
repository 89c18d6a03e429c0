#pragma once
// TfrmImport: imports contacts from a delimited text file.
#include "labels/ImportForm.h"

class TfrmImport : public ImportForm {
 public:
  using ImportForm::ImportForm;
  void Create();
};
