#pragma once
// Find, replace and find next through the platform's modeless Find and Replace dialogs. Each
// dialog is made on first use and kept; a report from either searches the editor, replaces
// there, or replaces every hit as one step for Undo.
#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>

namespace writer {

class TextSearch {
 public:
  static constexpr int kTextLength = 256;

  TextSearch(HWND owner, HWND editor);
  ~TextSearch();
  TextSearch(const TextSearch&) = delete;
  TextSearch& operator=(const TextSearch&) = delete;

  // The message the dialogs send their owner (FINDMSGSTRING).
  static UINT ReportMessage();

  // Opens (or brings back) the dialog with the editor's selected text as the text to find.
  void OpenFind() { Open(false); }
  void OpenReplace() { Open(true); }
  HWND FindDialog() const { return dialogs_[0].window; }
  HWND ReplaceDialog() const { return dialogs_[1].window; }

  // A report of a dialog (its button pressed, or the dialog closing).
  void HandleReport(const FINDREPLACEW& report);
  // Repeats the last search with its options; a beep when there was none or it missed.
  void FindNext();

  // Called once after Replace All changed the text.
  std::function<void()> OnReplacedAll;

 private:
  struct Dialog {
    FINDREPLACEW record{};
    wchar_t find[kTextLength]{};
    wchar_t replace[kTextLength]{};
    HWND window = nullptr;
  };
  struct LastSearch {
    std::wstring text;
    DWORD flags = 0;
  };

  void Open(bool replace);
  bool Search(const std::wstring& text, DWORD flags, bool moveDialog);
  void Replace(const FINDREPLACEW& report);
  void ReplaceAll(const FINDREPLACEW& report);
  bool SelectionMatches(const std::wstring& text, DWORD flags) const;
  void MoveDialogOffCaret(HWND dialog);
  static void ReportNotFound(const std::wstring& text);

  HWND owner_;
  HWND editor_;
  Dialog dialogs_[2];
  LastSearch last_;
  HWND lastDialog_ = nullptr;
};

}  // namespace writer
