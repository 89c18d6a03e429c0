#include "engine/VpExpandTokens.h"

#include <cctype>
#include <ctime>

namespace {

void AppendNumber(std::string& out, int value, int minDigits) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < minDigits && value >= 0)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  out += digits;
}

// Replaces every occurrence of token left to right. Inserted text is never searched again, so
// a replacement that itself holds the token cannot make the expansion run forever; otherwise
// this is the same as replacing the first occurrence until none is left.
std::string ReplaceAll(std::string_view text, std::string_view token,
                       std::string_view replacement) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(token); at != std::string_view::npos;
       at = text.find(token, from)) {
    out.append(text, from, at - from);
    out += replacement;
    from = at + token.size();
  }
  if (from == 0) return std::string(text);
  out.append(text, from, std::string_view::npos);
  return out;
}

}  // namespace

TVpFormatSettings& FormatSettings() {
  static TVpFormatSettings settings;
  return settings;
}

TVpDateTime CurrentDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string FormatDateTime(std::string_view format, const TVpDateTime& when,
                           const TVpFormatSettings& settings) {
  std::string out;
  char lastLetter = 0;  // the previous format letter, upper case, to tell minutes from months
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '\'' || c == '"') {
      const std::size_t close = format.find(c, i + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close;
      out.append(format, i + 1, end - i - 1);
      i = end == format.size() ? end : end + 1;
      continue;
    }
    if (c == '/' || c == ':') {
      out += c == '/' ? settings.DateSeparator : settings.TimeSeparator;
      ++i;
      continue;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::size_t run = 1;
    while (i + run < format.size() &&
           std::toupper(static_cast<unsigned char>(format[i + run])) == letter)
      ++run;
    switch (letter) {
      case 'Y':
        if (run <= 2) {
          AppendNumber(out, when.Year % 100, 2);
        } else {
          AppendNumber(out, when.Year, 4);
        }
        break;
      case 'D':
      case 'M':
      case 'H':
      case 'N':
      case 'S': {
        run = run >= 2 ? 2 : 1;
        int value = 0;
        switch (letter) {
          case 'D': value = when.Day; break;
          case 'M': value = lastLetter == 'H' ? when.Minute : when.Month; break;
          case 'H': value = when.Hour; break;
          case 'N': value = when.Minute; break;
          default: value = when.Second; break;
        }
        AppendNumber(out, value, static_cast<int>(run));
        break;
      }
      default: out.append(format, i, run); break;
    }
    if (std::isalpha(static_cast<unsigned char>(c))) lastLetter = letter;
    i += run;
  }
  return out;
}

std::string ExpandTokens(std::string_view text, int pageNumber, int pageCount) {
  if (text.find("{DATE}") == std::string_view::npos &&
      text.find("{TIME}") == std::string_view::npos)
    return ExpandTokens(text, pageNumber, pageCount, TVpDateTime{});
  return ExpandTokens(text, pageNumber, pageCount, CurrentDateTime());
}

std::string ExpandTokens(std::string_view text, int pageNumber, int pageCount,
                         const TVpDateTime& now) {
  if (text.find('{') == std::string_view::npos) return std::string(text);
  const TVpFormatSettings& settings = FormatSettings();
  std::string out = ReplaceAll(text, "{DATE}", FormatDateTime(settings.DateFormat, now, settings));
  out = ReplaceAll(out, "{TIME}", FormatDateTime(settings.TimeFormat, now, settings));
  out = ReplaceAll(out, "{PAGE}", std::to_string(pageNumber));
  return ReplaceAll(out, "{NUMPAGES}", std::to_string(pageCount));
}
