#pragma once
// TfrmImportGeneral: imports general records from a delimited text file.
#include "labels/ImportForm.h"

class TfrmImportGeneral : public ImportForm {
 public:
  using ImportForm::ImportForm;
  void Create();
};
