#pragma once
// Writes 8-bit RGB pictures as PNG files (for screenshots people and tests look at).
#include <cstdint>
#include <string>
#include <vector>

// rgb holds width * height pixels, three bytes each, top row first.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);
