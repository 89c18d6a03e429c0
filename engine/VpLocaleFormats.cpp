#include "engine/VpLocaleFormats.h"

#include <windows.h>

#include "engine/VpExpandTokens.h"

namespace {

// The locale's separator when it is one single-byte character; the default otherwise.
char Separator(LCTYPE type, char fallback) {
  char text[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) == 2) return text[0];
  return fallback;
}

}  // namespace

void UseUserLocaleSeparators() {
  TVpFormatSettings& settings = FormatSettings();
  settings.DateSeparator = Separator(LOCALE_SDATE, '/');
  settings.TimeSeparator = Separator(LOCALE_STIME, ':');
}
