#pragma once
// A generated rich-text document for the benchmarks.
#include <cstddef>
#include <string>

// Paragraphs of varied words with bold, italic, colour and size changes, to about size bytes.
inline std::string GeneratedRtf(std::size_t size) {
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green90\\blue160;}\n";
  unsigned state = 7;
  for (int paragraph = 0; rtf.size() < size; ++paragraph) {
    rtf += "\\pard\\f" + std::to_string(paragraph % 2) + "\\fs" +
           std::to_string(20 + 2 * (paragraph % 5)) + " ";
    for (int word = 0; word < 60; ++word) {
      state = state * 1103515245u + 12345u;
      const unsigned pick = (state >> 16) % 40;
      if (pick == 0) rtf += "\\b ";
      if (pick == 1) rtf += "\\i ";
      if (pick == 2) rtf += "\\cf" + std::to_string(1 + paragraph % 2) + " ";
      for (unsigned letters = 3 + pick % 7; letters > 0; --letters) {
        state = state * 1103515245u + 12345u;
        rtf += static_cast<char>('a' + (state >> 16) % 26);
      }
      rtf += pick < 3 ? "\\b0\\i0\\cf0  " : " ";
    }
    rtf += "\\par\n";
  }
  return rtf + "}";
}
