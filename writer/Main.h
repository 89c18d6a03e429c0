#pragma once
// TFrmMain: Tessary's main window around the document.
#include "platform/Form.h"

class TFrmMain : public Form {
 public:
  void Create();
};
