#include "writer/insert/EquationButtons.h"

#include <initializer_list>

namespace writer {
namespace {

// Buttons of the Symbol font: codes from to last, or single codes.
std::vector<EquationButton> SymbolRange(int from, int last) {
  std::vector<EquationButton> buttons;
  for (int code = from; code <= last; ++code) {
    const std::wstring text(1, static_cast<wchar_t>(code));
    buttons.push_back({text, text, EquationFont::Symbol});
  }
  return buttons;
}

std::vector<EquationButton> SymbolCodes(std::initializer_list<int> codes) {
  std::vector<EquationButton> buttons;
  for (int code : codes) {
    const std::wstring text(1, static_cast<wchar_t>(code));
    buttons.push_back({text, text, EquationFont::Symbol});
  }
  return buttons;
}

std::vector<EquationButton> Joined(std::vector<EquationButton> a,
                                   const std::vector<EquationButton>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<EquationButton> DigitsAndFractions() {
  std::vector<EquationButton> buttons = SymbolRange(0x30, 0x39);
  // Windows-1252 codes 0xBA 0xB9 0xB2 0xB3 0xBC 0xBD 0xBE 0x83.
  for (const wchar_t* c :
       {L"\u00BA", L"\u00B9", L"\u00B2", L"\u00B3", L"\u00BC", L"\u00BD", L"\u00BE", L"\u0192"})
    buttons.push_back({c, c, EquationFont::Arial});
  return buttons;
}

}  // namespace

std::vector<EquationGroup> EquationGroups() {
  return {
      {L"Greek Capitals", 13, SymbolRange(0x41, 0x5A)},
      {L"Greek Small Letters", 13, SymbolRange(0x61, 0x7A)},
      {L"Operators and Relations", 17,
       SymbolCodes({0x2B, 0x2D, 0xB4, 0xB8, 0xB1, 0x3D, 0xB9, 0x3C, 0x3E, 0xA3, 0xB3,
                    0xBB, 0xBA, 0x40, 0x7E, 0xB5, 0xA5, 0x28, 0x29, 0x5B, 0x5D, 0x7B,
                    0x7D, 0x23, 0x25, 0x2E, 0xBC, 0xA2, 0xB2, 0xB0, 0xA6, 0xA1, 0xBE})},
      {L"Digits and Fractions", 9, DigitsAndFractions()},
      {L"Functions",
       3,
       {{L"sin", L"sin", EquationFont::TimesNewRoman},
        {L"cos", L"cos", EquationFont::TimesNewRoman},
        {L"tan", L"tan", EquationFont::TimesNewRoman},
        {L"Tab", L"\t", EquationFont::Unchanged},
        {L"Space", L" ", EquationFont::Unchanged}}},
      {L"Logic, Sets and Arrows", 12,
       Joined(SymbolCodes({0x22, 0x24, 0x27, 0x5C, 0xD8, 0xD1}),
              Joined(SymbolRange(0xC7, 0xCF),
                     SymbolCodes({0xAC, 0xAE, 0xAB, 0xAF, 0xDC, 0xDE, 0xDB, 0xDD, 0xDF})))},
      {L"Large Brackets, Sums and Integrals", 13,
       Joined(SymbolCodes({0xE5, 0xD5, 0xD6, 0xF2}),
              Joined(SymbolRange(0xF3, 0xF5),
                     Joined(SymbolRange(0xE6, 0xEE), SymbolRange(0xF6, 0xFE))))},
  };
}

const wchar_t* EquationFaceName(EquationFont font) {
  switch (font) {
    case EquationFont::Symbol: return L"Symbol";
    case EquationFont::Arial: return L"Arial";
    case EquationFont::TimesNewRoman: return L"Times New Roman";
    case EquationFont::Unchanged: break;
  }
  return L"";
}

BYTE EquationCharset(EquationFont font) {
  return font == EquationFont::Symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
}

}  // namespace writer
