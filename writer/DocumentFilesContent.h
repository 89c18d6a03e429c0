#pragma once
// What a file named as rich or plain text really holds. Tessary opens a file that is not RTF
// as its raw text; a binary Word document, an Office Open XML package, a PDF or any other
// binary file would then open as garbage, and a Save would write that garbage over the user's
// only copy. Such content is recognised and refused instead. Portable.
#include <cstddef>
#include <string>
#include <string_view>

// How much of a file's start is looked at.
inline constexpr std::size_t kContentCheckBytes = 4096;

// The sentence that refuses the file, naming what it is; empty for rich text and plain text.
std::string BinaryContentRefusal(std::string_view firstBytes);
