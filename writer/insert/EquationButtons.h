#pragma once
// The equation builder's insert buttons in their groups: what each shows, what it inserts and
// in which font. Symbol-font buttons carry the font's own character codes.
#include <windows.h>

#include <string>
#include <vector>

namespace writer {

enum class EquationFont { Symbol, Arial, TimesNewRoman, Unchanged };

struct EquationButton {
  std::wstring caption;
  std::wstring text;  // what the button inserts
  EquationFont font;
};

struct EquationGroup {
  const wchar_t* title;
  int columns;
  std::vector<EquationButton> buttons;
};

std::vector<EquationGroup> EquationGroups();

// The face and character set of a button font.
const wchar_t* EquationFaceName(EquationFont font);
BYTE EquationCharset(EquationFont font);

}  // namespace writer
