#include "writer/TextFormats.h"

namespace writer {

CHARFORMAT2W EmptyCharFormat() {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  return format;
}

PARAFORMAT2 EmptyParaFormat() {
  PARAFORMAT2 format{};
  format.cbSize = sizeof format;
  return format;
}

bool TextFormats::HasSelection() const {
  CHARRANGE range{};
  SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMax != range.cpMin;
}

WPARAM TextFormats::CurrentTextTarget() const {
  return HasSelection() ? SCF_SELECTION : (SCF_WORD | SCF_SELECTION);
}

CHARFORMAT2W TextFormats::SelectionFormat() const {
  CHARFORMAT2W format = EmptyCharFormat();
  SendMessageW(editor_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

void TextFormats::SetCharFormat(WPARAM target, CHARFORMAT2W format, DWORD mask) const {
  format.cbSize = sizeof format;
  format.dwMask = mask;
  SendMessageW(editor_, EM_SETCHARFORMAT, target, reinterpret_cast<LPARAM>(&format));
}

PARAFORMAT2 TextFormats::ParagraphFormat() const {
  PARAFORMAT2 format = EmptyParaFormat();
  SendMessageW(editor_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  return format;
}

void TextFormats::SetParagraphFormat(PARAFORMAT2 format, DWORD mask) const {
  format.cbSize = sizeof format;
  format.dwMask = mask;
  SendMessageW(editor_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

}  // namespace writer
