#include "writer/MainCommands.h"

#include <iterator>

namespace writer {
namespace {

constexpr Shortcut kShortcuts[] = {
    {'O', true, cmdOpen},          {'N', true, cmdNew},         {'S', true, cmdSave},
    {'P', true, cmdPrint},         {'H', true, cmdHistory},     {'B', true, cmdBold},
    {'I', true, cmdItalic},        {'U', true, cmdUnderline},   {'F', true, cmdFind},
    {'R', true, cmdFindReplace},   {VK_F3, false, cmdFindNext}, {VK_F9, false, cmdSpellCheck},
    {VK_F10, false, cmdMailMerge},
};

const wchar_t* const kHelpLines[] = {
    L"Short-Cut keys for the editor",
    L"^^^^^^^^^^^^^^^^^",
    L"Ctrl + O   -   Open Document...",
    L"Ctrl + N   -   New Document...",
    L"Ctrl + S   -   Save Document...",
    L"Ctrl + P   -   Print Document...",
    L"Ctrl + H   -   Document History...",
    L"",
    L"Ctrl + X   -   Cut",
    L"Ctrl + C   -   Copy",
    L"Ctrl + V   -   Paste",
    L"",
    L"Ctrl + B   -   Bold",
    L"Ctrl + I    -   Italic",
    L"Ctrl + U   -   Underline",
    L"",
    L"F3            -   Search Again",
    L"Ctrl + F    -   Find Text",
    L"Ctrl + R    -   Find and Replace",
    L"",
    L"Ctrl + Shift + L   -   Step through all bullet styles by toggling the L key",
    L"",
    L"F9            -   Open Custom Spell Checker with text...",
    L"F10          -   Open Brolley...",
    L"",
    L"Saved Settings",
    L"^^^^^^^^^",
    L"The following attributes are saved automatically when the application closes:",
    L"",
    L"- Font Name",
    L"- Font Size",
    L"- Editor Zoom factor",
    L"- Print Preview - Page Margins",
};

}  // namespace

std::span<const Shortcut> MainShortcuts() { return kShortcuts; }

std::optional<Command> ShortcutCommand(UINT key, bool ctrl, bool shift, bool alt) {
  if (shift || alt) return std::nullopt;
  for (const Shortcut& s : kShortcuts)
    if (s.key == key && s.ctrl == ctrl) return s.command;
  return std::nullopt;
}

std::wstring ShortcutHelpText() {
  std::wstring text;
  for (std::size_t i = 0; i < std::size(kHelpLines); ++i) {
    if (i > 0) text += L"\r\n";
    text += kHelpLines[i];
  }
  return text;
}

}  // namespace writer
