#pragma once
// The text of a row of the main list, and the record number read back from it.
#include <cstdint>
#include <string>
#include <string_view>

#include "labels/records/RecordTable.h"

// "12:   Smith, John Mr" for the current contact (the title only with a name).
std::string ContactRowText(const RecordTable& contacts);
// "7:   Invoice 2044" for the current general record.
std::string GeneralRowText(const RecordTable& general);
// The decimal number before the first ':'; throws EError for a row without one.
std::int32_t RowNumber(std::string_view rowText);
