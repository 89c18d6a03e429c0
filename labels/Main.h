#pragma once
// TfrmMain: Marrowby's main window, the record list.
#include "platform/Form.h"

class TfrmMain : public Form {
public:
    void Create();
};
