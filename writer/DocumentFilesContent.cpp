#include "writer/DocumentFilesContent.h"

namespace {

constexpr std::string_view kOpens = "; Tessary opens rich text and plain text files.";

bool StartsLikeRtf(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size() &&
         (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) {
    ++i;
  }
  const std::string_view rest = bytes.substr(i);
  return rest.starts_with("{\\rtf") || rest.starts_with("{\\urtf");
}

}  // namespace

std::string BinaryContentRefusal(std::string_view firstBytes) {
  const std::string_view block = firstBytes.substr(0, kContentCheckBytes);
  std::string_view what;
  if (block.starts_with(std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))) {
    what = "This file is a Word document in binary format (or another Office file of that kind)";
  } else if (block.starts_with(std::string_view("PK\x03\x04", 4))) {
    what = "This file is an Office Open XML document (such as a .docx file) or another ZIP package";
  } else if (block.starts_with("%PDF-")) {
    what = "This file is a PDF document";
  } else if (StartsLikeRtf(block)) {
    return {};  // damaged rich text is still the reader's to recover
  } else if (block.starts_with("\xFF\xFE") || block.starts_with("\xFE\xFF")) {
    what = "This file is Unicode (UTF-16) text, not 8-bit text";
  } else if (block.find('\0') != std::string_view::npos) {
    what = "This file holds binary data, not text";
  } else {
    return {};
  }
  return std::string(what) + std::string(kOpens);
}
