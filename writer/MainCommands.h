#pragma once
// The main window's commands: one number for each, shared by its toolbar buttons, side-panel
// buttons, menu items and short-cut keys, so that one switch enables all of them at once.
#include <windows.h>

#include <optional>
#include <span>
#include <string>

namespace writer {

enum Command : int {
  cmdNew = 1001,
  cmdNewWindow,
  cmdHistory,
  cmdOpen,
  cmdSave,
  cmdSaveAs,
  cmdQuickPrint,
  cmdPrint,
  cmdPrintPreview,
  cmdCut,
  cmdCopy,
  cmdPaste,
  cmdUndo,
  cmdRedo,
  cmdFind,
  cmdFindReplace,
  cmdFindNext,
  cmdDate,
  cmdPicture,
  cmdEmoticons,
  cmdSpecialChar,
  cmdClose,
  cmdBold,
  cmdItalic,
  cmdUnderline,
  cmdSpellCheck,
  cmdMailMerge,
  cmdEnvelope,
  cmdHelp,
  cmdLastDocument,
  cmdSelectAll,
  cmdClearSelection,
  cmdClearAll,
  cmdInsertTable,
  cmdInsertEquation,
  cmdHideSidePanel,
  cmdFormatPainter,
  cmdParaFormat,
  cmdAlignLeft,
  cmdAlignCenter,
  cmdAlignRight,
  cmdJustify,
  cmdSuperscript,
  cmdSubscript,
  cmdIndentLess,
  cmdHangingLess,
  cmdHangingMore,
  cmdIndentMore,
  cmdSpacing1,
  cmdSpacing15,
  cmdSpacing2,
  cmdBullets,
  cmdNumbering,
  cmdHighlight,
  cmdFontName,
  cmdFontColor,
  cmdFontSize,
  cmdZoom,
  cmdLast
};

struct Shortcut {
  UINT key;
  bool ctrl;
  Command command;
};

// The keys of the main window's (never shown) menu bar.
std::span<const Shortcut> MainShortcuts();
// The command of a key pressed with or without Ctrl (Shift and Alt held give none).
std::optional<Command> ShortcutCommand(UINT key, bool ctrl, bool shift, bool alt);

// The text of the "?" button: the short-cut keys and what the program stores.
std::wstring ShortcutHelpText();

}  // namespace writer
