#pragma once
// The main window's three symbol insert tools: the emoticon picker, the character map and the
// equation builder. Each is created once and shown modally; what it leaves on the clipboard is
// pasted into the document at the caret.
#include <windows.h>

#include <string>
#include <vector>

#include "writer/insert/CharMaps.h"
#include "writer/insert/EmotIcons.h"
#include "writer/insert/EquationBuilder.h"

namespace writer {

class SymbolTools {
 public:
  // symbolFonts: the installed fonts of the symbol character set, kept by the caller.
  SymbolTools(HWND editor, const std::vector<std::wstring>& symbolFonts)
      : editor_(editor), symbolFonts_(symbolFonts) {}
  // The windows are made on first use: the palette's buttons would cost a quarter of a second
  // at every start. Once made, each keeps its state for the rest of the run.
  void Create(HWND owner) { owner_ = owner; }

  // BtnEmoticons: pastes the chosen picture or line.
  void InsertEmoticon();
  // BtnChar: the map opens on the font at the caret; what it hands over is pasted in the grid's
  // font with the size and colour of the text at the caret.
  void InsertSpecialCharacter();
  // "Insert From Equation Builder...": pastes the formula as text or as a picture.
  void InsertEquation();

  TfrmEmoticons frmEmoticons;
  TDLLForm frmCharMap;
  TfrmEBuilder frmEBuilder;

 private:
  void Paste();
  template <typename F>
  F& Made(F& form) {
    if (!form.Handle()) form.Create(owner_);
    return form;
  }
  HWND owner_ = nullptr;
  HWND editor_;
  const std::vector<std::wstring>& symbolFonts_;
};

}  // namespace writer
