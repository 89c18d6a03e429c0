#pragma once
// The system's own words for an error code, in UTF-8, without the trailing full stop and
// line break ("Access is denied").
#include <string>

std::string SystemErrorText(unsigned long errorCode);
