#include "richedit/CodePages.h"

#include "richedit/SingleByteTables.h"

namespace richedit {

namespace {

const char16_t* tableFor(std::uint32_t codePage) {
  const char16_t* t = singleByteTable(codePage);
  return t ? t : singleByteTable(1252);
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

std::u16string decodeUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80         ? 0
                      : (b >> 5) == 6  ? 1
                      : (b >> 4) == 14 ? 2
                      : (b >> 3) == 30 ? 3
                                       : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((t & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (t & 0x3F);
    }
    if (!ok || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    appendUtf16(out, c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string encodeUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    appendUtf8(out, c);
  }
  return out;
}

}  // namespace

std::u16string BuiltinCodePages::decode(std::uint32_t codePage, std::string_view bytes) const {
  if (codePage == CodePageUtf8) return decodeUtf8(bytes);
  std::u16string out;
  out.reserve(bytes.size());
  if (codePage == CodePageSymbol) {
    for (char b : bytes) out.push_back(static_cast<unsigned char>(b));
    return out;
  }
  const char16_t* table = tableFor(codePage);
  for (char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    out.push_back(u < 0x80 ? u : table[u - 0x80]);
  }
  return out;
}

bool BuiltinCodePages::encodeChar(std::uint32_t codePage, char16_t c, char& byte) const {
  if (c < 0x80) {
    byte = static_cast<char>(c);
    return true;
  }
  if (codePage == CodePageUtf8) return false;
  if (codePage == CodePageSymbol) {
    if (c > 0xFF) return false;
    byte = static_cast<char>(c);
    return true;
  }
  const char16_t* table = tableFor(codePage);
  for (int i = 0; i < 128; ++i) {
    if (table[i] == c) {
      byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

std::string BuiltinCodePages::encode(std::uint32_t codePage, std::u16string_view text) const {
  if (codePage == CodePageUtf8) return encodeUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char b;
    if (encodeChar(codePage, text[i], b)) {
      out.push_back(b);
    } else {
      out.push_back('?');
      // A surrogate pair is one character: one question mark.
      if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
          text[i + 1] <= 0xDFFF) {
        ++i;
      }
    }
  }
  return out;
}

bool BuiltinCodePages::isLeadByte(std::uint32_t, unsigned char) const { return false; }

const CodePageConverter& builtinCodePages() {
  static const BuiltinCodePages pages;
  return pages;
}

std::uint32_t codePageForCharset(std::uint8_t charSet, std::uint32_t documentCodePage) {
  switch (charSet) {
    case 0: return 1252;
    case 2: return CodePageSymbol;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return documentCodePage;
  }
}

}  // namespace richedit
