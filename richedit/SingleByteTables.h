#pragma once
#include <cstdint>

namespace richedit {

// The 128 characters of bytes 0x80-0xFF of a built-in single-byte code page (874, 1250-1258,
// 437, 850, 10000), or nullptr for a page without a table here.
const char16_t* singleByteTable(std::uint32_t codePage);

}  // namespace richedit
