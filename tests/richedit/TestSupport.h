#pragma once
// Small helpers shared by the rich-text tests.
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/richedit/ByteStream.h"
#include "platform/richedit/CodePages.h"
#include "platform/richedit/RichTextDocument.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"

namespace richedit::test {

inline std::u16string u16(std::string_view utf8) {
  return builtinCodePages().decode(CodePageUtf8, utf8);
}

inline std::string utf8(std::u16string_view text) {
  return builtinCodePages().encode(CodePageUtf8, text);
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string dataPath(const std::string& name) {
  return std::string(TEST_DATA_DIR) + "/rtf/" + name;
}

inline RtfReadResult readRtfString(std::string_view rtf, const RtfReadOptions& options = {}) {
  MemorySource source(rtf);
  return readRtf(source, options);
}

// Reads RTF into a fresh document, as a whole-document stream-in does.
inline RichTextDocument documentFromRtf(std::string_view rtf) {
  RichTextDocument doc;
  doc.load(readRtfString(rtf).fragment);
  return doc;
}

inline RichTextDocument documentWithText(std::u16string_view text) {
  RichTextDocument doc;
  doc.replaceText({0, 0}, text);
  doc.emptyUndo();
  return doc;
}

inline CharFormat formatWith(std::uint32_t effects) {
  CharFormat f = defaultCharFormat();
  f.effects |= effects;
  normalize(f);
  return f;
}

}  // namespace richedit::test
