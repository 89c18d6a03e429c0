#include "richedit/PlainText.h"

#include <vector>

namespace richedit {

namespace {

// Turns CR, LF and CR LF into '\r' across block boundaries.
class LineEndFolder {
 public:
  explicit LineEndFolder(std::u16string& out) : out_(out) {}
  void add(std::u16string_view text) {
    for (char16_t c : text) {
      if (c == u'\n') {
        if (!afterCr_) out_.push_back(u'\r');
        afterCr_ = false;
        continue;
      }
      afterCr_ = c == u'\r';
      if (c != 0) out_.push_back(c);
    }
  }

 private:
  std::u16string& out_;
  bool afterCr_ = false;
};

}  // namespace

PlainTextReadResult readPlainText(ByteSource& source, const PlainTextOptions& options) {
  const CodePageConverter& conv = options.converter ? *options.converter : builtinCodePages();
  PlainTextReadResult result;
  LineEndFolder folder(result.text);
  std::vector<char> block(64 * 1024);
  std::string carry;  // a lead byte or odd byte waiting for the next block
  bool first = true;
  while (true) {
    const std::ptrdiff_t n = source.read(block.data(), block.size());
    if (n < 0) {
      result.ok = false;
      result.message = "The document could not be read from its source.";
      break;
    }
    if (n == 0) break;
    std::string bytes = carry;
    bytes.append(block.data(), static_cast<std::size_t>(n));
    carry.clear();
    if (options.unicode) {
      std::size_t start = 0;
      if (first && bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
          static_cast<unsigned char>(bytes[1]) == 0xFE) {
        start = 2;
      }
      if ((bytes.size() - start) % 2) {
        carry.push_back(bytes.back());
        bytes.pop_back();
      }
      std::u16string units;
      units.reserve((bytes.size() - start) / 2);
      for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
      }
      folder.add(units);
    } else {
      // Keep a trailing lead byte for the next block so a two-byte character stays whole.
      std::size_t keep = bytes.size();
      std::size_t i = 0;
      while (i < bytes.size()) {
        if (conv.isLeadByte(options.codePage, static_cast<unsigned char>(bytes[i]))) {
          if (i + 1 >= bytes.size()) {
            keep = i;
            break;
          }
          i += 2;
        } else {
          ++i;
        }
      }
      carry.assign(bytes, keep, std::string::npos);
      bytes.resize(keep);
      folder.add(conv.decode(options.codePage, bytes));
    }
    first = false;
    if (static_cast<CharPos>(result.text.size()) > options.maxChars) {
      result.text.resize(static_cast<std::size_t>(options.maxChars));
      result.textLimitReached = true;
      return result;
    }
  }
  if (!carry.empty() && !options.unicode) folder.add(conv.decode(options.codePage, carry));
  if (static_cast<CharPos>(result.text.size()) > options.maxChars) {
    result.text.resize(static_cast<std::size_t>(options.maxChars));
    result.textLimitReached = true;
  }
  return result;
}

std::string encodePlainText(std::u16string_view text, const PlainTextOptions& options) {
  std::u16string lines;
  lines.reserve(text.size() + text.size() / 32);
  for (char16_t c : text) {
    if (c == u'\r' || c == 0x000B) {
      lines += u"\r\n";
    } else {
      lines.push_back(c);
    }
  }
  if (options.unicode) {
    std::string out;
    out.reserve(lines.size() * 2);
    for (char16_t c : lines) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>(c >> 8));
    }
    return out;
  }
  const CodePageConverter& conv = options.converter ? *options.converter : builtinCodePages();
  return conv.encode(options.codePage, lines);
}

bool writePlainText(std::u16string_view text, ByteSink& sink, const PlainTextOptions& options) {
  const std::string bytes = encodePlainText(text, options);
  constexpr std::size_t block = 64 * 1024;
  for (std::size_t at = 0; at < bytes.size(); at += block) {
    if (!sink.write(bytes.data() + at, std::min(block, bytes.size() - at))) return false;
  }
  return true;
}

}  // namespace richedit
