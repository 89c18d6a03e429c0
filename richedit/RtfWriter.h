#pragma once
// Writes a fragment as RTF that Word, LibreOffice and WordPad read back, and that our reader
// reads back to the same fragment: font and colour tables, only the formatting changes
// between runs, \uN? for characters outside the font's code page, paragraph properties after
// \pard whenever they change, old-style \pn numbering, pictures with their original bytes,
// links as HYPERLINK fields.
#include <cstdint>
#include <string>

#include "richedit/ByteStream.h"
#include "richedit/CodePages.h"
#include "richedit/RichTextFragment.h"

namespace richedit {

struct RtfWriteOptions {
  std::uint32_t codePage = 1252;                 // written as \ansicpg
  const CodePageConverter* converter = nullptr;  // null: the built-in pages
};

std::string writeRtf(const RichTextFragment& fragment, const RtfWriteOptions& options = {});
bool writeRtf(const RichTextFragment& fragment, ByteSink& sink,
              const RtfWriteOptions& options = {});

}  // namespace richedit
