#pragma once
// The side panel's formatting commands and its refresh from the selection: character styles,
// scripts, alignment, spacing, lists, indents, font, size, colours and the format painter.
// Every command goes through the editor's format messages; the panel's buttons show the state
// of the text at the caret after every selection change.
#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>
#include <vector>

#include "writer/SidePanel.h"
#include "writer/TextFormats.h"

namespace writer {

class FormatCommands {
 public:
  FormatCommands(SidePanelControls& panel, HWND editor);

  // Fills the font and colour boxes and lists the installed symbol fonts.
  void FillLists(HWND window);
  // Shows the ticks of the script items of the right-align button's drop-down.
  std::function<void(int command, bool checked)> OnScriptTicks;
  // Runs Windows messages that are waiting (between the painter's writes).
  std::function<void()> ProcessMessages;

  // True for the commands this unit runs.
  static bool Handles(int command);
  void Run(int command);

  // Puts the panel's controls in line with the text at the caret.
  void RefreshControls();
  bool UpdatingControls() const { return updating_; }

  bool IsSymbolFont() const;
  const std::vector<std::wstring>& SymbolFontNames() const { return symbolFonts_; }
  int MainIndentPoints() const { return mainIndent_; }
  int HangingIndentPoints() const { return hangingIndent_; }

  // The format painter: armed by its button, applied when a mouse button comes up in the
  // editor while armed.
  bool PainterArmed() const { return painterArmed_; }
  void ApplyPainter();

  // The stored settings' font: the size box takes the size (within its range) and the font box
  // the installed face of that name (compared regardless of letter case) or keeps its face;
  // the editor's default font becomes what the boxes then show.
  void ShowStoredFont(int size, const std::wstring& face);

  // The font size box: a typed or stepped value, an arrow click, the Enter key.
  void FontSizeChanged();
  void FontSizeArrow(int delta);
  void FontSizeEnter();

 private:
  void AttachControls();
  void ToggleStyle(int command);
  void ToggleScript(int command);
  void Align(int command);
  void Justify();
  void Spacing(int command);
  void Bullets();
  void Numbering();
  void SetNumbering(WORD numbering);
  void Indent(int command);
  void FontNameChanged();
  void FontColorChosen();
  void HighlightColor();
  void PainterClick();
  void ShowScript(DWORD effects);
  void ShowColor(const CHARFORMAT2W& format);
  void ShowFaceName(const std::wstring& face);
  void ShowAlignment(WORD alignment);
  void SetFontSize(int points);
  void FocusEditor();

  SidePanelControls& panel_;
  TextFormats formats_;
  bool updating_ = false;
  bool bold_ = false, italic_ = false, underline_ = false;
  bool superscript_ = false, subscript_ = false;
  int mainIndent_ = 0, hangingIndent_ = 0;
  std::vector<std::wstring> symbolFonts_;
  std::vector<std::wstring> installedFaces_;
  bool painterArmed_ = false;
  CHARFORMAT2W painterFormat_{};
};

}  // namespace writer
