#pragma once
// What the record store needs from the user's locale and code page: a sort key for the text
// orders, comparison without regard to case, and the conversion of record text into the
// UTF-8 that error texts carry. The program passes the system's; tests use PlainTextLocale.
#include <string>
#include <string_view>

class TextLocale {
 public:
  virtual ~TextLocale() = default;
  // Bytes that compare (as unsigned bytes) the way the texts sort, case ignored.
  virtual std::string SortKey(std::string_view text) const = 0;
  virtual bool SameIgnoringCase(std::string_view a, std::string_view b) const = 0;
  virtual std::string ToUtf8(std::string_view text) const = 0;
};

// Windows-1252 text without a locale: case folding of its letters, byte order otherwise.
class PlainTextLocale final : public TextLocale {
 public:
  std::string SortKey(std::string_view text) const override;
  bool SameIgnoringCase(std::string_view a, std::string_view b) const override;
  std::string ToUtf8(std::string_view text) const override;
};
