#pragma once
// The LZW coding of a GIF frame's colour indices (minimum code size 8), as the sub-blocks
// that follow the code size byte, terminator included.
#include <cstdint>
#include <string>
#include <vector>

namespace writer {

std::string LzwSubBlocks(const std::vector<std::uint8_t>& indices);

}  // namespace writer
