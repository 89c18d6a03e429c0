#pragma once
// The control types the label program's windows are built from, in one place: switching to
// the custom-drawn controls is a change of these aliases.
#include "platform/Controls.h"

using TLabelButton = Button;
using TLabelCheckBox = CheckBox;
using TLabelRadioButton = RadioButton;
using TLabelGroupBox = GroupBox;
using TLabelEdit = Edit;
using TLabelText = Label;
using TLabelComboBox = ComboBox;
