// The C library's iconv behind the core's converter interface, for the host tree: Windows code
// page n is iconv's "CPn", except Johab (1361) and the Macintosh page (10000).
#include <errno.h>
#include <iconv.h>

#include <array>
#include <map>
#include <mutex>

#include "richedit/SystemCodePages.h"

namespace richedit {

namespace {

std::string iconvName(std::uint32_t codePage) {
  switch (codePage) {
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    default: return "CP" + std::to_string(codePage);
  }
}

class IconvCodePages final : public CodePageConverter {
 public:
  ~IconvCodePages() override {
    for (auto& [key, cd] : handles_) {
      if (cd != invalid()) iconv_close(cd);
    }
  }

  std::u16string decode(std::uint32_t codePage, std::string_view bytes) const override {
    if (!platformPage(codePage)) return builtinCodePages().decode(codePage, bytes);
    std::lock_guard lock(mutex_);
    iconv_t cd = handle(codePage, false);
    if (cd == invalid()) return builtinCodePages().decode(1252, bytes);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::u16string out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::array<char16_t, 256> buffer;
    while (inLeft > 0) {
      char* to = reinterpret_cast<char*>(buffer.data());
      std::size_t toLeft = sizeof buffer;
      const std::size_t r = iconv(cd, &in, &inLeft, &to, &toLeft);
      out.append(buffer.data(), (sizeof buffer - toLeft) / sizeof(char16_t));
      if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      // A byte that starts no character, or a lead byte cut off at the end: one replacement
      // character, and reading goes on after it.
      out.push_back(0xFFFD);
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

  std::string encode(std::uint32_t codePage, std::u16string_view text) const override {
    if (!platformPage(codePage)) return builtinCodePages().encode(codePage, text);
    std::lock_guard lock(mutex_);
    iconv_t cd = handle(codePage, true);
    if (cd == invalid()) return builtinCodePages().encode(1252, text);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(text.size() * 2);
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    std::array<char, 512> buffer;
    while (inLeft > 0) {
      char* to = buffer.data();
      std::size_t toLeft = buffer.size();
      const std::size_t r = iconv(cd, &in, &inLeft, &to, &toLeft);
      out.append(buffer.data(), buffer.size() - toLeft);
      if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      // A character the page cannot hold (or half a surrogate pair) becomes a question mark;
      // a whole pair is one character.
      out.push_back('?');
      const auto c = *reinterpret_cast<const char16_t*>(in);
      const std::size_t step =
          c >= 0xD800 && c <= 0xDBFF && inLeft >= 4 ? 2 * sizeof(char16_t) : sizeof(char16_t);
      in += std::min(step, inLeft);
      inLeft -= std::min(step, inLeft);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

  bool encodeChar(std::uint32_t codePage, char16_t c, char& byte) const override {
    if (!platformPage(codePage)) return builtinCodePages().encodeChar(codePage, c, byte);
    if (c < 0x80) {
      byte = static_cast<char>(c);
      return true;
    }
    const std::string bytes = encode(codePage, std::u16string_view(&c, 1));
    if (bytes.size() != 1 || (bytes[0] == '?' && c != u'?')) return false;
    if (decode(codePage, bytes) != std::u16string_view(&c, 1)) return false;  // one way only
    byte = bytes[0];
    return true;
  }

  // A lead byte is one that iconv finds incomplete on its own.
  bool isLeadByte(std::uint32_t codePage, unsigned char b) const override {
    if (!platformPage(codePage) || b < 0x80) return false;
    std::lock_guard lock(mutex_);
    auto it = leadBytes_.find(codePage);
    if (it == leadBytes_.end()) {
      std::array<bool, 256> lead{};
      iconv_t cd = handle(codePage, false);
      for (int i = 0x80; i < 0x100 && cd != invalid(); ++i) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char one = static_cast<char>(i);
        char* in = &one;
        std::size_t inLeft = 1;
        char16_t unit[4];
        char* to = reinterpret_cast<char*>(unit);
        std::size_t toLeft = sizeof unit;
        lead[static_cast<std::size_t>(i)] =
            iconv(cd, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1) &&
            errno == EINVAL;
      }
      it = leadBytes_.emplace(codePage, lead).first;
    }
    return it->second[b];
  }

 private:
  static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
  static bool platformPage(std::uint32_t codePage) {
    return codePage != CodePageUtf8 && codePage != CodePageSymbol;
  }

  // Opened once per page and direction; invalid() for a page iconv does not know.
  iconv_t handle(std::uint32_t codePage, bool toPage) const {
    const auto key = std::make_pair(codePage, toPage);
    auto it = handles_.find(key);
    if (it != handles_.end()) return it->second;
    const std::string name = iconvName(codePage);
    iconv_t cd =
        toPage ? iconv_open(name.c_str(), "UTF-16LE") : iconv_open("UTF-16LE", name.c_str());
    handles_.emplace(key, cd);
    return cd;
  }

  mutable std::mutex mutex_;
  mutable std::map<std::pair<std::uint32_t, bool>, iconv_t> handles_;
  mutable std::map<std::uint32_t, std::array<bool, 256>> leadBytes_;
};

}  // namespace

const CodePageConverter& systemCodePages() {
  static const IconvCodePages pages;
  return pages;
}

}  // namespace richedit
