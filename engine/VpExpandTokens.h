#pragma once
// Caption tokens: {DATE}, {TIME}, {PAGE} and {NUMPAGES} in header, footer and text-object
// captions, expanded when a page is drawn. Also the small date-time formatter they need and
// the engine-wide formats it uses.

#include <string>
#include <string_view>

// A local calendar date and time of day.
struct TVpDateTime {
  int Year = 1900;
  int Month = 1;  // 1 to 12
  int Day = 1;    // 1 to 31
  int Hour = 0;   // 0 to 23
  int Minute = 0;
  int Second = 0;
  friend bool operator==(const TVpDateTime&, const TVpDateTime&) = default;
};

// Engine-wide settings, set once when the program starts (the Windows side takes the
// separators from the user's locale). Everything runs on the user-interface thread.
struct TVpFormatSettings {
  std::string DateFormat = "dd/mm/yyyy";
  // The slash is the date separator here too, so the time prints as hours and minutes joined
  // by the locale's date separator.
  std::string TimeFormat = "hh/mm";
  char DateSeparator = '/';
  char TimeSeparator = ':';
};

TVpFormatSettings& FormatSettings();

// The local date and time now.
TVpDateTime CurrentDateTime();

// Formats with the platform's date-time syntax, letters in either case: d, dd (day), m, mm
// (month, or minutes right after an h or hh), yy, yyyy (a run of three or more y), h, hh,
// n, nn (minutes), s, ss; '/' gives the date separator and ':' the time separator; text in
// single or double quotes is copied without its quotes; any other character is copied.
std::string FormatDateTime(std::string_view format, const TVpDateTime& when,
                           const TVpFormatSettings& settings);

// Replaces, in this order, every {DATE}, {TIME}, {PAGE} and {NUMPAGES} (case-sensitive) by
// the date and time in the engine-wide formats, the page number and the page count. The
// clock is read at most once per call.
std::string ExpandTokens(std::string_view text, int pageNumber, int pageCount);
// The same with the date and time given, for callers that fix the clock.
std::string ExpandTokens(std::string_view text, int pageNumber, int pageCount,
                         const TVpDateTime& now);
