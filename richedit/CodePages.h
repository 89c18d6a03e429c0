#pragma once
// Conversion between 8-bit text and UTF-16. The portable core ships the single-byte pages
// and UTF-8; the Windows build injects a converter over the platform's own functions, which
// also knows the double-byte pages.
#include <cstdint>
#include <string>
#include <string_view>

namespace richedit {

inline constexpr std::uint32_t CodePageUtf8 = 65001;
inline constexpr std::uint32_t CodePageSymbol = 42;  // bytes are character codes 0-255

class CodePageConverter {
 public:
  virtual ~CodePageConverter() = default;
  virtual std::u16string decode(std::uint32_t codePage, std::string_view bytes) const = 0;
  // Characters the page cannot hold become '?'.
  virtual std::string encode(std::uint32_t codePage, std::u16string_view text) const = 0;
  // The one byte that stands for c in a single-byte page; false when there is none.
  virtual bool encodeChar(std::uint32_t codePage, char16_t c, char& byte) const = 0;
  // True when b starts a two-byte character in the page.
  virtual bool isLeadByte(std::uint32_t codePage, unsigned char b) const = 0;
};

// Built-in pages: 874, 1250-1258, 437, 850, 10000, UTF-8 and the symbol page. Any other page
// is read and written as Windows-1252.
class BuiltinCodePages final : public CodePageConverter {
 public:
  std::u16string decode(std::uint32_t codePage, std::string_view bytes) const override;
  std::string encode(std::uint32_t codePage, std::u16string_view text) const override;
  bool encodeChar(std::uint32_t codePage, char16_t c, char& byte) const override;
  bool isLeadByte(std::uint32_t codePage, unsigned char b) const override;
};

const CodePageConverter& builtinCodePages();

// The code page RTF's \fcharset (or CHARFORMAT2::bCharSet) implies; documentCodePage for the
// default character set and unknown ones.
std::uint32_t codePageForCharset(std::uint8_t charSet, std::uint32_t documentCodePage);

}  // namespace richedit
