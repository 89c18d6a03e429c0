#pragma once
// Small helpers shared by the rich-text tests.
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "richedit/ByteStream.h"
#include "richedit/CodePages.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

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

// A made-up double-byte code page: 0x81 leads, and the pair 0x81 b stands for U+4E00 + b.
struct PairCodePage final : CodePageConverter {
  std::u16string decode(std::uint32_t, std::string_view bytes) const override {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (static_cast<unsigned char>(bytes[i]) == 0x81 && i + 1 < bytes.size()) {
        out.push_back(static_cast<char16_t>(0x4E00 + static_cast<unsigned char>(bytes[++i])));
      } else {
        out.push_back(static_cast<unsigned char>(bytes[i]));
      }
    }
    return out;
  }
  std::string encode(std::uint32_t, std::u16string_view) const override { return {}; }
  bool encodeChar(std::uint32_t, char16_t, char&) const override { return false; }
  bool isLeadByte(std::uint32_t, unsigned char b) const override { return b == 0x81; }
};

inline CharFormat formatWith(std::uint32_t effects) {
  CharFormat f = defaultCharFormat();
  f.effects |= effects;
  normalize(f);
  return f;
}

}  // namespace richedit::test
