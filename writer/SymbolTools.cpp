#include "writer/SymbolTools.h"

#include <richedit.h>

#include <algorithm>

#include "platform/ModalResult.h"
#include "writer/TextFormats.h"

namespace writer {

void SymbolTools::Paste() {
  SetFocus(editor_);
  SendMessageW(editor_, WM_PASTE, 0, 0);
}

void SymbolTools::InsertEmoticon() {
  Made(frmEmoticons).ShowModal();
  if (frmEmoticons.Chosen()) Paste();
  frmEmoticons.ClearChosen();
}

// The insertion takes the grid's font on the selection only: with nothing selected that is the
// format the pasted text takes, so the word at the caret keeps its own font.
void SymbolTools::InsertSpecialCharacter() {
  const TextFormats formats(editor_);
  const CHARFORMAT2W caret = formats.SelectionFormat();
  Made(frmCharMap).SetFontName(caret.szFaceName);
  if (frmCharMap.ShowModal() != mrOk) return;
  const LOGFONTW grid = frmCharMap.GridFont();
  CHARFORMAT2W format = EmptyCharFormat();
  wcsncpy_s(format.szFaceName, grid.lfFaceName, _TRUNCATE);
  format.yHeight = caret.yHeight;
  format.crTextColor = caret.crTextColor;
  format.dwEffects = caret.dwEffects & CFE_AUTOCOLOR;
  if (grid.lfWeight >= FW_BOLD) format.dwEffects |= CFE_BOLD;
  if (grid.lfItalic) format.dwEffects |= CFE_ITALIC;
  if (grid.lfUnderline) format.dwEffects |= CFE_UNDERLINE;
  if (grid.lfStrikeOut) format.dwEffects |= CFE_STRIKEOUT;
  format.wWeight = static_cast<WORD>(grid.lfWeight);
  const bool symbol =
      std::find(symbolFonts_.begin(), symbolFonts_.end(), grid.lfFaceName) != symbolFonts_.end();
  format.bCharSet = symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  formats.SetSelection(format, CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                                   CFM_UNDERLINE | CFM_STRIKEOUT | CFM_WEIGHT | CFM_CHARSET);
  Paste();
}

void SymbolTools::InsertEquation() {
  if (Made(frmEBuilder).ShowModal() != mrOk) return;
  if (frmEBuilder.TextResult()) Paste();
  if (frmEBuilder.PictureResult()) Paste();
}

}  // namespace writer
