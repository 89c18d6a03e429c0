#pragma once
// Values, paper and margins in one include, for units that use all of them.

#include "engine/VpMarginValues.h"
#include "engine/VpPageSetup.h"
#include "engine/VpPaper.h"
#include "engine/VpValue.h"
#include "engine/VpValueRect.h"
#include "engine/VpValueSize.h"
