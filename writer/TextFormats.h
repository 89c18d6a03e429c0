#pragma once
// Reads and writes of the editor's character and paragraph formats. Each write sets in the
// mask only what it names, so the rest of the format stays as the document has it.
#include <windows.h>

#include <richedit.h>

namespace writer {

class TextFormats {
 public:
  explicit TextFormats(HWND editor) : editor_(editor) {}

  // The target of most character commands: the selection when it holds a character, else
  // the word at the caret.
  WPARAM CurrentTextTarget() const;
  bool HasSelection() const;

  // The selection's format (the caret's when nothing is selected).
  CHARFORMAT2W SelectionFormat() const;
  void SetCharFormat(WPARAM target, CHARFORMAT2W format, DWORD mask) const;
  void SetCurrentText(const CHARFORMAT2W& format, DWORD mask) const {
    SetCharFormat(CurrentTextTarget(), format, mask);
  }
  void SetSelection(const CHARFORMAT2W& format, DWORD mask) const {
    SetCharFormat(SCF_SELECTION, format, mask);
  }

  // The format of the selection's paragraphs.
  PARAFORMAT2 ParagraphFormat() const;
  void SetParagraphFormat(PARAFORMAT2 format, DWORD mask) const;

  HWND Editor() const { return editor_; }

 private:
  HWND editor_;
};

// A character or paragraph format record with its size filled in and nothing else.
CHARFORMAT2W EmptyCharFormat();
PARAFORMAT2 EmptyParaFormat();

}  // namespace writer
