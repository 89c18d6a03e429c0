#pragma once
// The control types the label program's windows are built from, in one place: switching to
// the custom-drawn controls is a change of these aliases.
#include "controls/StyledWrappers.h"
#include "platform/Controls.h"

using TLabelButton = StyledButton;
using TLabelCheckBox = StyledCheckBox;
using TLabelRadioButton = StyledRadioButton;
using TLabelGroupBox = StyledGroupBox;
using TLabelEdit = Edit;
using TLabelText = Label;
using TLabelComboBox = ComboBox;
