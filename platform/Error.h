#pragma once
// Failures travel as exceptions. EError carries the text the user will read; the text is
// held as UTF-8 so that paths and names outside the system code page survive.
#include <stdexcept>
#include <string>

class EError : public std::runtime_error {
 public:
  explicit EError(const std::string& utf8Text) : std::runtime_error(utf8Text) {}
};

// The general error handler's wording: the failure's text with a full stop added when it
// does not already end in one.
std::string WithFullStop(std::string text);
