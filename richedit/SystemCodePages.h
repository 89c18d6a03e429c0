#pragma once
// The code pages as the platform converts them, double-byte pages (932, 936, 949, 950, 1361)
// included: MultiByteToWideChar and WideCharToMultiByte on Windows, the C library's iconv
// elsewhere (the host tree's tests and fuzzer). The symbol page keeps its byte values and
// UTF-8 is the core's own; a page the platform does not know is read as Windows-1252, as the
// built-in pages do.
#include "richedit/CodePages.h"

namespace richedit {

const CodePageConverter& systemCodePages();

}  // namespace richedit
