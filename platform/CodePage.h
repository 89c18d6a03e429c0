#pragma once
// Conversion between the programs' 8-bit text (system code page or UTF-8) and the UTF-16
// the Windows W functions take.
#include <string>

constexpr unsigned kSystemCodePage = 0;    // CP_ACP
constexpr unsigned kUtf8CodePage = 65001;  // CP_UTF8

std::wstring WideFromBytes(const std::string& bytes, unsigned codePage = kSystemCodePage);
std::string BytesFromWide(const std::wstring& text, unsigned codePage = kSystemCodePage);

inline std::wstring WideFromUtf8(const std::string& s) { return WideFromBytes(s, kUtf8CodePage); }
inline std::string Utf8FromWide(const std::wstring& s) { return BytesFromWide(s, kUtf8CodePage); }
