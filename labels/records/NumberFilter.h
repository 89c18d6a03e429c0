#pragma once
// The one filter the tables understand: "<number field> IN(<n>,<n>,...)", which keeps the
// records whose number is in the list.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct NumberFilter {
  std::string field;
  std::vector<std::int32_t> numbers;
};

// Throws EError for any other expression.
NumberFilter ParseNumberFilter(std::string_view expression);

// The expression for the numbers, in the given order: Contact_Number IN(3,7,12).
std::string NumberFilterExpression(std::string_view field,
                                   const std::vector<std::int32_t>& numbers);
