#pragma once
// The main window's status bar: nine panels of fixed widths (hint, line and column,
// modified, zoom, and the four key states; the last is never written).
#include <windows.h>

#include <string>

#include "platform/Controls.h"

namespace writer {

class StatusPanels : public Control {
 public:
  static constexpr int kPanelCount = 9;
  static constexpr int kWidths[kPanelCount] = {315, 150, 110, 150, 50, 50, 50, 70, 50};

  void Create(HWND parent);
  // Writes a panel only when its text changes, so a moving mouse does not flicker it.
  void SetPanel(int panel, const std::wstring& text);
  std::wstring Panel(int panel) const;
  int Height() const;
  // Panels 4 to 7 from the toggle states of Num Lock, Caps Lock, Scroll Lock and Insert.
  void UpdateKeyStates();
};

}  // namespace writer
