#pragma once
// "Tessary.ini" on disk: read key by key through the private-profile functions, and written the
// same way into a copy beside it that then replaces it in one step, so a crash or a full disk
// while the program ends leaves the old file whole.
#include <string>

#include "writer/EditorSettings.h"

namespace writer {

inline constexpr wchar_t kSettingsFileName[] = L"Tessary.ini";

// Every key, with the defaults for a missing, unreadable or damaged file and for values that do
// not parse.
EditorSettings ReadEditorSettingsFile(const std::wstring& path);
// Every key; the file's other sections and keys stay (unless it was damaged). Throws EError
// naming the file when it cannot be written; the old file is then as it was.
void WriteEditorSettingsFile(const std::wstring& path, const EditorSettings& settings);

}  // namespace writer
