#include "writer/EditorBox.h"

#include <richedit.h>

#include "richedit/RichEditWindow.h"

namespace writer {

void EditorBox::Create(HWND parent) {
  CreateWindowed(parent, richedit::registerRichEditClass(),
                 WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                     ES_NOHIDESEL | ES_DISABLENOSCROLL,
                 0, 0, 0, 100, 100, L"");
  HWND editor = Handle();
  SendMessageW(editor, EM_SETTEXTMODE, TM_RICHTEXT | TM_MULTILEVELUNDO, 0);
  SendMessageW(editor, EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
  SendMessageW(editor, EM_AUTOURLDETECT, TRUE, 0);
  SendMessageW(editor, EM_SETUNDOLIMIT, 100, 0);
  // A little white space between the text and the side panel.
  SendMessageW(editor, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(8, 4));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                  CFM_STRIKEOUT | CFM_COLOR;
  format.dwEffects = CFE_AUTOCOLOR;
  format.yHeight = 12 * 20;
  format.bCharSet = DEFAULT_CHARSET;
  wcscpy_s(format.szFaceName, L"Arial");
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(editor, EM_SETEVENTMASK, 0, kEventMask);
  SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
}

std::wstring EditorBox::TextRange(LONG first, LONG last) const {
  if (last <= first) return {};
  std::wstring text(static_cast<std::size_t>(last - first) + 1, L'\0');
  TEXTRANGEW range{{first, last}, text.data()};
  text.resize(static_cast<std::size_t>(
      SendMessageW(Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
  return text;
}

CHARRANGE EditorBox::Selection() const {
  CHARRANGE range{};
  SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void EditorBox::Select(LONG first, LONG last) {
  CHARRANGE range{first, last};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void EditorBox::HandleCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}

bool EditorBox::HandleNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case EN_SELCHANGE:
      if (OnSelectionChange) OnSelectionChange();
      return true;
    case EN_LINK: {
      const auto& link = reinterpret_cast<const ENLINK&>(header);
      if (link.msg != WM_LBUTTONUP || !OnLinkClick) return false;
      OnLinkClick(TextRange(link.chrg.cpMin, link.chrg.cpMax));
      result = 0;
      return true;
    }
    case EN_PROTECTED:
      // Text the document marks protected is never changed.
      result = 1;
      return true;
    default: return false;
  }
}

}  // namespace writer
