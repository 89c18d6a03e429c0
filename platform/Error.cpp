#include "platform/Error.h"

std::string WithFullStop(std::string text) {
  if (text.empty() || text.back() != '.') text += '.';
  return text;
}
