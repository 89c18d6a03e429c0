#pragma once
// Text comparison in the user's locale, case ignored: sort keys for ordering many texts and
// a direct equality test.
#include <string>

// Bytes whose unsigned order is the locale's order of the texts, case ignored.
std::string LocaleSortKey(const std::wstring& text);
bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b);
