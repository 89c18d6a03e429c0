#pragma once
// Plain text in and out: 8-bit text in a code page through a converter, or UTF-16 little
// endian (SF_UNICODE). CR, LF and CR LF all read as one paragraph end; paragraph ends and line
// breaks are written as CR LF.
#include <cstdint>
#include <string>
#include <string_view>

#include "richedit/ByteStream.h"
#include "richedit/CodePages.h"
#include "richedit/TextTypes.h"

namespace richedit {

struct PlainTextReadResult {
  bool ok = true;       // false: the source failed (text holds what came before)
  std::u16string text;  // '\r' for paragraph ends
  bool textLimitReached = false;
  std::string message;
};

struct PlainTextOptions {
  bool unicode = false;                          // UTF-16 LE instead of 8-bit
  std::uint32_t codePage = 1252;                 // for 8-bit text
  const CodePageConverter* converter = nullptr;  // null: the built-in pages
  CharPos maxChars = 64 * 1024 * 1024;
};

PlainTextReadResult readPlainText(ByteSource& source, const PlainTextOptions& options = {});

// text uses the document's positions ('\r' paragraph ends); pictures must already be left out.
bool writePlainText(std::u16string_view text, ByteSink& sink, const PlainTextOptions& options = {});
std::string encodePlainText(std::u16string_view text, const PlainTextOptions& options = {});

}  // namespace richedit
