#pragma once
// The editor's settings kept between runs in "Tessary.ini": the side panel's font and size,
// the zoom, whether the side panel shows, and the six print margins. Here are the keys, their
// defaults, how values are written and read back, and the ranges the controls hold them to. No
// Windows API, so the rules are tested in both trees.
#include <optional>
#include <string>
#include <string_view>

#include "writer/print/MarginSettings.h"

namespace writer {

struct EditorSettings {
  // "Font Settings"
  int Size = 12;
  std::string Name = "Arial";  // system code page
  int Zoom = 100;
  bool SideBar = false;
  // "Print Preview"
  MarginSettings Margins;
  friend bool operator==(const EditorSettings&, const EditorSettings&) = default;
};

// An ini file by section and key; values are text in the system code page.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value, or the default when the key is missing.
  virtual std::string Read(const std::string& section, const std::string& key,
                           const std::string& defaultValue) = 0;
  // Throws EError when the value cannot be written.
  virtual void Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

// An integer as stored: decimal, or hexadecimal after "0x", "0X" or "$" (up to eight digits,
// read as a 32-bit pattern, so "$FFFFFFFF" is -1), a sign allowed before either, blanks around
// it allowed. Nothing for any other text or a decimal outside 32 bits.
std::optional<int> ParseSettingsInteger(std::string_view text);

// Every key; a missing key or a value that does not parse gives the key's default. Booleans are
// integers, any value but 0 meaning true.
EditorSettings ReadEditorSettings(SettingsStore& store);
// Every key, integers in decimal and booleans as 1 or 0.
void WriteEditorSettings(const EditorSettings& settings, SettingsStore& store);

// The ranges of the controls that receive the values: the zoom bar 50 to 200, the size box 4 to
// 800, and the margins dialog 1 to 100 millimetres for the page margins and 5 to 15 for the
// header and footer (a value the dialog could never have given is taken as near as it allows).
int ZoomBarPosition(int stored);
int FontBoxSize(int stored);
MarginSettings DialogMargins(const MarginSettings& stored);

// A settings file the private-profile functions should not be trusted to rewrite: NUL bytes in
// text that does not start with the UTF-16 byte-order mark.
bool IsDamagedSettingsText(std::string_view bytes);

}  // namespace writer
