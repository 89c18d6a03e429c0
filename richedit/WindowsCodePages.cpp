// The platform's own conversions behind the core's converter interface.
#include <windows.h>

#include "richedit/SystemCodePages.h"

namespace richedit {

namespace {

class WindowsCodePages final : public CodePageConverter {
 public:
  std::u16string decode(std::uint32_t codePage, std::string_view bytes) const override {
    if (!platformPage(codePage)) return builtinCodePages().decode(codePage, bytes);
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(n > 0 ? n : 0), u'\0');
    if (n > 0) {
      MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()),
                          n);
    }
    return out;
  }

  std::string encode(std::uint32_t codePage, std::u16string_view text) const override {
    if (!platformPage(codePage)) return builtinCodePages().encode(codePage, text);
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, "?", nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(codePage, flags, wide, size, out.data(), n, "?", nullptr);
    return out;
  }

  bool encodeChar(std::uint32_t codePage, char16_t c, char& byte) const override {
    if (!platformPage(codePage)) return builtinCodePages().encodeChar(codePage, c, byte);
    if (c < 0x80) {
      byte = static_cast<char>(c);
      return true;
    }
    const auto wide = static_cast<wchar_t>(c);
    char out[4] = {};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &wide, 1, out, sizeof out,
                                      nullptr, &usedDefault);
    if (n != 1 || usedDefault) return false;
    byte = out[0];
    return true;
  }

  bool isLeadByte(std::uint32_t codePage, unsigned char b) const override {
    if (!platformPage(codePage)) return false;
    return IsDBCSLeadByteEx(codePage, b) != 0;
  }

 private:
  // Pages the platform converts; UTF-8 and the symbol page stay with the core.
  static bool platformPage(std::uint32_t codePage) {
    return codePage != CodePageUtf8 && codePage != CodePageSymbol && IsValidCodePage(codePage);
  }
};

}  // namespace

const CodePageConverter& systemCodePages() {
  static const WindowsCodePages pages;
  return pages;
}

}  // namespace richedit
