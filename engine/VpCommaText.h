#pragma once
// Comma-separated text in the platform's string-list form, as the stored margins use it.

#include <string>
#include <string_view>
#include <vector>

// Items holding a comma, a double quote, a space or a control character are written in double
// quotes with their quotes doubled; others are written as they are. A single empty item is
// written as "".
std::string JoinCommaText(const std::vector<std::string>& items);

// The reverse, by the same list's reading rules: spaces and control characters around items
// are skipped, and outside quotes they end an item as a comma does; a quoted item ends at its
// closing quote (an unterminated one at the end of the text); a trailing comma adds an empty
// item. Empty text gives no items.
std::vector<std::string> SplitCommaText(std::string_view text);
