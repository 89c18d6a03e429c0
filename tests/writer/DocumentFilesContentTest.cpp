// Binary files named as documents are recognised by their first bytes; rich text, even damaged
// rich text with NUL bytes, and plain text in any 8-bit code page are not.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "writer/DocumentFilesContent.h"

namespace {

std::string SampleFile(const std::string& name) {
  std::ifstream in(std::string(TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(DocumentFilesContent, RefusesBinaryFormatsByNameAndKeepsText) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* refusal;  // the start of the sentence; empty: opens
  };
  const std::string pastTheBlock = std::string(kContentCheckBytes, 'a') + std::string(1, '\0');
  const Case cases[] = {
      {"OLE compound file", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10),
       "This file is a Word document in binary format"},
      {"Office Open XML", std::string("PK\x03\x04\x14\0", 6),
       "This file is an Office Open XML document"},
      {"PDF", "%PDF-1.4\n", "This file is a PDF document"},
      {"UTF-16 text", std::string("\xFF\xFEH\0i\0", 6), "This file is Unicode (UTF-16) text"},
      {"NUL bytes", std::string("abc\0def", 7), "This file holds binary data, not text"},
      {"damaged rich text", SampleFile("malformed-binary-garbage.rtf"), ""},
      {"rich text after blanks", " \r\n{\\rtf1 x}", ""},
      {"Windows-1252 text",
       "Gr\xFC\xDF"
       "e \x80 5",
       ""},
      {"Shift-JIS text", "\x82\xB1\x82\xF1", ""},
      {"a NUL past the first block", pastTheBlock, ""},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string refusal = BinaryContentRefusal(c.bytes);
    EXPECT_EQ(refusal.rfind(c.refusal, 0), 0u) << refusal;
    if (*c.refusal) {
      EXPECT_TRUE(refusal.ends_with("; Tessary opens rich text and plain text files.")) << refusal;
    } else {
      EXPECT_EQ(refusal, "");
    }
  }
  EXPECT_NE(SampleFile("malformed-binary-garbage.rtf").find('\0'), std::string::npos)
      << "the damaged sample does hold NUL bytes";
}

}  // namespace
